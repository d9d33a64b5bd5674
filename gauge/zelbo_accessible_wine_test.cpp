// The gauge as assistive technology sees it: the object its window gives
// out, the events it raises, and a reader that keeps the object past the
// control's end.
#include <windows.h>
#include <oleacc.h>
#include <uiautomationclient.h>
#include <uiautomationcore.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/com.h"
#include "fw/handle.h"
#include "gauge/zelbo_fake_site_test_support.h"
#include "gauge/zelbo_ids.h"
#include "gauge/zelbo_test_support.h"

namespace zelbo_test {
namespace {

const VARIANT kSelf = [] {
  VARIANT v;
  ::VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = CHILDID_SELF;
  return v;
}();

std::wstring Bstr(HRESULT hr, BSTR b) {
  std::wstring s = SUCCEEDED(hr) && b ? std::wstring(b, ::SysStringLen(b)) : L"<none>";
  ::SysFreeString(b);
  return s;
}

struct Read {
  LONG role = 0, state = 0;
  std::wstring value, name;
};

Read ReadObject(IAccessible* acc) {
  Read r;
  VARIANT v;
  ::VariantInit(&v);
  if (SUCCEEDED(acc->get_accRole(kSelf, &v)) && V_VT(&v) == VT_I4) r.role = V_I4(&v);
  ::VariantInit(&v);
  if (SUCCEEDED(acc->get_accState(kSelf, &v)) && V_VT(&v) == VT_I4) r.state = V_I4(&v);
  BSTR b = nullptr;
  HRESULT hr = acc->get_accValue(kSelf, &b);
  r.value = Bstr(hr, b);
  b = nullptr;
  hr = acc->get_accName(kSelf, &b);
  r.name = Bstr(hr, b);
  return r;
}

Ptr<IAccessible> FromWindow(HWND wnd) {
  Ptr<IAccessible> acc;
  EXPECT_EQ(::AccessibleObjectFromWindow(wnd, OBJID_CLIENT, __uuidof(IAccessible), acc.put_void()), S_OK);
  return acc;
}

// A host window with a label, and a gauge placed after it in place.
struct Host {
  HWND top =
      ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 50, nullptr, nullptr, nullptr, nullptr);
  HWND label = ::CreateWindowExA(0, "STATIC", "Free &Memory :", WS_CHILD | WS_VISIBLE | SS_RIGHT, 150, 4, 100, 13, top,
                                 nullptr, nullptr, nullptr);
  Ptr<FakeSite> site = fw::com::Make<FakeSite>(top, false);
  Ptr<IDispatch> gauge;
  HWND ctl = nullptr;
  explicit Host(Ptr<IDispatch> d) : gauge(std::move(d)) {
    auto obj = gauge.As<IOleObject>(IID_IOleObject);
    EXPECT_EQ(obj->SetClientSite(site.get()), S_OK);
    RECT pos = site->pos;
    EXPECT_EQ(obj->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, top, &pos), S_OK);
    gauge.As<IOleInPlaceObject>(IID_IOleInPlaceObject)->GetWindow(&ctl);
  }
  void Close() {
    if (!gauge) return;
    auto obj = gauge.As<IOleObject>(IID_IOleObject);
    obj->Close(OLECLOSE_NOSAVE);
    obj->SetClientSite(nullptr);
    gauge.reset();
  }
  ~Host() {
    Close();
    ::DestroyWindow(top);
  }
};

TEST_F(Registered, ReadersFindAProgressBarWithTheShownPercentage) {
  Host h(Create());
  ASSERT_TRUE(::IsWindow(h.ctl));
  Method(h.gauge.get(), zelbo::kDispSetPos, {Arg(short{45})});
  Ptr<IAccessible> acc = FromWindow(h.ctl);
  ASSERT_TRUE(acc);
  Read r = ReadObject(acc.get());
  EXPECT_EQ(r.role, ROLE_SYSTEM_PROGRESSBAR);
  EXPECT_EQ(r.value, L"45%");
  EXPECT_EQ(r.name, L"Free Memory :");  // the label before it, its mnemonic marker taken out
  EXPECT_TRUE(r.state & STATE_SYSTEM_READONLY);
  EXPECT_FALSE(r.state & STATE_SYSTEM_UNAVAILABLE);

  // The percentage of the range, as the caption shows it.
  Method(h.gauge.get(), zelbo::kDispSetRange, {Arg(short{0}), Arg(short{200})});
  EXPECT_EQ(ReadObject(acc.get()).value, L"22%");
  ::EnableWindow(h.ctl, FALSE);
  EXPECT_TRUE(ReadObject(acc.get()).state & STATE_SYSTEM_UNAVAILABLE);

  // The host's own name for the control comes first.
  h.site->displayName = L"Free memory";
  EXPECT_EQ(ReadObject(acc.get()).name, L"Free memory");
  h.site->displayName.clear();
  ::DestroyWindow(h.label);
  EXPECT_EQ(ReadObject(acc.get()).name, L"<none>");  // nothing to name it by

  // Location comes from the platform's object for the window.
  LONG x = 0, y = 0, w = 0, hgt = 0;
  ASSERT_EQ(acc->accLocation(&x, &y, &w, &hgt, kSelf), S_OK);
  RECT rc{};
  ::GetWindowRect(h.ctl, &rc);
  EXPECT_EQ(x, rc.left);
  EXPECT_EQ(w, rc.right - rc.left);
}

// Value-change events, each step followed by a marker event of the test's
// own: once the marker has come, every event raised before it has too.
std::vector<DWORD> g_events;
void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT && child == CHILDID_SELF) g_events.push_back(event);
}

TEST_F(Registered, OneValueChangeEventPerChangedPercentage) {
  Host h(Create());
  ASSERT_TRUE(::IsWindow(h.ctl));
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, &OnEvent,
                                         ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);
  struct Step {
    const char* what;
    DISPID id;
    std::vector<Arg> args;
    int events;
  };
  const Step steps[] = {
      {"a new position", zelbo::kDispSetPos, {Arg(short{30})}, 1},
      {"the same position again", zelbo::kDispSetPos, {Arg(short{30})}, 0},
      {"a position outside the range", zelbo::kDispSetPos, {Arg(short{300})}, 0},
      {"a new colour", zelbo::kDispSetEventColor, {Arg(short{1}), Arg(0x00FF00)}, 0},
      {"a new range", zelbo::kDispSetRange, {Arg(short{0}), Arg(short{1000})}, 1},
      {"the same percentage", zelbo::kDispSetPos, {Arg(short{31})}, 0},
      {"a step", zelbo::kDispStepIt, {}, 0},
      {"a step to a new percentage", zelbo::kDispOffsetPos, {Arg(short{20})}, 1},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    g_events.clear();
    Method(h.gauge.get(), s.id, s.args);
    ::NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, h.ctl, OBJID_CLIENT, CHILDID_SELF);
    const ULONGLONG deadline = ::GetTickCount64() + 30000;
    while ((g_events.empty() || g_events.back() != EVENT_OBJECT_DESCRIPTIONCHANGE) && ::GetTickCount64() < deadline) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    }
    ASSERT_FALSE(g_events.empty());
    EXPECT_EQ(static_cast<int>(g_events.size()) - 1, s.events);
  }
  ::UnhookWinEvent(hook);
}

constexpr int kProgressBarControlType = 50012;

// UI Automation clients see the gauge through the platform's proxy over its
// object as a progress bar. Wine 8's proxy answers the control type; its Name
// and Value properties come back empty for every object, and it has no proxy
// for a window handle (UiaNodeFromHandle answers E_NOTIMPL).
TEST_F(Registered, AutomationClientsSeeAProgressBarThroughTheProxy) {
  Host h(Create());
  ASSERT_TRUE(::IsWindow(h.ctl));
  fw::UniqueModule uia(::LoadLibraryA("uiautomationcore.dll"));
  ASSERT_TRUE(uia);
  auto fromAccessible = reinterpret_cast<HRESULT(WINAPI*)(IAccessible*, long, DWORD, IRawElementProviderSimple**)>(
      reinterpret_cast<void*>(::GetProcAddress(uia.get(), "UiaProviderFromIAccessible")));
  ASSERT_TRUE(fromAccessible);
  Ptr<IAccessible> acc = FromWindow(h.ctl);
  Ptr<IRawElementProviderSimple> provider;
  ASSERT_EQ(fromAccessible(acc.get(), CHILDID_SELF, 0 /* UIA_PFIA_DEFAULT */, provider.put()), S_OK);
  VARIANT type;
  ::VariantInit(&type);
  ASSERT_EQ(provider->GetPropertyValue(UIA_ControlTypePropertyId, &type), S_OK);
  EXPECT_EQ(V_VT(&type), VT_I4);
  EXPECT_EQ(V_I4(&type), kProgressBarControlType);
}

TEST_F(Registered, AKeptObjectAnswersSafelyAfterTheControlIsGone) {
  Ptr<IAccessible> acc;
  {
    Host h(Create());
    acc = FromWindow(h.ctl);
    ASSERT_TRUE(acc);
    EXPECT_EQ(ReadObject(acc.get()).role, ROLE_SYSTEM_PROGRESSBAR);
    h.Close();  // the window goes first, then the control
  }
  BSTR b = reinterpret_cast<BSTR>(kPoisonPtr);
  EXPECT_EQ(acc->get_accValue(kSelf, &b), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(b, nullptr);
  VARIANT v;
  ::VariantInit(&v);
  EXPECT_EQ(acc->get_accRole(kSelf, &v), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(acc->get_accState(kSelf, &v), CO_E_OBJNOTCONNECTED);
  LONG x = 1, y = 1, w = 1, hgt = 1;
  EXPECT_EQ(acc->accLocation(&x, &y, &w, &hgt, kSelf), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(x + y + w + hgt, 0);
  Ptr<IDispatch> parent;
  EXPECT_EQ(acc->get_accParent(parent.put()), CO_E_OBJNOTCONNECTED);
  EXPECT_FALSE(parent);
}

}  // namespace
}  // namespace zelbo_test
