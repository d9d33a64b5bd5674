// CProcessorDlg: the "Advanced Processor Information" window. It identifies
// the processor once, when it opens (the clock measurement holds it for a
// second under the wait cursor), and then shows the texts unchanged; picking
// a row of the feature list shows whether the processor has that feature.
#pragma once

#include <string>

#include "fw/handle.h"
#include "probes/cpuid_record.h"
#include "views/hand_controls.h"
#include "views/program_dialog.h"

namespace vantrel {

class CProcessorDlg : public CProgramDialog {
 public:
  // `colours` are the text colours of the main window's colour rule.
  explicit CProcessorDlg(const TextColours& colours, fw::CWnd* parent = nullptr);

  // The module the maker's logo is loaded from.
  void SetResourceInstance(HINSTANCE instance) { m_hResInstance = instance; }

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(fw::CDataExchange* dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  // The read-only feature state is coloured as a static: the platform asks
  // for it as one.
  TextColours Colours() const override { return m_colours; }

 private:
  void OnSelChangeFeatures();
  void ShowVendorLabel(const std::string& label);
  void ShowLogo(int bitmapId);

  fw::CWnd m_logo;
  CHandListBox m_featureList;
  std::string m_strType, m_strClock, m_strRevision, m_strVendor, m_strFeatureState, m_strFpu, m_strMmx, m_strProcessors;
  CpuidInfo m_info;
  bool m_bCpuid = false;
  HINSTANCE m_hResInstance = nullptr;
  // The logo shown in the window; the static does not own it, so it lives
  // as long as this object, which outlives the window.
  fw::UniqueBitmap m_logoBitmap;
  TextColours m_colours;
};

}  // namespace vantrel
