// The gauge control: the framework's control base around the window-free
// gauge state, its draw plan and its persisted properties.
#pragma once

#include <optional>
#include <string>

#include "fw/ole/ole_control.h"
#include "gauge/draw_plan.h"
#include "gauge/gauge_accessible.h"
#include "gauge/gauge_state.h"

class CZelboCtrl final : public fw::ole::COleControl, private zelbo::AccessibleSource {
 public:
  CZelboCtrl();
  ~CZelboCtrl() override;
  // The class factory's creation function.
  static HRESULT Create(REFIID iid, void** out);

 protected:
  bool DoPropExchange(fw::ole::PropExchange& px) override;
  void OnDraw(HDC dc, const RECT& bounds) override;
  DWORD GetControlFlags() const override;
  HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* dp, VARIANT* result, UINT* argErr) override;
  LRESULT OnGetObject(WPARAM wp, LPARAM lp) override;
  void OnWindowDestroyed() override;
  void OnSystemLookChanged() override;

 private:
  // AccessibleSource
  zelbo::AccessibleText AccessibleValue() const override;
  zelbo::AccessibleText AccessibleName() const override;
  bool AccessibleEnabled() const override;
  // Lets a reader's object go on without the control.
  void DisconnectAccessible() noexcept;
  // Tells readers of a new value when a member changed the percentage.
  void NotifyValueChange(const std::string& before) const;

  // The system's contrast and colours as the drawing takes them: read at the
  // first drawing and again after the system tells of a change, since asking
  // the system costs more than the rest of a drawing.
  const zelbo::DrawSettings& SystemLook();

  // Repaints and marks modified as a member's effect asks.
  void Apply(const zelbo::Effect& e);
  // The shared change handler of the two properties.
  void OnPropertyChanged();

  zelbo::GaugeState state_;
  std::optional<zelbo::DrawSettings> systemLook_;
  fw::com::Ptr<zelbo::CGaugeAccessible> accessible_;
};

// Misc status of the control: OLEMISC_SETCLIENTSITEFIRST, ACTIVATEWHENVISIBLE,
// INSIDEOUT, CANTLINKINSIDE and RECOMPOSEONRESIZE.
inline constexpr DWORD kZelboMiscStatus = 0x00020191;
