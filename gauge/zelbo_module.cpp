#include "gauge/zelbo_module.h"

#include <olectl.h>

#include "gauge/zelbo_ctrl.h"
#include "gauge/zelbo_ids.h"
#include "gauge/zelbo_proppage.h"
#include "gauge/zelbo_res.h"

// The module object comes first: the factories below enrol with it.
static CZelboModule theModule;

static fw::ole::COleObjectFactory ctrlFactory(zelbo::ToGuid(zelbo::kCtrlClsid), zelbo::kCtrlProgId, &CZelboCtrl::Create,
                                              &ZelboCtrlEntries);
// The page's factory records no programmatic identifier in the registry.
static fw::ole::COleObjectFactory pageFactory(zelbo::ToGuid(zelbo::kPageClsid), nullptr, &CZelboPropPage::Create,
                                              &ZelboPageEntries);

CZelboModule::CZelboModule() {
  SetTypeLibId(zelbo::ToGuid(zelbo::kLibId), zelbo::kLibMajor, zelbo::kLibMinor, zelbo::kLibLcid);
}

std::vector<fw::ole::RegEntry> ZelboCtrlEntries(const fw::ole::COleControlModule& module) {
  fw::ole::ControlClassInfo c;
  c.clsid = zelbo::kCtrlClsidText;
  c.progId = zelbo::kCtrlProgId;
  c.typeName = module.LoadString(IDS_ZELBO);
  c.modulePath = module.ShortModulePath();
  c.toolboxBitmapId = IDB_ZELBO;
  c.miscStatus = kZelboMiscStatus;
  c.libId = zelbo::kLibIdText;
  c.version = std::to_string(zelbo::kLibMajor) + "." + std::to_string(zelbo::kLibMinor);
  return fw::ole::ControlEntries(c);
}

std::vector<fw::ole::RegEntry> ZelboPageEntries(const fw::ole::COleControlModule& module) {
  return fw::ole::PageEntries({zelbo::kPageClsidText, module.LoadString(IDS_ZELBO_PPG), module.ShortModulePath()});
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  return theModule.OnDllMain(instance, reason, reserved);
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) { return theModule.GetClassObject(clsid, iid, out); }

STDAPI DllCanUnloadNow() { return theModule.CanUnloadNow(); }

STDAPI DllRegisterServer() { return theModule.RegisterServer(); }

STDAPI DllUnregisterServer() { return theModule.UnregisterServer(); }
