#include "mainwnd/zelbo_ctrl.h"

#include "gauge/zelbo_ids.h"

namespace vantrel {
namespace {

VARIANT Short(short v) {
  VARIANT var;
  var.vt = VT_I2;
  var.iVal = v;
  return var;
}

VARIANT Bool(BOOL v) {
  VARIANT var;
  var.vt = VT_BOOL;
  var.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
  return var;
}

}  // namespace

// The gauge accepts every call the wrapper makes and ignores values it does
// not take, so results are not examined.
void CZelboCtrl::SetReverseScheme(BOOL value) { SetProperty(zelbo::kDispReverseScheme, Bool(value)); }

void CZelboCtrl::SetPercent(BOOL value) { SetProperty(zelbo::kDispPercent, Bool(value)); }

void CZelboCtrl::SetPos(short nPos) {
  const VARIANT args[] = {Short(nPos)};
  InvokeHelper(zelbo::kDispSetPos, DISPATCH_METHOD, VT_EMPTY, nullptr, args, 1);
}

void CZelboCtrl::SetRange(short nMin, short nMax) {
  const VARIANT args[] = {Short(nMin), Short(nMax)};
  InvokeHelper(zelbo::kDispSetRange, DISPATCH_METHOD, VT_EMPTY, nullptr, args, 2);
}

void CZelboCtrl::SetBorderWidth(short nWidth) {
  const VARIANT args[] = {Short(nWidth)};
  InvokeHelper(zelbo::kDispSetBorderWidth, DISPATCH_METHOD, VT_EMPTY, nullptr, args, 1);
}

}  // namespace vantrel
