#include "options/ui_page.h"

#include <commdlg.h>

#include "fw/color_dialog.h"
#include "fw/ddx.h"
#include "res/resource.h"

namespace vantrel {
namespace {

// In their sorted order too.
constexpr const char* kSampleEntries[] = {"Sample : [-a-]", "Sample : [-b-]", "Sample : [-c-]", "Sample : [-d-]",
                                          "Sample : [-e-]"};
constexpr int kTargetLists = 1;  // m_nColorTarget of button "2."

}  // namespace

CUiPage::CUiPage(Settings& settings) : fw::CPropertyPage(IDD_OPTIONS_INTERFACE), m_settings(settings) {}

void CUiPage::DoDataExchange(fw::CDataExchange* dx) {
  fw::CPropertyPage::DoDataExchange(dx);
  fw::DDX_Control(dx, IDC_SAMPLE_LABEL, m_sample);
  fw::DDX_Control(dx, IDC_SAMPLE_LIST, m_sampleList);
  fw::DDX_Radio(dx, IDC_COLOR_LABELS, m_nColorTarget);
  fw::DDX_Radio(dx, IDC_TIP_FREE_MEMORY, m_nTooltip);
}

BOOL CUiPage::OnInitDialog() {
  fw::CPropertyPage::OnInitDialog();
  m_nColorTarget = 0;
  m_clrLabel = m_settings.labelText;
  m_clrList = m_settings.listText;
  for (const char* entry : kSampleEntries) m_sampleList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  // A stored choice outside 0..4 checks no button.
  m_nTooltip = m_settings.nTooltip;
  UpdateData(FALSE);
  return TRUE;
}

bool CUiPage::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_TEXT_COLOR || code != BN_CLICKED) return false;
  OnTextColor();
  return true;
}

LRESULT CUiPage::OnCtlColor(UINT, HDC dc, HWND control) {
  // Backgrounds stay standard: the default brush goes back unchanged.
  const LRESULT brush = Default();
  if (control == m_sample.m_hWnd)
    ::SetTextColor(dc, m_clrLabel);
  else if (control == m_sampleList.m_hWnd)
    ::SetTextColor(dc, m_clrList);
  return brush;
}

void CUiPage::OnTextColor() {
  UpdateData(TRUE);
  const bool lists = m_nColorTarget == kTargetLists;
  // The chooser starts from the stored colour, not from the working copy, so
  // cancelling it puts the sample back to what is stored.
  fw::CColorDialog chooser(lists ? m_settings.listText : m_settings.labelText, CC_SOLIDCOLOR | CC_PREVENTFULLOPEN);
  chooser.DoModal();
  (lists ? m_clrList : m_clrLabel) = chooser.GetColor();
  Invalidate(TRUE);
}

void CUiPage::OnOK() {
  m_settings.labelText = m_clrLabel;
  m_settings.listText = m_clrList;
  m_settings.nTooltip = m_nTooltip;
  fw::CPropertyPage::OnOK();
}

}  // namespace vantrel
