// CStartupSplash: the borderless title picture shown for about four seconds
// while the main window is created. Its own one-second timer ends it at the
// fourth tick; meanwhile the main window shows the wait cursor and holds the
// mouse. At most one exists, and only when start-up enabled it (the command
// line holds neither "Embedding" nor "Automation").
#pragma once

#include "fw/handle.h"
#include "fw/wnd.h"

namespace vantrel {

class CStartupSplash : public fw::CWnd {
 public:
  ~CStartupSplash() override;

  static void EnableSplash(BOOL enable);
  // Shows the splash owned by `parent` (may be null), unless it is disabled
  // or already shown; `parent` then shows the wait cursor and takes the mouse.
  static void ShowSplash(fw::CWnd* parent);
  void HideSplash();

 protected:
  LRESULT OnCreate(CREATESTRUCTA* create) override;
  void OnPaint() override;
  void OnTimer(UINT_PTR id) override;
  void PostNcDestroy() override { delete this; }

 private:
  CStartupSplash() = default;
  bool Create(fw::CWnd* parent);

  int m_nTicksLeft = 3;
  fw::UniqueBitmap m_bitmap;

  static BOOL s_enabled;
  static CStartupSplash* s_instance;
};

}  // namespace vantrel
