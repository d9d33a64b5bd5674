// Base of an in-process windowed control: what a standard control container
// expects of one (embedding, in-place activation with a child window, view
// drawing into any DC, stream and property-bag persistence, class info,
// property pages, a connection point for the event interface, and a dispatch
// interface described by the module's embedded type library).
//
// A derived control supplies its drawing, its property exchange and its
// dispatch members; everything else lives here.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <vector>

#include "fw/com.h"
#include "fw/ole/prop_exchange.h"

namespace fw::ole {

class COleControl : public com::Object<COleControl, IDispatch, IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject,
                                       IOleControl, IViewObject2, IPersistStreamInit, IPersistPropertyBag,
                                       IProvideClassInfo2, ISpecifyPropertyPages, IConnectionPointContainer> {
 public:
  struct ClassInfo {
    CLSID clsid;
    IID dispIid;    // the control's dispinterface
    IID eventsIid;  // its event dispinterface
    DWORD miscStatus;
    UINT typeNameId;           // string resource: the user type name
    std::vector<CLSID> pages;  // property pages
    Extent extent;             // initial extent, 0.01 mm
  };

  // Control flags (GetControlFlags).
  enum ControlFlags : DWORD {
    clipPaintDC = 0x1,        // paint clipped to the window's client area
    noFlickerActivate = 0x2,  // ask the site whether activation needs a repaint
    canOptimizeDraw = 0x4,    // the container may skip restoring the DC after Draw
  };

  explicit COleControl(ClassInfo info);
  ~COleControl() override;

  void* Find(REFIID iid) noexcept;

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* dp, VARIANT* result, EXCEPINFO* excep,
                      UINT* argErr) override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR app, LPCOLESTR obj) override;
  STDMETHODIMP Close(DWORD saveOption) override;
  STDMETHODIMP SetMoniker(DWORD which, IMoniker* mk) override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** mk) override;
  STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
  STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
  STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT pos) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
  STDMETHODIMP Update() override;
  STDMETHODIMP IsUpToDate() override;
  STDMETHODIMP GetUserClassID(CLSID* clsid) override;
  STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumAdvise(IEnumSTATDATA** e) override;
  STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE* pal) override;

  // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
  STDMETHODIMP GetWindow(HWND* wnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override;
  STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override;
  STDMETHODIMP TranslateAccelerator(LPMSG msg) override;
  STDMETHODIMP OnFrameWindowActivate(BOOL active) override;
  STDMETHODIMP OnDocWindowActivate(BOOL active) override;
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* ui, BOOL frame) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
  STDMETHODIMP OnMnemonic(MSG* msg) override;
  STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
  STDMETHODIMP FreezeEvents(BOOL freeze) override;

  // IViewObject2
  STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* td, HDC targetDev, HDC dc,
                    LPCRECTL bounds, LPCRECTL wbounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                    ULONG_PTR contArg) override;
  STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* td, HDC targetDev,
                           LOGPALETTE** colors) override;
  STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
  STDMETHODIMP Unfreeze(DWORD freeze) override;
  STDMETHODIMP SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* sink) override;
  STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* advf, IAdviseSink** sink) override;
  STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* td, LPSIZEL size) override;

  // IPersist, IPersistStreamInit, IPersistPropertyBag
  STDMETHODIMP GetClassID(CLSID* clsid) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(LPSTREAM stream) override;
  STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
  STDMETHODIMP InitNew() override;
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

  // IProvideClassInfo2
  STDMETHODIMP GetClassInfo(ITypeInfo** out) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* out) override;

  // ISpecifyPropertyPages
  STDMETHODIMP GetPages(CAUUID* pages) override;

  // IConnectionPointContainer
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** e) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** cp) override;

  // For the connection point.
  HRESULT AdviseEvents(IUnknown* sink, DWORD* cookie);
  HRESULT UnadviseEvents(DWORD cookie);
  HRESULT EnumEventConnections(IEnumConnections** e);
  const IID& EventsIid() const { return info_.eventsIid; }

 protected:
  // Paints the control into dc within bounds (device pixels).
  virtual void OnDraw(HDC dc, const RECT& bounds) = 0;
  // Every persisted value, in stream order; false when loading failed.
  virtual bool DoPropExchange(PropExchange& px) = 0;
  // A fresh instance's properties: the exchange in reset mode.
  virtual void OnResetState();
  virtual DWORD GetControlFlags() const { return clipPaintDC; }
  // One dispatch member; Invoke has checked the interface id.
  virtual HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* dp, VARIANT* result, UINT* argErr) = 0;
  // WM_GETOBJECT on the control's window: the object's LRESULT, or 0 for
  // what the platform offers by itself.
  virtual LRESULT OnGetObject(WPARAM, LPARAM) { return 0; }
  // The control's window is being destroyed (WM_NCDESTROY), not for a
  // window the destructor destroys.
  virtual void OnWindowDestroyed() {}
  // The system's colours, settings or theme changed, as the host passes on
  // to its controls; the control repaints right after.
  virtual void OnSystemLookChanged() {}

  // Repaints at once: invalidates the control's window, or without one tells
  // the container's view sink that the picture changed.
  void RequestRedraw();
  void SetModifiedFlag(bool modified) { modified_ = modified; }
  bool IsModified() const { return modified_; }
  HWND Window() const { return wnd_; }
  // Whether the control's window has the keyboard focus, as its focus
  // messages tell: asking the system would cost a drawing a round trip.
  bool HasFocus() const { return focused_; }
  // An ambient property of the client site (a property get on its
  // IDispatch); the caller clears `out`.
  HRESULT GetAmbientProperty(DISPID id, VARIANT* out) const;
  Extent& ControlExtent() { return extent_; }

  // The property frame with the control's pages (the properties verb).
  HRESULT ShowPropertyFrame(HWND parent);

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  HRESULT InPlaceActivate(bool uiActivate, HWND parentHint, LPCRECT posHint);
  HRESULT DispTypeInfo(ITypeInfo** out);
  void Paint();

  ClassInfo info_;
  Extent extent_;
  bool modified_ = false;
  com::Ptr<IOleClientSite> site_;
  com::Ptr<IOleAdviseHolder> adviseHolder_;
  com::Ptr<IAdviseSink> viewSink_;
  DWORD viewAspects_ = 0, viewAdvf_ = 0;
  // In-place state.
  com::Ptr<IOleInPlaceSite> inPlaceSite_;
  bool inPlaceEx_ = false;
  com::Ptr<IOleInPlaceFrame> frame_;
  com::Ptr<IOleInPlaceUIWindow> uiWindow_;
  bool uiActive_ = false;
  HWND wnd_ = nullptr;
  bool focused_ = false;
  RECT pos_{};
  // Event sinks by cookie.
  struct Sink {
    DWORD cookie;
    com::Ptr<IUnknown> unk;
  };
  std::vector<Sink> sinks_;
  DWORD nextCookie_ = 1;
  com::Ptr<ITypeInfo> dispInfo_;
};

}  // namespace fw::ole
