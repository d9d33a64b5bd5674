// The gauge control: the framework's control base around the window-free
// gauge state, its draw plan and its persisted properties.
#pragma once

#include "fw/ole/ole_control.h"
#include "gauge/draw_plan.h"
#include "gauge/gauge_state.h"

class CZelboCtrl final : public fw::ole::COleControl {
 public:
  CZelboCtrl();
  // The class factory's creation function.
  static HRESULT Create(REFIID iid, void** out);

 protected:
  bool DoPropExchange(fw::ole::PropExchange& px) override;
  void OnDraw(HDC dc, const RECT& bounds) override;
  DWORD GetControlFlags() const override;
  HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* dp, VARIANT* result, UINT* argErr) override;

 private:
  // Repaints and marks modified as a member's effect asks.
  void Apply(const zelbo::Effect& e);
  // The shared change handler of the two properties.
  void OnPropertyChanged();

  zelbo::GaugeState state_;
};

// Misc status of the control: OLEMISC_SETCLIENTSITEFIRST, ACTIVATEWHENVISIBLE,
// INSIDEOUT, CANTLINKINSIDE and RECOMPOSEONRESIZE.
inline constexpr DWORD kZelboMiscStatus = 0x00020191;
