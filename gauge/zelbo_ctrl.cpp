#include "gauge/zelbo_ctrl.h"

#include "fw/handle.h"
#include "fw/high_contrast.h"
#include "fw/ole/ole_dispatch.h"
#include "gauge/gauge_props.h"
#include "gauge/zelbo_ids.h"
#include "gauge/zelbo_res.h"

namespace {

using fw::ole::MemberKind;

fw::ole::COleControl::ClassInfo Info() {
  return {zelbo::ToGuid(zelbo::kCtrlClsid),
          zelbo::ToGuid(zelbo::kDispIid),
          zelbo::ToGuid(zelbo::kEventsIid),
          kZelboMiscStatus,
          IDS_ZELBO,
          {zelbo::ToGuid(zelbo::kPageClsid)},
          // A new instance's extent: 100 x 15 pixels at 96 dots per inch.
          {2646, 397}};
}

// Fills r with one colour, as the framework's FillSolidRect does.
void FillSolid(HDC dc, const zelbo::Rect& r, zelbo::Colour c) {
  if (r.Empty()) return;
  const RECT rc{r.left, r.top, r.right, r.bottom};
  ::SetBkColor(dc, c);
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void FillStrips(HDC dc, const std::vector<zelbo::Strip>& strips) {
  for (const zelbo::Strip& s : strips) FillSolid(dc, s.rect, s.colour);
}

// The caption in its colour over the background, and in its colour over the
// fill where it lies on the fill.
void DrawCaption(HDC dc, const zelbo::DrawPlan& plan) {
  fw::UniqueFont font(::CreateFontA(plan.fontHeight, 0, 0, 0, FW_THIN, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                    "Arial"));
  fw::SelectScope select(dc, font.get());
  SIZE extent{};
  const int len = static_cast<int>(plan.caption.size());
  ::GetTextExtentPoint32A(dc, plan.caption.c_str(), len, &extent);
  ::SetBkMode(dc, TRANSPARENT);
  const int x = zelbo::CaptionLeft(plan, extent.cx);
  if (plan.captionColour == plan.captionOnFillColour) {
    ::SetTextColor(dc, plan.captionColour);
    ::TextOutA(dc, x, plan.inner.top, plan.caption.c_str(), len);
    return;
  }
  const zelbo::Rect& f = plan.fill;
  for (const bool onFill : {false, true}) {
    const int saved = ::SaveDC(dc);
    if (onFill)
      ::IntersectClipRect(dc, f.left, f.top, f.right, f.bottom);
    else
      ::ExcludeClipRect(dc, f.left, f.top, f.right, f.bottom);
    ::SetTextColor(dc, onFill ? plan.captionOnFillColour : plan.captionColour);
    ::TextOutA(dc, x, plan.inner.top, plan.caption.c_str(), len);
    ::RestoreDC(dc, saved);
  }
}

}  // namespace

CZelboCtrl::CZelboCtrl() : COleControl(Info()) {}

CZelboCtrl::~CZelboCtrl() { DisconnectAccessible(); }

HRESULT CZelboCtrl::Create(REFIID iid, void** out) {
  auto ctl = fw::com::Make<CZelboCtrl>();
  if (!ctl) return E_OUTOFMEMORY;
  return ctl->QueryInterface(iid, out);
}

bool CZelboCtrl::DoPropExchange(fw::ole::PropExchange& px) { return zelbo::ExchangeProps(px, ControlExtent(), state_); }

DWORD CZelboCtrl::GetControlFlags() const {
  return COleControl::GetControlFlags() | noFlickerActivate | canOptimizeDraw;
}

const zelbo::DrawSettings& CZelboCtrl::SystemLook() {
  if (!systemLook_) {
    zelbo::DrawSettings look;
    look.highContrast = fw::HighContrastOn();
    look.system = {::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_HIGHLIGHT),
                   ::GetSysColor(COLOR_HIGHLIGHTTEXT)};
    systemLook_ = look;
  }
  return *systemLook_;
}

void CZelboCtrl::OnSystemLookChanged() { systemLook_.reset(); }

void CZelboCtrl::OnDraw(HDC dc, const RECT& bounds) {
  zelbo::DrawSettings settings = SystemLook();
  settings.focused = HasFocus();
  const zelbo::DrawPlan plan =
      zelbo::PlanDraw(state_, {bounds.left, bounds.top, bounds.right, bounds.bottom}, settings);
  ::SetMapMode(dc, MM_TEXT);
  FillSolid(dc, plan.bounds, plan.back);
  FillStrips(dc, plan.raised);
  if (plan.filled) FillSolid(dc, plan.fill, plan.fillColour);
  FillStrips(dc, plan.sunken);
  if (plan.captionDrawn) DrawCaption(dc, plan);
  if (plan.focusDrawn) {
    const RECT focus{plan.inner.left, plan.inner.top, plan.inner.right, plan.inner.bottom};
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::DrawFocusRect(dc, &focus);
  }
}

void CZelboCtrl::Apply(const zelbo::Effect& e) {
  if (e.modified) SetModifiedFlag(true);
  if (e.redraw) RequestRedraw();
}

void CZelboCtrl::OnPropertyChanged() {
  SetModifiedFlag(true);
  RequestRedraw();
}

HRESULT CZelboCtrl::InvokeMember(DISPID id, WORD flags, DISPPARAMS* dp, VARIANT* result, UINT* argErr) {
  const zelbo::Member* m = zelbo::FindMember(id);
  if (!m) return DISP_E_MEMBERNOTFOUND;
  bool put = false;
  HRESULT hr = fw::ole::CheckCall(m->isProperty ? MemberKind::Property : MemberKind::Method,
                                  static_cast<UINT>(m->paramCount), flags, dp, &put);
  if (FAILED(hr)) return hr;

  if (m->isProperty) {
    const bool reverse = id == zelbo::kDispReverseScheme;
    if (!put) {
      if (result) {
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = (reverse ? state_.ReverseScheme() : state_.Percent()) ? VARIANT_TRUE : VARIANT_FALSE;
      }
      return S_OK;
    }
    bool value = false;
    if (FAILED(hr = fw::ole::ArgBool(dp, 0, &value, argErr))) return hr;
    if (reverse)
      state_.SetReverseScheme(value);
    else
      state_.SetPercent(value);
    OnPropertyChanged();
    return S_OK;
  }

  const std::string before = zelbo::PercentText(state_);
  short a = 0, b = 0;
  DWORD colour = 0;
  if (m->paramCount >= 1 && FAILED(hr = fw::ole::ArgShort(dp, 0, &a, argErr))) return hr;
  if (m->paramCount >= 2) {
    hr = m->paramTypes[1] == zelbo::ArgType::OleColor ? fw::ole::ArgColour(dp, 1, &colour, argErr)
                                                      : fw::ole::ArgShort(dp, 1, &b, argErr);
    if (FAILED(hr)) return hr;
  }
  switch (id) {
    case zelbo::kDispSetPos:
      Apply(state_.SetPos(a));
      break;
    case zelbo::kDispSetRange:
      Apply(state_.SetRange(a, b));
      break;
    case zelbo::kDispStepIt:
      Apply(state_.StepIt());
      break;
    case zelbo::kDispSetStep:
      Apply(state_.SetStep(a));
      break;
    case zelbo::kDispSetEventColor:
      Apply(state_.SetEventColor(a, colour));
      break;
    case zelbo::kDispOffsetPos:
      Apply(state_.OffsetPos(a));
      break;
    case zelbo::kDispSetBorderWidth:
      Apply(state_.SetBorderWidth(a));
      break;
    case zelbo::kDispGetPos:
      if (result) {
        V_VT(result) = VT_I2;
        V_I2(result) = state_.GetPos();
      }
      break;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
  NotifyValueChange(before);
  return S_OK;
}

void CZelboCtrl::NotifyValueChange(const std::string& before) const {
  if (Window() && zelbo::PercentText(state_) != before)
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Window(), OBJID_CLIENT, CHILDID_SELF);
}

// ---- assistive technology ----

namespace {

// The platform's accessibility module, loaded from the system folder when a
// reader first asks for a gauge's object: a host that no reader looks at
// never loads it, and its start does not wait for it. It stays loaded, since
// the objects it makes may outlive any one gauge.
struct Oleacc {
  decltype(&::CreateStdAccessibleObject) createStandard = nullptr;
  decltype(&::LresultFromObject) resultFromObject = nullptr;

  static const Oleacc& Get() {
    static const Oleacc loaded = Load();
    return loaded;
  }

 private:
  static Oleacc Load() {
    Oleacc o;
    wchar_t path[MAX_PATH] = {};
    const UINT n = ::GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n + 12 >= MAX_PATH) return o;
    ::lstrcatW(path, L"\\oleacc.dll");
    const HMODULE module = ::LoadLibraryW(path);
    if (!module) return o;
    o.createStandard = reinterpret_cast<decltype(&::CreateStdAccessibleObject)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(module, "CreateStdAccessibleObject")));
    o.resultFromObject = reinterpret_cast<decltype(&::LresultFromObject)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(module, "LresultFromObject")));
    return o;
  }
};

}  // namespace

LRESULT CZelboCtrl::OnGetObject(WPARAM wp, LPARAM lp) {
  // The object id travels in the low 32 bits, sign and all.
  if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT || !Window()) return 0;
  const Oleacc& oleacc = Oleacc::Get();
  if (!oleacc.createStandard || !oleacc.resultFromObject) return 0;
  if (!accessible_) {
    fw::com::Ptr<IAccessible> standard;
    if (FAILED(oleacc.createStandard(Window(), OBJID_CLIENT, __uuidof(IAccessible), standard.put_void())) || !standard)
      return 0;
    accessible_ = fw::com::Make<zelbo::CGaugeAccessible>(static_cast<const zelbo::AccessibleSource*>(this), standard);
    if (!accessible_) return 0;
  }
  return oleacc.resultFromObject(__uuidof(IAccessible), wp, static_cast<IAccessible*>(accessible_.get()));
}

void CZelboCtrl::OnWindowDestroyed() { DisconnectAccessible(); }

void CZelboCtrl::DisconnectAccessible() noexcept {
  if (accessible_) accessible_->Disconnect();
  accessible_.reset();
}

zelbo::AccessibleText CZelboCtrl::AccessibleValue() const {
  const std::string text = zelbo::PercentText(state_);
  return zelbo::AccessibleText(text.begin(), text.end());
}

// The host's name for the control: its ambient display name, else the label
// before the control's window.
zelbo::AccessibleText CZelboCtrl::AccessibleName() const {
  VARIANT name;
  zelbo::AccessibleText text;
  if (SUCCEEDED(GetAmbientProperty(DISPID_AMBIENT_DISPLAYNAME, &name)) && name.vt == VT_BSTR && name.bstrVal)
    text.assign(name.bstrVal, name.bstrVal + ::SysStringLen(name.bstrVal));
  ::VariantClear(&name);
  if (text.empty() && Window()) text = zelbo::LabelBefore(Window());
  return text;
}

bool CZelboCtrl::AccessibleEnabled() const { return Window() && ::IsWindowEnabled(Window()); }
