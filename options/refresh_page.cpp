#include "options/refresh_page.h"

#include <commctrl.h>

#include "fw/ddx.h"
#include "options/option_texts.h"
#include "res/resource.h"

namespace vantrel {
namespace {

// A slider's range, its page size (0 keeps the control's own) and its tick
// marks at every multiple of 5 from firstTick to lastTick. The position is the
// setting itself, unscaled; the control clamps it into the range.
struct SliderSetup {
  int min, max, pageSize, firstTick, lastTick;
};
constexpr int kTickStep = 5;
constexpr SliderSetup kThreshold{1, 100, 0, 5, 95};    // percent free
constexpr SliderSetup kMemoryPeriod{5, 60, 5, 5, 60};  // seconds
constexpr SliderSetup kDrivePeriod{1, 60, 5, 5, 60};   // minutes

void SetUpSlider(const fw::CWnd& slider, const SliderSetup& s, int pos) {
  slider.SendMessage(TBM_SETRANGE, TRUE, MAKELPARAM(s.min, s.max));
  if (s.pageSize) slider.SendMessage(TBM_SETPAGESIZE, 0, s.pageSize);
  for (int tick = s.firstTick; tick <= s.lastTick; tick += kTickStep) slider.SendMessage(TBM_SETTIC, 0, tick);
  slider.SendMessage(TBM_SETPOS, TRUE, pos);
}

int PositionOf(const fw::CWnd& slider) { return static_cast<int>(slider.SendMessage(TBM_GETPOS)); }

}  // namespace

CRefreshPage::CRefreshPage(Settings& settings) : fw::CPropertyPage(IDD_OPTIONS_REFRESH), m_settings(settings) {}

void CRefreshPage::DoDataExchange(fw::CDataExchange* dx) {
  fw::CPropertyPage::DoDataExchange(dx);
  fw::DDX_Control(dx, IDC_THRESHOLD_SLIDER, m_sliderThreshold);
  fw::DDX_Text(dx, IDC_DRIVE_PERIOD_TEXT, m_strDrive);
  fw::DDX_Text(dx, IDC_MEMORY_PERIOD_TEXT, m_strMemory);
  fw::DDX_Text(dx, IDC_THRESHOLD_TEXT, m_strThreshold);
  fw::DDX_Control(dx, IDC_MEMORY_PERIOD_SLIDER, m_sliderMemory);
  fw::DDX_Control(dx, IDC_DRIVE_PERIOD_SLIDER, m_sliderDrive);
}

BOOL CRefreshPage::OnInitDialog() {
  fw::CPropertyPage::OnInitDialog();
  // The labels show the stored values, even ones the sliders cannot take;
  // the first slider notification shows the sliders' own positions.
  SetUpSlider(m_sliderMemory, kMemoryPeriod, m_settings.MemoryPos);
  m_strMemory = MemoryPeriodText(m_settings.MemoryPos);
  SetUpSlider(m_sliderDrive, kDrivePeriod, m_settings.DrivePos);
  m_strDrive = DrivePeriodText(m_settings.DrivePos);
  m_strThreshold = ThresholdText(m_settings.Percent);
  SetUpSlider(m_sliderThreshold, kThreshold, m_settings.Percent);
  UpdateData(FALSE);
  return TRUE;
}

LRESULT CRefreshPage::OnHScroll(UINT code, HWND) {
  // Whichever slider moved, all three labels follow their sliders.
  m_strThreshold = ThresholdText(PositionOf(m_sliderThreshold));
  m_strMemory = MemoryPeriodText(PositionOf(m_sliderMemory));
  m_strDrive = DrivePeriodText(PositionOf(m_sliderDrive));
  UpdateData(FALSE);
  return code == TB_ENDTRACK ? Default() : 0;
}

void CRefreshPage::OnOK() {
  m_settings.Percent = PositionOf(m_sliderThreshold);
  m_settings.MemoryPos = PositionOf(m_sliderMemory);
  m_settings.DrivePos = PositionOf(m_sliderDrive);
  fw::CPropertyPage::OnOK();
}

}  // namespace vantrel
