// CWinApp: the application object. Start-up runs InitInstance; the profile
// functions keep per-user settings under
// HKEY_CURRENT_USER\Software\<registry key>\<application name>\<section>.
#pragma once

#include <windows.h>

#include <string>

// The platform's win.ini functions are macros of the same names as the
// profile functions here; the program never uses them.
#undef GetProfileInt
#undef GetProfileString
#undef WriteProfileString

namespace fw {

class CWnd;

// The standard command-line parser's result; only the splash flag is used.
class CCommandLineInfo {
 public:
  BOOL m_bShowSplash = TRUE;
  // One parameter; `flag` is true when it was written after / or -.
  virtual void ParseParam(const char* param, BOOL flag, BOOL last);
  virtual ~CCommandLineInfo() = default;
};

class CWinApp {
 public:
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance() { return 0; }
  // The message loop, for applications whose InitInstance returns TRUE.
  virtual int Run();

  // Sets m_strAppName from the module name when not given; called by the entry point.
  void InitApplication(HINSTANCE instance);

  void SetRegistryKey(const char* key) { m_strRegistryKey = key ? key : ""; }
  void ParseCommandLine(CCommandLineInfo& info) const;

  UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
  BOOL WriteProfileInt(const char* section, const char* entry, int value) const;
  std::string GetProfileString(const char* section, const char* entry, const char* defaultValue = "") const;
  BOOL WriteProfileString(const char* section, const char* entry, const char* value) const;

  // HKEY_CURRENT_USER-relative path of a section's key.
  std::string SectionKeyPath(const char* section) const;

  HINSTANCE m_hInstance = nullptr;
  std::string m_strAppName;
  std::string m_strRegistryKey;
  // The main window: it owns the windows built without a parent.
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

}  // namespace fw
