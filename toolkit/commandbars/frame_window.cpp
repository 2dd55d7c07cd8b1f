#include "frame_window.h"

#include "command_bars.h"
#include "keyboard_shortcuts.h"

IMPLEMENT_DYNCREATE(CTkFrameWnd, CFrameWnd)

CTkFrameWnd::~CTkFrameWnd() {
  if (m_pCommandBars != nullptr) m_pCommandBars->InternalRelease();
  m_pCommandBars = nullptr;
}

BOOL CTkFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  // The keyboard shortcuts' table, once they hold one, is the only one
  // that translates keys; until then the frame's own table does.
  CTkKeyboardShortcuts* shortcuts = m_pCommandBars != nullptr ? m_pCommandBars->GetKeyboardShortcuts() : nullptr;
  if (shortcuts != nullptr && shortcuts->GetAcceleratorTable() != nullptr) m_hAccelTable = nullptr;
  return TRUE;
}

BOOL CTkFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_SYSDEADCHAR && pMsg->wParam != VK_TAB &&
      pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE) {
    // A focused edit of the bars gets its keys untranslated.
    CWnd* focus = CWnd::GetFocus();
    CRuntimeClass* editClass = CRuntimeClass::FromName("CTkEdit");
    if (focus != nullptr && editClass != nullptr) {
      CWnd* permanent = CWnd::FromHandlePermanent(focus->m_hWnd);
      if (permanent != nullptr && permanent->IsKindOf(editClass)) return FALSE;
    }
  }
  if (CFrameWnd::PreTranslateMessage(pMsg)) return TRUE;
  return m_pCommandBars != nullptr ? m_pCommandBars->PreTranslateFrameMessage(pMsg) : FALSE;
}

void CTkFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  if (m_pCommandBars != nullptr) m_pCommandBars->SetPreviewMode(bPreview);
  CFrameWnd::OnSetPreviewMode(bPreview, pState);
}

BOOL CTkFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (m_pCommandBars != nullptr && m_pCommandBars->OnFrameMessage(message, wParam, lParam, pResult)) return TRUE;
  if (message != WM_CMDBARS_NOTIFY) return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
  const auto* info = reinterpret_cast<const ControlNotifyInfo*>(lParam);
  if (info == nullptr) return FALSE;
  LRESULT local = 0;
  AFX_NOTIFY notify;
  notify.pResult = &local;
  notify.pNMHDR = const_cast<NMHDR*>(&info->hdr);
  const int code = static_cast<int>(MAKELONG(LOWORD(info->hdr.code), WM_NOTIFY));
  if (!OnCmdMsg(static_cast<UINT>(info->hdr.idFrom), code, &notify, nullptr)) return FALSE;
  if (pResult != nullptr) *pResult = local;
  return TRUE;
}
