#include "probes/reg_key_reader.h"

#include <cstring>

namespace vantrel {

CRegKeyReader::CRegKeyReader(HKEY initial, OpenKeyFn openKey) : m_openKey(openKey), m_hKey(initial) {}

CRegKeyReader::~CRegKeyReader() { Close(); }

void CRegKeyReader::Hold(HKEY opened) {
  // A reused reader leaks nothing: a key it opened before is closed here.
  m_opened.reset(opened);
  m_hKey = opened;
}

bool CRegKeyReader::Open(HKEY root, const char* subKey) {
  m_strSubKey = subKey ? subKey : "";
  HKEY key = nullptr;
  m_lResult = m_openKey(root, subKey, 0, KEY_ALL_ACCESS, &key);
  if (m_lResult == ERROR_ACCESS_DENIED) m_lResult = m_openKey(root, subKey, 0, KEY_READ, &key);
  Hold(m_lResult == ERROR_SUCCESS ? key : nullptr);
  m_dwType = 0;
  m_dwSize = 0;
  return m_lResult == ERROR_SUCCESS;
}

bool CRegKeyReader::Create(HKEY root, const char* subKey) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  m_lResult =
      ::RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition);
  Hold(m_lResult == ERROR_SUCCESS ? key : nullptr);
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
  m_lResult = ::RegQueryValueExA(m_hKey, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  m_dwType = type;
  m_dwSize = size;
  if (m_lResult != ERROR_SUCCESS) return false;
  out.assign(buffer, ::strnlen(buffer, size < kMaxData ? size : kMaxData));
  return true;
}

void CRegKeyReader::Close() { Hold(nullptr); }

}  // namespace vantrel
