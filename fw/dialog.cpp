#include "fw/dialog.h"

#include <cstring>

#include "fw/ddx.h"
#include "fw/occ/control_container.h"
#include "fw/occ/dialog_resource.h"

namespace fw {
namespace {

thread_local CDialog* t_pending = nullptr;
thread_local HHOOK t_hook = nullptr;

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) {
  // Every message is handled by the bound object's window procedure, which
  // sits in front of the dialog manager; nothing is left for this procedure.
  return FALSE;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
  if (m_hWnd && m_modal) ::EndDialog(m_hWnd, IDCANCEL);
  if (m_hWnd && !m_modal) ::DestroyWindow(m_hWnd);
}

namespace {
std::unique_ptr<occ::DialogResource> LoadTemplate(UINT id) {
  std::optional<occ::DialogResource> res = occ::LoadDialogResource(::GetModuleHandleA(nullptr), MAKEINTRESOURCEW(id));
  if (!res) return nullptr;
  return std::make_unique<occ::DialogResource>(std::move(*res));
}
}  // namespace

// The creation hook binds the first window created after DoModal/Create
// starts, which is the dialog itself, before it receives any message.
namespace {
LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp);
}

class DialogBinder {
 public:
  static void BindPending(HWND wnd) {
    CDialog* dlg = t_pending;
    t_pending = nullptr;
    if (dlg) dlg->Bind(wnd);
  }
};

namespace {
LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
  HHOOK self = t_hook;
  if (code == HCBT_CREATEWND && t_pending) {
    DialogBinder::BindPending(reinterpret_cast<HWND>(wp));
    ::UnhookWindowsHookEx(self);
    t_hook = nullptr;
  }
  return ::CallNextHookEx(self, code, wp, lp);
}

bool ArmCreationHook(CDialog* dlg) {
  t_pending = dlg;
  t_hook = ::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId());
  return t_hook != nullptr;
}

void DisarmCreationHook() {
  t_pending = nullptr;
  if (t_hook) ::UnhookWindowsHookEx(t_hook);
  t_hook = nullptr;
}
}  // namespace

INT_PTR CDialog::DoModal() {
  m_template = LoadTemplate(m_templateId);
  if (!m_template || !ArmCreationHook(this)) {
    DisarmCreationHook();
    return -1;
  }
  m_modal = true;
  HWND owner = m_parent ? m_parent->m_hWnd : nullptr;
  const INT_PTR result = ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), occ::TemplateOf(m_template->split),
                                                   owner, PassiveDialogProc, 0);
  DisarmCreationHook();
  m_modal = false;
  m_controls.reset();
  return result;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
  m_templateId = templateId;
  m_parent = parent;
  m_template = LoadTemplate(templateId);
  if (!m_template || !ArmCreationHook(this)) {
    DisarmCreationHook();
    return false;
  }
  m_modal = false;
  HWND wnd = ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), occ::TemplateOf(m_template->split),
                                          parent ? parent->m_hWnd : nullptr, PassiveDialogProc, 0);
  DisarmCreationHook();
  return wnd != nullptr && m_hWnd == wnd;
}

bool CDialog::UpdateData(BOOL saveAndValidate) {
  if (!m_hWnd) return false;
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return true;
}

void CDialog::EndDialog(INT_PTR result) {
  if (!m_hWnd) return;
  if (m_modal)
    ::EndDialog(m_hWnd, result);
  else
    ::DestroyWindow(m_hWnd);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

IDispatch* CDialog::ControlDispatch(int id) const { return m_controls ? m_controls->Dispatch(id) : nullptr; }

bool CDialog::AttachHostedControl(int id, CWnd& wrapper) {
  IDispatch* disp = ControlDispatch(id);
  if (!disp) return false;
  // The container owns the control's window; the wrapper only calls it.
  wrapper.m_hWnd = m_controls->Window(id);
  wrapper.AttachControlDispatch(com::Ptr<IDispatch>(disp));
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
      HWND control = reinterpret_cast<HWND>(lp);
      if (id == IDOK && code == BN_CLICKED) {
        OnOK();
        return 0;
      }
      if (id == IDCANCEL && code == BN_CLICKED) {
        OnCancel();
        return 0;
      }
      if (OnCommand(id, code, control)) return 0;
      return Default();
    }
    case WM_DESTROY: {
      // Hosted controls leave with the dialog, before their windows go, and
      // no wrapper keeps calling a control that is gone.
      const LRESULT r = Default();
      for (CWnd* wrapper : m_hostedWrappers) {
        wrapper->AttachControlDispatch(nullptr);
        wrapper->m_hWnd = nullptr;
      }
      m_hostedWrappers.clear();
      if (m_controls) m_controls->DestroyControls();
      return r;
    }
    case WM_NCDESTROY: {
      const LRESULT r = Default();
      if (m_controls) m_controls->DestroyControls();
      return r;
    }
    default:
      return Default();
  }
}

}  // namespace fw
