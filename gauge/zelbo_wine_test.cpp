// Zelbo.ocx as containers and automation clients see it: registration, type
// library, creation, dispatch, persistence, drawing, in-place activation in
// the platform's control host, the property page and module unloading.
#include <windows.h>
#include <commctrl.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "fw/com.h"
#include "fw/handle.h"
#include "fw/ole/com_guard.h"
#include "gauge/zelbo_ids.h"

namespace {

using fw::com::Ptr;

const CLSID kClsid = zelbo::ToGuid(zelbo::kCtrlClsid);
const CLSID kPageClsid = zelbo::ToGuid(zelbo::kPageClsid);
const GUID kLibId = zelbo::ToGuid(zelbo::kLibId);
const IID kDispIid = zelbo::ToGuid(zelbo::kDispIid);
const IID kEventsIid = zelbo::ToGuid(zelbo::kEventsIid);
constexpr HRESULT kPoison = static_cast<HRESULT>(0xDEADBEEF);
void* const kPoisonPtr = reinterpret_cast<void*>(0xDEADBEEF);
// A module registers its type library under the platform it was built for.
#ifdef _WIN64
const std::string kLibPlatformKey = "win64";
constexpr SYSKIND kLibSysKind = SYS_WIN64;
#else
const std::string kLibPlatformKey = "win32";
constexpr SYSKIND kLibSysKind = SYS_WIN32;
#endif

std::string BinDir() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path);
  return p.substr(0, p.find_last_of('\\'));
}
std::string OcxPath() { return BinDir() + "\\Zelbo.ocx"; }
std::string ShortOcxPath() {
  char s[MAX_PATH] = {};
  ::GetShortPathNameA(OcxPath().c_str(), s, MAX_PATH);
  return s;
}

// Runs a command line and returns its exit code (-1 when it cannot start).
int RunProcess(const std::string& cmd) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string line = cmd;
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  fw::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  ::WaitForSingleObject(pi.hProcess, 60000);
  DWORD code = 0;
  ::GetExitCodeProcess(pi.hProcess, &code);
  return static_cast<int>(code);
}

int Regsvr32(bool unregister) {
  return RunProcess(std::string("regsvr32 /s ") + (unregister ? "/u " : "") + "\"" + OcxPath() + "\"");
}

// The module loaded into this process, for its exports.
struct Module {
  fw::UniqueModule dll{::LoadLibraryA(OcxPath().c_str())};
  template <class F>
  F Get(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(dll.get(), name)));
  }
  HRESULT Register() { return Get<HRESULT(WINAPI*)()>("DllRegisterServer")(); }
  HRESULT Unregister() { return Get<HRESULT(WINAPI*)()>("DllUnregisterServer")(); }
  HRESULT CanUnloadNow() { return Get<HRESULT(WINAPI*)()>("DllCanUnloadNow")(); }
};

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

// Registration for the length of one test.
class Registered : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(module_.Register(), S_OK); }
  void TearDown() override { EXPECT_EQ(module_.Unregister(), S_OK); }

  Ptr<IDispatch> Create() {
    Ptr<IDispatch> d;
    EXPECT_EQ(::CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, d.put_void()), S_OK);
    if (auto p = d.As<IPersistStreamInit>(IID_IPersistStreamInit)) {
      EXPECT_EQ(p->InitNew(), S_OK);
    }
    return d;
  }
  Module module_;
};

// ---- dispatch helpers ----

struct Arg {
  VARIANT v;
  Arg(short s) { V_VT(&v) = VT_I2, V_I2(&v) = s; }
  Arg(int i) { V_VT(&v) = VT_I4, V_I4(&v) = i; }
  Arg(bool b) { V_VT(&v) = VT_BOOL, V_BOOL(&v) = b ? VARIANT_TRUE : VARIANT_FALSE; }
  Arg(const wchar_t* s) { V_VT(&v) = VT_BSTR, V_BSTR(&v) = ::SysAllocString(s); }
};

struct Call {
  HRESULT hr;
  VARIANT result;
  UINT argErr;
};

Call Invoke(IDispatch* d, DISPID id, WORD flags, std::vector<Arg> args, bool namedPut = false) {
  std::vector<VARIANT> rev;
  for (auto it = args.rbegin(); it != args.rend(); ++it) rev.push_back(it->v);
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS dp{rev.data(), namedPut ? &put : nullptr, static_cast<UINT>(rev.size()), namedPut ? 1u : 0u};
  Call c{kPoison, {}, 0xBEEF};
  ::VariantInit(&c.result);
  c.hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &dp, &c.result, nullptr, &c.argErr);
  for (VARIANT& v : rev) ::VariantClear(&v);
  return c;
}
HRESULT Method(IDispatch* d, DISPID id, std::vector<Arg> args = {}) {
  return Invoke(d, id, DISPATCH_METHOD, std::move(args)).hr;
}
short GetPos(IDispatch* d) {
  Call c = Invoke(d, zelbo::kDispGetPos, DISPATCH_METHOD, {});
  EXPECT_EQ(c.hr, S_OK);
  EXPECT_EQ(V_VT(&c.result), VT_I2);
  return V_I2(&c.result);
}
HRESULT Put(IDispatch* d, DISPID id, bool value) { return Invoke(d, id, DISPATCH_PROPERTYPUT, {Arg(value)}, true).hr; }
bool Get(IDispatch* d, DISPID id) {
  Call c = Invoke(d, id, DISPATCH_PROPERTYGET, {});
  EXPECT_EQ(c.hr, S_OK);
  EXPECT_EQ(V_VT(&c.result), VT_BOOL);
  EXPECT_TRUE(V_BOOL(&c.result) == VARIANT_TRUE || V_BOOL(&c.result) == VARIANT_FALSE);
  return V_BOOL(&c.result) != VARIANT_FALSE;
}

// ---- a property bag and an advise sink for the container side ----

class Bag final : public fw::com::Object<Bag, IPropertyBag> {
 public:
  void* Find(REFIID iid) noexcept {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag) ? static_cast<IPropertyBag*>(this)
                                                                              : nullptr;
  }
  ~Bag() override {
    for (auto& [k, v] : values) ::VariantClear(&v);
  }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* v, IErrorLog*) override {
    auto it = values.find(name);
    if (it == values.end()) return E_INVALIDARG;
    const VARTYPE want = V_VT(v);
    ::VariantInit(v);
    return want == VT_EMPTY ? ::VariantCopy(v, &it->second) : ::VariantChangeType(v, &it->second, 0, want);
  }
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* v) override {
    VARIANT copy;
    ::VariantInit(&copy);
    ::VariantCopy(&copy, v);
    ::VariantClear(&values[name]);
    values[name] = copy;
    return S_OK;
  }
  std::map<std::wstring, VARIANT> values;
};

class ViewSink final : public fw::com::Object<ViewSink, IAdviseSink> {
 public:
  void* Find(REFIID iid) noexcept {
    return IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IAdviseSink) ? static_cast<IAdviseSink*>(this)
                                                                             : nullptr;
  }
  STDMETHODIMP_(void) OnDataChange(FORMATETC*, STGMEDIUM*) override { ADD_FAILURE() << "OnDataChange"; }
  STDMETHODIMP_(void) OnViewChange(DWORD aspect, LONG index) override {
    EXPECT_EQ(aspect, static_cast<DWORD>(DVASPECT_CONTENT));
    ++changes;
  }
  STDMETHODIMP_(void) OnRename(IMoniker*) override { ADD_FAILURE() << "OnRename"; }
  STDMETHODIMP_(void) OnSave() override { ADD_FAILURE() << "OnSave"; }
  STDMETHODIMP_(void) OnClose() override { ADD_FAILURE() << "OnClose"; }
  int changes = 0;
};

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

// ---- exceptions stop at the COM boundary ----

class ThrowingObject final : public fw::com::Object<ThrowingObject, IUnknown> {
 public:
  explicit ThrowingObject(bool outOfMemory) {
    if (outOfMemory) throw std::bad_alloc();
    throw std::runtime_error("broken");
  }
  void* Find(REFIID) noexcept { return nullptr; }
};

TEST(ComBoundary, ExceptionsBecomeErrorCodes) {
  EXPECT_EQ(fw::ole::Guarded([] { return S_FALSE; }), S_FALSE);
  EXPECT_EQ(fw::ole::Guarded([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
  EXPECT_EQ(fw::ole::Guarded([]() -> HRESULT { throw std::length_error("too long"); }), E_UNEXPECTED);
  EXPECT_EQ(fw::ole::Guarded([]() -> HRESULT { throw 42; }), E_UNEXPECTED);

  // A constructor that throws leaves no object and no count behind.
  const long before = fw::com::ModuleCount();
  EXPECT_FALSE(fw::com::Make<ThrowingObject>(true));
  EXPECT_FALSE(fw::com::Make<ThrowingObject>(false));
  EXPECT_EQ(fw::com::ModuleCount(), before);
}

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
std::wstring W(const char* s) { return std::wstring(s, s + std::strlen(s)); }

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

void ExpectPropertiesVerb(OLEVERB& v) {
  EXPECT_EQ(v.lVerb, OLEIVERB_PROPERTIES);
  ASSERT_TRUE(v.lpszVerbName);
  EXPECT_STREQ(v.lpszVerbName, L"&Properties...");
  EXPECT_EQ(v.fuFlags, 0u);
  EXPECT_EQ(v.grfAttribs, static_cast<DWORD>(OLEVERBATTRIB_ONCONTAINERMENU));
  ::CoTaskMemFree(v.lpszVerbName);  // the caller owns the name
  v.lpszVerbName = nullptr;
}

// The one verb is listed by the control itself: registration writes no verbs.
TEST_F(Registered, VerbsListThePropertiesVerb) {
  Ptr<IDispatch> d = Create();
  Ptr<IEnumOLEVERB> verbs;
  ASSERT_EQ(d.As<IOleObject>(IID_IOleObject)->EnumVerbs(verbs.put()), S_OK);
  OLEVERB v[2] = {};
  ULONG got = 99;
  ASSERT_EQ(verbs->Next(2, v, &got), S_FALSE);
  ASSERT_EQ(got, 1u);
  ExpectPropertiesVerb(v[0]);
  EXPECT_EQ(verbs->Next(1, v, &got), S_FALSE);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(verbs->Next(2, v, nullptr), E_POINTER);

  EXPECT_EQ(verbs->Reset(), S_OK);
  EXPECT_EQ(verbs->Skip(1), S_OK);
  EXPECT_EQ(verbs->Next(1, v, nullptr), S_FALSE);
  EXPECT_EQ(verbs->Reset(), S_OK);
  EXPECT_EQ(verbs->Skip(2), S_FALSE);

  // A clone has its own position.
  EXPECT_EQ(verbs->Reset(), S_OK);
  Ptr<IEnumOLEVERB> clone;
  ASSERT_EQ(verbs->Clone(clone.put()), S_OK);
  ASSERT_EQ(verbs->Next(1, v, nullptr), S_OK);
  ExpectPropertiesVerb(v[0]);
  Ptr<IEnumOLEVERB> spent;
  ASSERT_EQ(verbs->Clone(spent.put()), S_OK);
  EXPECT_EQ(spent->Next(1, v, nullptr), S_FALSE);
  ASSERT_EQ(clone->Next(1, v, &got), S_OK);
  EXPECT_EQ(got, 1u);
  ExpectPropertiesVerb(v[0]);
  EXPECT_EQ(verbs->Clone(nullptr), E_POINTER);
  spent.reset();
  clone.reset();
  EXPECT_EQ(verbs.detach()->Release(), 0u);
}

// ---- dispatch ----

TEST_F(Registered, MembersByDispidFollowTheGaugeRules) {
  Ptr<IDispatch> d = Create();
  UINT count = 99;
  EXPECT_EQ(d->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ITypeInfo* ti = static_cast<ITypeInfo*>(kPoisonPtr);
  EXPECT_EQ(d->GetTypeInfo(1, 0, &ti), DISP_E_BADINDEX);
  EXPECT_EQ(ti, nullptr);

  struct Step {
    DISPID id;
    std::vector<Arg> args;
    short pos;  // GetPos afterwards
  };
  const Step steps[] = {
      {zelbo::kDispSetPos, {Arg(short{60})}, 60},
      {zelbo::kDispSetPos, {Arg(short{101})}, 60},  // outside 0..100: ignored
      {zelbo::kDispSetPos, {Arg(short{-1})}, 60},
      {zelbo::kDispStepIt, {}, 61},
      {zelbo::kDispSetStep, {Arg(short{30})}, 61},
      {zelbo::kDispStepIt, {}, 91},
      {zelbo::kDispStepIt, {}, 0},                  // past the top: back to the lower bound
      {zelbo::kDispSetStep, {Arg(short{101})}, 0},  // refused: the step stays 30
      {zelbo::kDispStepIt, {}, 30},
      {zelbo::kDispSetRange, {Arg(short{10}), Arg(short{5})}, 30},  // ignored
      {zelbo::kDispSetRange, {Arg(short{-20}), Arg(short{50})}, 30},
      {zelbo::kDispSetPos, {Arg(short{0})}, 0},  // lower bound became 0
      {zelbo::kDispSetRange, {Arg(short{0}), Arg(short{100})}, 0},
      {zelbo::kDispSetPos, {Arg(short{95})}, 95},
      {zelbo::kDispOffsetPos, {Arg(short{10})}, 5},
      {zelbo::kDispOffsetPos, {Arg(short{-30})}, -25},
      {zelbo::kDispSetEventColor, {Arg(short{2}), Arg(0x00FF0000)}, -25},
      {zelbo::kDispSetBorderWidth, {Arg(short{0})}, -25},
      // Coercion: a string and a 32-bit integer that fits are accepted.
      {zelbo::kDispSetPos, {Arg(L"42")}, 42},
      {zelbo::kDispSetPos, {Arg(7)}, 7},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << "dispid " << s.id << " then pos " << s.pos);
    Call c = Invoke(d.get(), s.id, DISPATCH_METHOD, s.args);
    EXPECT_EQ(c.hr, S_OK);
    EXPECT_EQ(V_VT(&c.result), VT_EMPTY);
    EXPECT_EQ(GetPos(d.get()), s.pos);
  }
  for (int i = 0; i < 7; ++i) Method(d.get(), zelbo::kDispOffsetPos, {Arg(short{-10000})});
  EXPECT_EQ(GetPos(d.get()), static_cast<short>(7 - 70000));

  for (DISPID id : {zelbo::kDispReverseScheme, zelbo::kDispPercent}) {
    EXPECT_FALSE(Get(d.get(), id));
    EXPECT_EQ(Put(d.get(), id, true), S_OK);
    EXPECT_TRUE(Get(d.get(), id));
    Call c = Invoke(d.get(), id, DISPATCH_PROPERTYPUT, {Arg(0)}, true);  // any zero integer is false
    EXPECT_EQ(c.hr, S_OK);
    EXPECT_FALSE(Get(d.get(), id));
  }
}

TEST_F(Registered, MalformedCallsGetStandardErrors) {
  Ptr<IDispatch> d = Create();
  struct Bad {
    const char* what;
    DISPID id;
    WORD flags;
    std::vector<Arg> args;
    bool namedPut;
    HRESULT hr;
    UINT argErr;  // 0xBEEF: untouched
  };
  const Bad cases[] = {
      {"unknown dispid", 99, DISPATCH_METHOD, {}, false, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"dispid 0", 0, DISPATCH_METHOD, {}, false, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"too few", zelbo::kDispSetRange, DISPATCH_METHOD, {Arg(short{1})}, false, DISP_E_BADPARAMCOUNT, 0xBEEF},
      {"too many", zelbo::kDispStepIt, DISPATCH_METHOD, {Arg(short{1})}, false, DISP_E_BADPARAMCOUNT, 0xBEEF},
      {"bad first", zelbo::kDispSetRange, DISPATCH_METHOD, {Arg(L"x"), Arg(short{1})}, false, DISP_E_TYPEMISMATCH, 1},
      {"bad second", zelbo::kDispSetRange, DISPATCH_METHOD, {Arg(short{1}), Arg(L"x")}, false, DISP_E_TYPEMISMATCH, 0},
      {"too wide", zelbo::kDispSetPos, DISPATCH_METHOD, {Arg(70000)}, false, DISP_E_OVERFLOW, 0},
      {"method as get", zelbo::kDispGetPos, DISPATCH_PROPERTYGET, {}, false, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"method put", zelbo::kDispSetPos, DISPATCH_PROPERTYPUT, {Arg(short{1})}, true, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"named args", zelbo::kDispSetPos, DISPATCH_METHOD, {Arg(short{1})}, true, DISP_E_NONAMEDARGS, 0xBEEF},
      {"put unnamed", zelbo::kDispPercent, DISPATCH_PROPERTYPUT, {Arg(true)}, false, DISP_E_PARAMNOTOPTIONAL, 0xBEEF},
      {"put nothing", zelbo::kDispPercent, DISPATCH_PROPERTYPUT, {}, false, DISP_E_BADPARAMCOUNT, 0xBEEF},
      {"get with arg", zelbo::kDispPercent, DISPATCH_PROPERTYGET, {Arg(true)}, false, DISP_E_BADPARAMCOUNT, 0xBEEF},
      {"property as method", zelbo::kDispPercent, DISPATCH_METHOD, {}, false, DISP_E_MEMBERNOTFOUND, 0xBEEF},
      {"bad put value", zelbo::kDispPercent, DISPATCH_PROPERTYPUT, {Arg(L"maybe")}, true, DISP_E_TYPEMISMATCH, 0},
  };
  for (const Bad& b : cases) {
    SCOPED_TRACE(b.what);
    Call c = Invoke(d.get(), b.id, b.flags, b.args, b.namedPut);
    EXPECT_EQ(c.hr, b.hr);
    EXPECT_EQ(c.argErr, b.argErr);
  }
  EXPECT_EQ(GetPos(d.get()), 0);
  EXPECT_FALSE(Get(d.get(), zelbo::kDispPercent));
  DISPPARAMS none{};
  EXPECT_EQ(d->Invoke(zelbo::kDispStepIt, IID_IDispatch, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  EXPECT_EQ(GetPos(d.get()), 0);
}

// Callers may hand in an uninitialised result: it is overwritten, never freed.
TEST_F(Registered, InvokeOverwritesAnUninitialisedResult) {
  Ptr<IDispatch> d = Create();
  Method(d.get(), zelbo::kDispSetPos, {Arg(short{33})});
  Put(d.get(), zelbo::kDispPercent, true);
  struct Case {
    const char* what;
    DISPID id;
    WORD flags;
    REFIID iid;
    HRESULT hr;
    VARTYPE vt;
  };
  const Case cases[] = {
      {"method result", zelbo::kDispGetPos, DISPATCH_METHOD, IID_NULL, S_OK, VT_I2},
      {"property get", zelbo::kDispPercent, DISPATCH_PROPERTYGET, IID_NULL, S_OK, VT_BOOL},
      {"no result", zelbo::kDispStepIt, DISPATCH_METHOD, IID_NULL, S_OK, VT_EMPTY},
      {"unknown member", 99, DISPATCH_METHOD, IID_NULL, DISP_E_MEMBERNOTFOUND, VT_EMPTY},
      {"bad interface", zelbo::kDispGetPos, DISPATCH_METHOD, IID_IDispatch, DISP_E_UNKNOWNINTERFACE, VT_EMPTY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    VARIANT result;
    V_VT(&result) = VT_BSTR;
    V_BSTR(&result) = static_cast<BSTR>(kPoisonPtr);
    DISPPARAMS none{};
    EXPECT_EQ(d->Invoke(c.id, c.iid, LOCALE_USER_DEFAULT, c.flags, &none, &result, nullptr, nullptr), c.hr);
    EXPECT_EQ(V_VT(&result), c.vt);
    if (c.vt == VT_I2) {
      EXPECT_EQ(V_I2(&result), 33);
    }
    if (c.vt == VT_BOOL) {
      EXPECT_EQ(V_BOOL(&result), VARIANT_TRUE);
    }
  }
}

TEST_F(Registered, NamesResolveToDispids) {
  Ptr<IDispatch> d = Create();
  for (const auto& m : zelbo::kMembers) {
    std::wstring name = W(m.name);
    for (std::wstring spelling : {name, std::wstring(L"")}) {
      if (spelling.empty())  // names are case-insensitive
        for (wchar_t c : name) spelling += static_cast<wchar_t>(::towlower(c));
      LPOLESTR n = spelling.data();
      DISPID id = 12345;
      EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id), S_OK) << m.name;
      EXPECT_EQ(id, m.dispid);
    }
  }
  LPOLESTR unknown = const_cast<LPOLESTR>(L"Frobnicate");
  DISPID id = 12345;
  EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  LPOLESTR pos = const_cast<LPOLESTR>(L"SetPos");
  EXPECT_EQ(d->GetIDsOfNames(IID_IDispatch, &pos, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);

  // Late binding end to end: look the name up, then call it.
  LPOLESTR setPos = const_cast<LPOLESTR>(L"SETPOS");
  ASSERT_EQ(d->GetIDsOfNames(IID_NULL, &setPos, 1, 0, &id), S_OK);
  EXPECT_EQ(Method(d.get(), id, {Arg(short{33})}), S_OK);
  EXPECT_EQ(GetPos(d.get()), 33);
}

// ---- persistence ----

Ptr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
  Ptr<IStream> s;
  EXPECT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, s.put()), S_OK);
  ULONG n = 0;
  if (!bytes.empty()) s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &n);
  LARGE_INTEGER zero{};
  s->Seek(zero, STREAM_SEEK_SET, nullptr);
  return s;
}
std::vector<BYTE> BytesOf(IStream* s) {
  STATSTG st{};
  s->Stat(&st, STATFLAG_NONAME);
  std::vector<BYTE> out(static_cast<size_t>(st.cbSize.QuadPart));
  LARGE_INTEGER zero{};
  s->Seek(zero, STREAM_SEEK_SET, nullptr);
  ULONG n = 0;
  if (!out.empty()) s->Read(out.data(), static_cast<ULONG>(out.size()), &n);
  return out;
}
ULONGLONG Position(IStream* s) {
  LARGE_INTEGER zero{};
  ULARGE_INTEGER at{};
  s->Seek(zero, STREAM_SEEK_CUR, &at);
  return at.QuadPart;
}

TEST_F(Registered, StreamRoundTripMarksClean) {
  Ptr<IDispatch> d = Create();
  auto ps = d.As<IPersistStreamInit>(IID_IPersistStreamInit);
  auto obj = d.As<IOleObject>(IID_IOleObject);
  EXPECT_EQ(ps->IsDirty(), S_FALSE);
  SIZEL ext{3784, 370};
  ASSERT_EQ(obj->SetExtent(DVASPECT_CONTENT, &ext), S_OK);
  ASSERT_EQ(Put(d.get(), zelbo::kDispPercent, true), S_OK);
  EXPECT_EQ(ps->IsDirty(), S_OK);
  ULARGE_INTEGER max{};
  EXPECT_EQ(ps->GetSizeMax(&max), S_OK);
  EXPECT_EQ(max.QuadPart, 18u);
  Ptr<IStream> s = StreamOf({});
  ASSERT_EQ(ps->Save(s.get(), TRUE), S_OK);
  EXPECT_EQ(ps->IsDirty(), S_FALSE);
  EXPECT_EQ(BytesOf(s.get()), (std::vector<BYTE>{0, 0, 1, 0, 0xC8, 0x0E, 0, 0, 0x72, 0x01, 0, 0, 0, 0, 0, 0, 0, 1}));

  Ptr<IDispatch> e = Create();
  auto pe = e.As<IPersistStreamInit>(IID_IPersistStreamInit);
  Ptr<IStream> in = StreamOf(BytesOf(s.get()));
  ASSERT_EQ(pe->Load(in.get()), S_OK);
  EXPECT_FALSE(Get(e.get(), zelbo::kDispReverseScheme));
  EXPECT_TRUE(Get(e.get(), zelbo::kDispPercent));
  SIZEL got{};
  EXPECT_EQ(e.As<IOleObject>(IID_IOleObject)->GetExtent(DVASPECT_CONTENT, &got), S_OK);
  EXPECT_EQ(got.cx, 3784);
  EXPECT_EQ(got.cy, 370);
  // Writing a property marks modified even when the value stays the same.
  ASSERT_EQ(Put(e.get(), zelbo::kDispPercent, true), S_OK);
  EXPECT_EQ(pe->IsDirty(), S_OK);
}

TEST_F(Registered, ShortStreamFailsAndResets) {
  Ptr<IDispatch> d = Create();
  Put(d.get(), zelbo::kDispReverseScheme, true);
  Put(d.get(), zelbo::kDispPercent, true);
  std::vector<BYTE> bytes{0, 0, 1, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1};  // 17 bytes
  Ptr<IStream> s = StreamOf(bytes);
  EXPECT_EQ(d.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(s.get()), E_FAIL);
  EXPECT_FALSE(Get(d.get(), zelbo::kDispReverseScheme));
  EXPECT_FALSE(Get(d.get(), zelbo::kDispPercent));
}

TEST_F(Registered, HostDialogRecordsLoad) {
  // The four 24-byte records of the host's dialog, each behind its count.
  const BYTE tails[4][4] = {
      {0x00, 0xED, 0x26, 0x05}, {0x00, 0x2C, 0x45, 0x00}, {0x00, 0xED, 0x26, 0x05}, {0x00, 0x2C, 0x45, 0x00}};
  for (const auto& t : tails) {
    std::vector<BYTE> rec{0, 0, 0, 0, 0, 0, 1, 0, 0xC8, 0x0E, 0, 0, 0x72, 0x01, 0, 0, 0, 0, 0, 0};
    rec.insert(rec.end(), t, t + 4);
    ASSERT_EQ(rec.size(), 24u);
    Ptr<IDispatch> d = Create();
    Put(d.get(), zelbo::kDispReverseScheme, true);
    Ptr<IStream> s = StreamOf(rec);
    LARGE_INTEGER four{};
    four.QuadPart = 4;
    s->Seek(four, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(d.As<IPersistStreamInit>(IID_IPersistStreamInit)->Load(s.get()), S_OK);
    EXPECT_EQ(Position(s.get()), 22u);  // the last two bytes are not read
    EXPECT_FALSE(Get(d.get(), zelbo::kDispReverseScheme));
    EXPECT_TRUE(Get(d.get(), zelbo::kDispPercent));
  }
  // The last two stream bytes 0x00, 0x01: ReverseScheme false, Percent true.
}

TEST_F(Registered, PropertyBagRoundTrip) {
  Ptr<IDispatch> d = Create();
  Put(d.get(), zelbo::kDispReverseScheme, true);
  auto bag = fw::com::Make<Bag>();
  auto pb = d.As<IPersistPropertyBag>(IID_IPersistPropertyBag);
  ASSERT_EQ(pb->Save(bag.get(), TRUE, TRUE), S_OK);
  std::set<std::wstring> names;
  for (auto& [k, v] : bag->values) names.insert(k);
  EXPECT_EQ(names, (std::set<std::wstring>{L"_Version", L"_ExtentX", L"_ExtentY", L"_StockProps", L"ReverseScheme",
                                           L"Percent"}));
  EXPECT_EQ(V_VT(&bag->values[L"_Version"]), VT_I4);
  EXPECT_EQ(V_I4(&bag->values[L"_Version"]), 0x00010000);
  EXPECT_EQ(V_VT(&bag->values[L"ReverseScheme"]), VT_BOOL);

  Ptr<IDispatch> e = Create();
  ASSERT_EQ(e.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(bag.get(), nullptr), S_OK);
  EXPECT_TRUE(Get(e.get(), zelbo::kDispReverseScheme));
  EXPECT_FALSE(Get(e.get(), zelbo::kDispPercent));

  // Missing values take their defaults; an unreadable one fails the load.
  auto sparse = fw::com::Make<Bag>();
  VARIANT t;
  V_VT(&t) = VT_BSTR;
  V_BSTR(&t) = ::SysAllocString(L"-1");
  sparse->Write(L"Percent", &t);
  ::VariantClear(&t);
  ASSERT_EQ(e.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(sparse.get(), nullptr), S_OK);
  EXPECT_FALSE(Get(e.get(), zelbo::kDispReverseScheme));
  EXPECT_TRUE(Get(e.get(), zelbo::kDispPercent));
  V_VT(&t) = VT_BSTR;
  V_BSTR(&t) = ::SysAllocString(L"not a number");
  sparse->Write(L"ReverseScheme", &t);
  ::VariantClear(&t);
  EXPECT_EQ(e.As<IPersistPropertyBag>(IID_IPersistPropertyBag)->Load(sparse.get(), nullptr), E_FAIL);
  EXPECT_FALSE(Get(e.get(), zelbo::kDispPercent));
}

// ---- drawing ----

struct Canvas {
  static constexpr int W = 143, H = 13;
  fw::UniqueDc dc{::CreateCompatibleDC(nullptr)};
  DWORD* bits = nullptr;
  fw::UniqueBitmap bmp;
  std::unique_ptr<fw::SelectScope> sel;
  Canvas() {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bmp.reset(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    sel = std::make_unique<fw::SelectScope>(dc.get(), bmp.get());
    for (int i = 0; i < W * H; ++i) bits[i] = 0x00123456;
  }
  // COLORREF (0x00BBGGRR) at x, y.
  COLORREF At(int x, int y) const {
    const DWORD p = bits[y * W + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  HRESULT Draw(IDispatch* d, DWORD aspect = DVASPECT_CONTENT, bool bounds = true) {
    const RECTL r{0, 0, W, H};
    ::GdiFlush();
    auto view = Ptr<IDispatch>(d).As<IViewObject>(IID_IViewObject);
    const HRESULT hr =
        view->Draw(aspect, -1, nullptr, nullptr, nullptr, dc.get(), bounds ? &r : nullptr, nullptr, nullptr, 0);
    ::GdiFlush();
    return hr;
  }
  int Count(COLORREF c, int row) const {
    int n = 0;
    for (int x = 0; x < W; ++x) n += At(x, row) == c;
    return n;
  }
};

TEST_F(Registered, DrawsTheWorkedExampleIntoAMemoryDc) {
  Ptr<IDispatch> d = Create();
  Method(d.get(), zelbo::kDispSetBorderWidth, {Arg(short{1})});
  Method(d.get(), zelbo::kDispSetPos, {Arg(short{60})});
  Canvas c;
  ASSERT_EQ(c.Draw(d.get()), S_OK);
  const COLORREF white = RGB(255, 255, 255), dark = RGB(100, 100, 100), back = RGB(160, 160, 160),
                 lightGreen = RGB(50, 255, 50);
  // Raised outer bevel, sunken inner bevel (R = 1, 1, 142, 12).
  EXPECT_EQ(c.At(0, 0), white);
  EXPECT_EQ(c.At(0, 11), white);
  EXPECT_EQ(c.At(141, 0), white);
  EXPECT_EQ(c.At(142, 0), dark);
  EXPECT_EQ(c.At(70, 12), dark);
  EXPECT_EQ(c.At(1, 1), dark);
  EXPECT_EQ(c.At(1, 6), dark);
  EXPECT_EQ(c.At(141, 6), white);
  EXPECT_EQ(c.At(70, 11), white);
  // The fill ends at R.left + 84 = 85; the rest of the bar is background.
  EXPECT_EQ(c.At(2, 6), lightGreen);
  EXPECT_EQ(c.At(84, 6), lightGreen);
  EXPECT_EQ(c.At(85, 6), back);
  EXPECT_EQ(c.At(140, 6), back);
  EXPECT_EQ(c.Count(lightGreen, 6), 83);
  EXPECT_EQ(c.Count(RGB(0, 0, 0), 6), 0);  // no caption without Percent

  Put(d.get(), zelbo::kDispPercent, true);
  Canvas withCaption;
  ASSERT_EQ(withCaption.Draw(d.get()), S_OK);
  int black = 0, left = Canvas::W, right = -1;
  for (int y = 1; y < 12; ++y)
    for (int x = 0; x < Canvas::W; ++x)
      if (withCaption.At(x, y) == RGB(0, 0, 0)) ++black, left = std::min(left, x), right = std::max(right, x);
  EXPECT_GT(black, 0);
  // "60%" centred on the whole bar area (1..142), not on the fill.
  EXPECT_NEAR((left + right) / 2.0, 71.0, 3.0);

  // Colours: level 2 recoloured, the background recoloured, an unknown index
  // changes nothing.
  Method(d.get(), zelbo::kDispSetEventColor, {Arg(short{2}), Arg(int{RGB(0, 0, 255)})});
  Method(d.get(), zelbo::kDispSetEventColor, {Arg(short{10}), Arg(int{RGB(10, 20, 30)})});
  Method(d.get(), zelbo::kDispSetEventColor, {Arg(short{5}), Arg(int{RGB(1, 2, 3)})});
  Put(d.get(), zelbo::kDispPercent, false);
  Canvas recoloured;
  ASSERT_EQ(recoloured.Draw(d.get()), S_OK);
  EXPECT_EQ(recoloured.At(40, 6), RGB(0, 0, 255));
  EXPECT_EQ(recoloured.At(100, 6), RGB(10, 20, 30));
}

TEST_F(Registered, EmptyBarAndBadDrawRequests) {
  Ptr<IDispatch> d = Create();
  Put(d.get(), zelbo::kDispPercent, true);
  Canvas c;
  ASSERT_EQ(c.Draw(d.get()), S_OK);
  // Border 2: the bar area holds background only, no fill and no "0%".
  for (int x = 3; x < 140; ++x) EXPECT_EQ(c.At(x, 6), RGB(160, 160, 160)) << x;
  EXPECT_EQ(c.At(2, 6), RGB(100, 100, 100));

  Canvas untouched;
  EXPECT_EQ(untouched.Draw(d.get(), DVASPECT_ICON), DV_E_DVASPECT);
  EXPECT_EQ(untouched.Draw(d.get(), DVASPECT_CONTENT, false), E_INVALIDARG);
  EXPECT_EQ(untouched.At(0, 0), RGB(0x12, 0x34, 0x56));
}

TEST_F(Registered, WithoutAWindowARedrawTellsTheViewSink) {
  Ptr<IDispatch> d = Create();
  auto view = d.As<IViewObject2>(IID_IViewObject2);
  auto sink = fw::com::Make<ViewSink>();
  ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, sink.get()), S_OK);
  Method(d.get(), zelbo::kDispSetPos, {Arg(short{10})});                   // redraws
  Method(d.get(), zelbo::kDispSetRange, {Arg(short{0}), Arg(short{50})});  // does not
  Method(d.get(), zelbo::kDispSetStep, {Arg(short{5})});                   // does not
  Method(d.get(), zelbo::kDispOffsetPos, {Arg(short{1})});                 // does not wrap: no redraw
  Method(d.get(), zelbo::kDispSetEventColor, {Arg(short{7}), Arg(0)});     // always redraws
  Put(d.get(), zelbo::kDispPercent, true);
  Put(d.get(), zelbo::kDispPercent, true);
  EXPECT_EQ(sink->changes, 4);
  SIZEL ext{};
  EXPECT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &ext), S_OK);
  EXPECT_GT(ext.cx, 0);
  ASSERT_EQ(view->SetAdvise(DVASPECT_CONTENT, 0, nullptr), S_OK);
  EXPECT_EQ(sink.detach()->Release(), 0u);
}

// ---- in-place activation in a strict fake container ----

// A client site that records the calls the control makes and fails the test
// on any call a windowed control has no business making.
class FakeSite final : public fw::com::Object<FakeSite, IOleClientSite, IOleInPlaceSiteEx> {
 public:
  FakeSite(HWND parent, bool ex) : parent_(parent), ex_(ex) {}
  void* Find(REFIID iid) noexcept {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) return static_cast<IOleClientSite*>(this);
    if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite) ||
        (ex_ && IsEqualIID(iid, IID_IOleInPlaceSiteEx)))
      return static_cast<IOleInPlaceSiteEx*>(this);
    return nullptr;
  }
  std::vector<std::string> calls;
  RECT pos{3, 4, 146, 17};

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return Note("SaveObject"); }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return Unexpected("GetMoniker"); }
  STDMETHODIMP GetContainer(IOleContainer** c) override {
    *c = nullptr;
    return Unexpected("GetContainer");
  }
  STDMETHODIMP ShowObject() override { return Unexpected("ShowObject"); }
  STDMETHODIMP OnShowWindow(BOOL) override { return Unexpected("OnShowWindow"); }
  STDMETHODIMP RequestNewObjectLayout() override { return Unexpected("RequestNewObjectLayout"); }
  // IOleWindow
  STDMETHODIMP GetWindow(HWND* w) override {
    *w = parent_;
    return Note("GetWindow");
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return Unexpected("ContextSensitiveHelp"); }
  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return Note("CanInPlaceActivate"); }
  STDMETHODIMP OnInPlaceActivate() override { return Note("OnInPlaceActivate"); }
  STDMETHODIMP OnUIActivate() override { return Note("OnUIActivate"); }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT p, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    EXPECT_EQ(info->cb, sizeof *info);
    *frame = nullptr;
    *doc = nullptr;
    *p = pos;
    *clip = pos;
    return Note("GetWindowContext");
  }
  STDMETHODIMP Scroll(SIZE) override { return Unexpected("Scroll"); }
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override {
    EXPECT_FALSE(undoable);
    return Note("OnUIDeactivate");
  }
  STDMETHODIMP OnInPlaceDeactivate() override { return Note("OnInPlaceDeactivate"); }
  STDMETHODIMP DiscardUndoState() override { return Unexpected("DiscardUndoState"); }
  STDMETHODIMP DeactivateAndUndo() override { return Unexpected("DeactivateAndUndo"); }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return Unexpected("OnPosRectChange"); }
  // IOleInPlaceSiteEx
  STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override {
    EXPECT_EQ(flags, 0u);  // windowed
    *noRedraw = FALSE;
    return Note("OnInPlaceActivateEx");
  }
  STDMETHODIMP OnInPlaceDeactivateEx(BOOL noRedraw) override { return Note("OnInPlaceDeactivateEx"); }
  STDMETHODIMP RequestUIActivate() override { return Unexpected("RequestUIActivate"); }

 private:
  HRESULT Note(const char* call) {
    calls.push_back(call);
    return S_OK;
  }
  HRESULT Unexpected(const char* call) {
    ADD_FAILURE() << "unexpected " << call;
    return E_NOTIMPL;
  }
  HWND parent_;
  bool ex_;
};

TEST_F(Registered, InPlaceActivationFollowsTheSiteProtocol) {
  for (bool ex : {false, true}) {
    SCOPED_TRACE(ex ? "site with IOleInPlaceSiteEx" : "plain in-place site");
    HWND parent =
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 50, nullptr, nullptr, nullptr, nullptr);
    auto site = fw::com::Make<FakeSite>(parent, ex);
    const std::string activate = ex ? "OnInPlaceActivateEx" : "OnInPlaceActivate";
    const std::string deactivate = ex ? "OnInPlaceDeactivateEx" : "OnInPlaceDeactivate";
    {
      Ptr<IDispatch> d = Create();
      auto obj = d.As<IOleObject>(IID_IOleObject);
      RECT pos = site->pos;
      EXPECT_EQ(obj->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, parent, &pos), E_UNEXPECTED);
      ASSERT_EQ(obj->SetClientSite(site.get()), S_OK);
      IOleClientSite* back = nullptr;
      ASSERT_EQ(obj->GetClientSite(&back), S_OK);
      EXPECT_EQ(back, static_cast<IOleClientSite*>(site.get()));
      back->Release();
      ASSERT_EQ(obj->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.get(), 0, parent, &pos), S_OK);
      EXPECT_EQ(site->calls, (std::vector<std::string>{"CanInPlaceActivate", activate, "GetWindow", "GetWindowContext",
                                                       "OnUIActivate"}));
      HWND ctl = nullptr;
      ASSERT_EQ(d.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&ctl), S_OK);
      EXPECT_EQ(::GetParent(ctl), parent);
      RECT r{};
      ::GetWindowRect(ctl, &r);
      ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ(r.left, 3);
      EXPECT_EQ(r.top, 4);
      EXPECT_EQ(r.right, 146);
      EXPECT_EQ(r.bottom, 17);
      site->calls.clear();
      // Activating again keeps the window and asks nothing more.
      ASSERT_EQ(obj->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.get(), 0, parent, &pos), S_OK);
      EXPECT_TRUE(site->calls.empty());

      Put(d.get(), zelbo::kDispPercent, true);  // modified: closing saves
      EXPECT_EQ(obj->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
      EXPECT_EQ(site->calls, (std::vector<std::string>{"OnUIDeactivate", deactivate, "SaveObject"}));
      EXPECT_FALSE(::IsWindow(ctl));
      site->calls.clear();
      EXPECT_EQ(obj->Close(OLECLOSE_NOSAVE), S_OK);
      EXPECT_TRUE(site->calls.empty());
      EXPECT_EQ(obj->SetClientSite(nullptr), S_OK);
    }
    EXPECT_EQ(site.detach()->Release(), 0u);
    ::DestroyWindow(parent);
  }
}

// An unknown positive verb runs the primary verb; an unknown negative one is
// refused without activating.
TEST_F(Registered, UnknownVerbs) {
  HWND parent =
      ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 50, nullptr, nullptr, nullptr, nullptr);
  auto site = fw::com::Make<FakeSite>(parent, false);
  {
    Ptr<IDispatch> d = Create();
    auto obj = d.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(obj->SetClientSite(site.get()), S_OK);
    RECT pos = site->pos;
    EXPECT_EQ(obj->DoVerb(-42, nullptr, site.get(), 0, parent, &pos), E_NOTIMPL);
    EXPECT_TRUE(site->calls.empty());
    EXPECT_EQ(obj->DoVerb(7, nullptr, site.get(), 0, parent, &pos), OLEOBJ_S_INVALIDVERB);
    EXPECT_EQ(site->calls, (std::vector<std::string>{"CanInPlaceActivate", "OnInPlaceActivate", "GetWindow",
                                                     "GetWindowContext", "OnUIActivate"}));
    HWND ctl = nullptr;
    ASSERT_EQ(d.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&ctl), S_OK);
    EXPECT_TRUE(::IsWindowVisible(ctl));
    EXPECT_EQ(obj->Close(OLECLOSE_NOSAVE), S_OK);
    EXPECT_EQ(obj->SetClientSite(nullptr), S_OK);
  }
  EXPECT_EQ(site.detach()->Release(), 0u);
  ::DestroyWindow(parent);
}

// ---- in-place activation in the platform's control host ----

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return ::DefWindowProcA(w, m, wp, lp); }

void Pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  }
}

TEST_F(Registered, ActivatesInPlaceInTheControlHost) {
  fw::UniqueModule atl(::LoadLibraryA("atl.dll"));
  ASSERT_TRUE(atl);
  auto init = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(::GetProcAddress(atl.get(), "AtlAxWinInit")));
  auto getControl = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(
      reinterpret_cast<void*>(::GetProcAddress(atl.get(), "AtlAxGetControl")));
  ASSERT_TRUE(init && getControl && init());

  WNDCLASSA wc{};
  wc.lpfnWndProc = &PlainProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "ZelboTestParent";
  ::RegisterClassA(&wc);
  HWND top = ::CreateWindowExA(0, "ZelboTestParent", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 100,
                               nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(top);
  HWND host = ::CreateWindowExA(0, "AtlAxWin", zelbo::kCtrlProgId, WS_CHILD | WS_VISIBLE, 5, 5, 143, 13, top, nullptr,
                                wc.hInstance, nullptr);
  ASSERT_TRUE(host);
  Pump();
  {
    Ptr<IUnknown> unk;
    ASSERT_EQ(getControl(host, unk.put()), S_OK);
    auto ipo = unk.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    ASSERT_TRUE(ipo);
    HWND ctl = nullptr;
    ASSERT_EQ(ipo->GetWindow(&ctl), S_OK);
    ASSERT_TRUE(::IsWindow(ctl));
    EXPECT_EQ(::GetParent(ctl), host);
    EXPECT_TRUE(::IsWindowVisible(ctl));
    RECT rc{};
    ::GetClientRect(ctl, &rc);
    EXPECT_EQ(rc.right, 143);
    EXPECT_EQ(rc.bottom, 13);

    // Redraws invalidate the control's own window, and only when they should.
    auto d = unk.As<IDispatch>(IID_IDispatch);
    ::ValidateRect(ctl, nullptr);
    ::ValidateRect(top, nullptr);
    Method(d.get(), zelbo::kDispSetRange, {Arg(short{0}), Arg(short{100})});
    EXPECT_FALSE(::GetUpdateRect(ctl, nullptr, FALSE));
    Method(d.get(), zelbo::kDispSetPos, {Arg(short{60})});
    RECT upd{};
    EXPECT_TRUE(::GetUpdateRect(ctl, &upd, FALSE));
    EXPECT_EQ(upd.right, 143);
    EXPECT_FALSE(::GetUpdateRect(top, nullptr, FALSE));
    ::UpdateWindow(ctl);
    EXPECT_FALSE(::GetUpdateRect(ctl, nullptr, FALSE));

    // Moving through the in-place interface moves the window, and a new size
    // repaints all of it: the bevel follows the new edges.
    const RECT moves[] = {{0, 0, 100, 10}, {0, 0, 120, 10}, {0, 0, 120, 13}, {0, 0, 100, 13}};
    for (const RECT& m : moves) {
      SCOPED_TRACE(testing::Message() << m.right - m.left << " x " << m.bottom - m.top);
      ::UpdateWindow(ctl);
      ::ValidateRect(ctl, nullptr);
      RECT pos = m;
      EXPECT_EQ(ipo->SetObjectRects(&pos, &pos), S_OK);
      ::GetClientRect(ctl, &rc);
      EXPECT_EQ(rc.right, m.right - m.left);
      EXPECT_EQ(rc.bottom, m.bottom - m.top);
      RECT dirty{};
      EXPECT_TRUE(::GetUpdateRect(ctl, &dirty, FALSE));
      EXPECT_TRUE(::EqualRect(&dirty, &rc))
          << dirty.left << "," << dirty.top << "," << dirty.right << "," << dirty.bottom;
    }

    EXPECT_EQ(ipo->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(::IsWindow(ctl));
    HWND none = reinterpret_cast<HWND>(kPoisonPtr);
    EXPECT_EQ(ipo->GetWindow(&none), E_FAIL);
    EXPECT_EQ(none, nullptr);
    // Without a window, a redraw disturbs no window.
    ::ValidateRect(top, nullptr);
    Method(d.get(), zelbo::kDispSetPos, {Arg(short{20})});
    EXPECT_FALSE(::GetUpdateRect(top, nullptr, FALSE));
    EXPECT_FALSE(::GetUpdateRect(host, nullptr, FALSE));
  }
  ::DestroyWindow(top);
  Pump();
  ::UnregisterClassA("ZelboTestParent", wc.hInstance);
}

// ---- property page ----

VOID CALLBACK CloseFrame(HWND, UINT, UINT_PTR id, DWORD);
int g_tabs = -1;
std::string g_tabText;

BOOL CALLBACK FindFrame(HWND w, LPARAM found) {
  if (!::IsWindowVisible(w)) return TRUE;
  HWND tab = ::FindWindowExA(w, nullptr, "SysTabControl32", nullptr);
  if (!tab) return TRUE;
  g_tabs = static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  char text[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ::SendMessageA(tab, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  g_tabText = text;
  ::PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

VOID CALLBACK CloseFrame(HWND, UINT, UINT_PTR id, DWORD) {
  bool found = false;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindFrame, reinterpret_cast<LPARAM>(&found));
  if (found) ::KillTimer(nullptr, id);
}

TEST_F(Registered, PropertyPageIsAnEmptyGeneralTab) {
  Ptr<IPropertyPage> page;
  ASSERT_EQ(::CoCreateInstance(kPageClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.put_void()), S_OK);
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_EQ(info.cb, sizeof info);
  EXPECT_STREQ(info.pszTitle, L"General");
  // 216 x 56 dialog units in an 8-point font: a few hundred by about a hundred pixels.
  EXPECT_GT(info.size.cx, 216);
  EXPECT_GT(info.size.cy, 56);
  EXPECT_GT(info.size.cx, 3 * info.size.cy);
  ::CoTaskMemFree(info.pszTitle);
  ::CoTaskMemFree(info.pszDocString);
  ::CoTaskMemFree(info.pszHelpFile);

  Ptr<IDispatch> d = Create();
  IUnknown* objects[] = {d.get()};
  EXPECT_EQ(page->SetObjects(1, objects), S_OK);
  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
  RECT r{0, 0, info.size.cx, info.size.cy};
  ASSERT_EQ(page->Activate(parent, &r, TRUE), S_OK);
  HWND dlg = ::GetWindow(parent, GW_CHILD);
  ASSERT_TRUE(dlg);
  EXPECT_EQ(::GetWindow(dlg, GW_CHILD), nullptr);  // no controls
  EXPECT_EQ(page->Show(SW_SHOW), S_OK);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(page->Deactivate(), S_OK);
  EXPECT_FALSE(::IsWindow(dlg));
  EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
  ::DestroyWindow(parent);
  EXPECT_EQ(page.detach()->Release(), 0u);

  // The properties verb opens a frame with that one tab.
  g_tabs = -1;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &CloseFrame);
  EXPECT_EQ(d.As<IOleObject>(IID_IOleObject)->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, nullptr, nullptr), S_OK);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(g_tabs, 1);
  EXPECT_EQ(g_tabText, "General");
}

// ---- module lifetime ----

TEST_F(Registered, CanUnloadOnlyWhenNothingIsHeld) {
  auto getClass = module_.Get<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
  ::CoFreeUnusedLibraries();
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
  void* none = kPoisonPtr;
  EXPECT_EQ(getClass(IID_IDispatch, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(none, nullptr);

  Ptr<IClassFactory> factory;
  ASSERT_EQ(getClass(kClsid, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);  // a held factory keeps the module
  Ptr<IUnknown> obj;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, obj.put_void()), S_OK);
  IUnknown* agg = static_cast<IUnknown*>(kPoisonPtr);
  EXPECT_EQ(factory->CreateInstance(obj.get(), IID_IUnknown, reinterpret_cast<void**>(&agg)), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(agg, nullptr);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);  // the object and the lock
  EXPECT_EQ(obj.detach()->Release(), 0u);
  EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);  // the lock
  ASSERT_EQ(getClass(kClsid, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);

  Ptr<IUnknown> page;
  ASSERT_EQ(getClass(kPageClsid, IID_IClassFactory, factory.put_void()), S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPropertyPage, page.put_void()), S_OK);
  factory.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);
  page.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

TEST_F(Registered, AnUnbalancedUnlockKeepsLiveObjects) {
  auto getClass = module_.Get<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
  Ptr<IClassFactory> factory;
  ASSERT_EQ(getClass(kClsid, IID_IClassFactory, factory.put_void()), S_OK);
  Ptr<IUnknown> obj;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, obj.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);  // the object still lives
  ASSERT_EQ(getClass(kClsid, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);
  obj.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);

  // Locks taken afterwards still count.
  ASSERT_EQ(getClass(kClsid, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(TRUE), S_OK);
  factory.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_FALSE);
  ASSERT_EQ(getClass(kPageClsid, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);  // through the other factory: the lock is the module's
  factory.reset();
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
}

// Several single-threaded apartments use the module at once: the shared
// factory count, the type library and the window class hold up.
TEST_F(Registered, SeveralApartmentsAtOnce) {
  auto getClass = module_.Get<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
  constexpr int kThreads = 4;
  std::atomic<int> waiting{kThreads}, ready{kThreads};
  std::atomic<int> failures{0};
  auto work = [&] {
    ::OleInitialize(nullptr);
    {
      Ptr<IClassFactory> factory;
      if (getClass(kClsid, IID_IClassFactory, factory.put_void()) != S_OK) ++failures;
      // Everyone starts together so the first uses of the caches meet.
      --waiting;
      while (waiting > 0) ::Sleep(0);
      Ptr<IDispatch> d;
      if (!factory || factory->CreateInstance(nullptr, IID_IDispatch, d.put_void()) != S_OK) {
        ++failures;
      } else {
        Ptr<ITypeInfo> ti;
        if (d->GetTypeInfo(0, 0, ti.put()) != S_OK) ++failures;
        HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 50, nullptr, nullptr, nullptr, nullptr);
        auto site = fw::com::Make<FakeSite>(parent, false);
        auto obj = d.As<IOleObject>(IID_IOleObject);
        RECT pos = site->pos;
        obj->SetClientSite(site.get());
        if (obj->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, parent, &pos) != S_OK) ++failures;
        obj->Close(OLECLOSE_NOSAVE);
        obj->SetClientSite(nullptr);
        ::DestroyWindow(parent);
      }
      // And again for the factory's reference count.
      --ready;
      while (ready > 0) ::Sleep(0);
      for (int i = 0; i < 2000000 && factory; ++i) {
        factory->AddRef();
        factory->Release();
      }
    }
    ::OleUninitialize();
  };
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) threads.emplace_back(work);
  for (auto& t : threads) t.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(module_.CanUnloadNow(), S_OK);
  Ptr<IClassFactory> factory;
  ASSERT_EQ(getClass(kClsid, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->AddRef(), 2u);  // the one reference held here, and this one
  EXPECT_EQ(factory->Release(), 1u);
}

// ---- a late-bound script client ----

TEST_F(Registered, VbscriptDrivesTheGauge) {
  char dir[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, dir);
  const std::string script = std::string(dir) + "zelbo_late_binding.vbs";
  FILE* f = std::fopen(script.c_str(), "w");
  ASSERT_TRUE(f);
  std::fputs(
      "Set g = CreateObject(\"ZELBO.ZelboCtrl.1\")\n"
      "g.SetRange 0, 100\n"
      "g.SetPos 95\n"
      "g.OffsetPos 10\n"
      "g.Percent = True\n"
      "If g.GetPos() = 5 And g.Percent And Not g.ReverseScheme Then WScript.Quit 42\n"
      "WScript.Quit 1\n",
      f);
  std::fclose(f);
  EXPECT_EQ(RunProcess("cscript //nologo \"" + script + "\""), 42);
  ::DeleteFileA(script.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::OleInitialize(nullptr);
  const int rc = RUN_ALL_TESTS();
  ::OleUninitialize();
  return rc;
}
