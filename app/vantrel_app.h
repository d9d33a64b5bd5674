// CVantrelApp: the one application object. It holds the settings record for
// the whole run and runs the main window modally, handing it the record and
// the store behind it.
#pragma once

#include "app/settings.h"
#include "fw/app.h"

namespace vantrel {

class CVantrelApp : public fw::CWinApp {
 public:
  BOOL InitInstance() override;

  Settings m_settings;
};

}  // namespace vantrel
