#include "views/usage_pie_dlg.h"

#include <string>

#include "fw/high_contrast.h"
#include "res/resource.h"

namespace vantrel {
namespace {

PieRect ToPieRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const PieRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void WriteText(HDC dc, PiePoint at, const std::string& text) {
  ::TextOutA(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
}

void DrawEllipse(HDC dc, const PieRect& r) { ::Ellipse(dc, r.left, r.top, r.right, r.bottom); }

// A slice of the ellipse in `r`, counterclockwise from the ray through `from`
// to the ray through `to`.
void Slice(HDC dc, const PieRect& r, PiePoint from, PiePoint to) {
  ::Pie(dc, r.left, r.top, r.right, r.bottom, from.x, from.y, to.x, to.y);
}

}  // namespace

CUsagePieDlg::CUsagePieDlg() : fw::CDialog(IDD_USAGE_PIE) {}

BOOL CUsagePieDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  const RECT client = GetClientRect();
  m_layout = LayoutPie(client.right, client.bottom);
  m_font.reset(::CreateFontA(15, 0, 0, 0, 600, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial"));
  return TRUE;
}

void CUsagePieDlg::SetValues(std::int64_t free, std::int64_t total) {
  m_value = PieValueOf(free, total);
  Invalidate(TRUE);
}

void CUsagePieDlg::PlaceBeside(const RECT& owner) {
  RECT self{};
  ::GetWindowRect(m_hWnd, &self);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoA(::MonitorFromRect(&owner, MONITOR_DEFAULTTONEAREST), &monitor))
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
  const PiePoint at =
      vantrel::PlaceBeside(ToPieRect(owner), self.right - self.left, self.bottom - self.top, ToPieRect(monitor.rcWork));
  // Following the main window must not take the activation from it.
  ::SetWindowPos(m_hWnd, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

// Enter and Escape reach the dialog as OK and Cancel; they hide it like Close,
// so the main window's pie is never destroyed before the main window.
void CUsagePieDlg::OnOK() { ShowWindow(SW_HIDE); }
void CUsagePieDlg::OnCancel() { ShowWindow(SW_HIDE); }

bool CUsagePieDlg::OnCommand(UINT id, UINT code, HWND) {
  if (id != IDC_PIE_CLOSE || code != BN_CLICKED) return false;
  ShowWindow(SW_HIDE);
  return true;
}

void CUsagePieDlg::OnPaint() {
  fw::PaintDc paint(m_hWnd);
  HDC dc = paint.get();
  // In high contrast the system's colours, its own otherwise; taken at
  // every paint, so a change of contrast shows at the next one.
  const PieColours colours = fw::HighContrastOn()
                                 ? HighContrastPieColours(::GetSysColor(COLOR_WINDOW), ::GetSysColor(COLOR_WINDOWTEXT),
                                                          ::GetSysColor(COLOR_HIGHLIGHT))
                                 : kPieOwnColours;
  const PiePlan plan = PlanPie(m_layout, m_value, m_chDrive, colours);
  ::SetBkMode(dc, TRANSPARENT);
  fw::SelectScope font(dc, m_font.get());
  ::SetTextColor(dc, plan.textColour);
  WriteText(dc, {10, 5}, plan.heading);
  if (!plan.disc) return;

  fw::UniqueBrush used(::CreateSolidBrush(colours.used)), free(::CreateSolidBrush(colours.free)),
      frame(::CreateSolidBrush(colours.frame));
  fw::UniquePen outline(::CreatePen(PS_SOLID, 1, colours.outline));
  fw::SelectScope pen(dc, outline.get());
  // The brush scope puts the dialog's own brush back at the end; the slices
  // switch brushes inside it.
  fw::SelectScope brush(dc, frame.get());
  DrawEllipse(dc, m_layout.shadow);
  switch (plan.fill) {
    case PieFill::kSlices:
      ::SelectObject(dc, used.get());
      Slice(dc, m_layout.disc, plan.boundary, m_layout.start);
      ::SelectObject(dc, free.get());
      Slice(dc, m_layout.disc, m_layout.start, plan.boundary);
      break;
    case PieFill::kAllUsed:
      ::SelectObject(dc, used.get());
      DrawEllipse(dc, m_layout.disc);
      break;
    case PieFill::kAllFree:
      ::SelectObject(dc, free.get());
      DrawEllipse(dc, m_layout.disc);
      break;
  }

  WriteText(dc, m_layout.usedLabel, "Used");
  WriteText(dc, m_layout.freeLabel, "Free");
  const RECT usedKey = ToRect(m_layout.usedKey), freeKey = ToRect(m_layout.freeKey);
  ::FillRect(dc, &usedKey, used.get());
  ::FillRect(dc, &freeKey, free.get());
  ::FrameRect(dc, &usedKey, frame.get());
  ::FrameRect(dc, &freeKey, frame.get());
}

}  // namespace vantrel
