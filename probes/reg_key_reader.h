// CRegKeyReader: holds one registry key; opens or creates it, reads one
// string value of at most 200 bytes (100 UTF-16 units), closes it. It owns only the keys it
// opened or created: the key it is built with (a predefined root such as
// HKEY_LOCAL_MACHINE) stays its caller's.
#pragma once

#include <windows.h>

#include <string>

#include "fw/handle.h"

namespace vantrel {

class CRegKeyReader {
 public:
  static constexpr DWORD kMaxData = 200;
  // RegOpenKeyExA, or a stand-in with its signature.
  using OpenKeyFn = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);

  explicit CRegKeyReader(HKEY initial, OpenKeyFn openKey = ::RegOpenKeyExA);
  ~CRegKeyReader();
  CRegKeyReader(const CRegKeyReader&) = delete;
  CRegKeyReader& operator=(const CRegKeyReader&) = delete;

  // Asks for all access; a user who may only read the key is refused that
  // (ERROR_ACCESS_DENIED), and the key is then opened for reading.
  bool Open(HKEY root, const char* subKey);
  // Creates a missing key as volatile; an existing key keeps its kind.
  bool Create(HKEY root, const char* subKey);
  bool ReadString(const char* valueName, std::string& out);
  // The same through the wide function: a text shown as the system holds it.
  bool ReadString(const wchar_t* valueName, std::wstring& out);
  // Closes an opened or created key once; lets go of the initial key.
  void Close();

  LONG lastResult = 0;
  DWORD valueType = 0;
  DWORD valueSize = 0;
  std::string keyPath;

  HKEY Key() const { return key_; }

 private:
  // Holds `opened` (or nothing), closing what this reader opened before.
  void Hold(HKEY opened);

  OpenKeyFn openKey_;
  HKEY key_ = nullptr;  // the key held: the initial one or opened_
  fw::UniqueKey opened_;
};

}  // namespace vantrel
