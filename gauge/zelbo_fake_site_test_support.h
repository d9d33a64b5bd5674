// A strict in-place site for the gauge: it records the calls the control makes
// and fails the test on any call a windowed control has no business making.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/com.h"

namespace zelbo_test {

class FakeSite final : public fw::com::Object<FakeSite, IOleClientSite, IOleInPlaceSiteEx, IDispatch> {
 public:
  FakeSite(HWND parent, bool ex) : parent_(parent), ex_(ex) {}
  void* Find(REFIID iid) noexcept {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) return static_cast<IOleClientSite*>(this);
    if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite) ||
        (ex_ && IsEqualIID(iid, IID_IOleInPlaceSiteEx)))
      return static_cast<IOleInPlaceSiteEx*>(this);
    if (!displayName.empty() && IsEqualIID(iid, IID_IDispatch)) return static_cast<IDispatch*>(this);
    return nullptr;
  }
  std::vector<std::string> calls;
  RECT pos{3, 4, 146, 17};
  // When set, the site answers the ambient display name, and no other ambient.
  std::wstring displayName;

  // IDispatch: the ambient properties
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return Unexpected("GetTypeInfoCount"); }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return Unexpected("GetTypeInfo"); }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return Unexpected("GetIDsOfNames"); }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id != DISPID_AMBIENT_DISPLAYNAME || !(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = ::SysAllocString(displayName.c_str());
    return S_OK;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return Note("SaveObject"); }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return Unexpected("GetMoniker"); }
  STDMETHODIMP GetContainer(IOleContainer** c) override {
    *c = nullptr;
    return Unexpected("GetContainer");
  }
  STDMETHODIMP ShowObject() override { return Unexpected("ShowObject"); }
  STDMETHODIMP OnShowWindow(BOOL) override { return Unexpected("OnShowWindow"); }
  STDMETHODIMP RequestNewObjectLayout() override { return Unexpected("RequestNewObjectLayout"); }
  // IOleWindow
  STDMETHODIMP GetWindow(HWND* w) override {
    *w = parent_;
    return Note("GetWindow");
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return Unexpected("ContextSensitiveHelp"); }
  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return Note("CanInPlaceActivate"); }
  STDMETHODIMP OnInPlaceActivate() override { return Note("OnInPlaceActivate"); }
  STDMETHODIMP OnUIActivate() override { return Note("OnUIActivate"); }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT p, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    EXPECT_EQ(info->cb, sizeof *info);
    *frame = nullptr;
    *doc = nullptr;
    *p = pos;
    *clip = pos;
    return Note("GetWindowContext");
  }
  STDMETHODIMP Scroll(SIZE) override { return Unexpected("Scroll"); }
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override {
    EXPECT_FALSE(undoable);
    return Note("OnUIDeactivate");
  }
  STDMETHODIMP OnInPlaceDeactivate() override { return Note("OnInPlaceDeactivate"); }
  STDMETHODIMP DiscardUndoState() override { return Unexpected("DiscardUndoState"); }
  STDMETHODIMP DeactivateAndUndo() override { return Unexpected("DeactivateAndUndo"); }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return Unexpected("OnPosRectChange"); }
  // IOleInPlaceSiteEx
  STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override {
    EXPECT_EQ(flags, 0u);  // windowed
    *noRedraw = FALSE;
    return Note("OnInPlaceActivateEx");
  }
  STDMETHODIMP OnInPlaceDeactivateEx(BOOL noRedraw) override { return Note("OnInPlaceDeactivateEx"); }
  STDMETHODIMP RequestUIActivate() override { return Unexpected("RequestUIActivate"); }

 private:
  HRESULT Note(const char* call) {
    calls.push_back(call);
    return S_OK;
  }
  HRESULT Unexpected(const char* call) {
    ADD_FAILURE() << "unexpected " << call;
    return E_NOTIMPL;
  }
  HWND parent_;
  bool ex_;
};

}  // namespace zelbo_test
