#include "mainwnd/zelbo_ctrl.h"

#include "gauge/zelbo_ids.h"

namespace vantrel {

// The gauge accepts every call the wrapper makes and ignores values it does
// not take, so results are not examined.
void CZelboCtrl::SetReverseScheme(BOOL value) { SetProperty(zelbo::kDispReverseScheme, VT_BOOL, value != FALSE); }

void CZelboCtrl::SetPercent(BOOL value) { SetProperty(zelbo::kDispPercent, VT_BOOL, value != FALSE); }

void CZelboCtrl::SetPos(short nPos) { InvokeHelper(zelbo::kDispSetPos, DISPATCH_METHOD, VT_EMPTY, nullptr, nPos); }

void CZelboCtrl::SetRange(short nMin, short nMax) {
  InvokeHelper(zelbo::kDispSetRange, DISPATCH_METHOD, VT_EMPTY, nullptr, nMin, nMax);
}

void CZelboCtrl::SetBorderWidth(short nWidth) {
  InvokeHelper(zelbo::kDispSetBorderWidth, DISPATCH_METHOD, VT_EMPTY, nullptr, nWidth);
}

}  // namespace vantrel
