// Popups shown on their own: context menus with their own message loop.
#include "command_bars.h"
#include "popup_bar.h"
#include "reference_scope.h"

namespace {

// The popup writes the chosen id into the caller's result only while the
// call runs: a later command of the same bar must not reach a finished frame.
class ReturnSlotScope {
 public:
  ReturnSlotScope(CTkPopupBar* popup, UINT* slot) : m_pPopup(popup) { popup->SetReturnCommandSlot(slot); }
  ~ReturnSlotScope() { m_pPopup->SetReturnCommandSlot(nullptr); }
  ReturnSlotScope(const ReturnSlotScope&) = delete;
  ReturnSlotScope& operator=(const ReturnSlotScope&) = delete;

 private:
  CTkPopupBar* m_pPopup;
};

class TrackerLockScope {
 public:
  TrackerLockScope(CTkMouseTracker* tracker, BOOL lock) : m_pTracker(tracker), m_bLocked(lock) {
    if (lock) m_pTracker->LockTrackedBars(TRUE);
  }
  ~TrackerLockScope() {
    if (m_bLocked) m_pTracker->LockTrackedBars(FALSE);
  }
  TrackerLockScope(const TrackerLockScope&) = delete;
  TrackerLockScope& operator=(const TrackerLockScope&) = delete;

 private:
  CTkMouseTracker* m_pTracker;
  BOOL m_bLocked;
};

}  // namespace

int CTkCommandBars::TrackPopupBar(CTkPopupBar* popup, UINT flags, int x, int y, CWnd* owner, LPCRECT exclusion,
                                  CWnd* commandTarget) {
  if (popup == nullptr) return 0;
  CTkReferenceScope hold;
  hold.Hold(popup);
  popup->SetOwner(owner);
  popup->SetCommandTarget(commandTarget);
  const BOOL returnCommand = (flags & TPM_RETURNCMD) != 0;
  UINT result = returnCommand ? 0 : 1;
  ReturnSlotScope slot(popup, returnCommand ? &result : nullptr);
  popup->SetRightButtonChoosing((flags & TPM_RIGHTBUTTON) != 0);
  popup->SetDirection((flags & TPM_RIGHTALIGN) != 0 ? kPopupLeft | kPopupDown : kPopupDown);
  popup->SetNoNotify((flags & TPM_NONOTIFY) != 0);
  const BOOL nested = (flags & TPM_RECURSE) != 0;
  popup->SetNested(nested);

  CTkCommandBars* commandBars = popup->GetCommandBars();
  CTkMouseTracker* tracker = commandBars != nullptr ? commandBars->GetMouseTracker() : ::GetMouseTracker();
  if (nested) {
    tracker->CloseUnlockedBars();
  } else {
    tracker->CloseTrackedBars();
    ::ReleaseCapture();
  }
  TrackerLockScope locks(tracker, nested);
  tracker->m_bSwallowNextRelease = TRUE;
  if (!popup->PopupAt(x, y, exclusion)) return 0;

  RunPopupLoop(popup);
  return static_cast<int>(result);
}

int CTkCommandBars::TrackMenuAsPopupBar(CMenu* menu, UINT flags, int x, int y, CWnd* owner, LPCRECT exclusion,
                                        CWnd* commandTarget, CTkCommandBars* commandBars) {
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(commandBars);
  if (popup == nullptr) return 0;
  popup->SetOwner(owner);
  popup->SetCommandTarget(commandTarget);
  if (!popup->BuildFromMenu(menu, TRUE)) {
    popup->InternalRelease();
    return 0;
  }
  const int result = TrackPopupBar(popup, flags, x, y, owner, exclusion, commandTarget);
  popup->InternalRelease();
  return result;
}

void CTkCommandBars::RunPopupLoop(CTkPopupBar* popup) {
  CWinThread* thread = AfxGetThread();
  MSG msg;
  while (popup->GetMenuMode() != 0) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // The program is ending: the outer loop must see the quit too.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      popup->SetMenuMode(0, TRUE, FALSE);
      break;
    }
    if (popup->GetMenuMode() == 0) {
      ::PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
      break;
    }
    if (msg.message == WM_KICKIDLE) continue;
    if (thread != nullptr && thread->PreTranslateMessage(&msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void CTkCommandBars::ShowToolbarsContextMenu(WPARAM wParam, int x, int y) {
  if (m_bCustomizeMode) return;
  CTkPopupBar* popup = CreateToolbarsContextMenu();
  if (popup == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
    m_pFrame->SendMessage(WM_CMDBARS_CONTEXTMENU, wParam, reinterpret_cast<LPARAM>(popup));
  // The tool-bars list hides itself while its items show; a menu with
  // nothing to show stays closed.
  if (popup->GetControls()->GetVisibleCount(TRUE) > 0) {
    CloseAllPopups();
    if (popup->PopupAt(x, y, nullptr)) RunPopupLoop(popup);
  }
  popup->InternalRelease();
}
