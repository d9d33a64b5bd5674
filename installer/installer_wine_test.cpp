// The installer end to end, inside a fresh prefix (scripts/install_test.sh
// makes one and compares the prefix's registry and files before the install
// and after the uninstall and a restart): a silent install puts every file,
// the shortcut, the installed-programs entry and the control registrations of
// each architecture in place; the installed program starts and shows its
// window; a second install over the first ends the running program, leaves
// one clean installation and starts the program again; an uninstall ends the
// running program again and removes what the installers made, and the user's
// settings too when told so; a silent one keeps them. An upgrade from an
// earlier build in a folder of the user's choosing, over a module a host
// holds loaded, puts every new file in place and keeps the start-up choice;
// the waiting form of the silent uninstall reports its real result, and a
// module gone missing does not block it.
//
// VT_SETUP is the installer's Windows path, VT_EARLIER_SETUP an installer of
// an earlier version (VT_EARLIER_VERSION) whose gauge modules differ from this build's,
// VT_GAUGE_EXAMPLE the README's script example's. This program is built for the
// machine's own architecture: 64-bit in a 64-bit prefix, 32-bit in a 32-bit one.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "fw/bin_dir.h"
#include "fw/com.h"
#include "fw/handle.h"
#include "fw/top_window.h"
#include "gauge/zelbo_ids.h"
#include "installer/setup_ids.h"
#include "mainwnd/e2e_test_harness.h"
#include "version.h"

namespace {

using vantrel::e2e::VantrelProcess;

#ifdef _WIN64
constexpr bool kMachineIs64Bit = true;
#else
constexpr bool kMachineIs64Bit = false;
#endif

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantrel";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Folder(int csidl) {
  char path[MAX_PATH] = {};
  ::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

std::string DefaultInstallDir() { return Folder(CSIDL_PROGRAM_FILES) + "\\Vantrel"; }
// A folder of the user's choosing, given with /D=: one level, with a space.
constexpr char kChosenDir[] = "C:\\Chosen Vantrel";
std::string Shortcut() { return Folder(CSIDL_COMMON_PROGRAMS) + "\\Vantrel.lnk"; }

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string LongPath(const std::string& path) {
  char out[MAX_PATH] = {};
  return ::GetLongPathNameA(path.c_str(), out, MAX_PATH) ? out : path;
}

std::vector<char> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The processor a PE file is built for, 0 when it is no PE file.
WORD MachineOf(const std::string& path) {
  const std::vector<char> b = Bytes(path);
  if (b.size() < 0x40) return 0;
  const DWORD pe = *reinterpret_cast<const DWORD*>(&b[0x3C]);
  if (pe + 6 > b.size() || b[pe] != 'P' || b[pe + 1] != 'E') return 0;
  return *reinterpret_cast<const WORD*>(&b[pe + 4]);
}

// One registry value as text (strings) or number (DWORDs); found false when
// the key or value is missing. `view` is KEY_WOW64_64KEY or KEY_WOW64_32KEY.
struct Value {
  bool found = false;
  std::string text;
  DWORD number = 0;
};

Value Read(HKEY root, const std::string& key, const char* name, REGSAM view = 0) {
  Value v;
  fw::UniqueKey k;
  if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, k.put()) != ERROR_SUCCESS) return v;
  char data[1024] = {};
  DWORD size = sizeof data - 1, type = 0;
  if (::RegQueryValueExA(k.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
    return v;
  }
  v.found = true;
  if (type == REG_DWORD) {
    v.number = *reinterpret_cast<DWORD*>(data);
  } else {
    v.text = data;
  }
  return v;
}

bool KeyExists(HKEY root, const std::string& key, REGSAM view = 0) {
  fw::UniqueKey k;
  return ::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, k.put()) == ERROR_SUCCESS;
}

std::string ControlServerKey() { return std::string("CLSID\\") + zelbo::kCtrlClsidText + "\\InprocServer32"; }

// Where each registered gauge module lives, with the registry view it is
// registered in and the processor it is built for.
struct Module {
  std::string path;
  REGSAM view;
  WORD machine;
};

std::vector<Module> Modules(const std::string& dir) {
  if (kMachineIs64Bit) {
    return {{dir + "\\Zelbo.ocx", KEY_WOW64_64KEY, IMAGE_FILE_MACHINE_AMD64},
            {dir + "\\x86\\Zelbo.ocx", KEY_WOW64_32KEY, IMAGE_FILE_MACHINE_I386}};
  }
  return {{dir + "\\Zelbo.ocx", KEY_WOW64_32KEY, IMAGE_FILE_MACHINE_I386}};
}

// A command line run with every process it starts in one job, so that the
// end of all of them can be awaited (the uninstaller runs on as a copy of
// itself).
class ProcessTree {
 public:
  bool Start(const std::string& commandLine) {
    job_.reset(::CreateJobObjectA(nullptr, nullptr));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!job_ || !::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                                   &si, &pi)) {
      return false;
    }
    process_.reset(pi.hProcess);
    fw::UniqueKernelHandle thread(pi.hThread);
    ::AssignProcessToJobObject(job_.get(), pi.hProcess);
    ::ResumeThread(pi.hThread);
    return true;
  }
  // The first process's exit code once every process has ended, or -1.
  long Wait() const {
    if (!process_ || ::WaitForSingleObject(process_.get(), 120000) != WAIT_OBJECT_0) return -1;
    const bool allEnded = vantrel::e2e::WaitFor(
        [&] {
          JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
          return ::QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &info, sizeof info,
                                             nullptr) &&
                 info.ActiveProcesses == 0;
        },
        120000);
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return allEnded ? static_cast<long>(code) : -1;
  }

 private:
  fw::UniqueKernelHandle job_, process_;
};

long RunAndWaitForAll(const std::string& commandLine) {
  ProcessTree tree;
  return tree.Start(commandLine) ? tree.Wait() : -1;
}

// Runs a command line and returns its exit code, or -1. The installer starts
// the program it ended again, which runs on: only the installer is awaited.
long RunWait(const std::string& commandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = commandLine;
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  fw::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  if (::WaitForSingleObject(pi.hProcess, 120000) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(pi.hProcess, &code);
  return static_cast<long>(code);
}

// A dialog of the uninstaller's copy: a top-level dialog with a visible,
// enabled button whose text is the one asked for (any text when null).
HWND UninstallerDialog(int button, const char* text) {
  return fw::FindTopWindow([&](HWND w) {
    HWND b = ::GetDlgItem(w, button);
    return fw::ClassOf(w) == "#32770" && ::IsWindowVisible(w) && b && ::IsWindowVisible(b) && ::IsWindowEnabled(b) &&
           (!text || fw::WindowText(b) == text);
  });
}

// Presses a button of the uninstaller once it shows, as a click does.
bool Press(int button, const char* text = nullptr) {
  HWND dialog = nullptr;
  if (!vantrel::e2e::WaitFor([&] { return (dialog = UninstallerDialog(button, text)) != nullptr; }, 30000)) {
    return false;
  }
  return ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button))) != FALSE;
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}
std::string Installer() { return "\"" + Env("VT_SETUP") + "\""; }
std::string EarlierInstaller() { return "\"" + Env("VT_EARLIER_SETUP") + "\""; }

// The uninstall form that waits for the work and reports its result: the
// uninstaller copied out of the folder it removes, told that folder with _?=.
std::string WaitingUninstall(const std::string& dir) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string copy = std::string(temp) + "vantrel-uninstall.exe";
  if (!::CopyFileA((dir + "\\uninstall.exe").c_str(), copy.c_str(), FALSE)) return "";
  return "\"" + copy + "\" /S _?=" + dir;
}

const REGSAM kNativeView = kMachineIs64Bit ? KEY_WOW64_64KEY : 0;

// The installed program started with Windows, for everyone who logs on.
Value RunEntry() { return Read(HKEY_LOCAL_MACHINE, kRunKey, "Vantrel", kNativeView); }

// A visible main window of a program other than `pid`, or null.
HWND OtherMainWindow(DWORD pid) {
  return fw::FindTopWindow([&](HWND w) {
    return fw::ProcessOf(w) != pid && fw::WindowText(w) == vantrel::e2e::kMainTitle && ::IsWindowVisible(w);
  });
}

// The README's script example (docs/gauge-example.vbs, VT_GAUGE_EXAMPLE):
// the gauge by its ProgID, driven by name; its exit code is the position.
long GaugeFromScript(bool thirtyTwoBitHost) {
  const char* example = std::getenv("VT_GAUGE_EXAMPLE");
  if (!example) return -1;
  const std::string host = Folder(CSIDL_WINDOWS) + (thirtyTwoBitHost && kMachineIs64Bit ? "\\SysWOW64" : "\\System32");
  return RunAndWaitForAll("\"" + host + "\\cscript.exe\" //nologo \"" + example + "\"");
}

// Everything one installation of this build holds, as a silent install leaves it.
void ExpectInstalled(bool startsWithWindows, const std::string& dir = DefaultInstallDir()) {
  EXPECT_EQ(MachineOf(dir + "\\Vantrel.exe"), kMachineIs64Bit ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
  EXPECT_TRUE(Bytes(dir + "\\Vantrel.exe") == Bytes(fw::BinDir() + "\\Vantrel.exe"))
      << "the installed Vantrel.exe is not this build's: scripts/package.sh makes the installer again";
  EXPECT_TRUE(Exists(dir + "\\uninstall.exe"));
  for (const Module& m : Modules(dir)) {
    SCOPED_TRACE(m.path);
    EXPECT_EQ(MachineOf(m.path), m.machine);
    const Value server = Read(HKEY_CLASSES_ROOT, ControlServerKey(), nullptr, m.view);
    EXPECT_EQ(Lower(LongPath(server.text)), Lower(m.path));
  }
  EXPECT_TRUE(Bytes(dir + "\\Zelbo.ocx") == Bytes(fw::BinDir() + "\\Zelbo.ocx"))
      << "the installed Zelbo.ocx is not this build's: scripts/package.sh makes the installer again";
  if (kMachineIs64Bit) {
    EXPECT_TRUE(Bytes(dir + "\\x86\\Zelbo.ocx") == Bytes(fw::BinDir() + "\\..\\..\\win32\\bin\\Zelbo.ocx"));
  }
  // Hosts of each architecture create the gauge by its ProgID.
  EXPECT_EQ(GaugeFromScript(false), 150);
  if (kMachineIs64Bit) {
    EXPECT_EQ(GaugeFromScript(true), 150);
  }

  // The Start-menu shortcut starts the installed program.
  {
    fw::com::Ptr<IShellLinkA> link;
    ASSERT_EQ(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void()),
              S_OK);
    auto file = link.As<IPersistFile>(IID_IPersistFile);
    const std::string path = Shortcut();
    const std::wstring shortcut(path.begin(), path.end());
    ASSERT_EQ(file->Load(shortcut.c_str(), STGM_READ), S_OK);
    char target[MAX_PATH] = {};
    ASSERT_EQ(link->GetPath(target, MAX_PATH, nullptr, 0), S_OK);
    EXPECT_EQ(Lower(target), Lower(dir + "\\Vantrel.exe"));
  }

  // The installed-programs entry, in the machine's own registry view only.
  const REGSAM native = kNativeView;
  const struct {
    const char* name;
    std::string text;
  } entries[] = {{"DisplayName", "Vantrel"},
                 {"DisplayVersion", VT_VERSION_TEXT},
                 {"Publisher", "Quorvale"},
                 {"UninstallString", "\"" + dir + "\\uninstall.exe\""},
                 {"QuietUninstallString", "\"" + dir + "\\uninstall.exe\" /S"},
                 {"InstallLocation", dir}};
  for (const auto& e : entries) {
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kUninstallKey, e.name, native).text, e.text) << e.name;
  }
  const DWORD bytes = static_cast<DWORD>(Bytes(dir + "\\Vantrel.exe").size() + Bytes(dir + "\\Zelbo.ocx").size());
  EXPECT_GE(Read(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize", native).number, bytes / 1024);
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kUninstallKey, "VersionMajor", native).number, DWORD{VT_VERSION_MAJOR});
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kUninstallKey, "VersionMinor", native).number, DWORD{VT_VERSION_MINOR});
  if (kMachineIs64Bit) {
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_32KEY));
  }

  EXPECT_FALSE(Read(HKEY_CURRENT_USER, kRunKey, "Vantrel").found);
  const Value run = RunEntry();
  EXPECT_EQ(run.found, startsWithWindows);
  if (startsWithWindows) {
    EXPECT_EQ(run.text, "\"" + dir + "\\Vantrel.exe\"");
  }
}

// The registrations, shortcut and start-up entries of an installation are gone.
void ExpectUnregistered() {
  EXPECT_FALSE(Exists(Shortcut()));
  for (const Module& m : Modules(DefaultInstallDir())) {
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::string("CLSID\\") + zelbo::kCtrlClsidText, m.view));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, zelbo::kCtrlProgId, m.view));
  }
  EXPECT_FALSE(Read(HKEY_CURRENT_USER, kRunKey, "Vantrel").found);
  EXPECT_FALSE(RunEntry().found);
}

// Nothing of an installation is left; the settings only when kept.
void ExpectUninstalled(bool settingsKept, const std::string& dir = DefaultInstallDir()) {
  EXPECT_FALSE(Exists(dir));
  ExpectUnregistered();
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_32KEY));
  EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, vantrel::e2e::kSettingsKey), settingsKept);
  if (!settingsKept) {
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Quorvale"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Ostrel, Inc."));
  }
}

// Starts the installed program and waits for its window.
void StartInstalled(VantrelProcess& vantrel, const std::string& dir = DefaultInstallDir()) {
  ASSERT_TRUE(vantrel.Start("", dir + "\\Vantrel.exe"));
  ASSERT_NE(vantrel.WaitForWindow(vantrel::e2e::kMainTitle, 30000), nullptr);
}

TEST(Installer, InstallsRunsInstallsAgainAndUninstallsCleanly) {
  ASSERT_FALSE(Env("VT_SETUP").empty()) << "VT_SETUP names the installer";
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  ASSERT_FALSE(Exists(DefaultInstallDir())) << "the prefix must be fresh";

  // A silent install does not start the program with Windows.
  ASSERT_EQ(RunWait(Installer() + " /S"), 0);
  ExpectInstalled(false);
  {
    // Copies of the binaries it installed, whose signatures scripts/install_test.sh checks.
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string to = std::string(temp) + "vantrel-shipped\\";
    ::CreateDirectoryA(to.c_str(), nullptr);
    for (const char* file : {"uninstall.exe", "Vantrel.exe", "Zelbo.ocx"}) {
      EXPECT_TRUE(::CopyFileA((DefaultInstallDir() + "\\" + file).c_str(), (to + file).c_str(), FALSE)) << file;
    }
    if (kMachineIs64Bit) {
      EXPECT_TRUE(
          ::CopyFileA((DefaultInstallDir() + "\\x86\\Zelbo.ocx").c_str(), (to + "Zelbo-x86.ocx").c_str(), FALSE));
    }
  }
  {
    SCOPED_TRACE("installing again over the running program, which starts again");
    VantrelProcess vantrel;
    StartInstalled(vantrel);
    ASSERT_EQ(RunWait(Installer() + " /S /STARTWITHWINDOWS"), 0);
    EXPECT_EQ(vantrel.WaitForExit(0), 0);  // ended as its Escape key ends it
    EXPECT_TRUE(vantrel::e2e::WaitFor([&] { return OtherMainWindow(vantrel.Pid()) != nullptr; }, 30000));
  }
  ExpectInstalled(true);
  // The program saved its settings when it ended.
  ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, vantrel::e2e::kSettingsKey));

  {
    SCOPED_TRACE("uninstalling over the running program, answering No to keeping the settings");
    VantrelProcess vantrel;
    StartInstalled(vantrel);
    ProcessTree uninstall;
    ASSERT_TRUE(uninstall.Start("\"" + DefaultInstallDir() + "\\uninstall.exe\""));
    EXPECT_TRUE(Press(IDOK));  // the confirmation page's Uninstall
    EXPECT_TRUE(Press(IDNO));  // the question
    EXPECT_TRUE(Press(IDOK, "&Close"));
    EXPECT_EQ(uninstall.Wait(), 0);
    EXPECT_EQ(vantrel.WaitForExit(0), 0);
    // The one the second install started again has ended too.
    EXPECT_EQ(OtherMainWindow(vantrel.Pid()), nullptr);
  }
  ExpectUninstalled(false);

  {
    SCOPED_TRACE("a silent uninstall over the program with monitoring disabled, which keeps the settings");
    ASSERT_EQ(RunWait(Installer() + " /S"), 0);
    vantrel::e2e::PutDword("Settings", "DisableNotify", 1);
    VantrelProcess vantrel;
    StartInstalled(vantrel);
    // Disabled, the main window carries another title.
    ::PostMessageA(vantrel.WaitForWindow(vantrel::e2e::kMainTitle), WM_COMMAND, ID_TRAY_TOGGLE_ENABLE, 0);
    ASSERT_NE(vantrel.WaitForWindow("Computer Information - DISABLED"), nullptr);
    ASSERT_EQ(RunAndWaitForAll("\"" + DefaultInstallDir() + "\\uninstall.exe\" /S"), 0);
    EXPECT_EQ(vantrel.WaitForExit(0), 0);
  }
  ExpectUninstalled(true);
  ::CoUninitialize();
}

// Ends every running Vantrel as its Escape key does; how many there were, or
// -1 when one did not end.
int EndRunningPrograms() {
  int ended = 0;
  while (HWND main = OtherMainWindow(0)) {
    fw::UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, fw::ProcessOf(main)));
    ::PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    if (!process || ::WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) return -1;
    ++ended;
  }
  return ended;
}

// The files an installation folder holds, by name, folders marked with '\\'.
std::vector<std::string> FolderNames(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  fw::UniqueFind find(::FindFirstFileA((dir + "\\*").c_str(), &found));
  if (find.get() == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    names.push_back(Lower(name) + ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "\\" : ""));
  } while (::FindNextFileA(find.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Installer, UpgradesOverModulesInUseAndUninstallsWhatIsLeft) {
  ASSERT_FALSE(Env("VT_EARLIER_SETUP").empty()) << "VT_EARLIER_SETUP names an earlier installer";
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  const std::string dir = kChosenDir;
  const std::vector<std::string> layout =
      kMachineIs64Bit ? std::vector<std::string>{"uninstall.exe", "vantrel.exe", "x86\\", "zelbo.ocx"}
                      : std::vector<std::string>{"uninstall.exe", "vantrel.exe", "zelbo.ocx"};

  // The earlier build goes where /D= says, starting with Windows.
  ASSERT_EQ(RunWait(EarlierInstaller() + " /S /STARTWITHWINDOWS /D=" + dir), 0);
  ASSERT_FALSE(Bytes(dir + "\\Zelbo.ocx").empty());
  ASSERT_FALSE(Bytes(dir + "\\Zelbo.ocx") == Bytes(fw::BinDir() + "\\Zelbo.ocx"));
  EXPECT_FALSE(Exists(DefaultInstallDir()));
  {
    SCOPED_TRACE("a module that can be neither replaced nor renamed fails the upgrade");
    const HANDLE file =
        ::CreateFileA((dir + "\\Zelbo.ocx").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    fw::UniqueKernelHandle locked(file);
    EXPECT_EQ(RunWait(Installer() + " /S"), vantrel::setup::kExitFileInUse);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion", kNativeView).text, Env("VT_EARLIER_VERSION"));
  }
  {
    SCOPED_TRACE("a silent upgrade while a host holds the earlier module loaded and the program runs");
    fw::UniqueModule held(::LoadLibraryA((dir + "\\Zelbo.ocx").c_str()));
    ASSERT_TRUE(held);
    VantrelProcess vantrel;
    StartInstalled(vantrel, dir);
    // It goes where the installed copy is, whatever /D= says, and says that
    // a restart completes it.
    EXPECT_EQ(RunWait(Installer() + " /S /D=C:\\Elsewhere"), vantrel::setup::kExitRestartNeeded);
    EXPECT_EQ(vantrel.WaitForExit(0), 0);
    EXPECT_TRUE(vantrel::e2e::WaitFor([&] { return OtherMainWindow(vantrel.Pid()) != nullptr; }, 30000));
    EXPECT_FALSE(Exists("C:\\Elsewhere"));
    // Every new file is in place already, the start-up choice kept.
    ExpectInstalled(true, dir);
  }
  // An older version over a newer one is refused in silent mode.
  EXPECT_EQ(RunWait(EarlierInstaller() + " /S"), vantrel::setup::kExitNewerInstalled);
  // The restart takes away the old module that was moved aside.
  EXPECT_NE(FolderNames(dir), layout);
  ASSERT_EQ(RunWait("wineboot.exe -r"), 0);
  EXPECT_EQ(FolderNames(dir), layout);
  ExpectInstalled(true, dir);

  {
    SCOPED_TRACE("the waiting silent uninstall reports a failure: another setup runs");
    const std::string mutexName = std::string("Global\\") + vantrel::setup::kMutexName;
    fw::UniqueKernelHandle mutex(::CreateMutexA(nullptr, TRUE, mutexName.c_str()));
    ASSERT_TRUE(mutex);
    EXPECT_EQ(RunWait(WaitingUninstall(dir)), vantrel::setup::kExitAnotherSetup);
    EXPECT_EQ(FolderNames(dir), layout);
  }
  {
    SCOPED_TRACE("a module gone and the program file in use do not block the uninstall");
    // The program the upgrade started again holds the module: it ends first.
    ASSERT_GE(EndRunningPrograms(), 1);
    ASSERT_TRUE(::DeleteFileA((dir + "\\Zelbo.ocx").c_str()));
    const HANDLE file = ::CreateFileA((dir + "\\Vantrel.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    fw::UniqueKernelHandle inUse(file);
    EXPECT_EQ(RunWait(WaitingUninstall(dir)), vantrel::setup::kExitRestartNeeded);
    ExpectUnregistered();
    // The file in use and the entry stay until the restart (scripts/install_test.sh
    // restarts the prefix and finds nothing left).
    EXPECT_TRUE(Exists(dir + "\\Vantrel.exe"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey, kNativeView));
  }
  ::CoUninitialize();
}

}  // namespace
