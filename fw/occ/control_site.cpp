#include "fw/occ/control_site.h"

#include <olectl.h>

#include "fw/handle.h"

namespace fw::occ::detail {
namespace {

constexpr int kHimetricPerInch = 2540;

SIZE ScreenDpi() {
  WindowDc screen(nullptr);
  SIZE dpi{96, 96};
  if (screen.get()) {
    dpi.cx = GetDeviceCaps(screen.get(), LOGPIXELSX);
    dpi.cy = GetDeviceCaps(screen.get(), LOGPIXELSY);
  }
  if (dpi.cx <= 0) dpi.cx = 96;
  if (dpi.cy <= 0) dpi.cy = 96;
  return dpi;
}

}  // namespace

SIZEL PixelsToHimetric(SIZE pixels) {
  const SIZE dpi = ScreenDpi();
  return {MulDiv(pixels.cx, kHimetricPerInch, dpi.cx), MulDiv(pixels.cy, kHimetricPerInch, dpi.cy)};
}

SIZE HimetricToPixels(SIZEL himetric) {
  const SIZE dpi = ScreenDpi();
  return {MulDiv(himetric.cx, dpi.cx, kHimetricPerInch), MulDiv(himetric.cy, dpi.cy, kHimetricPerInch)};
}

void* Frame::Find(REFIID iid) noexcept {
  if (void* p = com::Match<IOleInPlaceFrame>(this, iid, IID_IUnknown)) return p;
  if (void* p = com::Match<IOleInPlaceFrame>(this, iid, IID_IOleWindow)) return p;
  if (void* p = com::Match<IOleInPlaceFrame>(this, iid, IID_IOleInPlaceUIWindow)) return p;
  return com::Match<IOleInPlaceFrame>(this, iid, IID_IOleInPlaceFrame);
}

STDMETHODIMP Frame::GetWindow(HWND* wnd) {
  if (!wnd) return E_POINTER;
  *wnd = dialog_;
  return S_OK;
}

void* ControlSite::Find(REFIID iid) noexcept {
  if (void* p = com::Match<IOleClientSite>(this, iid, IID_IUnknown)) return p;
  if (void* p = com::Match<IOleClientSite>(this, iid, IID_IOleClientSite)) return p;
  if (void* p = com::Match<IOleInPlaceSite>(this, iid, IID_IOleWindow)) return p;
  if (void* p = com::Match<IOleInPlaceSite>(this, iid, IID_IOleInPlaceSite)) return p;
  if (void* p = com::Match<IOleControlSite>(this, iid, IID_IOleControlSite)) return p;
  return com::Match<IDispatch>(this, iid, IID_IDispatch);
}

STDMETHODIMP ControlSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetContainer(IOleContainer** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP ControlSite::GetWindow(HWND* wnd) {
  if (!wnd) return E_POINTER;
  *wnd = dialog_;
  return S_OK;
}

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                           LPOLEINPLACEFRAMEINFO info) {
  if (frame) *frame = nullptr;
  if (doc) *doc = nullptr;
  if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
  if (!frame_) return E_UNEXPECTED;  // the container has let this control go
  *pos = position_;
  if (!GetClientRect(dialog_, clip)) *clip = position_;
  // The caller sets cb; the rest is ours to fill.
  info->fMDIApp = FALSE;
  info->hwndFrame = dialog_;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  frame_->AddRef();
  *frame = frame_.get();
  return S_OK;
}

STDMETHODIMP ControlSite::OnPosRectChange(LPCRECT pos) {
  if (!pos) return E_POINTER;
  position_ = *pos;
  return S_OK;
}

STDMETHODIMP ControlSite::GetExtendedControl(IDispatch** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOTIMPL;
}

// Dialog coordinates are pixels: the same scale for positions and sizes.
STDMETHODIMP ControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
  if (!himetric || !container) return E_POINTER;
  if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
    const SIZE px = HimetricToPixels({himetric->x, himetric->y});
    container->x = static_cast<float>(px.cx);
    container->y = static_cast<float>(px.cy);
    return S_OK;
  }
  if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
    const SIZEL hm = PixelsToHimetric({static_cast<LONG>(container->x), static_cast<LONG>(container->y)});
    himetric->x = hm.cx;
    himetric->y = hm.cy;
    return S_OK;
  }
  return E_INVALIDARG;
}

STDMETHODIMP ControlSite::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP ControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
  if (!ids) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

// The controls of a dialog run, never design: user mode is the one ambient
// answered; for the others the control uses its own defaults.
STDMETHODIMP ControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                 UINT*) {
  if (id != DISPID_AMBIENT_USERMODE) return DISP_E_MEMBERNOTFOUND;
  if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
  if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (!result) return E_POINTER;
  VariantInit(result);
  result->vt = VT_BOOL;
  result->boolVal = VARIANT_TRUE;
  return S_OK;
}

}  // namespace fw::occ::detail
