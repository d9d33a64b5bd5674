// CVantrelDlg: the main window "Computer Information": the system summary,
// memory rows, drive panel with the watch list, and the refresh cycle. It is
// handed the settings record and the store behind it when it is built: it
// loads the record at once and writes the record and the watch list back when
// its window is destroyed or the session ends.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/settings.h"
#include "mainwnd/gauge_host.h"
#include "mainwnd/tray_icon.h"
#include "views/hand_controls.h"
#include "views/program_dialog.h"
#include "views/usage_pie_dlg.h"

namespace vantrel {

struct DrivePanelView;
struct MemoryFigures;
struct SystemSummary;
enum class WatchBox;

class CVantrelDlg : public CProgramDialog {
 public:
  // `resources` is the module the processor window takes its logo from.
  CVantrelDlg(Settings& settings, ProfileStore& store, HINSTANCE resources = nullptr);
  ~CVantrelDlg() override;

  // Operations other windows call.
  void RefreshMemory();
  void CheckDriveSpace();
  void UpdateDrivePanel();
  // After the options sheet's OK: the tooltip preset (unless disabled) and
  // the changed periods.
  void ApplySettingsChange();
  // Runs the options sheet; on OK saves the record and applies it.
  void OnOptions();

  // The tray icon's tooltip as the window last set it.
  std::string TrayTooltip() const { return m_trayIcon.Record().szTip; }

 protected:
  BOOL OnInitDialog() override;
  void OnFirstIdle() override;
  void DoDataExchange(fw::CDataExchange* dx) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnCreate(CREATESTRUCTA* create) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  LRESULT OnNotify(NMHDR* hdr) override;
  void OnTimer(UINT_PTR id) override;
  void OnPaint() override;
  void OnClose() override;
  void OnDestroy() override;
  void OnEndSession(bool ending) override;
  // Escape and Enter do nothing while the window is hidden.
  bool PreTranslateMessage(MSG& msg) override;
  TextColours Colours() const override;

 private:
  // Message handlers.
  void OnWatch();
  // Tray, close-to-tray and enable/disable (tray_wnd.cpp).
  LRESULT OnTrayCallback(WPARAM wp, LPARAM lp);
  void OnTrayOpen();
  void OnTrayExit();
  LRESULT OnSysCommand(UINT id);
  LRESULT OnWindowPosChanging(WINDOWPOS* pos);
  void OnToggleEnable();
  void OnTaskbarCreated();
  void OnAbout();
  // Buttons 1008 and 1020: the processor and extended information windows.
  void OnProcessorInfo();
  void OnExtendedInfo();
  void OnMove();
  void OnDirectoryView();
  void OnPie();

  // Initialisation steps.
  void AppendAboutMenuItem();
  void SetUpGauges();
  void PresetTooltip();
  // Puts the icon in the tray unless it is there already.
  void ShowTrayIcon();
  void SetTrayTooltip(const std::string& text);
  void SetButtonIcons();
  void StartRefreshTimer();
  void FillDriveList();
  void BuildDriveList();
  void ResetCountdown(int barId, int period);
  void ForceClose();
  // The record and the watch list to the store, as the program ends.
  void SaveState();
  void CreatePieWindow();
  RECT ClientRectOnScreen() const;

  // The figures on their controls; a text is set only when it changes.
  static MemoryFigures ReadMemoryFigures();
  void ShowMemory(const MemoryFigures& figures);
  void ShowDrivePanel(const DrivePanelView& view);
  void ShowSystemSummary(const SystemSummary& summary);
  // The Watch box for the drive `letter` chosen, as `rule` has it.
  void ApplyWatchBox(WatchBox rule, char letter);

  Settings& m_settings;
  ProfileStore& m_store;
  HINSTANCE m_hResources;
  HICON m_hIcon = nullptr;                  // shared resource icon, not owned
  std::unique_ptr<CUsagePieDlg> m_pPieWnd;  // modeless, hidden until the Pie button
  // The pie's figures of the last drive that answered.
  int m_nDriveTotal = 0;
  int m_nDriveFree = 0;
  bool m_bDisabled = false;
  bool m_bForceClose = false;
  bool m_bNoDisk = true;
  bool m_bHidden = false;
  std::optional<DriveList> m_driveList;
  int m_nSelectedEntry = -1;
  int m_nMemoryPeriod = 0;
  int m_nDrivePeriod = 0;
  CTrayIcon m_trayIcon;

  // Bound members.
  fw::CWnd m_btnPie, m_btnOptions, m_btnExtended, m_btnRefresh, m_btnDirectory, m_btnProcessor;
  CHandComboBox m_driveCombo;
  CGaugeHost m_gaugeDriveFree, m_gaugeDriveUsed, m_gaugeFreeMem, m_gaugeMemLoad;
  fw::CWnd m_memoryBar, m_driveBar;
  int m_nWatch = 0;
};

}  // namespace vantrel
