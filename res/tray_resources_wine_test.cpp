// The tray's, the splash window's and the About box's resources as the
// platform loads them from this test's own module: the tray menu the main
// window relies on by position and id, the 16-colour tray icons, the two
// pictures and the clip.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "fw/handle.h"
#include "res/resource.h"

namespace {

HMODULE Module() { return ::GetModuleHandleA(nullptr); }

TEST(TrayResources, TheTrayMenuHasOpenFirstAndTheToggleSecond) {
  fw::UniqueMenu menu(::LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_TRAY)));
  ASSERT_TRUE(menu);
  HMENU popup = ::GetSubMenu(menu.get(), 0);
  ASSERT_NE(nullptr, popup);
  const struct {
    UINT id;  // 0: separator
    const char* text;
  } items[] = {{ID_TRAY_OPEN, "&Open"},          {ID_TRAY_TOGGLE_ENABLE, "&Disable"}, {0, ""},
               {ID_TRAY_OPTIONS, "&Options..."}, {ID_APP_ABOUT, "&About Vantrel..."}, {0, ""},
               {ID_TRAY_EXIT, "E&xit Vantrel"}};
  ASSERT_EQ(static_cast<int>(std::size(items)), ::GetMenuItemCount(popup));
  for (int pos = 0; pos < static_cast<int>(std::size(items)); ++pos) {
    SCOPED_TRACE(pos);
    char text[64] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ASSERT_TRUE(::GetMenuItemInfoA(popup, static_cast<UINT>(pos), TRUE, &info));
    EXPECT_EQ(items[pos].id == 0, (info.fType & MFT_SEPARATOR) != 0);
    if (items[pos].id == 0) continue;
    EXPECT_EQ(items[pos].id, info.wID);
    EXPECT_EQ(std::string(items[pos].text), text);
  }
}

TEST(TrayResources, TrayIconsHave16ColoursAtBothSizesAndNoTooltipString) {
  for (int id : {IDI_TRAY_ENABLED, IDI_TRAY_DISABLED}) {
    SCOPED_TRACE(id);
    HRSRC group = ::FindResourceA(Module(), MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    auto* dir = static_cast<BYTE*>(::LockResource(::LoadResource(Module(), group)));
    for (int size : {32, 16}) {
      const int image = ::LookupIconIdFromDirectoryEx(dir, TRUE, size, size, LR_DEFAULTCOLOR);
      HRSRC res = ::FindResourceA(Module(), MAKEINTRESOURCEA(image), RT_ICON);
      ASSERT_NE(nullptr, res) << size;
      auto* bih = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(Module(), res)));
      EXPECT_EQ(size, bih->biWidth);
      EXPECT_EQ(4, bih->biBitCount);
    }
  }
  // Showing icon 161 by its id empties the tooltip: no string carries that id.
  char text[16];
  EXPECT_EQ(0, ::LoadStringA(Module(), IDI_TRAY_ENABLED, text, sizeof text));
  fw::UniqueIcon notice(
      static_cast<HICON>(::LoadImageA(Module(), MAKEINTRESOURCEA(IDI_NOTICE), IMAGE_ICON, 32, 32, 0)));
  EXPECT_TRUE(notice);
}

TEST(TrayResources, PicturesHaveTheirSizesAndColourDepth) {
  const struct { int id, width, height, bits; } pictures[] = {{IDB_SPLASH, 300, 140, 24}, {IDB_TRAY_AREA, 108, 77, 4}};
  for (const auto& p : pictures) {
    SCOPED_TRACE(p.id);
    HRSRC res = ::FindResourceA(Module(), MAKEINTRESOURCEA(p.id), RT_BITMAP);
    ASSERT_NE(nullptr, res);
    auto* bih = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(Module(), res)));
    EXPECT_EQ(p.width, bih->biWidth);
    EXPECT_EQ(p.height, bih->biHeight);
    EXPECT_EQ(p.bits, bih->biBitCount);
    fw::UniqueBitmap loaded(::LoadBitmapA(Module(), MAKEINTRESOURCEA(p.id)));
    EXPECT_TRUE(loaded);
  }
}

TEST(TrayResources, TheAboutClipOpensInAnAnimationControl) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_ANIMATE_CLASS};
  ASSERT_TRUE(::InitCommonControlsEx(&icc));
  HWND anim = ::CreateWindowExA(0, ANIMATE_CLASSA, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, Module(), nullptr);
  ASSERT_NE(nullptr, anim);
  EXPECT_TRUE(::SendMessageA(anim, ACM_OPENA, reinterpret_cast<WPARAM>(Module()),
                             reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_ABOUT_CLIP))));
  // A name that is no clip is refused: the check above can fail.
  EXPECT_FALSE(::SendMessageA(anim, ACM_OPENA, reinterpret_cast<WPARAM>(Module()),
                              reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(IDR_ABOUT_CLIP + 1))));
  ::DestroyWindow(anim);
}

}  // namespace
