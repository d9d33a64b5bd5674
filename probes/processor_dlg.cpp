#include "probes/processor_dlg.h"

#include "fw/busy_scope.h"
#include "fw/ddx.h"
#include "probes/cpu_probe.h"
#include "probes/processor_texts.h"
#include "res/resource.h"

namespace vantrel {
namespace {

// The bitmap resource of a maker's logo; 0 for none.
int LogoBitmap(VendorLogo logo) {
  switch (logo) {
    case VendorLogo::Amd:
      return IDB_LOGO_AMD;
    case VendorLogo::Cyrix:
      return IDB_LOGO_CYRIX;
    case VendorLogo::Intel:
      return IDB_LOGO_INTEL;
    case VendorLogo::Centaur:
      return IDB_LOGO_CENTAUR;
    case VendorLogo::None:
      break;
  }
  return 0;
}

// Code page 1252 text in UTF-16.
std::wstring FromCodePage1252(const std::string& text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<size_t>(size), L'\0');
  const int got = ::MultiByteToWideChar(1252, 0, text.data(), size, wide.data(), size);
  wide.resize(static_cast<size_t>(got > 0 ? got : 0));
  return wide;
}

}  // namespace

CProcessorDlg::CProcessorDlg(const TextColours& colours, fw::CWnd* parent)
    : CProgramDialog(IDD_PROCESSOR_INFO, parent), m_colours(colours) {}

void CProcessorDlg::DoDataExchange(fw::CDataExchange* dx) {
  fw::CDialog::DoDataExchange(dx);
  fw::DDX_Control(dx, IDC_PROC_LOGO, m_logo);
  fw::DDX_Control(dx, IDC_PROC_FEATURES, m_featureList);
  fw::DDX_Text(dx, IDC_PROC_TYPE, m_strType);
  fw::DDX_Text(dx, IDC_PROC_CLOCK, m_strClock);
  fw::DDX_Text(dx, IDC_PROC_REVISION, m_strRevision);
  fw::DDX_Text(dx, IDC_PROC_VENDOR, m_strVendor);
  fw::DDX_Text(dx, IDC_PROC_FEATURE_STATE, m_strFeatureState);
  fw::DDX_Text(dx, IDC_PROC_FPU, m_strFpu);
  fw::DDX_Text(dx, IDC_PROC_MMX, m_strMmx);
  fw::DDX_Text(dx, IDC_PROC_COUNT, m_strProcessors);
}

bool CProcessorDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_PROC_FEATURES || code != LBN_SELCHANGE) return false;
  OnSelChangeFeatures();
  return true;
}

BOOL CProcessorDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  // The whole identification, the one-second clock measurement included,
  // runs under the wait cursor with the mouse held.
  fw::BusyScope busy(m_hWnd);

  for (const FeatureRow& row : FeatureTable)
    m_featureList.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text));

  m_bCpuid = CpuidSupported();
  if (m_bCpuid) ReadCpuid(m_info);
  const ProcessorTexts t = DescribeProcessor(m_bCpuid ? &m_info : nullptr, ReadOsProcessorValues(), MeasureClockMhz);
  m_strProcessors = t.processors;
  ShowVendorLabel(t.vendorLabel);
  m_strVendor = t.vendor;
  m_strType = t.type;
  m_strRevision = t.revision;
  m_strClock = t.clock;
  m_strFpu = t.fpu;
  m_strMmx = t.mmx;
  ShowLogo(LogoBitmap(t.logo));

  UpdateData(FALSE);
  return TRUE;
}

void CProcessorDlg::ShowVendorLabel(const std::string& label) {
  // The label's registered sign is byte 0xAE of code page 1252: through the
  // ANSI API it would turn into another character under any other code page.
  ::SetWindowTextW(GetDlgItem(IDC_PROC_VENDOR_LABEL), FromCodePage1252(label).c_str());
}

void CProcessorDlg::ShowLogo(int bitmapId) {
  if (bitmapId == 0) return;
  // A logo that cannot be loaded leaves the static empty.
  m_logoBitmap.reset(::LoadBitmapA(m_hResInstance, MAKEINTRESOURCEA(bitmapId)));
  if (!m_logoBitmap) return;
  // The static takes the bitmap's size.
  m_logo.SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_logoBitmap.get()));
  // The widest logo would reach past the window's right edge from its place:
  // it moves left just far enough to show whole.
  RECT logo{};
  ::GetWindowRect(m_logo.m_hWnd, &logo);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&logo), 2);
  const LONG overhang = logo.right - GetClientRect().right;
  if (overhang > 0)
    ::SetWindowPos(m_logo.m_hWnd, nullptr, logo.left - overhang, logo.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CProcessorDlg::OnSelChangeFeatures() {
  if (!m_bCpuid) return;
  const int row = static_cast<int>(m_featureList.SendMessage(LB_GETCURSEL));
  m_strFeatureState = FeatureStateText(m_info, row);
  UpdateData(FALSE);
}

}  // namespace vantrel
