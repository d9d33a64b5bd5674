// The module side of an in-process control server: the one module object, its
// static class factories, self-registration from a table of registry entries,
// the embedded type library and the module count behind DllCanUnloadNow.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "fw/com.h"
#include "fw/critical_section.h"
#include "fw/ole/reg_entries.h"

namespace fw::ole {

class COleControlModule;

// A class factory with static lifetime. References held by clients count in
// the module count, as do server locks, so the module stays loaded for them.
// Clients in several apartments share it: its count is atomic.
class COleObjectFactory final : public IClassFactory {
 public:
  using CreateFn = HRESULT (*)(REFIID iid, void** out);
  using EntriesFn = std::vector<RegEntry> (*)(const COleControlModule& module);

  // progId: the key that unregistering removes besides the class key (may be null).
  COleObjectFactory(const CLSID& clsid, const char* progId, CreateFn create, EntriesFn entries) noexcept;
  COleObjectFactory(const COleObjectFactory&) = delete;
  COleObjectFactory& operator=(const COleObjectFactory&) = delete;

  const CLSID& Clsid() const { return clsid_; }
  // Writes (true) or removes (false) this class's registry entries.
  bool UpdateRegistry(const COleControlModule& module, bool registering) const;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  CLSID clsid_;
  const char* progId_;
  CreateFn create_;
  EntriesFn entries_;
  std::atomic<long> refs_{0};
};

class COleControlModule {
 public:
  COleControlModule() noexcept;
  virtual ~COleControlModule();
  COleControlModule(const COleControlModule&) = delete;
  COleControlModule& operator=(const COleControlModule&) = delete;

  // The module object of this DLL.
  static COleControlModule& Instance();

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }

  // The DLL entry point's work.
  BOOL OnDllMain(HINSTANCE instance, DWORD reason, void* reserved);

  HINSTANCE Handle() const { return instance_; }
  std::string ModulePath() const;
  // The 8.3 form of ModulePath(), which the class registration records.
  std::string ShortModulePath() const;
  // A string resource of the module; empty when missing.
  std::string LoadString(UINT id) const;

  void AddFactory(const COleObjectFactory* factory) { factories_.push_back(factory); }

  // The type library embedded as resource TYPELIB 1, loaded once per module
  // (until the module may unload) whichever apartment asks first.
  HRESULT TypeLib(ITypeLib** out);

  // The four exports.
  HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);
  HRESULT CanUnloadNow();
  HRESULT RegisterServer();
  HRESULT UnregisterServer();

  // A window class for controls' windows, registered on first use (from any
  // apartment) and removed before the module can unload.
  const char* ControlWindowClass(WNDPROC proc);

  // Library identity for (un)registering the type library.
  void SetTypeLibId(const GUID& libId, WORD major, WORD minor, LCID lcid);

 private:
  void ReleaseCaches();
  HRESULT UnregisterTypeLib();

  HINSTANCE instance_ = nullptr;
  std::vector<const COleObjectFactory*> factories_;
  // Guards the two caches below: controls in several apartments fill them.
  CriticalSection cacheLock_;
  com::Ptr<ITypeLib> typeLib_;
  bool windowClass_ = false;
  GUID libId_{};
  WORD libMajor_ = 1, libMinor_ = 0;
  LCID libLcid_ = 0;
};

// Registry helpers, keys below HKEY_CLASSES_ROOT.
bool WriteRegEntries(const std::vector<RegEntry>& entries);
bool DeleteClassKeys(const std::string& clsid, const std::string& progId);
std::string GuidText(const GUID& g);

}  // namespace fw::ole
