// CGaugeHost: a gauge the main window hosts, called only through its
// automation interface by DISPID. The gauge takes 16-bit figures: callers cut
// theirs to the low 16 bits (GaugeShort).
#pragma once

#include "fw/occ/hosted_control.h"

namespace vantrel {

class CGaugeHost : public fw::occ::HostedControl {
 public:
  void SetReverseScheme(BOOL value);
  void SetPercent(BOOL value);
  void SetPos(short nPos);
  void SetRange(short nMin, short nMax);
  void SetBorderWidth(short nWidth);
};

}  // namespace vantrel
