#include "fw/ole/ole_module.h"

#include <olectl.h>

#include <cstdio>

#include "fw/handle.h"
#include "fw/ole/wide_text.h"
#include "fw/ole/com_guard.h"

namespace fw::ole {
namespace {

COleControlModule* g_module = nullptr;
constexpr char kWindowClass[] = "fwOleControlWindow";

// The platform a registered type library is filed under: a 64-bit module's
// library lives beside the 32-bit one, under its own key.
struct LibPlatform {
  SYSKIND kind;
  const char* key;
};
#ifdef _WIN64
constexpr LibPlatform kLibPlatform{SYS_WIN64, "win64"};
#else
constexpr LibPlatform kLibPlatform{SYS_WIN32, "win32"};
#endif

bool KeyExists(const std::string& key) {
  UniqueKey k;
  return ::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, k.put()) == ERROR_SUCCESS;
}

// Decrements n unless it is already zero: the new value, or -1 when n was zero.
long DecrementAboveZero(std::atomic<long>& n) {
  long v = n.load();
  do {
    if (v == 0) return -1;
  } while (!n.compare_exchange_weak(v, v - 1));
  return v - 1;
}

// Server locks of the module, whichever factory took them.
std::atomic<long>& ServerLocks() {
  static std::atomic<long> locks{0};
  return locks;
}

}  // namespace

std::string GuidText(const GUID& g) {
  wchar_t w[40] = {};
  ::StringFromGUID2(g, w, 40);
  char a[40] = {};
  ::WideCharToMultiByte(CP_ACP, 0, w, -1, a, sizeof a, nullptr, nullptr);
  return a;
}

bool WriteRegEntries(const std::vector<RegEntry>& entries) {
  for (const RegEntry& e : entries) {
    UniqueKey key;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, e.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS)
      return false;
    if (::RegSetValueExA(key.get(), e.name.empty() ? nullptr : e.name.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(e.value.c_str()),
                         static_cast<DWORD>(e.value.size() + 1)) != ERROR_SUCCESS)
      return false;
  }
  return true;
}

bool DeleteClassKeys(const std::string& clsid, const std::string& progId) {
  const bool has16 = KeyExists("CLSID\\" + clsid + "\\InprocServer");
  bool ok = true;
  for (const std::string& key : KeysToDelete(clsid, progId, has16)) {
    const LSTATUS rc = ::RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) {
      // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
      const LSTATUS del = ::RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
      if (del != ERROR_SUCCESS && del != ERROR_FILE_NOT_FOUND) ok = false;
    } else {
      ok = false;
    }
  }
  return ok;
}

// ---- class factory ----

COleObjectFactory::COleObjectFactory(const CLSID& clsid, const char* progId, CreateFn create,
                                     EntriesFn entries) noexcept
    : clsid_(clsid), progId_(progId), create_(create), entries_(entries) {
  COleControlModule::Instance().AddFactory(this);
}

bool COleObjectFactory::UpdateRegistry(const COleControlModule& module, bool registering) const {
  if (registering) return WriteRegEntries(entries_(module));
  return DeleteClassKeys(GuidText(clsid_), progId_ ? progId_ : "");
}

STDMETHODIMP COleObjectFactory::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
  *out = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) COleObjectFactory::AddRef() {
  const long n = ++refs_;
  if (n == 1) com::ModuleLock();
  return static_cast<ULONG>(n);
}

STDMETHODIMP_(ULONG) COleObjectFactory::Release() {
  // An unbalanced release must not unbalance the module count.
  const long n = DecrementAboveZero(refs_);
  if (n < 0) return 0;
  if (n == 0) com::ModuleUnlock();
  return static_cast<ULONG>(n);
}

STDMETHODIMP COleObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return Guarded([&] { return create_(iid, out); });
}

STDMETHODIMP COleObjectFactory::LockServer(BOOL lock) {
  if (lock) {
    ++ServerLocks();
    com::ModuleLock();
  } else if (DecrementAboveZero(ServerLocks()) >= 0) {
    // An unlock without its lock is ignored: it would otherwise count
    // against the live objects and let the module unload under them.
    com::ModuleUnlock();
  }
  return S_OK;
}

// ---- module ----

COleControlModule::COleControlModule() noexcept { g_module = this; }

COleControlModule::~COleControlModule() {
  if (g_module == this) g_module = nullptr;
}

COleControlModule& COleControlModule::Instance() { return *g_module; }

BOOL COleControlModule::OnDllMain(HINSTANCE instance, DWORD reason, void* reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      instance_ = instance;
      ::DisableThreadLibraryCalls(instance);
      return InitInstance();
    case DLL_PROCESS_DETACH:
      ExitInstance();
      // At process exit other modules may already be gone: leave them alone.
      if (!reserved)
        ReleaseCaches();
      else
        typeLib_.detach();
      return TRUE;
    default:
      return TRUE;
  }
}

std::string COleControlModule::ModulePath() const {
  char path[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameA(instance_, path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : 0);
}

std::string COleControlModule::ShortModulePath() const {
  const std::string full = ModulePath();
  char path[MAX_PATH] = {};
  const DWORD n = ::GetShortPathNameA(full.c_str(), path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(path, n) : full;
}

std::string COleControlModule::LoadString(UINT id) const {
  char text[256] = {};
  const int n = ::LoadStringA(instance_, id, text, sizeof text);
  return std::string(text, n > 0 ? n : 0);
}

HRESULT COleControlModule::TypeLib(ITypeLib** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guarded([&]() -> HRESULT {
    std::lock_guard<CriticalSection> hold(cacheLock_);
    if (!typeLib_) {
      const HRESULT hr = ::LoadTypeLibEx(WideText(ModulePath().c_str()).get(), REGKIND_NONE, typeLib_.put());
      if (FAILED(hr)) return hr;
    }
    *out = typeLib_.get();
    (*out)->AddRef();
    return S_OK;
  });
}

void COleControlModule::SetTypeLibId(const GUID& libId, WORD major, WORD minor, LCID lcid) {
  libId_ = libId;
  libMajor_ = major;
  libMinor_ = minor;
  libLcid_ = lcid;
}

HRESULT COleControlModule::GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const COleObjectFactory* f : factories_)
    if (IsEqualCLSID(clsid, f->Clsid())) return const_cast<COleObjectFactory*>(f)->QueryInterface(iid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT COleControlModule::CanUnloadNow() {
  if (com::ModuleCount() != 0) return S_FALSE;
  ReleaseCaches();
  return S_OK;
}

void COleControlModule::ReleaseCaches() {
  std::lock_guard<CriticalSection> hold(cacheLock_);
  typeLib_.reset();
  if (windowClass_ && ::UnregisterClassA(kWindowClass, instance_)) windowClass_ = false;
}

const char* COleControlModule::ControlWindowClass(WNDPROC proc) {
  std::lock_guard<CriticalSection> hold(cacheLock_);
  if (!windowClass_) {
    WNDCLASSA wc{};
    // A control draws to its edges (bevels, a centred caption): a new size
    // repaints all of it, not only the uncovered strip.
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance_;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    windowClass_ = ::RegisterClassA(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }
  return kWindowClass;
}

namespace {

// Registers the library embedded in the module at path, under that path.
HRESULT RegisterEmbeddedLib(BSTR path) {
  com::Ptr<ITypeLib> lib;
  HRESULT hr = ::LoadTypeLibEx(path, REGKIND_NONE, lib.put());
  if (SUCCEEDED(hr)) hr = ::RegisterTypeLib(lib.get(), path, nullptr);
  return hr;
}

}  // namespace

HRESULT COleControlModule::RegisterServer() {
  return Guarded([&]() -> HRESULT {
    if (FAILED(RegisterEmbeddedLib(WideText(ModulePath().c_str()).get()))) return SELFREG_E_TYPELIB;
    for (const COleObjectFactory* f : factories_)
      if (!f->UpdateRegistry(*this, true)) return SELFREG_E_CLASS;
    return S_OK;
  });
}

HRESULT COleControlModule::UnregisterTypeLib() {
  const std::string libKey = "TypeLib\\" + GuidText(libId_);
  char tail[48] = {};
  std::snprintf(tail, sizeof tail, "\\%x.%x\\%lx\\%s", static_cast<unsigned>(libMajor_),
                static_cast<unsigned>(libMinor_), static_cast<unsigned long>(libLcid_), kLibPlatform.key);
  if (FAILED(::UnRegisterTypeLib(libId_, libMajor_, libMinor_, libLcid_, kLibPlatform.kind))) {
    // Nothing registered (any more) is already unregistered.
    if (!KeyExists(libKey + tail)) return S_OK;
    // The platform reads the registered file to learn the library's
    // interfaces; when that file has moved or gone, point the registration
    // at this module, whose library has the same identity, and remove it
    // from here.
    if (FAILED(RegisterEmbeddedLib(WideText(ModulePath().c_str()).get())) ||
        FAILED(::UnRegisterTypeLib(libId_, libMajor_, libMinor_, libLcid_, kLibPlatform.kind)))
      return SELFREG_E_TYPELIB;
  }
  // The library's own key goes once no other version is left in it (a key
  // with subkeys is not deleted).
  ::RegDeleteKeyA(HKEY_CLASSES_ROOT, libKey.c_str());
  return S_OK;
}

HRESULT COleControlModule::UnregisterServer() {
  return Guarded([&]() -> HRESULT {
    const HRESULT hr = UnregisterTypeLib();
    if (FAILED(hr)) return hr;
    for (const COleObjectFactory* f : factories_)
      if (!f->UpdateRegistry(*this, false)) return SELFREG_E_CLASS;
    return S_OK;
  });
}

}  // namespace fw::ole
