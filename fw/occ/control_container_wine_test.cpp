// The container against a fake in-process control that records what it is
// asked to do, inside a real dialog created from a template in memory.
#include "fw/occ/control_container.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <cstring>
#include <string>
#include <vector>

#include "fw/handle.h"
#include "fw/occ/dialog_resource.h"

namespace fw::occ {
namespace {

using Bytes = std::vector<std::uint8_t>;

// {7A1C9E52-3B4D-4F60-8A2B-C1D2E3F40516}
const CLSID kFakeClsid = {0x7a1c9e52, 0x3b4d, 0x4f60, {0x8a, 0x2b, 0xc1, 0xd2, 0xe3, 0xf4, 0x05, 0x16}};
const char16_t kFakeClass[] = u"{7A1C9E52-3B4D-4F60-8A2B-C1D2E3F40516}";
const char16_t kUnregisteredClass[] = u"{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}";
const DWORD kGaugeMisc = 0x00020191;  // set client site first, activate when visible, inside-out, ...

// Leading count 0, then the property stream the control is to receive.
const Bytes kRecord1091 = {0,    0,    0, 0, 0, 0, 1, 0, 0xC8, 0x0E, 0,    0,
                           0x72, 0x01, 0, 0, 0, 0, 0, 0, 0x00, 0xED, 0x26, 0x05};

#define UNEXPECTED(name)                           \
  {                                                \
    ADD_FAILURE() << "unexpected call " << (name); \
    return E_NOTIMPL;                              \
  }

class FakeControl : public com::Object<FakeControl, IOleObject, IPersistStreamInit, IOleInPlaceObject, IDispatch> {
 public:
  void* Find(REFIID iid) noexcept {
    if (void* p = com::Match<IOleObject>(this, iid, IID_IUnknown)) return p;
    if (void* p = com::Match<IOleObject>(this, iid, IID_IOleObject)) return p;
    if (void* p = com::Match<IPersistStreamInit>(this, iid, IID_IPersistStreamInit)) return p;
    if (void* p = com::Match<IOleInPlaceObject>(this, iid, IID_IOleInPlaceObject)) return p;
    if (void* p = com::Match<IOleInPlaceObject>(this, iid, IID_IOleWindow)) return p;
    return com::Match<IDispatch>(this, iid, IID_IDispatch);
  }

  // What the test sets.
  DWORD misc = kGaugeMisc;
  HRESULT loadResult = S_OK;
  // What the fake saw.
  std::vector<std::string> calls;
  Bytes loaded;
  com::Ptr<IOleClientSite> site;
  HWND window = nullptr;
  HWND parent = nullptr;
  RECT activatedAt{};
  RECT contextPos{}, contextClip{};
  HWND siteWindow = nullptr, frameWindow = nullptr;
  SIZEL extent{};
  VARIANT userMode{};
  HRESULT otherAmbient = S_OK;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* s) override {
    calls.push_back(s ? "SetClientSite" : "SetClientSite(null)");
    site = com::Ptr<IOleClientSite>(s);
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite**) override UNEXPECTED("GetClientSite") STDMETHODIMP
      SetHostNames(LPCOLESTR, LPCOLESTR) override UNEXPECTED("SetHostNames") STDMETHODIMP Close(DWORD option) override {
    calls.push_back("Close");
    EXPECT_EQ(static_cast<DWORD>(OLECLOSE_NOSAVE), option);
    return S_OK;
  }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override UNEXPECTED("SetMoniker") STDMETHODIMP
      GetMoniker(DWORD, DWORD, IMoniker**) override UNEXPECTED("GetMoniker") STDMETHODIMP
      InitFromData(IDataObject*, BOOL, DWORD) override UNEXPECTED("InitFromData") STDMETHODIMP
      GetClipboardData(DWORD, IDataObject**) override UNEXPECTED("GetClipboardData") STDMETHODIMP
      DoVerb(LONG verb, LPMSG, IOleClientSite* active, LONG, HWND parentWnd, LPCRECT pos) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override UNEXPECTED("EnumVerbs") STDMETHODIMP Update() override
      UNEXPECTED("Update") STDMETHODIMP IsUpToDate() override UNEXPECTED("IsUpToDate") STDMETHODIMP
      GetUserClassID(CLSID*) override UNEXPECTED("GetUserClassID") STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override
      UNEXPECTED("GetUserType") STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override {
    calls.push_back("SetExtent");
    EXPECT_EQ(static_cast<DWORD>(DVASPECT_CONTENT), aspect);
    if (size) extent = *size;
    return S_OK;
  }
  STDMETHODIMP GetExtent(DWORD, SIZEL*) override UNEXPECTED("GetExtent") STDMETHODIMP
      Advise(IAdviseSink*, DWORD*) override UNEXPECTED("Advise") STDMETHODIMP Unadvise(DWORD) override
      UNEXPECTED("Unadvise") STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override UNEXPECTED("EnumAdvise") STDMETHODIMP
      GetMiscStatus(DWORD aspect, DWORD* status) override {
    calls.push_back("GetMiscStatus");
    EXPECT_EQ(static_cast<DWORD>(DVASPECT_CONTENT), aspect);
    *status = misc;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override UNEXPECTED("SetColorScheme")

      // IPersistStreamInit
      STDMETHODIMP GetClassID(CLSID*) override UNEXPECTED("GetClassID") STDMETHODIMP IsDirty() override
      UNEXPECTED("IsDirty") STDMETHODIMP Load(IStream* stream) override {
    calls.push_back("Load");
    std::uint8_t buf[7];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(buf, sizeof buf, &got)) && got) loaded.insert(loaded.end(), buf, buf + got);
    return loadResult;
  }
  STDMETHODIMP Save(IStream*, BOOL) override UNEXPECTED("Save") STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override
      UNEXPECTED("GetSizeMax") STDMETHODIMP InitNew() override {
    calls.push_back("InitNew");
    return S_OK;
  }

  // IOleInPlaceObject
  STDMETHODIMP GetWindow(HWND* wnd) override {
    calls.push_back("GetWindow");
    *wnd = window;
    return window ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override UNEXPECTED("ContextSensitiveHelp") STDMETHODIMP
      InPlaceDeactivate() override {
    calls.push_back("InPlaceDeactivate");
    if (window) DestroyWindow(window);
    window = nullptr;
    if (auto ips = site.As<IOleInPlaceSite>(IID_IOleInPlaceSite)) ips->OnInPlaceDeactivate();
    return S_OK;
  }
  STDMETHODIMP UIDeactivate() override UNEXPECTED("UIDeactivate") STDMETHODIMP SetObjectRects(LPCRECT, LPCRECT) override
      UNEXPECTED("SetObjectRects") STDMETHODIMP ReactivateAndUndo() override UNEXPECTED("ReactivateAndUndo")

      // IDispatch: the container only hands it out.
      STDMETHODIMP GetTypeInfoCount(UINT*) override UNEXPECTED("GetTypeInfoCount") STDMETHODIMP
      GetTypeInfo(UINT, LCID, ITypeInfo**) override UNEXPECTED("GetTypeInfo") STDMETHODIMP
      GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override UNEXPECTED("GetIDsOfNames") STDMETHODIMP
      Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override UNEXPECTED("Invoke")
};

// Activation as a control does it: ask the site, take the window context,
// read an ambient or two, create the window at the position given.
STDMETHODIMP FakeControl::DoVerb(LONG verb, LPMSG, IOleClientSite* active, LONG, HWND parentWnd, LPCRECT pos) {
  calls.push_back("DoVerb");
  EXPECT_EQ(OLEIVERB_INPLACEACTIVATE, verb);
  EXPECT_EQ(site.get(), active);
  parent = parentWnd;
  activatedAt = *pos;
  auto ips = site.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
  if (!ips) {
    ADD_FAILURE() << "site without IOleInPlaceSite";
    return E_FAIL;
  }
  EXPECT_EQ(S_OK, ips->CanInPlaceActivate());
  EXPECT_EQ(S_OK, ips->OnInPlaceActivate());
  siteWindow = reinterpret_cast<HWND>(0x5555);
  EXPECT_EQ(S_OK, ips->GetWindow(&siteWindow));
  auto* frame = reinterpret_cast<IOleInPlaceFrame*>(0x5555);
  auto* doc = reinterpret_cast<IOleInPlaceUIWindow*>(0x5555);
  std::memset(&contextPos, 0x55, sizeof contextPos);
  std::memset(&contextClip, 0x55, sizeof contextClip);
  OLEINPLACEFRAMEINFO info;
  std::memset(&info, 0x55, sizeof info);
  info.cb = sizeof info;
  EXPECT_EQ(S_OK, ips->GetWindowContext(&frame, &doc, &contextPos, &contextClip, &info));
  EXPECT_EQ(nullptr, doc);
  EXPECT_EQ(0u, info.cAccelEntries);
  EXPECT_EQ(nullptr, info.haccel);
  auto ownedFrame = com::Ptr<IOleInPlaceFrame>::Adopt(frame);
  if (ownedFrame) {
    frameWindow = reinterpret_cast<HWND>(0x5555);
    EXPECT_EQ(S_OK, ownedFrame->GetWindow(&frameWindow));
  } else {
    ADD_FAILURE() << "no frame";
  }
  if (auto ambient = site.As<IDispatch>(IID_IDispatch)) {
    DISPPARAMS none{};
    userMode.vt = VT_I4;
    userMode.lVal = 0x5555;
    EXPECT_EQ(S_OK, ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &userMode,
                                    nullptr, nullptr));
    VARIANT other;
    VariantInit(&other);
    otherAmbient =
        ambient->Invoke(DISPID_AMBIENT_DISPLAYNAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &other, nullptr, nullptr);
    VariantClear(&other);
  } else {
    ADD_FAILURE() << "site without ambient properties";
  }
  window = CreateWindowExW(0, L"STATIC", L"fake", WS_CHILD | WS_VISIBLE, pos->left, pos->top, pos->right - pos->left,
                           pos->bottom - pos->top, parentWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_NE(nullptr, window);
  return window ? S_OK : E_FAIL;
}

class FakeFactory : public com::Object<FakeFactory, IClassFactory> {
 public:
  explicit FakeFactory(com::Ptr<FakeControl> control) : control_(std::move(control)) {}
  void* Find(REFIID iid) noexcept {
    if (void* p = com::Match<IClassFactory>(this, iid, IID_IUnknown)) return p;
    return com::Match<IClassFactory>(this, iid, IID_IClassFactory);
  }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return control_->QueryInterface(iid, out);
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  com::Ptr<FakeControl> control_;
};

// Template writer, laid out as the resource compiler does.
struct Writer {
  Bytes b;
  void U16(std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
  }
  void U32(std::uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void Str(const std::u16string& s) {
    for (char16_t c : s) U16(c);
    U16(0);
  }
};

struct TestItem {
  std::uint16_t id;
  std::u16string cls;  // empty: a static
  short x, y, cx, cy;
  std::uint32_t style;
};

Bytes BuildDialog(const std::vector<TestItem>& items) {
  Writer w;
  w.U32(WS_POPUP | WS_CAPTION | DS_SETFONT);
  w.U32(0);
  w.U16(static_cast<std::uint16_t>(items.size()));
  for (int v : {0, 0, 240, 150}) w.U16(v);
  w.U16(0);
  w.U16(0);
  w.Str(u"Computer Information");
  w.U16(8);
  w.Str(u"MS Shell Dlg");
  for (const TestItem& it : items) {
    while (w.b.size() % 4) w.b.push_back(0);
    w.U32(it.style);
    w.U32(0);
    for (int v : {it.x, it.y, it.cx, it.cy}) w.U16(static_cast<std::uint16_t>(v));
    w.U16(it.id);
    if (it.cls.empty()) {
      w.U16(0xFFFF);
      w.U16(0x0082);
      w.Str(u"Label");
    } else {
      w.Str(it.cls);
      w.U16(0);
    }
    w.U16(0);
  }
  return w.b;
}

const TestItem kLabel100{100, u"", 7, 50, 100, 8, WS_CHILD | WS_VISIBLE};
const TestItem kGauge1091{1091, kFakeClass, 115, 50, 95, 8, 0x50010000};
const TestItem kLabel101{101, u"", 7, 60, 100, 8, WS_CHILD | WS_VISIBLE};

ControlStreams Streams1091() {
  Bytes image;
  Writer w;
  w.U16(1091);
  w.U16(kLoadFromStream);
  w.U32(static_cast<std::uint32_t>(kRecord1091.size()));
  w.b.insert(w.b.end(), kRecord1091.begin(), kRecord1091.end());
  w.U16(0);
  return ParseDlgInit(w.b.data(), w.b.size()).value();
}

class ControlContainerTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    baseline_ = com::ModuleCount();
    fake_ = com::Make<FakeControl>();
    FakeControl* control = fake_.get();  // the lookup must not keep the fake alive
    lookup_ = [control](REFCLSID clsid, REFIID iid, void** out) -> HRESULT {
      *out = nullptr;
      if (!IsEqualCLSID(clsid, kFakeClsid)) return DefaultClassObjectLookup(clsid, iid, out);
      auto factory = com::Make<FakeFactory>(com::Ptr<FakeControl>(control));
      return factory->QueryInterface(iid, out);
    };
  }
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    OleUninitialize();
  }

  struct Run {
    ControlContainer* container;
    const std::vector<ControlItem>* items;
    const ControlStreams* streams;
    bool created = false;
  };
  static INT_PTR CALLBACK Proc(HWND wnd, UINT msg, WPARAM, LPARAM lp) {
    if (msg != WM_INITDIALOG) return FALSE;
    auto* run = reinterpret_cast<Run*>(lp);
    run->created = run->container->CreateControls(wnd, *run->items, *run->streams);
    return TRUE;
  }

  // Creates the dialog from the rewritten template; the result of
  // CreateControls at WM_INITDIALOG.
  bool CreateDialogWith(ControlContainer& container, const std::vector<TestItem>& items,
                        const ControlStreams& streams) {
    const Bytes image = BuildDialog(items);
    auto split = SplitDialogTemplate(image.data(), image.size());
    EXPECT_TRUE(split);
    if (!split) return false;
    Run run{&container, &split->controls, &streams};
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), TemplateOf(*split), nullptr, Proc,
                                         reinterpret_cast<LPARAM>(&run));
    EXPECT_NE(nullptr, dialog_) << "error " << GetLastError();
    return run.created;
  }

  RECT Mapped(RECT r) const {
    MapDialogRect(dialog_, &r);
    return r;
  }

  // Drops the test's reference; the fake must have no other owner left.
  ULONG FinalRelease() { return fake_.detach()->Release(); }

  long baseline_ = 0;
  com::Ptr<FakeControl> fake_;
  ClassObjectLookup lookup_;
  HWND dialog_ = nullptr;
};

using Calls = std::vector<std::string>;

TEST_F(ControlContainerTest, CreatesLoadsAndActivatesTheControlInTheDialog) {
  ControlContainer container(lookup_);
  ASSERT_TRUE(CreateDialogWith(container, {kLabel100, kGauge1091, kLabel101}, Streams1091()));
  const FakeControl& f = *fake_.get();

  EXPECT_EQ((Calls{"GetMiscStatus", "SetClientSite", "Load", "SetExtent", "DoVerb", "GetWindow"}), f.calls);
  EXPECT_EQ(Bytes(kRecord1091.begin() + 4, kRecord1091.end()), f.loaded);

  const RECT expected = Mapped({115, 50, 210, 58});
  EXPECT_TRUE(EqualRect(&expected, &f.activatedAt));
  EXPECT_TRUE(EqualRect(&expected, &f.contextPos));
  EXPECT_EQ(dialog_, f.parent);
  EXPECT_EQ(dialog_, f.siteWindow);
  EXPECT_EQ(dialog_, f.frameWindow);
  {
    WindowDc screen(nullptr);
    EXPECT_EQ(MulDiv(expected.right - expected.left, 2540, GetDeviceCaps(screen.get(), LOGPIXELSX)), f.extent.cx);
    EXPECT_EQ(MulDiv(expected.bottom - expected.top, 2540, GetDeviceCaps(screen.get(), LOGPIXELSY)), f.extent.cy);
  }
  EXPECT_EQ(VT_BOOL, f.userMode.vt);
  EXPECT_EQ(VARIANT_TRUE, f.userMode.boolVal);
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, f.otherAmbient);

  // The control's window stands in for the item: its id, its tab stop and its
  // place between the two labels.
  ASSERT_NE(nullptr, f.window);
  EXPECT_EQ(f.window, GetDlgItem(dialog_, 1091));
  EXPECT_EQ(f.window, container.Window(1091));
  EXPECT_TRUE(GetWindowLongPtrW(f.window, GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(f.window, GetWindow(GetDlgItem(dialog_, 100), GW_HWNDNEXT));
  EXPECT_EQ(GetDlgItem(dialog_, 101), GetWindow(f.window, GW_HWNDNEXT));

  IDispatch* disp = container.Dispatch(1091);
  EXPECT_EQ(static_cast<IDispatch*>(fake_.get()), disp);
  EXPECT_EQ(disp, container.DispatchOf(f.window));
  EXPECT_EQ(nullptr, container.Dispatch(100));
  EXPECT_EQ(nullptr, container.DispatchOf(GetDlgItem(dialog_, 100)));
}

TEST_F(ControlContainerTest, DestroyReleasesEverythingAndIsIdempotent) {
  {
    ControlContainer container(lookup_);
    ASSERT_TRUE(CreateDialogWith(container, {kLabel100, kGauge1091}, Streams1091()));
    HWND window = fake_->window;
    auto site = fake_->site;  // to see that nobody else keeps it
    fake_->calls.clear();

    container.DestroyControls();
    EXPECT_EQ((Calls{"InPlaceDeactivate", "Close", "SetClientSite(null)"}), fake_->calls);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, container.Dispatch(1091));
    EXPECT_EQ(0u, container.Count());
    EXPECT_EQ(0u, site.detach()->Release());

    container.DestroyControls();
  }  // and the destructor once more
  EXPECT_EQ(3u, fake_->calls.size());
  EXPECT_EQ(0u, FinalRelease());
  EXPECT_EQ(baseline_, com::ModuleCount());
}

TEST_F(ControlContainerTest, DestructorDestroysTheControls) {
  {
    ControlContainer container(lookup_);
    ASSERT_TRUE(CreateDialogWith(container, {kGauge1091}, Streams1091()));
  }
  EXPECT_EQ("SetClientSite(null)", fake_->calls.back());
  EXPECT_EQ(0u, FinalRelease());
  EXPECT_EQ(baseline_, com::ModuleCount());
}

TEST_F(ControlContainerTest, WithoutSiteFirstTheSiteIsSetAfterLoading) {
  fake_->misc = OLEMISC_ACTIVATEWHENVISIBLE;
  ControlContainer container(lookup_);
  ASSERT_TRUE(CreateDialogWith(container, {kGauge1091}, Streams1091()));
  EXPECT_EQ((Calls{"GetMiscStatus", "Load", "SetClientSite", "SetExtent", "DoVerb", "GetWindow"}), fake_->calls);
}

TEST_F(ControlContainerTest, AControlWithoutRecordStartsNew) {
  ControlContainer container(lookup_);
  TestItem item = kGauge1091;
  item.id = 1095;
  ASSERT_TRUE(CreateDialogWith(container, {item}, Streams1091()));
  EXPECT_EQ((Calls{"GetMiscStatus", "SetClientSite", "InitNew", "SetExtent", "DoVerb", "GetWindow"}), fake_->calls);
  EXPECT_TRUE(fake_->loaded.empty());
  EXPECT_EQ(fake_->window, GetDlgItem(dialog_, 1095));
}

TEST_F(ControlContainerTest, AFailingLoadFailsAndLetsTheControlGo) {
  fake_->loadResult = E_FAIL;
  {
    ControlContainer container(lookup_);
    EXPECT_FALSE(CreateDialogWith(container, {kLabel100, kGauge1091}, Streams1091()));
    EXPECT_EQ((Calls{"GetMiscStatus", "SetClientSite", "Load", "Close", "SetClientSite(null)"}), fake_->calls);
    EXPECT_EQ(0u, container.Count());
  }
  EXPECT_EQ(0u, FinalRelease());
  EXPECT_EQ(baseline_, com::ModuleCount());
}

TEST_F(ControlContainerTest, AnUnregisteredOrMalformedClassFails) {
  struct Case {
    const char* name;
    std::u16string cls;
  };
  const Case cases[] = {{"unregistered", kUnregisteredClass}, {"not a class id", u"{Zelbo}"}};
  for (const Case& c : cases) {
    ControlContainer container;  // the real lookup through COM
    TestItem item = kGauge1091;
    item.cls = c.cls;
    EXPECT_FALSE(CreateDialogWith(container, {kLabel100, item}, {})) << c.name;
    EXPECT_EQ(0u, container.Count()) << c.name;
    DestroyWindow(dialog_);
    dialog_ = nullptr;
  }
}

TEST_F(ControlContainerTest, ALaterFailureTakesDownTheControlsAlreadyCreated) {
  {
    ControlContainer container(lookup_);
    TestItem bad = kGauge1091;
    bad.id = 1092;
    bad.cls = kUnregisteredClass;
    EXPECT_FALSE(CreateDialogWith(container, {kGauge1091, bad}, Streams1091()));
    EXPECT_EQ("DoVerb", fake_->calls.at(4));
    EXPECT_EQ((Calls{"InPlaceDeactivate", "Close", "SetClientSite(null)"}),
              Calls(fake_->calls.end() - 3, fake_->calls.end()));
    EXPECT_EQ(nullptr, GetDlgItem(dialog_, 1091));
  }
  EXPECT_EQ(0u, FinalRelease());
}

// The whole road from the module's resources: the DIALOGEX template loses its
// control item, the DLGINIT record reaches the control.
TEST_F(ControlContainerTest, DialogResourceFromTheModuleCreatesItsControls) {
  auto res = LoadDialogResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101));
  ASSERT_TRUE(res);
  ASSERT_EQ(1u, res->split.controls.size());
  EXPECT_EQ(1091u, res->split.controls[0].id);
  EXPECT_EQ(1u, res->split.controls[0].keptBefore);

  ControlContainer container(lookup_);
  Run run{&container, &res->split.controls, &res->streams};
  dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), TemplateOf(res->split), nullptr, Proc,
                                       reinterpret_cast<LPARAM>(&run));
  ASSERT_NE(nullptr, dialog_) << "error " << GetLastError();
  ASSERT_TRUE(run.created);
  EXPECT_EQ(Bytes(kRecord1091.begin() + 4, kRecord1091.end()), fake_->loaded);
  EXPECT_EQ(fake_->window, GetDlgItem(dialog_, 1091));
  EXPECT_EQ(fake_->window, GetWindow(GetDlgItem(dialog_, 100), GW_HWNDNEXT));
  EXPECT_EQ(GetDlgItem(dialog_, 101), GetWindow(fake_->window, GW_HWNDNEXT));
}

TEST(LoadDialogResource, AMissingDialogGivesNothing) {
  EXPECT_FALSE(LoadDialogResource(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(999)));
}

}  // namespace
}  // namespace fw::occ
