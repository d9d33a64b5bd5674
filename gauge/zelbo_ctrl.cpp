#include "gauge/zelbo_ctrl.h"

#include "fw/handle.h"
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

}  // namespace

CZelboCtrl::CZelboCtrl() : COleControl(Info()) {}

HRESULT CZelboCtrl::Create(REFIID iid, void** out) {
  auto ctl = fw::com::Make<CZelboCtrl>();
  if (!ctl) return E_OUTOFMEMORY;
  return ctl->QueryInterface(iid, out);
}

bool CZelboCtrl::DoPropExchange(fw::ole::PropExchange& px) {
  return zelbo::ExchangeProps(px, ControlExtent(), state_);
}

DWORD CZelboCtrl::GetControlFlags() const {
  return COleControl::GetControlFlags() | noFlickerActivate | canOptimizeDraw;
}

void CZelboCtrl::OnDraw(HDC dc, const RECT& bounds) {
  const zelbo::DrawPlan plan = zelbo::PlanDraw(state_, {bounds.left, bounds.top, bounds.right, bounds.bottom});
  ::SetMapMode(dc, MM_TEXT);
  FillSolid(dc, plan.bounds, plan.back);
  FillStrips(dc, plan.raised);
  if (plan.filled) FillSolid(dc, plan.fill, plan.fillColour);
  FillStrips(dc, plan.sunken);
  if (!plan.captionDrawn) return;
  fw::UniqueFont font(::CreateFontA(plan.fontHeight, 0, 0, 0, FW_THIN, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                    "Arial"));
  fw::SelectScope select(dc, font.get());
  SIZE extent{};
  const int len = static_cast<int>(plan.caption.size());
  ::GetTextExtentPoint32A(dc, plan.caption.c_str(), len, &extent);
  ::SetTextColor(dc, zelbo::kCaptionColour);
  ::SetBkMode(dc, TRANSPARENT);
  ::TextOutA(dc, zelbo::CaptionLeft(plan, extent.cx), plan.inner.top, plan.caption.c_str(), len);
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
  return S_OK;
}
