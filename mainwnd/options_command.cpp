// The options sheet, opened by button 1044: its pages edit the settings
// record, and only OK keeps what they changed.
#include "app/settings.h"
#include "fw/property_sheet.h"
#include "mainwnd/vantrel_dlg.h"
#include "options/options_page.h"
#include "options/refresh_page.h"
#include "options/ui_page.h"

namespace vantrel {

void CVantrelDlg::OnOptions() {
  fw::CPropertySheet sheet("Options");
  COptionsPage mainPage(m_settings);
  CRefreshPage refreshPage(m_settings);
  CUiPage uiPage(m_settings);
  sheet.AddPage(&mainPage);
  sheet.AddPage(&refreshPage);
  sheet.AddPage(&uiPage);
  // Cancel, the close box, or a sheet that cannot be created: the pages
  // wrote nothing, and nothing is saved or applied.
  if (sheet.DoModal() != IDOK) return;
  SaveSettings(m_store, m_settings);
  // Labels and lists repaint in the colours just chosen.
  Invalidate(TRUE);
  ApplySettingsChange();
}

}  // namespace vantrel
