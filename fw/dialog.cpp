#include "fw/dialog.h"

#include <cstring>

#include "fw/ddx.h"
#include "fw/occ/control_container.h"
#include "fw/occ/dialog_resource.h"
#include "fw/occ/hosted_control.h"

namespace fw {
namespace {

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) {
  // Every message is handled by the bound object's window procedure, which
  // sits in front of the dialog manager; nothing is left for this procedure.
  return FALSE;
}

std::unique_ptr<occ::DialogResource> LoadTemplate(UINT id) {
  std::optional<occ::DialogResource> res = occ::LoadDialogResource(::GetModuleHandleA(nullptr), MAKEINTRESOURCEW(id));
  if (!res) return nullptr;
  return std::make_unique<occ::DialogResource>(std::move(*res));
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

bool CDialog::CreateFromTemplate(HWND owner) {
  if (!HookWindowCreate(this)) {
    UnhookWindowCreate();
    return false;
  }
  HWND wnd = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), occ::TemplateOf(m_template->split), owner,
                                          PassiveDialogProc, 0);
  UnhookWindowCreate();
  return wnd != nullptr && m_hWnd == wnd;
}

INT_PTR CDialog::DoModal() {
  m_template = LoadTemplate(m_templateId);
  if (!m_template) return -1;
  // As the platform's dialog boxes: created hidden, shown when the loop first
  // finds the queue empty, so a dialog that ends during its initialisation
  // never shows.
  occ::SetDialogStyle(m_template->split, occ::DialogStyle(m_template->split) & ~WS_VISIBLE);
  HWND owner = GetSafeOwner(m_parent);
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);
  m_modal = true;
  m_endModal = false;
  m_modalResult = -1;
  if (CreateFromTemplate(owner)) RunModalLoop();
  // The owner is enabled again before the dialog goes, so that it, and not
  // some other program, becomes the active window.
  if (disableOwner) ::EnableWindow(owner, TRUE);
  if (m_hWnd) {
    if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ::DestroyWindow(m_hWnd);
  }
  m_modal = false;
  m_controls.reset();
  return m_modalResult;
}

void CDialog::RunModalLoop() {
  m_showAtIdle = true;
  bool firstIdle = true;
  MSG msg;
  while (!m_endModal && m_hWnd) {
    if (firstIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      firstIdle = false;
      if (m_showAtIdle) {
        m_showAtIdle = false;
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
      }
      OnFirstIdle();
      continue;
    }
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // WM_QUIT ends the dialog and goes on to the loop outside.
      if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_modalResult = -1;
      return;
    }
    PumpMessage(msg);
  }
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
  m_templateId = templateId;
  m_parent = parent;
  m_template = LoadTemplate(templateId);
  if (!m_template) return false;
  m_modal = false;
  if (!CreateFromTemplate(GetSafeOwner(parent))) return false;
  // A modeless dialog has no loop of the framework's to wait for.
  OnFirstIdle();
  return true;
}

bool CDialog::UpdateData(BOOL saveAndValidate) {
  if (!m_hWnd) return false;
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return true;
}

void CDialog::EndDialog(INT_PTR result) {
  if (!m_hWnd) return;
  if (!m_modal) {
    ::DestroyWindow(m_hWnd);
    return;
  }
  m_modalResult = result;
  m_endModal = true;
  // Wakes the loop when it is waiting for a message.
  PostMessage(WM_NULL);
}

bool CDialog::PreTranslateMessage(MSG& msg) { return ::IsDialogMessageA(m_hWnd, &msg) != FALSE; }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

IDispatch* CDialog::ControlDispatch(int id) const { return m_controls ? m_controls->Dispatch(id) : nullptr; }

bool CDialog::AttachHostedControl(int id, occ::HostedControl& wrapper) {
  IDispatch* disp = ControlDispatch(id);
  if (!disp) return false;
  wrapper.Attach(com::Ptr<IDispatch>(disp));
  m_hostedWrappers.push_back(&wrapper);
  return true;
}

LRESULT CDialog::HandleInitDialog() {
  if (m_template && !m_template->split.controls.empty()) {
    m_controls = std::make_unique<occ::ControlContainer>();
    if (!m_controls->CreateControls(m_hWnd, m_template->split.controls, m_template->streams)) {
      // A control that cannot be created or loaded ends the dialog at once;
      // the creation and destruction handlers still run.
      EndDialog(-1);
      return FALSE;
    }
  }
  return OnInitDialog();
}

LRESULT CDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      return HandleInitDialog();
    case WM_COMMAND: {
      const UINT id = LOWORD(wp);
      const UINT code = HIWORD(wp);
      if (id == IDOK && code == BN_CLICKED) {
        OnOK();
        return 0;
      }
      if (id == IDCANCEL && code == BN_CLICKED) {
        OnCancel();
        return 0;
      }
      return CWnd::OnMessage(msg, wp, lp);
    }
    case WM_SHOWWINDOW:
      // Shown or hidden before the loop first idles (opened from the tray,
      // or sent to it): the loop's own showing would undo that.
      m_showAtIdle = false;
      return CWnd::OnMessage(msg, wp, lp);
    case WM_NCDESTROY: {
      const LRESULT r = Default();
      if (m_controls) m_controls->DestroyControls();
      return r;
    }
    default:
      return CWnd::OnMessage(msg, wp, lp);
  }
}

void CDialog::OnDestroy() {
  // Hosted controls leave with the dialog, before their windows go, and no
  // wrapper keeps calling a control that is gone.
  Default();
  for (occ::HostedControl* wrapper : m_hostedWrappers) wrapper->Detach();
  m_hostedWrappers.clear();
  if (m_controls) m_controls->DestroyControls();
}

}  // namespace fw
