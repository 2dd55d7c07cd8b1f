// Driving the command bars by keyboard: Alt and F10 put the menu bar into
// menu mode, Alt+letter finds a control by its mnemonic, the cues show
// while the keyboard is used, Ctrl+Tab cycles through the bars, and a bar
// in menu mode moves its hot control with the arrows, Home, End and Tab.
#include "keyboard_navigation.h"

#include <cstdlib>
#include <cwctype>
#include <vector>

#include "command_bar.h"
#include "command_bars.h"
#include "keyboard_shortcuts.h"
#include "popup_bar.h"
#include "reference_scope.h"
#include "tool_bar.h"

namespace {

// Bits of "KeyboardCuesUse".
const int kCuesOff = 2;
const int kCuesToolBarsToo = 1;
const int kCuesUnderlinedOnly = 4;

// The arrow keys' navigation codes by orientation and layout direction:
// horizontal left to right, horizontal right to left, vertical left to
// right, vertical right to left.
struct ArrowCodes {
  UINT key;
  int codes[4];
};
const ArrowCodes kArrowTable[] = {
    {VK_LEFT, {1, 0, 2, 3}}, {VK_RIGHT, {0, 1, 3, 2}}, {VK_UP, {2, 2, 1, 1}},
    {VK_DOWN, {3, 3, 0, 0}}, {VK_HOME, {6, 6, 6, 6}},  {VK_END, {7, 7, 7, 7}},
};

enum NavigateCode {
  kNavNext = 0,
  kNavPrevious = 1,
  kNavBack = 2,
  kNavOpen = 3,
  kNavCancel = 4,
  kNavExecute = 5,
  kNavFirst = 6,
  kNavLast = 7,
};

BOOL IsKeyDown(int key) { return ::GetKeyState(key) < 0; }

BOOL IsBarShown(CTkCommandBar* bar) { return bar != nullptr && bar->IsVisible() && bar->GetSafeHwnd() != nullptr; }

BOOL IsPopupToolBar(const CTkCommandBar* bar) { return bar->IsKindOf(RUNTIME_CLASS(CTkPopupToolBar)); }

BOOL IsOpenablePopup(CTkControl* control) {
  return control != nullptr && control->GetEnabled() && control->IsKindOf(RUNTIME_CLASS(CTkControlPopup));
}

// The controls a keyboard walk reaches, in order from the first; each once.
std::vector<int> EligibleIndexes(CTkCommandBar* bar) {
  std::vector<int> indexes;
  CTkControls* controls = bar->GetControls();
  int index = controls->GetNextIndex(-1, 1, TRUE, FALSE, TRUE);
  while (index != -1 && static_cast<int>(indexes.size()) < controls->GetCount()) {
    indexes.push_back(index);
    const int next = controls->GetNextIndex(index, 1, TRUE, FALSE, TRUE);
    if (next <= index) break;
    index = next;
  }
  return indexes;
}

}  // namespace

WCHAR GetMnemonicLetter(const CString& caption, BOOL* underlined) {
  *underlined = FALSE;
  const int length = caption.GetLength();
  if (length == 0) return 0;
  const int ampersand = caption.Find(L'&');
  if (ampersand >= 0 && ampersand < length - 1) {
    *underlined = TRUE;
    return caption[ampersand + 1];
  }
  return caption[0];
}

BOOL IsMnemonicKey(UINT key) {
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return FALSE;
  return ::MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) != 0;
}

BOOL CTkMnemonicSearch::Offer(CTkControl* control, BOOL plainCounts) {
  if (control == nullptr || !control->GetEnabled() || !IsMnemonicKey(m_key)) return FALSE;
  BOOL underlined = FALSE;
  const WCHAR letter = GetMnemonicLetter(control->GetVisibleCaption(), &underlined);
  if (letter == 0 || !IsKeyForMnemonic(letter, m_key)) return FALSE;
  if (underlined) {
    if (m_underlined == nullptr) {
      m_underlined = control;
      return FALSE;
    }
    m_bUnderlinedTwice = TRUE;
    return TRUE;
  }
  if (!plainCounts) return FALSE;
  if (m_plain == nullptr)
    m_plain = control;
  else
    m_bPlainTwice = TRUE;
  return FALSE;
}

// The command bars' half.

int CTkCommandBars::FindNextVisibleBar(int start, int step) const {
  const int count = GetBarCount();
  if (count == 0 || (step != 1 && step != -1)) return -1;
  int index = start == -1 && step == -1 ? count - 1 : start + step;
  BOOL wrapped = FALSE;
  // Two passes over the bars at most: a hidden start bar never ends the walk.
  for (int visited = 0; visited <= 2 * count + 1; ++visited) {
    if (index >= count || index < 0) {
      const BOOL forward = index >= count;
      if (wrapped || (start == -1 && (forward ? step == 1 : step == -1))) return -1;
      wrapped = TRUE;
      index = forward ? 0 : count - 1;
    }
    if (index == start) return start;
    if (IsBarShown(GetAt(index))) return index;
    index += step;
  }
  return -1;
}

BOOL CTkCommandBars::ActivateBarByKeyboard(CTkCommandBar* bar, int step) {
  if (bar == nullptr) return FALSE;
  if (step != 0) {
    if (GetBarCount() < 2) return FALSE;
    const int index = FindBarIndex(bar);
    const int next = FindNextVisibleBar(index, step);
    if (next == -1 || next == index) return FALSE;
    bar = GetAt(next);
  }
  CTkReferenceScope hold;
  hold.Hold(this);
  hold.Hold(bar);
  CloseAllPopups();
  ShowKeyboardCues(TRUE);
  bar->SetMenuMode(1, FALSE, FALSE);
  const BOOL menuBar = bar->GetType() == kBarMenu;
  bar->SetHighlightedControl(bar->GetControls()->GetNextIndex(-1, 1, TRUE, menuBar, TRUE), TRUE);
  return TRUE;
}

BOOL CTkCommandBars::HandleMnemonic(UINT key) {
  const int use = m_pOptions->nKeyboardCuesUse;
  if (use == kCuesOff || !IsMnemonicKey(key)) return FALSE;

  CTkCommandBar* target = nullptr;
  for (CTkCommandBar* bar : m_bars) {
    if (bar->GetMenuMode() != 0) {
      target = bar;
      break;
    }
  }
  if (target == nullptr && IsBarShown(reinterpret_cast<CTkCommandBar*>(m_pMenuBar)))
    target = reinterpret_cast<CTkCommandBar*>(m_pMenuBar);
  if (target == nullptr && (use & kCuesToolBarsToo) != 0) {
    const int first = FindNextVisibleBar(-1, 1);
    target = first != -1 ? GetAt(first) : nullptr;
  }
  if (!IsBarShown(target)) return FALSE;

  // The bars taking part, the target first, then (with tool bars too) the
  // others that are shown, in bar order from the target on.
  std::vector<CTkCommandBar*> bars{target};
  if ((use & kCuesToolBarsToo) != 0) {
    const int start = FindBarIndex(target);
    for (int i = 1; i < GetBarCount(); ++i) {
      CTkCommandBar* bar = GetAt((start + i) % GetBarCount());
      if (IsBarShown(bar)) bars.push_back(bar);
    }
  }
  // One round over every eligible control: after the target's hot control
  // to the end, the other bars, then the target's start up to its hot control.
  const std::vector<int> own = EligibleIndexes(target);
  const int hot = target->GetHotIndex();
  struct Stop {
    CTkCommandBar* bar;
    int index;
  };
  std::vector<Stop> walk;
  for (int index : own)
    if (index > hot) walk.push_back({target, index});
  for (size_t i = 1; i < bars.size(); ++i)
    for (int index : EligibleIndexes(bars[i])) walk.push_back({bars[i], index});
  for (int index : own)
    if (index <= hot) walk.push_back({target, index});

  CTkMnemonicSearch search(key);
  for (const Stop& stop : walk) {
    const BOOL plainCounts =
        (use & kCuesUnderlinedOnly) == 0 && (stop.bar->GetType() == kBarMenu || stop.bar->GetMenuMode() != 0);
    if (search.Offer(stop.bar->GetControl(stop.index), plainCounts)) break;
  }
  CTkControl* control = search.GetResult();
  if (control == nullptr) return FALSE;

  CTkCommandBar* bar = control->GetParent();
  CTkReferenceScope hold;
  hold.Hold(this);
  hold.Hold(bar);
  hold.Hold(control);
  if (bar->GetMenuMode() == 0) CloseAllPopups();
  ShowKeyboardCues(TRUE);
  bar->SetMenuMode(1, FALSE, TRUE);
  bar->SetHighlightedControl(control->GetIndex(), TRUE);
  if (!search.IsAmbiguous()) control->OnMnemonicActivate();
  return TRUE;
}

BOOL CTkCommandBars::PreTranslateFrameMessage(MSG* msg) {
  if (msg == nullptr) return FALSE;
  CTkMouseTracker* tracker = GetMouseTracker();
  const BOOL tracking = !tracker->m_trackedBars.empty();
  const HWND frame = m_pFrame != nullptr ? m_pFrame->GetSafeHwnd() : nullptr;
  if (msg->message == WM_SYSKEYDOWN && (msg->lParam & 0x20000000) != 0 && tracker->m_suppressCount == 0 &&
      !tracking && frame != nullptr && IsTopLevelOwnerActive(frame)) {
    if (msg->wParam == VK_MENU) {
      ShowKeyboardCues(TRUE);
      return FALSE;
    }
    // A key no control has may still be a shortcut such as Alt+X.
    if (msg->wParam != 0 && !(m_bMnemonicsNeedUnshiftedAlt && IsKeyDown(VK_SHIFT)) &&
        HandleMnemonic(static_cast<UINT>(msg->wParam)))
      return TRUE;
  }
  if ((msg->message == WM_SYSKEYUP || msg->message == WM_KEYUP) && m_bCuesUntilAlt && m_bKeyboardCuesVisible &&
      !tracking)
    ShowKeyboardCues(FALSE);
  if ((msg->message == WM_CONTEXTMENU || msg->message == WM_SYSKEYUP) && tracking) return TRUE;
  if (msg->message == WM_MOUSEWHEEL && !GetKeyboardHook()->m_clients.empty())
    return GetKeyboardHook()->OfferKey(msg->message, msg->wParam, msg->lParam);
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_SYSDEADCHAR && m_pShortcuts != nullptr && frame != nullptr)
    return m_pShortcuts->TranslateAccelerator(frame, msg);
  return FALSE;
}

// The bar's half.

int CTkCommandBar::ProcessKey(UINT key, LPARAM lParam) {
  if (IsCustomizeMode() || IsHelpMode()) return 2;
  if (m_lockCount > 0) return 1;
  CTkReferenceScope hold;
  hold.Hold(this);
  if (CTkControl* hot = GetControl(m_nHotControl)) {
    const int answer = hot->OnHookKeyDown(key, lParam);
    if (answer == 1 || answer == 2) return answer;
  }
  const HWND hBar = GetSafeHwnd();
  struct {
    UINT key;
    LPARAM lParam;
  } keyInfo = {key, lParam};
  CWnd* site = GetOwnerSite();
  if (site != nullptr && site->GetSafeHwnd() != nullptr)
    site->SendMessage(WM_CMDBARS_KEY, reinterpret_cast<WPARAM>(&keyInfo), reinterpret_cast<LPARAM>(this));
  if (hBar != nullptr && !::IsWindow(hBar)) return 1;

  const BOOL shift = IsKeyDown(VK_SHIFT);
  const BOOL control = IsKeyDown(VK_CONTROL);
  if (key == VK_TAB) {
    CTkCommandBar* root = GetRootBar();
    CTkCommandBars* commandBars = GetCommandBars();
    if (control && commandBars != nullptr && root->IsKindOf(RUNTIME_CLASS(CTkToolBar))) {
      commandBars->ActivateBarByKeyboard(root, shift ? -1 : 1);
    } else {
      NavigateByKey(shift ? kNavPrevious : kNavNext);
      CTkControl* hot = GetControl(m_nHotControl);
      if (hot != nullptr && hot->IsFocusable()) hot->SetFocused(TRUE);
    }
    return 1;
  }
  if (key == VK_RETURN) {
    NavigateByKey(kNavExecute);
    return 1;
  }
  if (key == VK_ESCAPE) {
    NavigateByKey(kNavCancel);
    return 1;
  }
  if (hBar != nullptr) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(hBar, focus)) return 2;
  }

  const BOOL horizontal = m_barPosition == kBarTop || m_barPosition == kBarBottom || m_barPosition == kBarFloating ||
                          IsPopupToolBar(this);
  const int column = (horizontal ? 0 : 2) + (IsLayoutRTL() ? 1 : 0);
  for (const ArrowCodes& row : kArrowTable) {
    if (row.key != key) continue;
    if (NavigateByKey(row.codes[column])) return 1;
    // Back and open that this bar cannot do go to the bar that opened it:
    // Left in a submenu closes it, Right on a plain item moves the menu bar.
    CTkCommandBar* parent = GetParentBar();
    if (parent != nullptr && parent->GetMenuMode() != 0) return parent->ProcessKey(key, lParam);
    return 1;
  }

  if (!IsMnemonicKey(key)) return 1;
  if (IsKindOf(RUNTIME_CLASS(CTkToolBar))) {
    CTkCommandBars* commandBars = GetCommandBars();
    if (commandBars != nullptr && commandBars->HandleMnemonic(key)) return 1;
  }
  if (!control) {
    CTkMnemonicSearch search(key);
    const std::vector<int> eligible = EligibleIndexes(this);
    // From the control after the hot one, once around the bar.
    for (int pass = 0; pass < 2; ++pass) {
      BOOL over = FALSE;
      for (int index : eligible) {
        if ((pass == 0) != (index > m_nHotControl)) continue;
        if ((over = search.Offer(GetControl(index), TRUE)) != FALSE) break;
      }
      if (over) break;
    }
    if (CTkControl* found = search.GetResult()) {
      hold.Hold(found);
      SetHighlightedControl(found->GetIndex(), TRUE);
      if (!search.IsAmbiguous()) found->OnMnemonicActivate();
      return 1;
    }
  }
  if (key != VK_SHIFT && key != VK_CONTROL) ::MessageBeep(0);
  return 1;
}

BOOL CTkCommandBar::MoveToNeighbourRow(int step) {
  CTkControl* hot = GetControl(m_nHotControl);
  if (hot == nullptr) return FALSE;
  const CRect hotRect = hot->GetRect();
  int index = m_nHotControl;
  int best = -1;
  int bestDistance = 0;
  BOOL inRow = FALSE;
  int rowTop = 0;
  // Bounded by the number of controls: a walk that meets no other row, or
  // only controls it skips, ends without a change.
  for (int visited = 0; visited < GetControlCount(); ++visited) {
    index = m_pControls->GetNextIndex(index, step, TRUE, FALSE, TRUE);
    if (index == -1 || index == m_nHotControl) break;
    const CRect& rect = GetControl(index)->GetRect();
    if (rect.IsRectEmpty()) continue;
    if (!inRow) {
      if (rect.top == hotRect.top) continue;
      inRow = TRUE;
      rowTop = rect.top;
    } else if (rect.top != rowTop) {
      break;
    }
    const int distance = std::abs(rect.left - hotRect.left);
    if (best == -1 || distance < bestDistance) {
      best = index;
      bestDistance = distance;
    }
  }
  if (best == -1) return FALSE;
  SetHighlightedControl(best, TRUE);
  return TRUE;
}

BOOL CTkCommandBar::MoveHotByKeyboard(int index) {
  if (index == -1) return FALSE;
  if (m_nPopupControl != -1 && index != m_nPopupControl) {
    // Moving along a bar whose popup is open opens the new control's popup.
    if (IsOpenablePopup(GetControl(index))) {
      GetControl(index)->SetSelectionState(2);
      return SetPopupControl(index, TRUE);
    }
    SetPopupControl(-1, FALSE);
    m_nMenuMode = 1;
  }
  SetHighlightedControl(index, TRUE);
  return TRUE;
}

BOOL CTkCommandBar::NavigateByKey(int code) {
  CTkReferenceScope hold;
  hold.Hold(this);
  const BOOL popupToolBar = IsPopupToolBar(this);
  const BOOL multiRow = popupToolBar || m_barPosition == kBarFloating;
  CTkControl* hot = GetControl(m_nHotControl);

  if (popupToolBar && hot != nullptr && m_nHotControl == m_nPopupControl) {
    if (code == kNavNext) return FALSE;
    if (code == kNavPrevious) code = kNavBack;
  } else if (code == kNavBack && m_nPopupControl == -1 && hot != nullptr &&
             (popupToolBar || GetParentBar() == nullptr) && IsOpenablePopup(hot)) {
    code = kNavOpen;
  }

  if ((code == kNavBack || code == kNavOpen) && multiRow && m_nPopupControl == -1) {
    if (hot == nullptr) {
      const int index = code == kNavOpen ? m_pControls->GetNextIndex(-1, 1, TRUE, FALSE, TRUE)
                                         : m_pControls->GetNextIndex(-1, -1, TRUE, FALSE, TRUE);
      if (index == -1) return FALSE;
      SetHighlightedControl(index, TRUE);
      return TRUE;
    }
    if (!IsOpenablePopup(hot)) return MoveToNeighbourRow(code == kNavOpen ? 1 : -1);
  }

  switch (code) {
    case kNavNext:
      return MoveHotByKeyboard(m_pControls->GetNextIndex(m_nHotControl, 1, TRUE, FALSE, TRUE));
    case kNavPrevious:
      return MoveHotByKeyboard(m_pControls->GetNextIndex(m_nHotControl, -1, TRUE, FALSE, TRUE));
    case kNavFirst:
      return MoveHotByKeyboard(m_pControls->GetNextIndex(-1, 1, TRUE, FALSE, TRUE));
    case kNavLast:
      return MoveHotByKeyboard(m_pControls->GetNextIndex(-1, -1, TRUE, FALSE, TRUE));
    case kNavBack:
      if (m_nPopupControl == -1) return FALSE;
      SetPopupControl(-1, FALSE);
      m_nMenuMode = 1;
      return TRUE;
    case kNavOpen:
      if (hot == nullptr || m_nHotControl == m_nPopupControl || !IsOpenablePopup(hot)) return FALSE;
      hold.Hold(hot);
      m_bKeyboardSelection = TRUE;
      hot->SetSelectionState(2);
      SetPopupControl(m_nHotControl, TRUE);
      return TRUE;
    case kNavCancel: {
      CTkCommandBar* parent = GetParentBar();
      hold.Hold(parent);
      SetHighlightedControl(-1, FALSE);
      SetMenuMode(0, FALSE, FALSE);
      if (parent != nullptr && parent->GetMenuMode() != 0) parent->SetMenuMode(1, FALSE, TRUE);
      return TRUE;
    }
    case kNavExecute:
      if (hot == nullptr) return FALSE;
      hold.Hold(hot);
      hot->SetSelectionState(2);
      hot->OnClick(TRUE, CPoint(0, 0));
      return TRUE;
    default:
      return FALSE;
  }
}

int CTkToolBar::ProcessKey(UINT key, LPARAM lParam) {
  if (key == VK_TAB && m_pDragTracker == nullptr && GetSafeHwnd() != nullptr) {
    // A bar placed in a dialog hands the focus on like any dialog control.
    const HWND parent = ::GetParent(m_hWnd);
    const HWND next = parent != nullptr ? ::GetNextDlgTabItem(parent, m_hWnd, IsKeyDown(VK_SHIFT)) : nullptr;
    SetMenuMode(0, TRUE, FALSE);
    if (next != nullptr && next != m_hWnd) ::SetFocus(next);
    return 1;
  }
  return CTkCommandBar::ProcessKey(key, lParam);
}
