#include "mainwnd/gauge_host.h"

#include "gauge/zelbo_ids.h"

namespace vantrel {

// The gauge accepts every call the wrapper makes and ignores values it does
// not take, so results are not examined.
void CGaugeHost::SetReverseScheme(BOOL value) { SetProperty(zelbo::kDispReverseScheme, VT_BOOL, value != FALSE); }

void CGaugeHost::SetPercent(BOOL value) { SetProperty(zelbo::kDispPercent, VT_BOOL, value != FALSE); }

void CGaugeHost::SetPos(short nPos) { InvokeHelper(zelbo::kDispSetPos, DISPATCH_METHOD, VT_EMPTY, nullptr, nPos); }

void CGaugeHost::SetRange(short nMin, short nMax) {
  InvokeHelper(zelbo::kDispSetRange, DISPATCH_METHOD, VT_EMPTY, nullptr, nMin, nMax);
}

void CGaugeHost::SetBorderWidth(short nWidth) {
  InvokeHelper(zelbo::kDispSetBorderWidth, DISPATCH_METHOD, VT_EMPTY, nullptr, nWidth);
}

}  // namespace vantrel
