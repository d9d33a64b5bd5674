// The main window: creation, initialisation, painting, colours, cursors,
// tooltips and destruction. The refresh cycle and the drive panel live in
// refresh.cpp and drive_panel_wnd.cpp.
#include "mainwnd/vantrel_dlg.h"

#include <commctrl.h>

#include "app/startup_splash.h"
#include "fw/ddx.h"
#include "fw/window_text.h"
#include "mainwnd/control_tooltips.h"
#include "mainwnd/refresh_cycle.h"
#include "mainwnd/system_summary.h"
#include "probes/cpu_probe.h"
#include "probes/reg_key_reader.h"
#include "res/resource.h"
#include "views/colour_rule.h"

namespace vantrel {
namespace {

constexpr UINT kAboutCommand = IDM_ABOUTBOX;
constexpr char kVendorKey[] = "Software\\Ostrel, Inc.\\Vantrel\\settings";

}  // namespace

CVantrelDlg::CVantrelDlg(Settings& settings, ProfileStore& store, HINSTANCE resources)
    : CProgramDialog(IDD_VANTREL_DIALOG), m_settings(settings), m_store(store), m_hResources(resources) {
  m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  LoadSettings(m_store, m_settings);
  m_trayIcon.InitNotifyData(IDR_TRAY);
}

CVantrelDlg::~CVantrelDlg() = default;

void CVantrelDlg::DoDataExchange(fw::CDataExchange* dx) {
  fw::CDialog::DoDataExchange(dx);
  fw::DDX_Control(dx, IDC_PIE, m_btnPie);
  fw::DDX_Control(dx, IDC_OPTIONS, m_btnOptions);
  fw::DDX_Control(dx, IDC_EXTENDED_INFO, m_btnExtended);
  fw::DDX_Control(dx, IDC_DRIVE_REFRESH, m_btnRefresh);
  fw::DDX_Control(dx, IDC_DIRECTORY_VIEW, m_btnDirectory);
  fw::DDX_Control(dx, IDC_PROCESSOR_INFO, m_btnProcessor);
  fw::DDX_Control(dx, IDC_DRIVE_LIST, m_driveCombo);
  fw::DDX_Control(dx, IDC_GAUGE_DRIVE_FREE, m_gaugeDriveFree);
  fw::DDX_Control(dx, IDC_GAUGE_DRIVE_USED, m_gaugeDriveUsed);
  fw::DDX_Control(dx, IDC_GAUGE_FREE_MEMORY, m_gaugeFreeMem);
  fw::DDX_Control(dx, IDC_GAUGE_MEMORY_LOAD, m_gaugeMemLoad);
  fw::DDX_Control(dx, IDC_MEMORY_COUNTDOWN, m_memoryBar);
  fw::DDX_Control(dx, IDC_DRIVE_COUNTDOWN, m_driveBar);
  fw::DDX_Check(dx, IDC_WATCH, m_nWatch);
}

LRESULT CVantrelDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // The shell's registered message when it has rebuilt the tray.
  static const UINT s_taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
  if (msg == s_taskbarCreated && msg != 0) {
    OnTaskbarCreated();
    return 0;
  }
  switch (msg) {
    case WM_USER:
      return OnTrayCallback(wp, lp);
    case WM_SYSCOMMAND:
      return OnSysCommand(static_cast<UINT>(wp));
    case WM_WINDOWPOSCHANGING:
      return OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lp));
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_MOVE:
      OnMove();
      return 0;
    default:
      return CProgramDialog::OnMessage(msg, wp, lp);
  }
}

bool CVantrelDlg::OnCommand(UINT id, UINT code, HWND) {
  switch (id) {
    case IDC_DRIVE_LIST:
      if (code != CBN_SELCHANGE) return false;
      UpdateDrivePanel();
      return true;
    case IDC_DRIVE_REFRESH:
      UpdateDrivePanel();
      return true;
    case IDC_WATCH:
      OnWatch();
      return true;
    case ID_TRAY_OPEN:
      OnTrayOpen();
      return true;
    case ID_TRAY_EXIT:
      OnTrayExit();
      return true;
    case ID_TRAY_TOGGLE_ENABLE:
      OnToggleEnable();
      return true;
    case ID_APP_ABOUT:
      OnAbout();
      return true;
    case IDC_OPTIONS:
    case ID_TRAY_OPTIONS:
      OnOptions();
      return true;
    case IDC_PROCESSOR_INFO:
      OnProcessorInfo();
      return true;
    case IDC_EXTENDED_INFO:
      OnExtendedInfo();
      return true;
    case IDC_DIRECTORY_VIEW:
      OnDirectoryView();
      return true;
    case IDC_PIE:
      OnPie();
      return true;
    default:
      return false;
  }
}

LRESULT CVantrelDlg::OnCreate(CREATESTRUCTA*) {
  CStartupSplash::ShowSplash(this);
  const LRESULT r = Default();
  if (r == -1) return -1;
  // The vendor key exists from the first run on; it holds no values.
  CRegKeyReader reader(HKEY_LOCAL_MACHINE);
  if (reader.Open(HKEY_CURRENT_USER, kVendorKey) || reader.Create(HKEY_CURRENT_USER, kVendorKey)) reader.Close();
  // Each deletion counts positions in the menu the previous one left: the
  // items first at positions 0, 2 and 4 go.
  if (HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
    for (UINT pos : {0u, 1u, 2u}) ::DeleteMenu(sysMenu, pos, MF_BYPOSITION);
  }
  // Icon 161 has no string of its own: the icon starts without a tooltip.
  m_trayIcon.AttachWindow(m_hWnd, WM_USER);
  m_trayIcon.SetTooltip("");
  // Started hidden, the program shows itself first in the tray; started
  // shown, the window comes first and the icon once it has been painted.
  if (m_settings.AutoHide) ShowTrayIcon();
  return 0;
}

BOOL CVantrelDlg::OnInitDialog() {
  fw::CDialog::OnInitDialog();
  AppendAboutMenuItem();
  ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  SetUpGauges();
  PresetTooltip();
  SetButtonIcons();
  StartRefreshTimer();
  ShowMemory(ReadMemoryFigures());
  ShowSystemSummary(ReadSystemSummary());
  // Without CPUID the processor window would have nothing to show.
  if (!CpuidSupported()) m_btnProcessor.EnableWindow(FALSE);
  m_btnPie.EnableWindow(FALSE);
  m_bHidden = m_settings.AutoHide;
  UpdateData(FALSE);
  return TRUE;
}

void CVantrelDlg::OnFirstIdle() {
  // What the first picture does not show waits until it has been painted:
  // the tray icon, the pie's window (hidden until the Pie button, which no
  // drive has enabled yet), the controls' tooltips (shown after a hover),
  // the drive choices (shown when the list drops down; none is chosen at
  // start) and the watched drives (first checked at the drive cycle's end).
  ShowTrayIcon();
  CreatePieWindow();
  // The tooltip window belongs to the dialog's window and goes with it.
  CreateControlToolTips(m_hWnd);
  FillDriveList();
  BuildDriveList();
}

void CVantrelDlg::ShowTrayIcon() {
  // The icon keeps the tooltip recorded while it was not in the tray.
  if (!m_trayIcon.Record().hIcon)
    m_trayIcon.ShowIconWithTip(m_bDisabled ? IDI_TRAY_DISABLED : IDI_TRAY_ENABLED, nullptr);
}

void CVantrelDlg::AppendAboutMenuItem() {
  HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE);
  if (!sysMenu) return;
  const std::string about = fw::LoadResString(IDS_ABOUTBOX);
  if (about.empty()) return;
  ::AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(sysMenu, MF_STRING, kAboutCommand, about.c_str());
}

void CVantrelDlg::SetUpGauges() {
  m_gaugeFreeMem.SetBorderWidth(1);
  m_gaugeFreeMem.SetPercent(FALSE);
  m_gaugeMemLoad.SetBorderWidth(1);
  m_gaugeMemLoad.SetReverseScheme(TRUE);
  m_gaugeMemLoad.SetPercent(FALSE);
  m_gaugeDriveFree.SetBorderWidth(1);
  m_gaugeDriveFree.SetPercent(FALSE);
  m_gaugeDriveUsed.SetBorderWidth(1);
  m_gaugeDriveUsed.SetReverseScheme(TRUE);
  m_gaugeDriveUsed.SetPercent(FALSE);
}

void CVantrelDlg::PresetTooltip() {
  switch (TooltipPresetFor(m_settings.nTooltip)) {
    case TooltipPreset::Memory:
      RefreshMemory();
      break;
    case TooltipPreset::Drive:
      CheckDriveSpace();
      break;
    case TooltipPreset::Fixed: {
      // The record takes the string through a 20-character buffer.
      char text[20] = {};
      ::LoadStringA(::GetModuleHandleA(nullptr), IDS_PROGRAM_VERSION, text, sizeof text);
      SetTrayTooltip(text);
      break;
    }
    case TooltipPreset::None:
      break;
  }
}

void CVantrelDlg::SetButtonIcons() {
  const struct {
    fw::CWnd& button;
    int icon;
  } buttons[] = {{m_btnProcessor, IDI_PROCESSOR},
                 {m_btnExtended, IDI_EXTENDED_INFO},
                 {m_btnDirectory, IDI_DIRECTORY_VIEW},
                 {m_btnOptions, IDI_OPTIONS},
                 {m_btnPie, IDI_PIE}};
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  for (const auto& b : buttons)
    b.button.SendMessage(BM_SETIMAGE, IMAGE_ICON,
                         reinterpret_cast<LPARAM>(::LoadIconA(module, MAKEINTRESOURCEA(b.icon))));
}

void CVantrelDlg::ShowSystemSummary(const SystemSummary& summary) {
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_COMPUTER_NAME), summary.computerName);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_USER_NAME), summary.userName);
  fw::SetWindowTextIfChanged(GetDlgItem(IDC_CPU_CATEGORY), summary.processor);
}

void CVantrelDlg::SetTrayTooltip(const std::string& text) {
  // A refresh that finds the same figure leaves the shell alone: every change
  // sends the icon and its text to the tray's process and has it redrawn.
  const TrayRecord& shown = m_trayIcon.Record();
  if (shown.hIcon && text == shown.szTip) return;
  m_trayIcon.SetTooltip(text.c_str());
}

LRESULT CVantrelDlg::OnNotify(NMHDR* hdr) {
  if (hdr && (hdr->code == TTN_NEEDTEXTA || hdr->code == TTN_NEEDTEXTW)) return AnswerToolTipRequest(hdr);
  return Default();
}

void CVantrelDlg::OnPaint() {
  if (!::IsIconic(m_hWnd)) {
    Default();
    return;
  }
  fw::PaintDc dc(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
  const RECT rc = GetClientRect();
  const int x = (rc.right - rc.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (rc.bottom - rc.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc.get(), x, y, m_hIcon);
}

TextColours CVantrelDlg::Colours() const { return {m_settings.labelText, m_settings.listText}; }

void CVantrelDlg::OnDestroy() {
  CProgramDialog::OnDestroy();
  KillTimer(kRefreshTimer);
  SaveState();
  m_driveList.reset();
  m_pPieWnd.reset();  // its window goes with it
}

void CVantrelDlg::OnEndSession(bool ending) {
  // A tray program usually ends with the session, not with Exit, and its
  // window is never destroyed then: without this every Watch tick and every
  // disarmed notice since the last Exit would be lost. The end is never
  // vetoed: WM_QUERYENDSESSION keeps the default answer, yes.
  if (ending) SaveState();
}

void CVantrelDlg::SaveState() {
  SaveSettings(m_store, m_settings);
  if (SaveDriveList(m_store, m_driveList)) m_settings.driveCount = static_cast<int>(m_driveList->size());
}

bool CVantrelDlg::PreTranslateMessage(MSG& msg) {
  // Opening the tray menu makes this window the foreground window even while
  // it is hidden, and it keeps the keyboard after the menu, a notice or the
  // About box has gone. The dialog's own keys would then end the program on
  // an Escape or Enter meant for no window the user can see. A posted IDCANCEL
  // (CloseVantrel, the installer) still ends it.
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN) && !IsWindowVisible())
    return true;
  return CProgramDialog::PreTranslateMessage(msg);
}

void CVantrelDlg::ForceClose() {
  m_bForceClose = true;
  SendMessage(WM_CLOSE);
}

}  // namespace vantrel
