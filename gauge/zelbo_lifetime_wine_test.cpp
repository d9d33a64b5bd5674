// The module's lifetime: exceptions stopped at the COM boundary, the
// property page and its dialog, when the module may unload, and several
// apartments at once.
#include <windows.h>
#include <commctrl.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "fw/com.h"
#include "fw/ole/com_guard.h"
#include "fw/top_window.h"
#include "gauge/zelbo_fake_site_test_support.h"
#include "gauge/zelbo_ids.h"
#include "gauge/zelbo_res.h"
#include "gauge/zelbo_test_support.h"
#include "res/dialog_labels_test_support.h"

namespace zelbo_test {
namespace {

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

// ---- property page ----

int g_tabs = -1;
std::string g_tabText;

// The timer's step while the modal frame runs: once the frame shows, reads
// its tabs and closes it.
VOID CALLBACK CloseFrame(HWND, UINT, UINT_PTR id, DWORD) {
  HWND frame = fw::FindTopWindow([](HWND w) {
    return ::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId() && ::IsWindowVisible(w) &&
           ::FindWindowExA(w, nullptr, "SysTabControl32", nullptr);
  });
  if (!frame) return;
  HWND tab = ::FindWindowExA(frame, nullptr, "SysTabControl32", nullptr);
  g_tabs = static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  char text[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  ::SendMessageA(tab, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  g_tabText = text;
  ::PostMessageA(frame, WM_COMMAND, IDCANCEL, 0);
  ::KillTimer(nullptr, id);
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

// The page's dialog, and any dialog the module gains later, shows its labels
// whole in the font it really gets.
TEST(PropertyPage, EveryLabelOfTheModulesDialogsReadsWhole) {
  Module module;
  ASSERT_TRUE(module.dll);
  const vt_test::ModuleLabels checked = vt_test::CheckEveryDialog(module.dll.get());
  for (const std::string& fault : checked.faults) ADD_FAILURE() << fault;
  bool page = false;
  for (const auto& dialog : checked.dialogs) page = page || dialog.id == IDD_PROPPAGE_ZELBO;
  EXPECT_TRUE(page);
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

}  // namespace
}  // namespace zelbo_test
