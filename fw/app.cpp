#include "fw/app.h"

#include <cstring>
#include <utility>

#include "fw/handle.h"
#include "fw/profile_value.h"
#include "fw/wnd.h"

namespace fw {
namespace {
CWinApp* g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }
HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : ::GetModuleHandleA(nullptr); }

CWinApp::CWinApp(const char* appName) : m_strAppName(appName ? appName : "") { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

void CWinApp::InitApplication(HINSTANCE instance) {
  m_hInstance = instance;
  if (m_strAppName.empty()) {
    // No application title: the executable's base name names the program.
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(instance, path, MAX_PATH);
    std::string name(path, n < MAX_PATH ? n : 0);
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    m_strAppName = name;
  }
}

int CWinApp::Run() {
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) PumpMessage(msg);
  return ExitInstance();
}

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL) {
  if (flag && (::lstrcmpiA(param, "Embedding") == 0 || ::lstrcmpiA(param, "Automation") == 0)) m_bShowSplash = FALSE;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
  for (int i = 1; i < __argc; ++i) {
    const char* p = __argv[i];
    const BOOL flag = (p[0] == '/' || p[0] == '-');
    info.ParseParam(flag ? p + 1 : p, flag, i == __argc - 1);
  }
}

std::string CWinApp::SectionKeyPath(const char* section) const {
  return "Software\\" + m_strRegistryKey + "\\" + m_strAppName + "\\" + section;
}

namespace {

// Reads never create keys; writes create what is missing.
UniqueKey OpenSection(const CWinApp& app, const char* section, bool create) {
  UniqueKey key;
  if (app.m_strRegistryKey.empty()) return key;
  const std::string path = app.SectionKeyPath(section);
  if (create) {
    ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                      nullptr, key.put(), nullptr);
  } else {
    ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, key.put());
  }
  return key;
}

}  // namespace

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
  UniqueKey key = OpenSection(*this, section, false);
  if (!key) return static_cast<UINT>(defaultValue);
  BYTE data[4] = {};
  DWORD type = 0, size = sizeof data;
  // A value of another type or size is unreadable as a number (a larger one
  // already fails the query): use the default.
  if (::RegQueryValueExA(key.get(), entry, nullptr, &type, data, &size) != ERROR_SUCCESS)
    return static_cast<UINT>(defaultValue);
  const std::optional<std::uint32_t> value = ProfileIntValue(type, data, size);
  return value ? *value : static_cast<UINT>(defaultValue);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const {
  UniqueKey key = OpenSection(*this, section, true);
  if (!key) return FALSE;
  const DWORD v = static_cast<DWORD>(value);
  return ::RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) == ERROR_SUCCESS;
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue) const {
  const std::string fallback = defaultValue ? defaultValue : "";
  UniqueKey key = OpenSection(*this, section, false);
  if (!key) return fallback;
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(key.get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return fallback;
  std::string text(size + 1, '\0');
  DWORD got = size;
  if (::RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got) != ERROR_SUCCESS)
    return fallback;
  // Stored strings may or may not carry their terminator.
  std::optional<std::string> value = ProfileStringValue(type, text.data(), got);
  return value ? std::move(*value) : fallback;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) const {
  UniqueKey key = OpenSection(*this, section, true);
  if (!key) return FALSE;
  if (!value) return ::RegDeleteValueA(key.get(), entry) == ERROR_SUCCESS;
  return ::RegSetValueExA(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                          static_cast<DWORD>(::strlen(value) + 1)) == ERROR_SUCCESS;
}

}  // namespace fw
