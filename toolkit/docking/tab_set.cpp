#include "tab_set.h"

#include <algorithm>

#include "draw_helpers.h"
#include "tab_painter.h"
#include "tab_shape.h"
#include "tip_context.h"

IMPLEMENT_DYNAMIC(CTkTabManagerItem, CCmdTarget)

namespace {

const COLORREF kAutoColors[kTabAutoColorCount] = {
    RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
    RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
};

}  // namespace

COLORREF ResolveTabAutoColor(COLORREF color) {
  if (color >= kTabAutoColorBase && color < kTabAutoColorBase + kTabAutoColorCount)
    return kAutoColors[color - kTabAutoColorBase];
  return color;
}

void CTkTabManagerItem::SetCaption(LPCWSTR text) {
  if (m_caption == (text != nullptr ? text : L"")) return;
  m_caption = text;
  if (m_pOwner != nullptr) m_pOwner->Reposition();
}

CString CTkTabManagerItem::GetCaption() const {
  return m_pOwner != nullptr ? m_pOwner->GetTabCaption(this) : m_caption;
}

void CTkTabManagerItem::SetColor(COLORREF color) {
  m_color = color;
  if (m_pOwner != nullptr) m_pOwner->RedrawControl();
}

COLORREF CTkTabManagerItem::GetColor() const {
  return m_pOwner != nullptr ? m_pOwner->GetTabColor(this) : ResolveTabAutoColor(m_color);
}

void CTkTabManagerItem::Remove() {
  if (m_pOwner != nullptr) m_pOwner->DeleteTab(m_index);
}

void CTkTabRowTable::SetRowCount(int count) {
  if (count != m_count) {
    m_rows.assign(count > 0 ? count : 0, Row{0, -1});
    m_count = count;
  }
  if (m_count > 0) m_rows[0] = {0, m_pOwner->GetTabCount() - 1};
}

CTkTabSet::CTkTabSet() {
  m_buttons.push_back(new CTkTabBackButton(this));
  m_buttons.push_back(new CTkTabForwardButton(this));
  m_buttons.push_back(new CTkTabCloseButton(this));
  m_pRows = new CTkTabRowTable(this);
}

CTkTabSet::~CTkTabSet() {
  for (CTkTabManagerItem* tab : m_tabs) {
    tab->m_pOwner = nullptr;
    tab->InternalRelease();
  }
  for (CTkTabScrollButton* button : m_buttons) delete button;
  delete m_pRows;
}

CString CTkTabSet::GetTabCaption(const CTkTabManagerItem* item) const { return item->m_caption; }
int CTkTabSet::GetTabImage(const CTkTabManagerItem* item) const { return item->m_imageIndex; }
COLORREF CTkTabSet::GetTabColor(const CTkTabManagerItem* item) const { return ResolveTabAutoColor(item->m_color); }
CString CTkTabSet::GetTabToolTip(const CTkTabManagerItem* item) const { return item->m_toolTip; }

void CTkTabSet::RepositionTabs() {
  for (size_t i = 0; i < m_tabs.size(); ++i) m_tabs[i]->m_index = static_cast<int>(i);
  Reposition();
}

void CTkTabSet::SelectTab(CTkTabManagerItem* item) {
  if (item == m_pSelected) return;
  m_pSelected = item;
  Reposition();
  if (item != nullptr) GetPainter()->EnsureTabVisible(this, item);
}

void CTkTabSet::ClickTabIfAny(CTkTabManagerItem* item) {
  if (item != nullptr) OnTabClicked(item);
}

void CTkTabSet::GetStripMetrics(SIZE* fixed, SIZE* least, SIZE* greatest) const {
  if (fixed != nullptr) *fixed = m_fixedTabSize;
  if (least != nullptr) *least = m_leastTabSize;
  if (greatest != nullptr) *greatest = m_greatestTabSize;
}

BOOL CTkTabSet::HasFrame() const { return GetPainter()->m_bControlFrame; }
int CTkTabSet::GetStripPosition() const { return GetPainter()->GetStripPosition(); }

BOOL CTkTabSet::IsHorizontal() const {
  int position = GetStripPosition();
  return position == kTabTop || position == kTabBottom;
}

void CTkTabSet::ScrollTabs(BOOL forward) {
  SetScrollOffset(forward ? m_scrollOffset - m_scrollStep : m_scrollOffset + m_scrollStep);
}

BOOL CTkTabSet::IsNavigateButtonVisible(const CTkTabScrollButton* button) const {
  if (button->m_id != CTkTabScrollButton::kClose) return TRUE;
  return m_pSelected != nullptr && m_pSelected->m_bClosable;
}

CTkTabManagerItem* CTkTabSet::InsertTab(int index, CTkTabManagerItem* item) {
  if (item == nullptr) item = new CTkTabManagerItem;
  item->m_pOwner = this;
  int count = GetTabCount();
  if (index < 0 || index > count) index = count;
  m_tabs.insert(m_tabs.begin() + index, item);
  CTkTabPainter* painter = GetPainter();
  int n = painter->m_autoColorCounter % kTabAutoColorCount;
  ++painter->m_autoColorCounter;
  item->m_color = kTabAutoColorBase + n;
  RepositionTabs();
  return item;
}

BOOL CTkTabSet::DeleteTab(int index) {
  if (index < 0 || index >= GetTabCount()) return FALSE;
  CTkTabManagerItem* tab = m_tabs[index];
  m_tabs.erase(m_tabs.begin() + index);
  if (m_pHot == tab) m_pHot = nullptr;
  if (m_pSelected == tab) {
    // The neighbour at the gap, hidden or not, else the new last tab.
    if (m_tabs.empty())
      m_pSelected = nullptr;
    else
      m_pSelected = m_tabs[index < GetTabCount() ? index : GetTabCount() - 1];
  }
  tab->m_pOwner = nullptr;
  tab->m_index = -1;
  tab->InternalRelease();
  RepositionTabs();
  return TRUE;
}

void CTkTabSet::DeleteAllTabs() {
  std::vector<CTkTabManagerItem*> tabs;
  tabs.swap(m_tabs);
  for (CTkTabManagerItem* tab : tabs) {
    tab->m_pOwner = nullptr;
    tab->InternalRelease();
  }
  m_pSelected = nullptr;
  m_pHot = nullptr;
  RepositionTabs();
}

void CTkTabSet::SetScrollOffset(int offset) {
  if (offset > 0) offset = 0;
  if (offset == m_scrollOffset) return;
  m_scrollOffset = offset;
  Reposition();
}

int CTkTabSet::GetTabsLength() const {
  CTkTabPainter* painter = GetPainter();
  if (painter->GetLayout() == kTabLayoutRotated)
    return GetTabCount() * painter->GetAppearance()->GetRowHeight(const_cast<CTkTabSet*>(this));
  int length = 0;
  for (const CTkTabManagerItem* tab : m_tabs) length += tab->m_currentLength;
  return length;
}

CTkTabManagerItem* CTkTabSet::HitTest(int x, int y) const {
  CPoint pt(x, y);
  if (!m_controlRect.PtInRect(pt)) return nullptr;
  if (!m_tabsArea.IsRectEmpty() && !m_tabsArea.PtInRect(pt)) return nullptr;
  for (CTkTabManagerItem* tab : m_tabs)
    if (tab->m_bEnabled && tab->m_bVisible && tab->m_rect.PtInRect(pt)) return tab;
  return nullptr;
}

CTkTabManagerItem* CTkTabSet::FindNextVisibleTab(int index, int step) const {
  for (index += step; index >= 0 && index < GetTabCount(); index += step)
    if (m_tabs[index]->m_bVisible && m_tabs[index]->m_bEnabled) return m_tabs[index];
  return nullptr;
}

CTkTabScrollButton* CTkTabSet::FindNavigateButton(int id) const {
  for (CTkTabScrollButton* button : m_buttons)
    if (button->m_id == id) return button;
  return nullptr;
}

BOOL CTkTabSet::HandleLeftButtonDown(HWND hWnd, int x, int y, BOOL buttonsOnly) {
  for (CTkTabScrollButton* button : m_buttons) {
    if (button->m_rect.PtInRect(CPoint(x, y))) {
      button->PerformClick(hWnd, x, y);
      return TRUE;
    }
  }
  if (buttonsOnly) return FALSE;
  CTkTabManagerItem* tab = HitTest(x, y);
  if (tab == nullptr) return FALSE;
  if (IsReorderAllowed())
    TrackTabDrag(hWnd, x, y, tab);
  else
    OnTabClicked(tab);
  return TRUE;
}

int CTkTabSet::HandleMouseMove(HWND hWnd, int x, int y) {
  if (!IsTopLevelWindowActive(hWnd)) return 0;
  if (int blocked = IsMouseTrackingBlocked()) return blocked;
  if (GetPainter()->m_bHotTracking) {
    CTkTabManagerItem* hot = HitTest(x, y);
    if (hot != m_pHot) {
      m_pHot = hot;
      RedrawControl();
      if (hot != nullptr) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hWnd, 0};
        ::TrackMouseEvent(&track);
      }
    }
  }
  for (CTkTabScrollButton* button : m_buttons) button->UpdateHover(hWnd, x, y);
  return 0;
}

INT_PTR CTkTabSet::GetToolTipInfo(HWND hWnd, CTkTabManagerItem* item, TTTOOLINFOW* info) {
  if (item == nullptr) return -1;
  int mode = GetPainter()->m_toolTipMode;
  if (mode == 0) return -1;
  if (mode == 2 && item->m_currentLength >= item->m_idealLength) return -1;
  CString tip = GetTabToolTip(item);
  if (tip.IsEmpty()) return -1;
  CString caption = item->GetCaption();
  const CRect& rc = item->m_rect;
  FillToolInfo(info, hWnd, rc.left, rc.top, rc.right, rc.bottom, static_cast<UINT_PTR>(item->m_index), tip,
               caption, tip);
  return item->m_index;
}

BOOL CTkTabSet::HandleKeyDown(HWND hWnd, UINT key) {
  int count = GetTabCount();
  if (count == 0) return FALSE;
  if (hWnd != nullptr && (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) {
    if (key == VK_LEFT)
      key = VK_RIGHT;
    else if (key == VK_RIGHT)
      key = VK_LEFT;
  }
  BOOL horizontal = IsHorizontal();
  auto previous = [&] {
    if (m_pSelected != nullptr && m_pSelected->m_index > 0)
      ClickTabIfAny(FindNextVisibleTab(m_pSelected->m_index, -1));
  };
  auto next = [&] {
    if (m_pSelected != nullptr && m_pSelected->m_index < count - 1)
      ClickTabIfAny(FindNextVisibleTab(m_pSelected->m_index, +1));
  };
  switch (key) {
    case VK_END: ClickTabIfAny(FindNextVisibleTab(count, -1)); return TRUE;
    case VK_HOME: ClickTabIfAny(FindNextVisibleTab(-1, +1)); return TRUE;
    case VK_LEFT: if (horizontal) previous(); return TRUE;
    case VK_UP: if (!horizontal) previous(); return TRUE;
    case VK_RIGHT: if (horizontal) next(); return TRUE;
    case VK_DOWN: if (!horizontal) next(); return TRUE;
    default: return FALSE;
  }
}

void CTkTabSet::TrackTabDrag(HWND hWnd, int x, int y, CTkTabManagerItem* item) {
  CTkTabManagerItem* remembered = m_pSelected;
  m_pSelected = item;
  if (GetPainter()->m_bHotTracking) m_pHot = item;
  Reposition();

  // Where the tabs stood when the drag began; it is not updated.
  std::vector<CRect> places;
  for (CTkTabManagerItem* tab : m_tabs) places.push_back(tab->m_rect);

  CPoint last(x, y);
  ::SetCapture(hWnd);
  MSG msg;
  for (;;) {
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (::GetCapture() != hWnd) {
      ::DispatchMessageW(&msg);
      break;
    }
    if (msg.message == WM_CANCELMODE || msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONDOWN) break;
    if (msg.message == WM_KEYDOWN) {
      if (msg.wParam == VK_ESCAPE) break;
      continue;
    }
    // A dispatched message may have taken the tab away.
    if (item->m_pOwner != this) break;
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd) {
      last = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      int dragged = item->m_index;
      for (int i = 0; i < static_cast<int>(places.size()) && i < GetTabCount(); ++i) {
        if (i == dragged || !places[i].PtInRect(last)) continue;
        m_tabs[dragged] = m_tabs[i];
        m_tabs[i] = item;
        RepositionTabs();
        break;
      }
      continue;
    }
    ::DispatchMessageW(&msg);
  }
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  HandleMouseMove(hWnd, last.x, last.y);
  if (std::find(m_tabs.begin(), m_tabs.end(), remembered) == m_tabs.end()) remembered = nullptr;
  m_pSelected = remembered;
  if (item->m_pOwner == this) OnTabClicked(item);
}
