// CRegKeyReader: holds one registry key; opens or creates it, reads one
// string value of at most 200 bytes, closes it.
#pragma once

#include <windows.h>

#include <string>

#include "fw/handle.h"

namespace vantrel {

class CObject {
 public:
  virtual ~CObject() = default;
};

class CRegKeyReader : public CObject {
 public:
  static constexpr DWORD kMaxData = 200;

  explicit CRegKeyReader(HKEY initial);
  ~CRegKeyReader() override;

  bool Open(HKEY root, const char* subKey);
  bool Create(HKEY root, const char* subKey);
  bool ReadString(const char* valueName, std::string& out);
  void Close();

  LONG m_lResult = 0;
  DWORD m_dwType = 0;
  DWORD m_dwSize = 0;
  std::string m_strSubKey;

  HKEY Key() const { return m_hKey.get(); }

 private:
  fw::UniqueKey m_hKey;
};

}  // namespace vantrel
