#include "fw/ole/ole_control.h"

#include <algorithm>
#include <cwchar>
#include <new>
#include <string>
#include <utility>

#include "fw/handle.h"
#include "fw/ole/com_guard.h"
#include "fw/ole/ole_module.h"
#include "fw/ole/prop_bag.h"
#include "fw/report_caught.h"

namespace fw::ole {
namespace {

// An enumerator over a snapshot of items. Copy gives a copy its own
// references or memory (false when memory runs out), Clear releases them.
template <class IEnum, class T, bool (*Copy)(T&, const T&), void (*Clear)(T&)>
class Enumerator final : public com::Object<Enumerator<IEnum, T, Copy, Clear>, IEnum> {
 public:
  Enumerator(const std::vector<T>& items, ULONG pos) : pos_(pos) {
    items_.reserve(items.size());
    for (const T& item : items) {
      T copy{};
      if (!Copy(copy, item)) {
        for (T& t : items_) Clear(t);
        throw std::bad_alloc();
      }
      items_.push_back(copy);
    }
  }
  ~Enumerator() override {
    for (T& t : items_) Clear(t);
  }
  void* Find(REFIID iid) noexcept {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(IEnum))) return static_cast<IEnum*>(this);
    return nullptr;
  }
  STDMETHODIMP Next(ULONG count, T* out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && pos_ < items_.size(); ++n, ++pos_) {
      if (!Copy(out[n], items_[pos_])) {
        while (n > 0) Clear(out[--n]);
        if (fetched) *fetched = 0;
        return E_OUTOFMEMORY;
      }
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) override {
    const ULONG left = static_cast<ULONG>(items_.size()) - pos_;
    pos_ += std::min(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    pos_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnum** out) override {
    if (!out) return E_POINTER;
    *out = com::Make<Enumerator>(items_, pos_).detach();
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  std::vector<T> items_;
  ULONG pos_;
};

bool CopyCp(IConnectionPoint*& to, IConnectionPoint* const& from) {
  to = from;
  if (to) to->AddRef();
  return true;
}
void ClearCp(IConnectionPoint*& cp) {
  if (cp) cp->Release();
  cp = nullptr;
}
bool CopyCd(CONNECTDATA& to, const CONNECTDATA& from) {
  to = from;
  if (to.pUnk) to.pUnk->AddRef();
  return true;
}
void ClearCd(CONNECTDATA& cd) {
  if (cd.pUnk) cd.pUnk->Release();
  cd.pUnk = nullptr;
}
// A verb's name is the caller's to free, with CoTaskMemFree.
bool CopyVerb(OLEVERB& to, const OLEVERB& from) {
  to = from;
  to.lpszVerbName = nullptr;
  if (!from.lpszVerbName) return true;
  const size_t bytes = (std::wcslen(from.lpszVerbName) + 1) * sizeof(OLECHAR);
  to.lpszVerbName = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
  if (!to.lpszVerbName) return false;
  std::copy_n(from.lpszVerbName, bytes / sizeof(OLECHAR), to.lpszVerbName);
  return true;
}
void ClearVerb(OLEVERB& v) {
  ::CoTaskMemFree(v.lpszVerbName);
  v.lpszVerbName = nullptr;
}
using EnumCps = Enumerator<IEnumConnectionPoints, IConnectionPoint*, CopyCp, ClearCp>;
using EnumCds = Enumerator<IEnumConnections, CONNECTDATA, CopyCd, ClearCd>;
using EnumOleVerbs = Enumerator<IEnumOLEVERB, OLEVERB, CopyVerb, ClearVerb>;

// The connection point of the event interface: a small object that keeps its
// control alive; the control keeps the sinks.
class EventPoint final : public com::Object<EventPoint, IConnectionPoint> {
 public:
  explicit EventPoint(COleControl* owner) : owner_(static_cast<IConnectionPointContainer*>(owner)), ctl_(owner) {}
  void* Find(REFIID iid) noexcept {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint))
      return static_cast<IConnectionPoint*>(this);
    return nullptr;
  }
  STDMETHODIMP GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = ctl_->EventsIid();
    return S_OK;
  }
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (!out) return E_POINTER;
    *out = owner_.get();
    (*out)->AddRef();
    return S_OK;
  }
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override { return ctl_->AdviseEvents(sink, cookie); }
  STDMETHODIMP Unadvise(DWORD cookie) override { return ctl_->UnadviseEvents(cookie); }
  STDMETHODIMP EnumConnections(IEnumConnections** out) override { return ctl_->EnumEventConnections(out); }

 private:
  com::Ptr<IConnectionPointContainer> owner_;
  COleControl* ctl_;
};

// Sets *out to a CoTaskMem copy of text, as OLE out-strings are.
HRESULT TaskString(const std::string& text, LPOLESTR* out) {
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  *out = static_cast<LPOLESTR>(::CoTaskMemAlloc(sizeof(OLECHAR) * (n > 0 ? n : 1)));
  if (!*out) return E_OUTOFMEMORY;
  (*out)[0] = 0;
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, *out, n);
  return S_OK;
}

}  // namespace

COleControl::COleControl(ClassInfo info) : info_(std::move(info)), extent_(info_.extent) {}

COleControl::~COleControl() {
  if (wnd_) {
    ::SetWindowLongPtrA(wnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(wnd_);
  }
}

void* COleControl::Find(REFIID iid) noexcept {
  if (IsEqualIID(iid, IID_IUnknown)) return static_cast<IOleObject*>(this);
  if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, info_.dispIid)) return static_cast<IDispatch*>(this);
  if (IsEqualIID(iid, IID_IOleWindow)) return static_cast<IOleInPlaceObject*>(this);
  if (IsEqualIID(iid, IID_IPersist)) return static_cast<IPersistStreamInit*>(this);
  if (IsEqualIID(iid, IID_IViewObject)) return static_cast<IViewObject2*>(this);
  if (IsEqualIID(iid, IID_IProvideClassInfo)) return static_cast<IProvideClassInfo2*>(this);
  void* p = nullptr;
  (p = com::Match<IOleObject>(this, iid, IID_IOleObject)) ||
      (p = com::Match<IOleInPlaceObject>(this, iid, IID_IOleInPlaceObject)) ||
      (p = com::Match<IOleInPlaceActiveObject>(this, iid, IID_IOleInPlaceActiveObject)) ||
      (p = com::Match<IOleControl>(this, iid, IID_IOleControl)) ||
      (p = com::Match<IViewObject2>(this, iid, IID_IViewObject2)) ||
      (p = com::Match<IPersistStreamInit>(this, iid, IID_IPersistStreamInit)) ||
      (p = com::Match<IPersistPropertyBag>(this, iid, IID_IPersistPropertyBag)) ||
      (p = com::Match<IProvideClassInfo2>(this, iid, IID_IProvideClassInfo2)) ||
      (p = com::Match<ISpecifyPropertyPages>(this, iid, IID_ISpecifyPropertyPages)) ||
      (p = com::Match<IConnectionPointContainer>(this, iid, IID_IConnectionPointContainer));
  return p;
}

HRESULT COleControl::GetAmbientProperty(DISPID id, VARIANT* out) const {
  ::VariantInit(out);
  auto ambient = site_.As<IDispatch>(IID_IDispatch);
  if (!ambient) return E_NOINTERFACE;
  DISPPARAMS none{};
  return ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, out, nullptr, nullptr);
}

// ---- drawing and the window ----

void COleControl::RequestRedraw() {
  if (wnd_) {
    ::InvalidateRect(wnd_, nullptr, TRUE);
    return;
  }
  // No window of our own: only the container's view sink may hear of it.
  if (viewSink_ && (viewAspects_ & DVASPECT_CONTENT)) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

void COleControl::Paint() {
  PaintDc paint(wnd_);
  RECT client{};
  ::GetClientRect(wnd_, &client);
  const int saved = ::SaveDC(paint.get());
  if (GetControlFlags() & clipPaintDC)
    ::IntersectClipRect(paint.get(), client.left, client.top, client.right, client.bottom);
  OnDraw(paint.get(), client);
  ::RestoreDC(paint.get(), saved);
}

LRESULT CALLBACK COleControl::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
    ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<COleControl*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (self) {
    switch (msg) {
      case WM_PAINT:
        try {
          self->Paint();
        } catch (...) {
          ReportCaught("COleControl WM_PAINT");
        }
        return 0;
      case WM_ERASEBKGND:
        return 1;  // OnDraw covers every pixel
      case WM_PRINTCLIENT:
        // The window's own drawing into the caller's device context, as a
        // capture of its parent (PrintWindow) asks for it.
        try {
          const auto dc = reinterpret_cast<HDC>(wp);
          RECT client{};
          ::GetClientRect(wnd, &client);
          const int saved = ::SaveDC(dc);
          self->OnDraw(dc, client);
          ::RestoreDC(dc, saved);
        } catch (...) {
          ReportCaught("COleControl WM_PRINTCLIENT");
        }
        return 0;
      case WM_SYSCOLORCHANGE:
      case WM_SETTINGCHANGE:
      case WM_THEMECHANGED:
        // The drawing follows the system's colours and contrast: it changes
        // with them at once.
        self->OnSystemLookChanged();
        ::InvalidateRect(wnd, nullptr, TRUE);
        break;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        // The drawing shows the focus.
        self->focused_ = msg == WM_SETFOCUS;
        ::InvalidateRect(wnd, nullptr, TRUE);
        break;
      case WM_GETOBJECT:
        try {
          if (const LRESULT r = self->OnGetObject(wp, lp)) return r;
        } catch (...) {
          ReportCaught("COleControl WM_GETOBJECT");
        }
        break;
      case WM_NCDESTROY:
        // The container may destroy its window, and ours with it, first.
        self->OnWindowDestroyed();
        self->wnd_ = nullptr;
        self->focused_ = false;
        ::SetWindowLongPtrA(wnd, GWLP_USERDATA, 0);
        break;
      default:
        break;
    }
  }
  return ::DefWindowProcA(wnd, msg, wp, lp);
}

HRESULT COleControl::InPlaceActivate(bool uiActivate, HWND parentHint, LPCRECT posHint) {
  if (!site_) return E_UNEXPECTED;
  if (!inPlaceSite_) {
    com::Ptr<IOleInPlaceSite> site = site_.As<IOleInPlaceSite>(IID_IOleInPlaceSite);
    if (!site) return E_NOINTERFACE;
    if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
    inPlaceEx_ = false;
    if (GetControlFlags() & noFlickerActivate) {
      if (auto ex = site.As<IOleInPlaceSiteEx>(IID_IOleInPlaceSiteEx)) {
        BOOL noRedraw = FALSE;
        if (FAILED(ex->OnInPlaceActivateEx(&noRedraw, 0))) return E_FAIL;
        inPlaceEx_ = true;
      }
    }
    if (!inPlaceEx_ && FAILED(site->OnInPlaceActivate())) return E_FAIL;
    inPlaceSite_ = site;
  }
  if (!wnd_) {
    HWND parent = nullptr;
    if (FAILED(inPlaceSite_->GetWindow(&parent)) || !parent) parent = parentHint;
    com::Ptr<IOleInPlaceFrame> frame;
    com::Ptr<IOleInPlaceUIWindow> doc;
    RECT pos{}, clip{};
    OLEINPLACEFRAMEINFO fi{};
    fi.cb = sizeof fi;
    if (SUCCEEDED(inPlaceSite_->GetWindowContext(frame.put(), doc.put(), &pos, &clip, &fi))) {
      frame_ = frame;
      uiWindow_ = doc;
    } else if (posHint) {
      pos = *posHint;
    }
    pos_ = pos;
    auto& module = COleControlModule::Instance();
    // No WS_CLIPSIBLINGS: dialogs often draw group frames as earlier (higher)
    // siblings around their controls, and clipping against those would hide
    // the whole control, as it would any plain control in the same place.
    wnd_ =
        ::CreateWindowExA(0, module.ControlWindowClass(&COleControl::WndProc), "", WS_CHILD | WS_CLIPCHILDREN, pos.left,
                          pos.top, pos.right - pos.left, pos.bottom - pos.top, parent, nullptr, module.Handle(), this);
    if (!wnd_) {
      InPlaceDeactivate();
      return E_FAIL;
    }
  }
  ::ShowWindow(wnd_, SW_SHOWNA);
  if (uiActivate && !uiActive_) {
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    if (frame_) frame_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    if (uiWindow_) uiWindow_->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
  }
  return S_OK;
}

// ---- IDispatch ----

HRESULT COleControl::DispTypeInfo(ITypeInfo** out) {
  *out = nullptr;
  if (!dispInfo_) {
    com::Ptr<ITypeLib> lib;
    const HRESULT hr = COleControlModule::Instance().TypeLib(lib.put());
    if (FAILED(hr)) return hr;
    const HRESULT hr2 = lib->GetTypeInfoOfGuid(info_.dispIid, dispInfo_.put());
    if (FAILED(hr2)) return hr2;
  }
  *out = dispInfo_.get();
  (*out)->AddRef();
  return S_OK;
}

STDMETHODIMP COleControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP COleControl::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return DispTypeInfo(out);
}

STDMETHODIMP COleControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids) return E_POINTER;
  com::Ptr<ITypeInfo> ti;
  const HRESULT hr = DispTypeInfo(ti.put());
  if (FAILED(hr)) return hr;
  return ::DispGetIDsOfNames(ti.get(), names, count, ids);
}

STDMETHODIMP COleControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* dp, VARIANT* result, EXCEPINFO*,
                                 UINT* argErr) {
  // Callers may pass an uninitialised result: it is written, never cleared.
  if (result) ::VariantInit(result);
  if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (!dp) return E_INVALIDARG;
  return Guarded([&] { return InvokeMember(id, flags, dp, result, argErr); });
}

// ---- IOleObject ----

STDMETHODIMP COleControl::SetClientSite(IOleClientSite* site) {
  site_ = com::Ptr<IOleClientSite>(site);
  return S_OK;
}

STDMETHODIMP COleControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = site_.get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

STDMETHODIMP COleControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP COleControl::Close(DWORD saveOption) {
  InPlaceDeactivate();
  if (modified_ && site_ && saveOption == OLECLOSE_SAVEIFDIRTY) site_->SaveObject();
  if (adviseHolder_) adviseHolder_->SendOnClose();
  return S_OK;
}

STDMETHODIMP COleControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }

STDMETHODIMP COleControl::GetMoniker(DWORD, DWORD, IMoniker** mk) {
  if (!mk) return E_POINTER;
  *mk = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP COleControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }

STDMETHODIMP COleControl::GetClipboardData(DWORD, IDataObject** data) {
  if (!data) return E_POINTER;
  *data = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP COleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT pos) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
      return InPlaceActivate(true, parent, pos);
    case OLEIVERB_INPLACEACTIVATE:
      return InPlaceActivate(false, parent, pos);
    case OLEIVERB_HIDE:
      if (wnd_) ::ShowWindow(wnd_, SW_HIDE);
      return S_OK;
    case OLEIVERB_DISCARDUNDOSTATE:
      return S_OK;
    case OLEIVERB_PROPERTIES:
      return ShowPropertyFrame(parent);
    default: {
      if (verb < 0) return E_NOTIMPL;
      // A verb the control does not know acts as the primary verb.
      const HRESULT hr = InPlaceActivate(true, parent, pos);
      return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
    }
  }
}

STDMETHODIMP COleControl::EnumVerbs(IEnumOLEVERB** verbs) {
  if (!verbs) return E_POINTER;
  *verbs = nullptr;
  // The verb a container may put on its menu: the property frame. The list
  // lives here, not in the registry.
  return Guarded([&]() -> HRESULT {
    const std::vector<OLEVERB> list{
        {OLEIVERB_PROPERTIES, const_cast<LPOLESTR>(L"&Properties..."), 0, OLEVERBATTRIB_ONCONTAINERMENU}};
    *verbs = com::Make<EnumOleVerbs>(list, 0).detach();
    return *verbs ? S_OK : E_OUTOFMEMORY;
  });
}

STDMETHODIMP COleControl::Update() { return S_OK; }
STDMETHODIMP COleControl::IsUpToDate() { return S_OK; }

STDMETHODIMP COleControl::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

STDMETHODIMP COleControl::GetUserType(DWORD, LPOLESTR* type) {
  if (!type) return E_POINTER;
  *type = nullptr;
  return Guarded([&] {
    std::string name = COleControlModule::Instance().LoadString(info_.typeNameId);
    if (name.empty()) name = GuidText(info_.clsid);
    return TaskString(name, type);
  });
}

STDMETHODIMP COleControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  extent_ = {size->cx, size->cy};
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  size->cx = extent_.cx;
  size->cy = extent_.cy;
  return S_OK;
}

STDMETHODIMP COleControl::Advise(IAdviseSink* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!adviseHolder_ && FAILED(::CreateOleAdviseHolder(adviseHolder_.put()))) return E_OUTOFMEMORY;
  return adviseHolder_->Advise(sink, cookie);
}

STDMETHODIMP COleControl::Unadvise(DWORD cookie) {
  return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP COleControl::EnumAdvise(IEnumSTATDATA** e) {
  if (!e) return E_POINTER;
  *e = nullptr;
  return adviseHolder_ ? adviseHolder_->EnumAdvise(e) : E_FAIL;
}

STDMETHODIMP COleControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (!status) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? info_.miscStatus : 0;
  return S_OK;
}

STDMETHODIMP COleControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// ---- in-place ----

STDMETHODIMP COleControl::GetWindow(HWND* wnd) {
  if (!wnd) return E_POINTER;
  *wnd = wnd_;
  return wnd_ ? S_OK : E_FAIL;
}

STDMETHODIMP COleControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP COleControl::InPlaceDeactivate() {
  if (!inPlaceSite_) return S_OK;
  UIDeactivate();
  if (wnd_) {
    HWND w = std::exchange(wnd_, nullptr);
    ::SetWindowLongPtrA(w, GWLP_USERDATA, 0);
    ::DestroyWindow(w);
  }
  com::Ptr<IOleInPlaceSite> site = std::move(inPlaceSite_);
  if (inPlaceEx_) {
    if (auto ex = site.As<IOleInPlaceSiteEx>(IID_IOleInPlaceSiteEx)) ex->OnInPlaceDeactivateEx(TRUE);
  } else {
    site->OnInPlaceDeactivate();
  }
  frame_.reset();
  uiWindow_.reset();
  return S_OK;
}

STDMETHODIMP COleControl::UIDeactivate() {
  if (!uiActive_) return S_OK;
  uiActive_ = false;
  if (uiWindow_) uiWindow_->SetActiveObject(nullptr, nullptr);
  if (frame_) frame_->SetActiveObject(nullptr, nullptr);
  if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
  return S_OK;
}

STDMETHODIMP COleControl::SetObjectRects(LPCRECT pos, LPCRECT) {
  if (!pos) return E_POINTER;
  pos_ = *pos;
  if (wnd_) ::MoveWindow(wnd_, pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
  return S_OK;
}

STDMETHODIMP COleControl::ReactivateAndUndo() { return E_NOTIMPL; }
STDMETHODIMP COleControl::TranslateAccelerator(LPMSG) { return S_FALSE; }
STDMETHODIMP COleControl::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP COleControl::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP COleControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP COleControl::EnableModeless(BOOL) { return S_OK; }

// ---- IOleControl ----

STDMETHODIMP COleControl::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

STDMETHODIMP COleControl::OnMnemonic(MSG*) { return S_OK; }
STDMETHODIMP COleControl::OnAmbientPropertyChange(DISPID) { return S_OK; }
STDMETHODIMP COleControl::FreezeEvents(BOOL) { return S_OK; }

// ---- IViewObject2 ----

STDMETHODIMP COleControl::Draw(DWORD aspect, LONG, void* aspectInfo, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                               LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!dc || !bounds) return E_INVALIDARG;
  const RECT r{bounds->left, bounds->top, bounds->right, bounds->bottom};
  // The container may promise to restore the DC itself.
  const auto* ai = static_cast<const DVASPECTINFO*>(aspectInfo);
  const bool keepState = (GetControlFlags() & canOptimizeDraw) && ai && (ai->dwFlags & DVASPECTINFOFLAG_CANOPTIMIZE);
  const int saved = keepState ? 0 : ::SaveDC(dc);
  try {
    OnDraw(dc, r);
  } catch (...) {
    ReportCaught("COleControl::Draw");
  }
  if (saved) ::RestoreDC(dc, saved);
  return S_OK;
}

STDMETHODIMP COleControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
  if (!colors) return E_POINTER;
  *colors = nullptr;
  return S_FALSE;
}

STDMETHODIMP COleControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
  if (freeze) *freeze = 0;
  return E_NOTIMPL;
}

STDMETHODIMP COleControl::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP COleControl::SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* sink) {
  viewSink_ = com::Ptr<IAdviseSink>(sink);
  viewAspects_ = sink ? aspects : 0;
  viewAdvf_ = sink ? advf : 0;
  if (sink && (advf & ADVF_PRIMEFIRST)) sink->OnViewChange(DVASPECT_CONTENT, -1);
  return S_OK;
}

STDMETHODIMP COleControl::GetAdvise(DWORD* aspects, DWORD* advf, IAdviseSink** sink) {
  if (aspects) *aspects = viewAspects_;
  if (advf) *advf = viewAdvf_;
  if (sink) {
    *sink = viewSink_.get();
    if (*sink) (*sink)->AddRef();
  }
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}

// ---- persistence ----

void COleControl::OnResetState() {
  ResetExchange reset;
  DoPropExchange(reset);
}

STDMETHODIMP COleControl::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = info_.clsid;
  return S_OK;
}

STDMETHODIMP COleControl::IsDirty() { return modified_ ? S_OK : S_FALSE; }

STDMETHODIMP COleControl::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    // The stream holds exactly what a save writes: read that much and no
    // more, so a container's following data stays where it is.
    StreamWriter sizer;
    DoPropExchange(sizer);
    std::vector<std::uint8_t> bytes(sizer.Bytes().size());
    ULONG got = 0;
    const HRESULT hr = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got);
    StreamReader reader(bytes.data(), SUCCEEDED(hr) ? got : 0);
    if (!DoPropExchange(reader)) {
      OnResetState();
      return E_FAIL;
    }
    modified_ = false;
    return S_OK;
  });
}

STDMETHODIMP COleControl::Save(LPSTREAM stream, BOOL clearDirty) {
  if (!stream) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    StreamWriter writer;
    DoPropExchange(writer);
    ULONG written = 0;
    const auto& bytes = writer.Bytes();
    const HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    if (FAILED(hr)) return hr;
    if (written != bytes.size()) return STG_E_MEDIUMFULL;
    if (clearDirty) modified_ = false;
    return S_OK;
  });
}

STDMETHODIMP COleControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    StreamWriter sizer;
    DoPropExchange(sizer);
    size->QuadPart = sizer.Bytes().size();
    return S_OK;
  });
}

STDMETHODIMP COleControl::InitNew() {
  OnResetState();
  modified_ = false;
  return S_OK;
}

STDMETHODIMP COleControl::Load(IPropertyBag* bag, IErrorLog* log) {
  if (!bag) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    BagReader reader(bag, log);
    if (!DoPropExchange(reader)) {
      OnResetState();
      return E_FAIL;
    }
    modified_ = false;
    return S_OK;
  });
}

STDMETHODIMP COleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  if (!bag) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    BagWriter writer(bag);
    if (!DoPropExchange(writer)) return E_FAIL;
    if (clearDirty) modified_ = false;
    return S_OK;
  });
}

// ---- class info, pages, events ----

STDMETHODIMP COleControl::GetClassInfo(ITypeInfo** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  com::Ptr<ITypeLib> lib;
  const HRESULT hr = COleControlModule::Instance().TypeLib(lib.put());
  if (FAILED(hr)) return hr;
  return lib->GetTypeInfoOfGuid(info_.clsid, out);
}

STDMETHODIMP COleControl::GetGUID(DWORD kind, GUID* out) {
  if (!out) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *out = GUID_NULL;
    return E_INVALIDARG;
  }
  *out = info_.eventsIid;
  return S_OK;
}

STDMETHODIMP COleControl::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  if (info_.pages.empty()) return S_OK;
  pages->pElems = static_cast<GUID*>(::CoTaskMemAlloc(sizeof(GUID) * info_.pages.size()));
  if (!pages->pElems) return E_OUTOFMEMORY;
  std::copy(info_.pages.begin(), info_.pages.end(), pages->pElems);
  pages->cElems = static_cast<ULONG>(info_.pages.size());
  return S_OK;
}

HRESULT COleControl::ShowPropertyFrame(HWND parent) {
  // A container that shows frames itself gets the first word.
  if (auto cs = site_.As<IOleControlSite>(IID_IOleControlSite))
    if (SUCCEEDED(cs->ShowPropertyFrame())) return S_OK;
  CAUUID pages{};
  HRESULT hr = GetPages(&pages);
  if (FAILED(hr)) return hr;
  LPOLESTR caption = nullptr;
  GetUserType(USERCLASSTYPE_SHORT, &caption);
  IUnknown* self = static_cast<IOleObject*>(this);
  if (!parent && inPlaceSite_) inPlaceSite_->GetWindow(&parent);
  hr = ::OleCreatePropertyFrame(parent, 0, 0, caption, 1, &self, pages.cElems, pages.pElems, LOCALE_USER_DEFAULT, 0,
                                nullptr);
  ::CoTaskMemFree(caption);
  ::CoTaskMemFree(pages.pElems);
  return hr;
}

STDMETHODIMP COleControl::EnumConnectionPoints(IEnumConnectionPoints** e) {
  if (!e) return E_POINTER;
  *e = nullptr;
  return Guarded([&]() -> HRESULT {
    com::Ptr<EventPoint> cp = com::Make<EventPoint>(this);
    if (!cp) return E_OUTOFMEMORY;
    std::vector<IConnectionPoint*> items{cp.get()};
    *e = com::Make<EnumCps>(items, 0).detach();
    return *e ? S_OK : E_OUTOFMEMORY;
  });
}

STDMETHODIMP COleControl::FindConnectionPoint(REFIID iid, IConnectionPoint** cp) {
  if (!cp) return E_POINTER;
  *cp = nullptr;
  if (!IsEqualIID(iid, info_.eventsIid)) return CONNECT_E_NOCONNECTION;
  *cp = com::Make<EventPoint>(this).detach();
  return *cp ? S_OK : E_OUTOFMEMORY;
}

HRESULT COleControl::AdviseEvents(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  com::Ptr<IUnknown> s;
  if (FAILED(sink->QueryInterface(info_.eventsIid, s.put_void())) &&
      FAILED(sink->QueryInterface(IID_IDispatch, s.put_void())))
    return CONNECT_E_CANNOTCONNECT;
  return Guarded([&] {
    sinks_.push_back({nextCookie_, std::move(s)});
    *cookie = nextCookie_++;
    return S_OK;
  });
}

HRESULT COleControl::UnadviseEvents(DWORD cookie) {
  const auto it = std::find_if(sinks_.begin(), sinks_.end(), [&](const Sink& s) { return s.cookie == cookie; });
  if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
  sinks_.erase(it);
  return S_OK;
}

HRESULT COleControl::EnumEventConnections(IEnumConnections** e) {
  if (!e) return E_POINTER;
  *e = nullptr;
  return Guarded([&]() -> HRESULT {
    std::vector<CONNECTDATA> items;
    for (const Sink& s : sinks_) items.push_back({s.unk.get(), s.cookie});
    *e = com::Make<EnumCds>(items, 0).detach();
    return *e ? S_OK : E_OUTOFMEMORY;
  });
}

}  // namespace fw::ole
