#include "fw/color_dialog.h"

#include <commdlg.h>

#include "fw/handle.h"

namespace fw {

CColorDialog::CColorDialog(COLORREF initial, DWORD flags) : initial_(initial), color_(initial), flags_(flags) {
  for (COLORREF& c : m_custom) c = RGB(255, 255, 255);
}

INT_PTR CColorDialog::DoModal() {
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = GetSafeOwner(nullptr);
  cc.rgbResult = initial_;
  cc.lpCustColors = m_custom;
  cc.Flags = flags_ | CC_RGBINIT;
  // The chooser's module, and the shell modules it pulls in, are loaded only
  // while the chooser runs: imported, they would stay in a tray program's
  // memory all day (half a megabyte and more) for a dialog seldom opened.
  UniqueModule module(::LoadLibraryA("comdlg32.dll"));
  using ChooseColorFn = BOOL(WINAPI*)(CHOOSECOLORA*);
  const auto choose = reinterpret_cast<ChooseColorFn>(
      module ? reinterpret_cast<void (*)()>(::GetProcAddress(module.get(), "ChooseColorA")) : nullptr);
  const bool chosen = choose && choose(&cc) != FALSE;
  // The record's colour is defined only after OK: after Cancel it may hold
  // whatever the chooser last showed.
  color_ = chosen ? cc.rgbResult : initial_;
  return chosen ? IDOK : IDCANCEL;
}

}  // namespace fw
