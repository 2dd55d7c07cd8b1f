#include "tab_client_wnd.h"

#include <algorithm>

#include "control_lists.h"
#include "draw_helpers.h"
#include "tab_painter.h"

IMPLEMENT_DYNAMIC(CTkTabClientWnd, CWnd)

namespace {

const DWORD kStrippedStyles = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// The client holds still while a command rearranges it.
struct LayoutLock {
  explicit LayoutLock(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
  ~LayoutLock() { m_flag = FALSE; }
  BOOL& m_flag;
};

}  // namespace

void SplitGroupExtents(int splitterWidth, double& first, double& second, int position, int areaStart, int areaEnd) {
  if (areaEnd <= areaStart) return;
  const double total = splitterWidth + first + second;
  first = total * (position - areaStart) / (areaEnd - areaStart);
  second = total - first - splitterWidth;
}

// A group.

CTkTabPainter* CTkTabClientGroup::GetPainter() const { return m_pClient->GetTabPainter(); }

void CTkTabClientGroup::RedrawControl() {
  if (m_pClient->GetSafeHwnd() != nullptr) m_pClient->InvalidateRect(&m_rect, FALSE);
}

void CTkTabClientGroup::Reposition() {
  if (!m_pClient->IsInRefresh()) m_pClient->Refresh(FALSE);
}

CString CTkTabClientGroup::GetTabCaption(const CTkTabManagerItem* item) const {
  CString caption;
  const HWND child = ChildOf(item);
  if (::IsWindow(child)) CWnd::FromHandle(child)->GetWindowText(caption);
  return caption;
}

void CTkTabClientGroup::OnTabClicked(CTkTabManagerItem* item) {
  SelectTab(item);
  const HWND child = ChildOf(item);
  if (::IsWindow(child) && m_pClient->GetSafeHwnd() != nullptr)
    m_pClient->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
}

CTkTabManagerItem* CTkTabClientGroup::FindTab(HWND child) const {
  for (CTkTabManagerItem* tab : m_tabs)
    if (ChildOf(tab) == child) return tab;
  return nullptr;
}

// The client.

CTkTabClientWnd::CTkTabClientWnd() { m_pPainter = new CTkTabPainter; }

CTkTabClientWnd::~CTkTabClientWnd() {
  for (CTkTabClientGroup* group : m_groups) delete group;
  m_groups.clear();
  if (m_pPainter != nullptr) m_pPainter->InternalRelease();
}

BOOL CTkTabClientWnd::Attach(CMDIFrameWnd* frame, BOOL grouping) {
  if (frame == nullptr || frame->m_hWndMDIClient == nullptr || GetSafeHwnd() != nullptr) return FALSE;
  if (!SubclassWindow(frame->m_hWndMDIClient)) return FALSE;
  m_pFrame = frame;
  m_bGrouping = grouping;
  for (HWND child : VisibleChildren()) StripChild(child);
  // The border of the tab painter goes round the client from now on.
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Refresh(TRUE);
  return TRUE;
}

std::vector<HWND> CTkTabClientWnd::VisibleChildren() const {
  std::vector<HWND> children;
  if (GetSafeHwnd() == nullptr) return children;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    // Minimized children's icon titles are the client's children too.
    if (::IsWindowVisible(child) && ::GetWindow(child, GW_OWNER) == nullptr) children.push_back(child);
  }
  // The z-order puts the newest first; tabs go in the order of making.
  std::reverse(children.begin(), children.end());
  return children;
}

HWND CTkTabClientWnd::ActiveChild() const {
  return GetSafeHwnd() != nullptr ? reinterpret_cast<HWND>(::SendMessageW(m_hWnd, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

void CTkTabClientWnd::StripChild(HWND child) {
  if (!m_bTabsAttached || !::IsWindow(child)) return;
  ::SetWindowLongPtrW(child, GWL_STYLE, ::GetWindowLongPtrW(child, GWL_STYLE) & ~static_cast<LONG_PTR>(kStrippedStyles));
  ::SetWindowLongPtrW(child, GWL_EXSTYLE, ::GetWindowLongPtrW(child, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
  ::SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

CTkTabManagerItem* CTkTabClientWnd::FindTab(HWND child) const {
  for (CTkTabClientGroup* group : m_groups)
    if (CTkTabManagerItem* tab = group->FindTab(child)) return tab;
  return nullptr;
}

CTkTabClientGroup* CTkTabClientWnd::FindGroup(HWND child) const {
  for (CTkTabClientGroup* group : m_groups)
    if (group->FindTab(child) != nullptr) return group;
  return nullptr;
}

void CTkTabClientWnd::RemoveEmptyGroups() {
  for (size_t i = 0; i < m_groups.size();) {
    if (m_groups[i]->GetTabCount() > 0 || m_groups.size() == 1) {
      ++i;
      continue;
    }
    // Its room goes to a neighbour.
    CTkTabClientGroup* gone = m_groups[i];
    CTkTabClientGroup* neighbour = i > 0 ? m_groups[i - 1] : m_groups[i + 1];
    neighbour->m_extent += gone->m_extent + m_splitterWidth;
    m_groups.erase(m_groups.begin() + static_cast<std::ptrdiff_t>(i));
    delete gone;
  }
}

void CTkTabClientWnd::SyncTabs() {
  const std::vector<HWND> children = VisibleChildren();
  for (CTkTabClientGroup* group : m_groups) {
    for (int i = group->GetTabCount() - 1; i >= 0; --i) {
      const HWND child = CTkTabClientGroup::ChildOf(group->GetTab(i));
      if (std::find(children.begin(), children.end(), child) == children.end()) group->DeleteTab(i);
    }
  }
  const HWND active = ActiveChild();
  for (HWND child : children) {
    if (FindTab(child) != nullptr) continue;
    // A new child joins the group of the active one.
    CTkTabClientGroup* group = FindGroup(active);
    if (group == nullptr) {
      if (m_groups.empty()) m_groups.push_back(new CTkTabClientGroup(this));
      group = m_groups.front();
    }
    CTkTabManagerItem* item = group->InsertTab(-1, nullptr);
    item->m_itemData = reinterpret_cast<DWORD_PTR>(child);
  }
  RemoveEmptyGroups();
  if (CTkTabClientGroup* group = FindGroup(active)) group->SelectTab(group->FindTab(active));
  for (CTkTabClientGroup* group : m_groups)
    if (group->GetSelectedTab() == nullptr && group->GetTabCount() > 0) group->SelectTab(group->GetTab(0));
}

void CTkTabClientWnd::LayoutGroups() {
  CRect client;
  GetClientRect(&client);
  const int count = GetGroupCount();
  if (count == 0) return;
  const int length = m_bStackedVertically ? client.Height() : client.Width();
  const int available = std::max(0, length - (count - 1) * m_splitterWidth);
  double sum = 0;
  for (CTkTabClientGroup* group : m_groups) sum += std::max(0.0, group->m_extent);
  int start = m_bStackedVertically ? client.top : client.left;
  for (int i = 0; i < count; ++i) {
    CTkTabClientGroup* group = m_groups[i];
    // The extents keep their shares of whatever room the client has.
    const double share = sum > 0 ? std::max(0.0, group->m_extent) / sum : 1.0 / count;
    group->m_extent = share * available;
    const int end = i + 1 == count ? (m_bStackedVertically ? client.bottom : client.right)
                                   : start + static_cast<int>(group->m_extent + 0.5);
    if (m_bStackedVertically) {
      group->m_rect.SetRect(client.left, start, client.right, end);
      group->m_splitter = i + 1 == count ? CRect(0, 0, 0, 0) : CRect(client.left, end, client.right, end + m_splitterWidth);
    } else {
      group->m_rect.SetRect(start, client.top, end, client.bottom);
      group->m_splitter = i + 1 == count ? CRect(0, 0, 0, 0) : CRect(end, client.top, end + m_splitterWidth, client.bottom);
    }
    start = end + m_splitterWidth;
  }
  CClientDC dc(this);
  for (CTkTabClientGroup* group : m_groups) m_pPainter->LayoutTabs(group, &dc, group->m_rect);
}

void CTkTabClientWnd::PlaceChildren() {
  if (!m_bTabsAttached) return;
  for (CTkTabClientGroup* group : m_groups) {
    const CRect& area = group->m_clientRect;
    for (int i = 0; i < group->GetTabCount(); ++i) {
      CTkTabManagerItem* tab = group->GetTab(i);
      const BOOL selected = tab == group->GetSelectedTab();
      ::SetWindowPos(CTkTabClientGroup::ChildOf(tab), selected ? HWND_TOP : nullptr, area.left, area.top,
                     area.Width(), area.Height(), SWP_NOACTIVATE | (selected ? 0 : SWP_NOZORDER));
    }
  }
}

void CTkTabClientWnd::Refresh(BOOL updateFrame) {
  if (m_bInRefresh || GetSafeHwnd() == nullptr) return;
  m_bInRefresh = TRUE;
  SyncTabs();
  LayoutGroups();
  PlaceChildren();
  if (!m_groups.empty()) {
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    for (CTkTabClientGroup* group : m_groups) group->HandleMouseMove(m_hWnd, cursor.x, cursor.y);
  }
  Invalidate(FALSE);
  m_bInRefresh = FALSE;
  if (updateFrame && m_bGrouping && m_pFrame != nullptr) {
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->RecalcLayout();
  }
}

void CTkTabClientWnd::StoreExtents() {
  for (CTkTabClientGroup* group : m_groups) group->m_extent = ExtentOf(group->m_rect);
}

// Commands.

BOOL CTkTabClientWnd::IsGroupCommandEnabled(UINT id) const {
  const HWND active = ActiveChild();
  CTkTabClientGroup* group = m_bGrouping ? FindGroup(active) : nullptr;
  if (group == nullptr) return FALSE;
  const int index = static_cast<int>(std::find(m_groups.begin(), m_groups.end(), group) - m_groups.begin());
  const BOOL single = m_groups.size() == 1;
  switch (id) {
    case kIdMoveToPreviousGroup: return index > 0;
    case kIdMoveToNextGroup: return index + 1 < GetGroupCount();
    case kIdNewHorizontalGroup: return (single || m_bStackedVertically) && group->GetTabCount() > 1;
    case kIdNewVerticalGroup: return (single || !m_bStackedVertically) && group->GetTabCount() > 1;
    default: return FALSE;
  }
}

BOOL CTkTabClientWnd::RunGroupCommand(UINT id) {
  if (!IsGroupCommandEnabled(id)) return FALSE;
  const HWND active = ActiveChild();
  CTkTabClientGroup* group = FindGroup(active);
  CTkTabManagerItem* item = group->FindTab(active);
  const auto at = std::find(m_groups.begin(), m_groups.end(), group);
  const int index = static_cast<int>(at - m_groups.begin());
  {
    LayoutLock lock(m_bLayoutLock);
    m_bInRefresh = TRUE;
    // Kept alive between its groups; the new group takes this reference.
    item->InternalAddRef();
    if (id == kIdMoveToPreviousGroup || id == kIdMoveToNextGroup) {
      CTkTabClientGroup* target = m_groups[index + (id == kIdMoveToNextGroup ? 1 : -1)];
      const DWORD_PTR data = item->m_itemData;
      item->Remove();
      target->InsertTab(-1, item);
      item->m_itemData = data;
      target->SelectTab(item);
    } else {
      StoreExtents();
      item->Remove();
      auto* created = new CTkTabClientGroup(this);
      m_groups.insert(m_groups.begin() + index + 1, created);
      created->InsertTab(-1, item);
      created->SelectTab(item);
      const double old = group->m_extent;
      created->m_extent = (old - m_splitterWidth) / 2;
      group->m_extent = old - created->m_extent - m_splitterWidth;
      m_bStackedVertically = id == kIdNewHorizontalGroup;
    }
    m_bInRefresh = FALSE;
  }
  Refresh(FALSE);
  return TRUE;
}

BOOL CTkTabClientWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nID >= kIdMoveToPreviousGroup && nID <= kIdNewVerticalGroup) {
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr) {
      static_cast<CCmdUI*>(pExtra)->Enable(IsGroupCommandEnabled(nID));
      return TRUE;
    }
    if (nCode == static_cast<int>(CN_COMMAND)) {
      if (pHandlerInfo == nullptr) RunGroupCommand(nID);
      return TRUE;
    }
  }
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Splitters.

int CTkTabClientWnd::SplitterAt(CPoint point) const {
  for (int i = 0; i + 1 < GetGroupCount(); ++i)
    if (m_groups[i]->m_splitter.PtInRect(point)) return i;
  return -1;
}

void CTkTabClientWnd::MoveSplitter(int index, CPoint point, const CRect& area) {
  CTkTabClientGroup* first = m_groups[index];
  CTkTabClientGroup* second = m_groups[index + 1];
  int position = m_bStackedVertically ? point.y : point.x;
  int start = m_bStackedVertically ? area.top : area.left;
  int end = m_bStackedVertically ? area.bottom : area.right;
  if (!m_bStackedVertically && (GetExStyle() & WS_EX_LAYOUTRTL) != 0) {
    // Mirrored: the first group lies on the right.
    position = start + end - position;
  }
  position = std::max(start, std::min(end, position));
  SplitGroupExtents(m_splitterWidth, first->m_extent, second->m_extent, position, start, end);
  Refresh(FALSE);
}

void CTkTabClientWnd::TrackSplitter(int index, CPoint point) {
  StoreExtents();
  CRect area;
  area.UnionRect(&m_groups[index]->m_rect, &m_groups[index + 1]->m_rect);
  if (m_bUseTracker) {
    CRect line = m_groups[index]->m_splitter;
    CRect bounds = area;
    ClientToScreen(&line);
    ClientToScreen(&bounds);
    CPoint start = point;
    ClientToScreen(&start);
    CTkDragLineTracker tracker;
    if (tracker.Track(this, bounds, line, start, !m_bStackedVertically)) {
      ScreenToClient(&line);
      MoveSplitter(index, line.CenterPoint(), area);
    }
    return;
  }
  SetCapture();
  MSG msg;
  while (::GetCapture() == m_hWnd) {
    if (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
      ::DispatchMessageW(&msg);
      continue;
    }
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == m_hWnd) {
      const CPoint at(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      MoveSplitter(index, at, area);
      continue;
    }
    if (msg.message == WM_LBUTTONUP || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

// Painting and messages.

void CTkTabClientWnd::Paint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CTkMemDC offscreen(&paint, client);
  if (!offscreen.IsValid()) return;
  offscreen.FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
  if (!m_bGrouping) return;
  for (int i = GetGroupCount() - 1; i >= 0; --i) {
    CTkTabClientGroup* group = m_groups[i];
    m_pPainter->DrawTabControl(group, &offscreen, group->m_rect);
    if (!group->m_splitter.IsRectEmpty())
      m_pPainter->DrawSplitter(&offscreen, group->m_splitter,
                               m_bStackedVertically ? kSplitterStacked : kSplitterSideBySide);
  }
}

void CTkTabClientWnd::PaintBorder() {
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  m_pPainter->DrawMdiClientBorder(&dc, window, client);
}

LRESULT CTkTabClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MDICREATE: {
      const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      const HWND child = reinterpret_cast<HWND>(result);
      if (child != nullptr && m_bTabsAttached) {
        StripChild(child);
        ::SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      Refresh(FALSE);
      return result;
    }
    case WM_MDIACTIVATE: {
      if (m_bTabsAttached) {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        Refresh(FALSE);
        return result;
      }
      SendMessage(WM_SETREDRAW, FALSE);
      const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      SendMessage(WM_SETREDRAW, TRUE);
      RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      Refresh(FALSE);
      return result;
    }
    case WM_MDIDESTROY: {
      // The neighbour in the same group comes up, not the last active child.
      const HWND child = reinterpret_cast<HWND>(wParam);
      CTkTabClientGroup* group = FindGroup(child);
      CTkTabManagerItem* tab = group != nullptr ? group->FindTab(child) : nullptr;
      if (tab != nullptr && group->GetTabCount() > 1 && child == ActiveChild()) {
        const int index = tab->m_index;
        CTkTabManagerItem* next = group->GetTab(index + 1 < group->GetTabCount() ? index + 1 : index - 1);
        ::SendMessageW(m_hWnd, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(CTkTabClientGroup::ChildOf(next)), 0);
      }
      const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      Refresh(FALSE);
      return result;
    }
    case WM_NCCALCSIZE:
      if (m_bTabsAttached) {
        // The tab painter's border comes inside the window's own frame.
        RECT* rect = wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                 : reinterpret_cast<RECT*>(lParam);
        m_pPainter->AdjustMdiClientBorder(rect);
      }
      break;
    case WM_NCPAINT:
      if (!m_bTabsAttached) break;
      PaintBorder();
      return 0;
    case WM_NCACTIVATE:
      if (m_bTabsAttached) return TRUE;
      break;
    case WM_SIZE: {
      const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
      Refresh(FALSE);
      return result;
    }
    case WM_IDLEUPDATECMDUI: m_bLayoutLock = FALSE; break;
    case WM_SYSCOLORCHANGE:
      m_pPainter->RefreshMetrics();
      Refresh(TRUE);
      break;
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(); return 0;
    case WM_MOUSEMOVE:
      for (CTkTabClientGroup* group : m_groups)
        group->HandleMouseMove(m_hWnd, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_MOUSELEAVE:
      for (CTkTabClientGroup* group : m_groups) group->HandleMouseMove(m_hWnd, -1, -1);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!m_bGrouping) break;
      m_bLayoutLock = TRUE;
      const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      const int splitter = SplitterAt(point);
      if (splitter >= 0) {
        TrackSplitter(splitter, point);
        return 0;
      }
      for (CTkTabClientGroup* group : m_groups)
        if (group->m_rect.PtInRect(point)) group->HandleLeftButtonDown(m_hWnd, point.x, point.y, FALSE);
      return 0;
    }
    case WM_SETCURSOR: {
      CPoint point;
      ::GetCursorPos(&point);
      ScreenToClient(&point);
      if (LOWORD(lParam) == HTCLIENT && SplitterAt(point) >= 0) {
        ::SetCursor(::LoadCursorW(nullptr, m_bStackedVertically ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
      }
      break;
    }
    default: break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
