// CVantrelApp: the one application object. It holds the settings record for
// the whole run and runs the main window modally.
#pragma once

#include <optional>

#include "app/settings.h"
#include "fw/app.h"

namespace vantrel {

class CVantrelApp : public fw::CWinApp {
 public:
  BOOL InitInstance() override;

  // The settings record and the watch list, through the profile functions.
  void LoadSettings();
  void SaveSettings();
  std::optional<DriveList> LoadDriveList(int& count);
  bool SaveDriveList(const std::optional<DriveList>& list);

  Settings m_settings;
  // The parsed command line's show-splash flag, for the splash window.
  BOOL m_bShowSplash = TRUE;
};

CVantrelApp& TheApp();

}  // namespace vantrel
