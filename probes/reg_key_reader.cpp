#include "probes/reg_key_reader.h"

#include <cstring>

namespace vantrel {

CRegKeyReader::CRegKeyReader(HKEY initial) : m_hKey(initial) {}

CRegKeyReader::~CRegKeyReader() { Close(); }

bool CRegKeyReader::Open(HKEY root, const char* subKey) {
  m_strSubKey = subKey ? subKey : "";
  // put() closes a key still held, so a reused reader leaks nothing.
  m_lResult = ::RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, m_hKey.put());
  m_dwType = 0;
  m_dwSize = 0;
  return m_lResult == ERROR_SUCCESS;
}

bool CRegKeyReader::Create(HKEY root, const char* subKey) {
  DWORD disposition = 0;
  m_lResult = ::RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, m_hKey.put(),
                                &disposition);
  m_dwType = 0;
  m_dwSize = 0;
  return m_lResult == ERROR_SUCCESS;
}

bool CRegKeyReader::ReadString(const char* valueName, std::string& out) {
  // One spare byte: data of exactly the limit without a terminator is still
  // bounded by the size the platform reports.
  char buffer[kMaxData + 1] = {};
  DWORD size = kMaxData;
  DWORD type = 0;
  m_lResult = ::RegQueryValueExA(m_hKey.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  m_dwType = type;
  m_dwSize = size;
  if (m_lResult != ERROR_SUCCESS) return false;
  out.assign(buffer, ::strnlen(buffer, size < kMaxData ? size : kMaxData));
  return true;
}

void CRegKeyReader::Close() { m_hKey.reset(); }

}  // namespace vantrel
