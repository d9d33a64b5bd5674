// Registration of Zelbo.ocx, by regsvr32 and by its exports, its type library,
// the interfaces of a gauge created by class and by ProgID, and the module's
// own manifest, which serves a host with nothing registered.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fw/com.h"
#include "fw/bin_dir.h"
#include "fw/handle.h"
#include "fw/occ/module_manifest.h"
#include "gauge/zelbo_ctrl.h"
#include "gauge/zelbo_ids.h"
#include "gauge/zelbo_test_support.h"

namespace zelbo_test {
namespace {

// A module registers its type library under the platform it was built for.
#ifdef _WIN64
const std::string kLibPlatformKey = "win64";
constexpr SYSKIND kLibSysKind = SYS_WIN64;
#else
const std::string kLibPlatformKey = "win32";
constexpr SYSKIND kLibSysKind = SYS_WIN32;
#endif

std::string ShortOcxPath() {
  char s[MAX_PATH] = {};
  ::GetShortPathNameA(OcxPath().c_str(), s, MAX_PATH);
  return s;
}

int Regsvr32(bool unregister) {
  return RunProcess(std::string("regsvr32 /s ") + (unregister ? "/u " : "") + "\"" + OcxPath() + "\"");
}

// Every (key, value name, value) below HKCR\root, recursively.
void Collect(const std::string& root, std::set<std::tuple<std::string, std::string, std::string>>& out) {
  fw::UniqueKey key;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, root.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  DWORD values = 0;
  for (DWORD i = 0;; ++i, ++values) {
    char name[256];
    BYTE data[1024];
    DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
    if (::RegEnumValueA(key.get(), i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << root << " " << name;
    out.insert({root, name, std::string(reinterpret_cast<char*>(data))});
  }
  std::vector<std::string> subkeys;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD len = sizeof name;
    if (::RegEnumKeyExA(key.get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subkeys.push_back(name);
  }
  // A key without any value still counts.
  if (values == 0) out.insert({root, "<no value>", ""});
  for (const auto& s : subkeys) Collect(root + "\\" + s, out);
}

bool KeyExists(const std::string& k) {
  fw::UniqueKey key;
  return ::RegOpenKeyExA(HKEY_CLASSES_ROOT, k.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

// An event sink: only IDispatch, which no member of the empty event
// interface ever calls.
class EventSink final : public fw::com::Object<EventSink, IDispatch> {
 public:
  void* Find(REFIID iid) noexcept {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ? static_cast<IDispatch*>(this) : nullptr;
  }
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    ADD_FAILURE() << "the gauge fires no events";
    return E_NOTIMPL;
  }
};

// ---- registration ----

TEST(Registration, Regsvr32WritesExactlyTheEntriesAndRemovesThem) {
  ASSERT_EQ(Regsvr32(false), 0);
  ASSERT_EQ(Regsvr32(false), 0);  // twice: the same entries
  std::set<std::tuple<std::string, std::string, std::string>> found, expected;
  Collect(zelbo::kCtrlProgId, found);
  Collect(std::string("CLSID\\") + zelbo::kCtrlClsidText, found);
  Collect(std::string("CLSID\\") + zelbo::kPageClsidText, found);
  // Written out in full: a wrong entry in the module's table must not pass.
  const std::string ctl = std::string("CLSID\\") + zelbo::kCtrlClsidText;
  const std::string page = std::string("CLSID\\") + zelbo::kPageClsidText;
  const std::string path = ShortOcxPath();
  expected = {
      {"ZELBO.ZelboCtrl.1", "", "Zelbo Control"},
      {"ZELBO.ZelboCtrl.1\\CLSID", "", zelbo::kCtrlClsidText},
      {ctl, "", "Zelbo Control"},
      {ctl + "\\ProgID", "", "ZELBO.ZelboCtrl.1"},
      {ctl + "\\InprocServer32", "", path},
      {ctl + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {ctl + "\\ToolboxBitmap32", "", path + ", 1"},
      {ctl + "\\MiscStatus", "", "0"},
      {ctl + "\\MiscStatus\\1", "", "131473"},
      {ctl + "\\Control", "", ""},
      {ctl + "\\TypeLib", "", zelbo::kLibIdText},
      {ctl + "\\Version", "", "1.0"},
      {page, "", "Zelbo Property Page"},
      {page + "\\InprocServer32", "", path},
  };
  EXPECT_EQ(found, expected);
  EXPECT_FALSE(KeyExists(zelbo::kPageProgId));
  EXPECT_TRUE(KeyExists(std::string("TypeLib\\") + zelbo::kLibIdText + "\\1.0\\409\\" + kLibPlatformKey));

  ASSERT_EQ(Regsvr32(true), 0);
  EXPECT_FALSE(KeyExists(zelbo::kCtrlProgId));
  EXPECT_FALSE(KeyExists(std::string("CLSID\\") + zelbo::kCtrlClsidText));
  EXPECT_FALSE(KeyExists(std::string("CLSID\\") + zelbo::kPageClsidText));
  EXPECT_FALSE(KeyExists(std::string("TypeLib\\") + zelbo::kLibIdText + "\\1.0"));
  EXPECT_EQ(Regsvr32(true), 0);  // nothing left to remove is no failure
}

TEST(Registration, A16BitServerKeepsTheClassKey) {
  Module m;
  ASSERT_EQ(m.Register(), S_OK);
  const std::string cls = std::string("CLSID\\") + zelbo::kCtrlClsidText;
  fw::UniqueKey k;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, (cls + "\\InprocServer").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              k.put(), nullptr),
            ERROR_SUCCESS);
  k.reset();
  EXPECT_EQ(m.Unregister(), S_OK);
  EXPECT_TRUE(KeyExists(cls + "\\InprocServer"));
  EXPECT_TRUE(KeyExists(cls + "\\ProgID"));
  EXPECT_FALSE(KeyExists(cls + "\\InprocServer32"));
  EXPECT_FALSE(KeyExists(cls + "\\ToolboxBitmap32"));
  EXPECT_TRUE(KeyExists(zelbo::kCtrlProgId));
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, cls.c_str());
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, zelbo::kCtrlProgId);
}

// The registered library file may have moved or gone since: unregistering
// still removes the library's registration.
TEST(Registration, UnregisterRemovesALibraryWhoseFileIsGone) {
  Module m;
  ASSERT_EQ(m.Register(), S_OK);
  const std::string lib = std::string("TypeLib\\") + zelbo::kLibIdText;
  const std::string disp = std::string("Interface\\") + zelbo::kDispIidText;
  ASSERT_TRUE(KeyExists(disp));
  fw::UniqueKey k;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CLASSES_ROOT, (lib + "\\1.0\\409\\" + kLibPlatformKey).c_str(), 0, KEY_WRITE, k.put()),
            ERROR_SUCCESS);
  const char gone[] = "C:\\no such folder\\Zelbo.ocx";
  ASSERT_EQ(::RegSetValueExA(k.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(gone), sizeof gone),
            ERROR_SUCCESS);
  k.reset();
  EXPECT_EQ(m.Unregister(), S_OK);
  EXPECT_FALSE(KeyExists(lib));
  EXPECT_FALSE(KeyExists(disp));
  EXPECT_FALSE(KeyExists(std::string("CLSID\\") + zelbo::kCtrlClsidText));
  EXPECT_EQ(m.Unregister(), S_OK);  // and again: nothing registered is no failure
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, lib.c_str());
  ::RegDeleteKeyA(HKEY_CLASSES_ROOT, lib.c_str());
}

// ---- type library ----

std::wstring Name(ITypeInfo* ti, MEMBERID id) {
  BSTR name = nullptr;
  EXPECT_EQ(ti->GetDocumentation(id, &name, nullptr, nullptr, nullptr), S_OK);
  fw::UniqueBstr owner(name);
  return name ? name : L"";
}
std::wstring Doc(ITypeInfo* ti) {
  BSTR doc = nullptr;
  EXPECT_EQ(ti->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr), S_OK);
  fw::UniqueBstr owner(doc);
  return doc ? doc : L"";
}

// The automation type a member's parameter or result should carry.
void ExpectType(ITypeInfo* ti, const TYPEDESC& td, zelbo::ArgType t) {
  switch (t) {
    case zelbo::ArgType::None:
      EXPECT_EQ(td.vt, VT_VOID);
      break;
    case zelbo::ArgType::Bool:
      EXPECT_EQ(td.vt, VT_BOOL);
      break;
    case zelbo::ArgType::I2:
      EXPECT_EQ(td.vt, VT_I2);
      break;
    case zelbo::ArgType::OleColor: {
      ASSERT_EQ(td.vt, VT_USERDEFINED);
      Ptr<ITypeInfo> alias;
      ASSERT_EQ(ti->GetRefTypeInfo(td.hreftype, alias.put()), S_OK);
      TYPEATTR* ta = nullptr;
      ASSERT_EQ(alias->GetTypeAttr(&ta), S_OK);
      EXPECT_EQ(ta->typekind, TKIND_ALIAS);
      EXPECT_EQ(ta->tdescAlias.vt, VT_UI4);
      wchar_t guid[40];
      ::StringFromGUID2(ta->guid, guid, 40);
      EXPECT_STREQ(guid, L"{66504301-BE0F-101A-8BBB-00AA00300CAB}");
      alias->ReleaseTypeAttr(ta);
      EXPECT_EQ(Name(alias.get(), MEMBERID_NIL), L"OLE_COLOR");
      break;
    }
  }
}

TEST_F(Registered, TypeLibraryDescribesTheControl) {
  Ptr<ITypeLib> lib;
  ASSERT_EQ(::LoadRegTypeLib(kLibId, 1, 0, 0x0409, lib.put()), S_OK);
  TLIBATTR* la = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&la), S_OK);
  EXPECT_EQ(la->wMajorVerNum, 1);
  EXPECT_EQ(la->wMinorVerNum, 0);
  EXPECT_EQ(la->lcid, 0x0409u);
  EXPECT_EQ(la->syskind, kLibSysKind);
  EXPECT_TRUE(la->wLibFlags & LIBFLAG_FCONTROL);
  lib->ReleaseTLibAttr(la);
  BSTR name = nullptr, doc = nullptr, help = nullptr;
  DWORD ctx = 99;
  ASSERT_EQ(lib->GetDocumentation(-1, &name, &doc, &ctx, &help), S_OK);
  fw::UniqueBstr n(name), d(doc), h(help);
  EXPECT_STREQ(name, L"ZELBOLib");
  EXPECT_STREQ(doc, L"Zelbo ActiveX Control module");
  EXPECT_EQ(ctx, 0u);
  ASSERT_TRUE(help);
  EXPECT_NE(std::wstring(help).find(L"Zelbo.hlp"), std::wstring::npos);

  Ptr<ITypeInfo> disp;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(kDispIid, disp.put()), S_OK);
  EXPECT_EQ(Name(disp.get(), MEMBERID_NIL), L"_DZelbo");
  EXPECT_EQ(Doc(disp.get()), L"Dispatch interface for Zelbo Control");
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(disp->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_DISPATCH);
  EXPECT_EQ(ta->wTypeFlags, TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE);
  const int vars = ta->cVars, funcs = ta->cFuncs;
  disp->ReleaseTypeAttr(ta);
  std::map<MEMBERID, std::wstring> seen;
  for (int i = 0; i < vars; ++i) {
    VARDESC* vd = nullptr;
    ASSERT_EQ(disp->GetVarDesc(i, &vd), S_OK);
    const zelbo::Member* m = zelbo::FindMember(vd->memid);
    ASSERT_TRUE(m) << vd->memid;
    EXPECT_TRUE(m->isProperty);
    EXPECT_EQ(vd->varkind, VAR_DISPATCH);
    ExpectType(disp.get(), vd->elemdescVar.tdesc, m->result);
    seen[vd->memid] = Name(disp.get(), vd->memid);
    disp->ReleaseVarDesc(vd);
  }
  for (int i = 0; i < funcs; ++i) {
    FUNCDESC* fd = nullptr;
    ASSERT_EQ(disp->GetFuncDesc(i, &fd), S_OK);
    const zelbo::Member* m = zelbo::FindMember(fd->memid);
    ASSERT_TRUE(m) << fd->memid;
    SCOPED_TRACE(m->name);
    EXPECT_FALSE(m->isProperty);
    EXPECT_EQ(fd->invkind, INVOKE_FUNC);
    EXPECT_EQ(fd->funckind, FUNC_DISPATCH);
    ASSERT_EQ(fd->cParams, m->paramCount);
    ExpectType(disp.get(), fd->elemdescFunc.tdesc, m->result);
    BSTR names[3] = {};
    UINT got = 0;
    ASSERT_EQ(disp->GetNames(fd->memid, names, 3, &got), S_OK);
    EXPECT_EQ(got, static_cast<UINT>(1 + m->paramCount));
    for (int p = 0; p < m->paramCount; ++p) {
      ExpectType(disp.get(), fd->lprgelemdescParam[p].tdesc, m->paramTypes[p]);
      EXPECT_EQ(fd->lprgelemdescParam[p].paramdesc.wParamFlags, 0);
      EXPECT_EQ(names[p + 1], W(m->paramNames[p]));
    }
    for (BSTR b : names) ::SysFreeString(b);
    seen[fd->memid] = Name(disp.get(), fd->memid);
    disp->ReleaseFuncDesc(fd);
  }
  ASSERT_EQ(seen.size(), std::size(zelbo::kMembers));
  for (const auto& m : zelbo::kMembers) EXPECT_EQ(seen[m.dispid], W(m.name));

  Ptr<ITypeInfo> events;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(kEventsIid, events.put()), S_OK);
  EXPECT_EQ(Name(events.get(), MEMBERID_NIL), L"_DZelboEvents");
  EXPECT_EQ(Doc(events.get()), L"Event interface for Zelbo Control");
  ASSERT_EQ(events->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_DISPATCH);
  EXPECT_EQ(ta->wTypeFlags, TYPEFLAG_FDISPATCHABLE);
  EXPECT_EQ(ta->cFuncs + ta->cVars, 0);
  events->ReleaseTypeAttr(ta);

  Ptr<ITypeInfo> coclass;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(kClsid, coclass.put()), S_OK);
  EXPECT_EQ(Name(coclass.get(), MEMBERID_NIL), L"Zelbo");
  EXPECT_EQ(Doc(coclass.get()), L"Zelbo Control");
  ASSERT_EQ(coclass->GetTypeAttr(&ta), S_OK);
  EXPECT_EQ(ta->typekind, TKIND_COCLASS);
  EXPECT_EQ(ta->wTypeFlags, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL);
  ASSERT_EQ(ta->cImplTypes, 2);
  coclass->ReleaseTypeAttr(ta);
  const std::pair<IID, INT> impls[] = {{kDispIid, IMPLTYPEFLAG_FDEFAULT},
                                       {kEventsIid, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}};
  for (UINT i = 0; i < 2; ++i) {
    INT flags = -1;
    HREFTYPE ref = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
    EXPECT_EQ(flags, impls[i].second);
    ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &ref), S_OK);
    Ptr<ITypeInfo> iface;
    ASSERT_EQ(coclass->GetRefTypeInfo(ref, iface.put()), S_OK);
    ASSERT_EQ(iface->GetTypeAttr(&ta), S_OK);
    EXPECT_TRUE(IsEqualGUID(ta->guid, impls[i].first));
    iface->ReleaseTypeAttr(ta);
  }
}

// ---- creation and interfaces ----

TEST_F(Registered, CreatedByClassAndByProgIdWithEveryInterface) {
  CLSID byName{};
  ASSERT_EQ(::CLSIDFromProgID(L"ZELBO.ZelboCtrl.1", &byName), S_OK);
  EXPECT_TRUE(IsEqualCLSID(byName, kClsid));

  Ptr<IUnknown> unk;
  ASSERT_EQ(::CoCreateInstance(byName, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, unk.put_void()), S_OK);
  const IID supported[] = {IID_IUnknown,
                           IID_IDispatch,
                           kDispIid,
                           IID_IOleObject,
                           IID_IOleWindow,
                           IID_IOleInPlaceObject,
                           IID_IOleInPlaceActiveObject,
                           IID_IOleControl,
                           IID_IViewObject,
                           IID_IViewObject2,
                           IID_IPersist,
                           IID_IPersistStreamInit,
                           IID_IPersistPropertyBag,
                           IID_IProvideClassInfo,
                           IID_IProvideClassInfo2,
                           IID_ISpecifyPropertyPages,
                           IID_IConnectionPointContainer};
  for (const IID& iid : supported) {
    void* p = kPoisonPtr;
    ASSERT_EQ(unk->QueryInterface(iid, &p), S_OK);
    ASSERT_NE(p, nullptr);
    // Every interface leads back to the same identity.
    IUnknown* back = nullptr;
    ASSERT_EQ(static_cast<IUnknown*>(p)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&back)), S_OK);
    EXPECT_EQ(back, unk.get());
    back->Release();
    static_cast<IUnknown*>(p)->Release();
  }
  const IID unsupported[] = {IID_IPersistStorage, IID_IDataObject,    IID_IOleInPlaceObjectWindowless,
                             IID_IQuickActivate,  IID_IPersistStream, IID_IClassFactory};
  for (const IID& iid : unsupported) {
    void* p = kPoisonPtr;
    EXPECT_EQ(unk->QueryInterface(iid, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
  }
  EXPECT_EQ(unk->QueryInterface(IID_IOleObject, nullptr), E_POINTER);

  IUnknown* agg = static_cast<IUnknown*>(kPoisonPtr);
  EXPECT_EQ(::CoCreateInstance(kClsid, unk.get(), CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&agg)),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(agg, nullptr);
  EXPECT_EQ(unk.detach()->Release(), 0u);
}

TEST_F(Registered, ClassInfoPagesAndConnectionPoint) {
  Ptr<IDispatch> d = Create();
  auto info = d.As<IProvideClassInfo2>(IID_IProvideClassInfo2);
  ASSERT_TRUE(info);
  Ptr<ITypeInfo> ti;
  ASSERT_EQ(info->GetClassInfo(ti.put()), S_OK);
  TYPEATTR* ta = nullptr;
  ASSERT_EQ(ti->GetTypeAttr(&ta), S_OK);
  EXPECT_TRUE(IsEqualGUID(ta->guid, kClsid));
  ti->ReleaseTypeAttr(ta);
  GUID g = GUID_NULL;
  EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &g), S_OK);
  EXPECT_TRUE(IsEqualGUID(g, kEventsIid));
  EXPECT_EQ(info->GetGUID(2, &g), E_INVALIDARG);

  auto pages = d.As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
  CAUUID ca{99, static_cast<GUID*>(kPoisonPtr)};
  ASSERT_EQ(pages->GetPages(&ca), S_OK);
  ASSERT_EQ(ca.cElems, 1u);
  EXPECT_TRUE(IsEqualCLSID(ca.pElems[0], kPageClsid));
  ::CoTaskMemFree(ca.pElems);

  auto cpc = d.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
  Ptr<IConnectionPoint> cp;
  IConnectionPoint* none = static_cast<IConnectionPoint*>(kPoisonPtr);
  EXPECT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, &none), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(none, nullptr);
  ASSERT_EQ(cpc->FindConnectionPoint(kEventsIid, cp.put()), S_OK);
  IID iid = IID_NULL;
  EXPECT_EQ(cp->GetConnectionInterface(&iid), S_OK);
  EXPECT_TRUE(IsEqualIID(iid, kEventsIid));
  Ptr<IConnectionPointContainer> back;
  ASSERT_EQ(cp->GetConnectionPointContainer(back.put()), S_OK);
  EXPECT_EQ(back.get(), cpc.get());
  auto sink = fw::com::Make<EventSink>();
  DWORD cookie = 0;
  ASSERT_EQ(cp->Advise(static_cast<IDispatch*>(sink.get()), &cookie), S_OK);
  EXPECT_NE(cookie, 0u);
  Ptr<IEnumConnections> conns;
  ASSERT_EQ(cp->EnumConnections(conns.put()), S_OK);
  CONNECTDATA cd[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(conns->Next(2, cd, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  EXPECT_EQ(cd[0].dwCookie, cookie);
  cd[0].pUnk->Release();
  EXPECT_EQ(cp->Unadvise(cookie), S_OK);
  EXPECT_EQ(cp->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  Ptr<IEnumConnectionPoints> cps;
  ASSERT_EQ(cpc->EnumConnectionPoints(cps.put()), S_OK);
  IConnectionPoint* one[2] = {};
  EXPECT_EQ(cps->Next(2, one, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  one[0]->Release();
  conns.reset();
  cps.reset();
  cp.reset();
  back.reset();
  EXPECT_EQ(sink.detach()->Release(), 0u);
}

// The file whose code serves `object`: its module, found from its interface
// table, by its long path (a registered module is loaded by its short one).
std::string CodeModuleOf(IUnknown* object) {
  HMODULE module = nullptr;
  char path[MAX_PATH] = {}, longPath[MAX_PATH] = {};
  if (::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           *reinterpret_cast<LPCSTR*>(object), &module))
    ::GetModuleFileNameA(module, path, MAX_PATH);
  ::GetLongPathNameA(path, longPath, MAX_PATH);
  return longPath;
}

std::string ServingModule(REFCLSID clsid) {
  Ptr<IUnknown> object;
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.put_void()))) return "";
  return CodeModuleOf(object.get());
}

// A host that activates the module's own manifest, as Vantrel does, gets the
// gauge, its page, its type library and its status flags from that file:
// with nothing registered, and with a copy registered from another folder,
// which serves only hosts without the manifest.
TEST(Registration, TheModulesManifestServesItsHostWhateverIsRegistered) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string otherDir = std::string(temp) + "zelbo-elsewhere";
  const std::string other = otherDir + "\\Zelbo.ocx";
  ::CreateDirectoryA(otherDir.c_str(), nullptr);
  ASSERT_TRUE(::CopyFileA(OcxPath().c_str(), other.c_str(), FALSE));

  for (const bool otherRegistered : {false, true}) {
    SCOPED_TRACE(otherRegistered ? "a copy registered elsewhere" : "nothing registered");
    if (otherRegistered) {
      ASSERT_EQ(RunProcess("regsvr32 /s \"" + other + "\""), 0);
    }
    {
      const fw::occ::ModuleManifestScope scope(L"Zelbo.ocx");  // beside this program
      ASSERT_TRUE(scope.Active());
      EXPECT_STRCASEEQ(ServingModule(kClsid).c_str(), OcxPath().c_str());
      EXPECT_STRCASEEQ(ServingModule(kPageClsid).c_str(), OcxPath().c_str());
      fw::UniqueBstr libPath;
      ASSERT_EQ(::QueryPathOfRegTypeLib(kLibId, zelbo::kLibMajor, zelbo::kLibMinor, zelbo::kLibLcid, libPath.put()),
                S_OK);
      EXPECT_EQ(std::string(libPath.get(), libPath.get() + ::SysStringLen(libPath.get())), OcxPath());
      DWORD status = 0;
      EXPECT_EQ(::OleRegGetMiscStatus(kClsid, DVASPECT_CONTENT, &status), S_OK);
      EXPECT_EQ(status, kZelboMiscStatus);
    }
    // Without the manifest the registry decides.
    EXPECT_STRCASEEQ(ServingModule(kClsid).c_str(), otherRegistered ? other.c_str() : "");
  }
  EXPECT_EQ(RunProcess("regsvr32 /s /u \"" + other + "\""), 0);
}

}  // namespace
}  // namespace zelbo_test
