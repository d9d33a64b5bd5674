// Checks and argument coercion for an IDispatch::Invoke that switches on the
// DISPID: the standard dispatch errors for wrong flags, counts and types.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace fw::ole {

enum class MemberKind { Method, Property };

// Validates the call shape: DISP_E_MEMBERNOTFOUND for a kind of call the
// member does not support, DISP_E_NONAMEDARGS, DISP_E_BADPARAMCOUNT,
// DISP_E_PARAMNOTOPTIONAL for a put without its named argument. On success
// `put` tells a property write from a read.
HRESULT CheckCall(MemberKind kind, UINT paramCount, WORD flags, const DISPPARAMS* dp, bool* put);

// Argument `position` (0 = first) coerced to `vt` into *out (VariantInit'ed
// by the caller). DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW set *argErr.
HRESULT GetArg(const DISPPARAMS* dp, UINT position, VARTYPE vt, VARIANT* out, UINT* argErr);

// Typed forms of GetArg.
HRESULT ArgShort(const DISPPARAMS* dp, UINT position, short* out, UINT* argErr);
HRESULT ArgBool(const DISPPARAMS* dp, UINT position, bool* out, UINT* argErr);
// A colour: a 32-bit value, signed or not.
HRESULT ArgColour(const DISPPARAMS* dp, UINT position, DWORD* out, UINT* argErr);

}  // namespace fw::ole
