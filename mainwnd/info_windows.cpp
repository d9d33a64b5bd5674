// The main window's information buttons: each runs its window modally and
// lets it go when it closes.
#include "mainwnd/vantrel_dlg.h"
#include "probes/extended_info_dlg.h"
#include "probes/processor_dlg.h"

namespace vantrel {

void CVantrelDlg::OnProcessorInfo() {
  CProcessorDlg dlg({m_settings.labelText, m_settings.listText});
  dlg.SetResourceInstance(m_hResources);
  dlg.DoModal();
}

void CVantrelDlg::OnExtendedInfo() {
  CExtendedInfoDlg dlg({m_settings.labelText, m_settings.listText});
  dlg.DoModal();
}

}  // namespace vantrel
