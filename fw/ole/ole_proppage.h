// Base of a property page object: IPropertyPage over a child dialog resource
// of the module, with its caption from a string resource.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <vector>

#include "fw/com.h"

namespace fw::ole {

class COlePropertyPage : public com::Object<COlePropertyPage, IPropertyPage> {
 public:
  COlePropertyPage(UINT dialogId, UINT captionId) : dialogId_(dialogId), captionId_(captionId) {}
  ~COlePropertyPage() override;

  void* Find(REFIID iid) noexcept;

  STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
  STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
  STDMETHODIMP Deactivate() override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
  STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
  STDMETHODIMP Show(UINT cmd) override;
  STDMETHODIMP Move(LPCRECT rect) override;
  STDMETHODIMP IsPageDirty() override;
  STDMETHODIMP Apply() override;
  STDMETHODIMP Help(LPCOLESTR dir) override;
  STDMETHODIMP TranslateAccelerator(MSG* msg) override;

 protected:
  // Moves values between the page's controls and the objects; save = true
  // on Apply. The base has nothing to move.
  virtual void DoDataExchange(bool save) {}
  void SetModifiedFlag(bool dirty);
  const std::vector<com::Ptr<IUnknown>>& Objects() const { return objects_; }
  HWND Window() const { return wnd_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  SIZE DialogSize() const;

  UINT dialogId_;
  UINT captionId_;
  com::Ptr<IPropertyPageSite> site_;
  std::vector<com::Ptr<IUnknown>> objects_;
  HWND wnd_ = nullptr;
  bool dirty_ = false;
};

}  // namespace fw::ole
