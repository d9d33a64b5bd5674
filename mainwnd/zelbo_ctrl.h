// CZelboCtrl (host side): a hosted gauge, called only through its automation
// interface by DISPID. 32-bit figures are cut to their low 16 bits.
#pragma once

#include "fw/occ/hosted_control.h"

namespace vantrel {

class CZelboCtrl : public fw::occ::HostedControl {
 public:
  void SetReverseScheme(BOOL value);
  void SetPercent(BOOL value);
  void SetPos(short nPos);
  void SetRange(short nMin, short nMax);
  void SetBorderWidth(short nWidth);
};

}  // namespace vantrel
