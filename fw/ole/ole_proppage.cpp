#include "fw/ole/ole_proppage.h"

#include <cstring>
#include <string>

#include "fw/ole/com_guard.h"
#include "fw/ole/ole_module.h"
#include "fw/report_caught.h"

namespace fw::ole {
namespace {

INT_PTR CALLBACK MeasureProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

}  // namespace

COlePropertyPage::~COlePropertyPage() {
  if (wnd_) ::DestroyWindow(wnd_);
}

void* COlePropertyPage::Find(REFIID iid) noexcept {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyPage)) return static_cast<IPropertyPage*>(this);
  return nullptr;
}

INT_PTR CALLBACK COlePropertyPage::DialogProc(HWND wnd, UINT msg, WPARAM, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    ::SetWindowLongPtrA(wnd, DWLP_USER, lp);
    auto* self = reinterpret_cast<COlePropertyPage*>(lp);
    try {
      self->DoDataExchange(false);
    } catch (...) {
      ReportCaught("COlePropertyPage WM_INITDIALOG");
    }
    return TRUE;
  }
  return FALSE;
}

STDMETHODIMP COlePropertyPage::SetPageSite(IPropertyPageSite* site) {
  if (site && site_) return E_UNEXPECTED;
  site_ = com::Ptr<IPropertyPageSite>(site);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
  if (!rect) return E_POINTER;
  if (wnd_) return E_UNEXPECTED;
  const HINSTANCE inst = COleControlModule::Instance().Handle();
  wnd_ = ::CreateDialogParamA(inst, MAKEINTRESOURCEA(dialogId_), parent, &DialogProc, reinterpret_cast<LPARAM>(this));
  if (!wnd_) return E_FAIL;
  ::MoveWindow(wnd_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, FALSE);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Deactivate() {
  if (!wnd_) return E_UNEXPECTED;
  ::DestroyWindow(wnd_);
  wnd_ = nullptr;
  return S_OK;
}

SIZE COlePropertyPage::DialogSize() const {
  // The size in pixels depends on the template's font: create a hidden popup
  // copy of the template and let the dialog manager convert its units.
  SIZE size{0, 0};
  const HINSTANCE inst = COleControlModule::Instance().Handle();
  HRSRC res = ::FindResourceA(inst, MAKEINTRESOURCEA(dialogId_), reinterpret_cast<LPCSTR>(RT_DIALOG));
  HGLOBAL mem = res ? ::LoadResource(inst, res) : nullptr;
  const void* data = mem ? ::LockResource(mem) : nullptr;
  const DWORD bytes = res ? ::SizeofResource(inst, res) : 0;
  if (!data || bytes < 18) return size;
  std::vector<BYTE> copy(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + bytes);
  const auto* words = reinterpret_cast<const WORD*>(copy.data());
  const bool ex = words[0] == 1 && words[1] == 0xFFFF;
  const size_t styleAt = ex ? 12 : 0;
  const size_t cxAt = ex ? 22 : 14;
  if (copy.size() < cxAt + 4) return size;
  DWORD style = 0;
  std::memcpy(&style, &copy[styleAt], sizeof style);
  style = (style & ~(WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_BORDER | WS_THICKFRAME)) | WS_POPUP;
  std::memcpy(&copy[styleAt], &style, sizeof style);
  short cx = 0, cy = 0;
  std::memcpy(&cx, &copy[cxAt], 2);
  std::memcpy(&cy, &copy[cxAt + 2], 2);
  HWND probe =
      ::CreateDialogIndirectParamA(inst, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()), nullptr, &MeasureProc, 0);
  if (!probe) return size;
  RECT r{0, 0, cx, cy};
  ::MapDialogRect(probe, &r);
  ::DestroyWindow(probe);
  size.cx = r.right;
  size.cy = r.bottom;
  return size;
}

STDMETHODIMP COlePropertyPage::GetPageInfo(PROPPAGEINFO* info) {
  if (!info) return E_POINTER;
  std::memset(info, 0, sizeof *info);
  info->cb = sizeof *info;
  return Guarded([&]() -> HRESULT {
    // Everything that may throw comes before the title's memory.
    const SIZE size = DialogSize();
    const std::string title = COleControlModule::Instance().LoadString(captionId_);
    const int n = ::MultiByteToWideChar(CP_ACP, 0, title.c_str(), -1, nullptr, 0);
    info->pszTitle = static_cast<LPOLESTR>(::CoTaskMemAlloc(sizeof(OLECHAR) * (n > 0 ? n : 1)));
    if (!info->pszTitle) return E_OUTOFMEMORY;
    info->pszTitle[0] = 0;
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, title.c_str(), -1, info->pszTitle, n);
    info->size = size;
    return S_OK;
  });
}

STDMETHODIMP COlePropertyPage::SetObjects(ULONG count, IUnknown** objects) {
  if (count && !objects) return E_POINTER;
  return Guarded([&] {
    std::vector<com::Ptr<IUnknown>> next;
    for (ULONG i = 0; i < count; ++i) next.emplace_back(objects[i]);
    objects_ = std::move(next);
    return S_OK;
  });
}

STDMETHODIMP COlePropertyPage::Show(UINT cmd) {
  if (!wnd_) return E_UNEXPECTED;
  ::ShowWindow(wnd_, static_cast<int>(cmd));
  return S_OK;
}

STDMETHODIMP COlePropertyPage::Move(LPCRECT rect) {
  if (!rect) return E_POINTER;
  if (!wnd_) return E_UNEXPECTED;
  ::MoveWindow(wnd_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
  return S_OK;
}

STDMETHODIMP COlePropertyPage::IsPageDirty() { return dirty_ ? S_OK : S_FALSE; }

STDMETHODIMP COlePropertyPage::Apply() {
  try {
    DoDataExchange(true);
  } catch (...) {
    ReportCaught("COlePropertyPage::Apply");
    return E_FAIL;
  }
  SetModifiedFlag(false);
  return S_OK;
}

void COlePropertyPage::SetModifiedFlag(bool dirty) {
  if (dirty_ == dirty) return;
  dirty_ = dirty;
  if (site_) site_->OnStatusChange(dirty ? PROPPAGESTATUS_DIRTY : PROPPAGESTATUS_CLEAN);
}

STDMETHODIMP COlePropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }

STDMETHODIMP COlePropertyPage::TranslateAccelerator(MSG* msg) {
  if (!msg) return E_POINTER;
  return wnd_ && ::IsDialogMessageA(wnd_, msg) ? S_OK : S_FALSE;
}

}  // namespace fw::ole
