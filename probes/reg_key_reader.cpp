#include "probes/reg_key_reader.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace vantrel {

CRegKeyReader::CRegKeyReader(HKEY initial, OpenKeyFn openKey) : openKey_(openKey), key_(initial) {}

CRegKeyReader::~CRegKeyReader() { Close(); }

void CRegKeyReader::Hold(HKEY opened) {
  // A reused reader leaks nothing: a key it opened before is closed here.
  opened_.reset(opened);
  key_ = opened;
}

bool CRegKeyReader::Open(HKEY root, const char* subKey) {
  keyPath = subKey ? subKey : "";
  HKEY key = nullptr;
  lastResult = openKey_(root, subKey, 0, KEY_ALL_ACCESS, &key);
  if (lastResult == ERROR_ACCESS_DENIED) lastResult = openKey_(root, subKey, 0, KEY_READ, &key);
  Hold(lastResult == ERROR_SUCCESS ? key : nullptr);
  valueType = 0;
  valueSize = 0;
  return lastResult == ERROR_SUCCESS;
}

bool CRegKeyReader::Create(HKEY root, const char* subKey) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  lastResult =
      ::RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition);
  Hold(lastResult == ERROR_SUCCESS ? key : nullptr);
  valueType = 0;
  valueSize = 0;
  return lastResult == ERROR_SUCCESS;
}

bool CRegKeyReader::ReadString(const char* valueName, std::string& out) {
  // One spare byte: data of exactly the limit without a terminator is still
  // bounded by the size the platform reports.
  char buffer[kMaxData + 1] = {};
  DWORD size = kMaxData;
  DWORD type = 0;
  lastResult = ::RegQueryValueExA(key_, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  valueType = type;
  valueSize = size;
  if (lastResult != ERROR_SUCCESS) return false;
  out.assign(buffer, ::strnlen(buffer, size < kMaxData ? size : kMaxData));
  return true;
}

bool CRegKeyReader::ReadString(const wchar_t* valueName, std::wstring& out) {
  constexpr DWORD kMaxUnits = kMaxData / sizeof(wchar_t);
  wchar_t buffer[kMaxUnits + 1] = {};
  DWORD size = kMaxData;
  DWORD type = 0;
  lastResult = ::RegQueryValueExW(key_, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  valueType = type;
  valueSize = size;
  if (lastResult != ERROR_SUCCESS) return false;
  out.assign(buffer, ::wcsnlen(buffer, std::min<DWORD>(size, kMaxData) / sizeof(wchar_t)));
  return true;
}

void CRegKeyReader::Close() { Hold(nullptr); }

}  // namespace vantrel
