// The gauge on screen: drawing into a device context, redraw notices, its
// verbs, and in-place activation in a strict fake site and in the platform's
// control host.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fw/com.h"
#include "fw/handle.h"
#include "gauge/zelbo_fake_site_test_support.h"
#include "gauge/zelbo_ids.h"
#include "gauge/zelbo_test_support.h"

namespace zelbo_test {
namespace {

// An advise sink on the container side that counts redraw notices.
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

// ---- verbs ----

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

// ---- in-place activation in a strict fake container ----

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

}  // namespace
}  // namespace zelbo_test
