#include "task_panel_group_item.h"

#include <algorithm>

#include "task_panel.h"

IMPLEMENT_DYNCREATE(CTkTaskPanelGroupItem, CTkTaskPanelItem)

CTkTaskPanelGroupItem::CTkTaskPanelGroupItem() { m_type = kTaskItemText; }

CTkTaskPanelGroupItem::~CTkTaskPanelGroupItem() {
  // The window is the application's: hide it, never destroy it.
  if (m_hControlWindow != nullptr && ::IsWindow(m_hControlWindow)) ::ShowWindow(m_hControlWindow, SW_HIDE);
}

CTkTaskPanelGroup* CTkTaskPanelGroupItem::GetGroup() const {
  if (m_pParentItems == nullptr || m_pParentItems->m_pOwner == nullptr) return nullptr;
  CCmdTarget* owner = m_pParentItems->m_pOwner;
  return owner->IsKindOf(RUNTIME_CLASS(CTkTaskPanelGroup)) ? static_cast<CTkTaskPanelGroup*>(owner) : nullptr;
}

CRect CTkTaskPanelGroupItem::GetHitRect() const {
  CTkTaskPanelGroup* group = GetGroup();
  if (!m_bVisible || group == nullptr || m_pPanel == nullptr) return CRect(0, 0, 0, 0);
  CRect rect = m_itemRect;
  rect.OffsetRect(0, group->GetCaptionRect().bottom - m_pPanel->GetScrollPosition() - group->GetScrollOffset());
  return rect;
}

CRect CTkTaskPanelGroupItem::OnCalcItemRect(CDC* pDC, const CRect& rect) {
  CTkTaskPanelGroup* group = GetGroup();
  if (group == nullptr || group->GetLayout() == kLayoutImagesOnly) {
    m_itemRect = rect;
    return m_itemRect;
  }
  CTkTaskPanelPainter* painter = m_pPanel->GetPaintManager();
  CRect outer = painter->GetItemOuterMargins(this);
  CRect r = rect;
  r.DeflateRect(outer.left, outer.top, outer.right, outer.bottom);
  if (m_itemSize.cx != 0 || m_itemSize.cy != 0 || m_type == kTaskItemControl) {
    m_itemRect = CRect(r.left, r.top, r.left + m_itemSize.cx, r.top + m_itemSize.cy);
  } else if (pDC != nullptr) {
    m_itemRect = painter->DrawGroupItem(pDC, this, r, FALSE);
  } else {
    CClientDC dc(m_pPanel);
    m_itemRect = painter->DrawGroupItem(&dc, this, r, FALSE);
  }
  return m_itemRect;
}

void CTkTaskPanelGroupItem::DrawItem(CDC* pDC, const CRect& rect) {
  CTkTaskPanelGroup* group = GetGroup();
  if (m_type != kTaskItemControl || (group != nullptr && group->GetLayout() == kLayoutImagesOnly)) {
    m_pPanel->GetPaintManager()->DrawGroupItem(pDC, this, rect, TRUE);
    return;
  }
  if (m_hControlWindow != nullptr && ::IsWindowVisible(m_hControlWindow)) return;
  if (HasControlPicture()) {
    ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_controlPicture.GetSafeHandle()), 0,
                 rect.left, rect.top, rect.Width(), rect.Height(), DST_BITMAP | DSS_NORMAL);
  }
}

BOOL CTkTaskPanelGroupItem::IsSelected() const {
  if (m_pPanel != nullptr && m_pPanel->m_bSelectionIsFocus) return m_pPanel->GetFocusedItem() == this;
  return m_bSelected;
}

void CTkTaskPanelGroupItem::SetSelected(BOOL selected) {
  if (m_pPanel != nullptr && m_pPanel->m_bSelectionIsFocus) {
    if (selected) m_pPanel->MoveFocusTo(this, FALSE);
    return;
  }
  if (m_bSelected == selected) return;
  m_bSelected = selected;
  Redraw();
}

void CTkTaskPanelGroupItem::SetBold(BOOL bold) {
  if (m_bBold == bold) return;
  m_bBold = bold;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelGroupItem::SetControlWindow(HWND window) {
  m_hControlWindow = window;
  m_type = kTaskItemControl;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelGroupItem::SetItemSize(SIZE size) {
  m_itemSize = size;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelGroupItem::DropPicture() {
  m_controlPicture.DeleteObject();
  m_pictureSize = CSize(0, 0);
}

void CTkTaskPanelGroupItem::UpdateControlPosition(int) {
  CTkTaskPanelGroup* group = GetGroup();
  if (m_type != kTaskItemControl || m_hControlWindow == nullptr || !::IsWindow(m_hControlWindow) || group == nullptr ||
      m_pPanel == nullptr)
    return;
  CTkTaskPanelPainter* painter = m_pPanel->GetPaintManager();
  CRect client = group->GetClientRect();
  CRect outer = painter->GetItemOuterMargins(this);
  CRect inner = painter->GetGroupInnerMargins(group);
  int x = m_itemRect.left;
  int y = client.top + m_itemRect.top - m_pPanel->GetScrollPosition() - group->GetScrollOffset();
  int width = client.Width() - outer.left - outer.right - inner.left - inner.right;
  if (m_itemSize.cx > 0) width = std::min(width, static_cast<int>(m_itemSize.cx));
  int height = m_itemRect.Height();

  if (!m_bVisible || !group->IsVisible() || group->GetLayout() == kLayoutImagesOnly) {
    DropPicture();
    ::ShowWindow(m_hControlWindow, SW_HIDE);
    return;
  }
  BOOL atRest = group->IsExpanded() && !group->IsExpanding() && client.Height() == group->GetTargetClientHeight();
  if (atRest) {
    DropPicture();
    if (group->IsItemShown(this, FALSE)) {
      ::SetWindowPos(m_hControlWindow, nullptr, x, y, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
      ::ShowWindow(m_hControlWindow, SW_HIDE);
    }
    return;
  }
  // Moving or closed: a picture of the window stands in for it.
  if (!::IsWindowVisible(m_hControlWindow) && HasControlPicture() && m_pictureSize == m_itemRect.Size()) return;
  DropPicture();
  if (height > 0) {
    ::SetWindowPos(m_hControlWindow, nullptr, x, -height, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
    CaptureControlPicture(m_hControlWindow, m_controlPicture);
    m_pictureSize = m_itemRect.Size();
  }
  ::ShowWindow(m_hControlWindow, SW_HIDE);
}

void CTkTaskPanelGroupItem::CaptureControlPicture(HWND window, CBitmap& picture) {
  if (window == nullptr || !::IsWindow(window)) return;
  CRect windowRect, clientRect;
  ::GetWindowRect(window, &windowRect);
  ::GetClientRect(window, &clientRect);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<LPPOINT>(&clientRect), 2);
  CSize size = windowRect.Size();
  if (size.cx <= 0 || size.cy <= 0) return;
  HDC screen = ::GetDC(nullptr);
  HDC work = ::CreateCompatibleDC(screen);
  HDC target = ::CreateCompatibleDC(screen);
  HBITMAP workBitmap = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
  picture.Attach(::CreateCompatibleBitmap(screen, size.cx, size.cy));
  HGDIOBJ oldWork = ::SelectObject(work, workBitmap);
  HGDIOBJ oldTarget = ::SelectObject(target, picture.GetSafeHandle());
  CTkTaskPanelGroup* group = GetGroup();
  COLORREF background = group != nullptr ? static_cast<COLORREF>(
                                               m_pPanel->GetPaintManager()->GetGroupColors(group)->clientBackground.m_second)
                                         : ::GetSysColor(COLOR_WINDOW);
  HBRUSH brush = ::CreateSolidBrush(background);
  RECT all = {0, 0, size.cx, size.cy};
  ::FillRect(work, &all, brush);
  ::DeleteObject(brush);
  ::SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(work), PRF_NONCLIENT);
  ::BitBlt(target, 0, 0, size.cx, size.cy, work, 0, 0, SRCCOPY);
  POINT origin;
  ::SetViewportOrgEx(target, clientRect.left - windowRect.left, clientRect.top - windowRect.top, &origin);
  ::SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(target), PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  ::SetViewportOrgEx(target, origin.x, origin.y, nullptr);
  ::SelectObject(work, oldWork);
  ::SelectObject(target, oldTarget);
  ::DeleteObject(workBitmap);
  ::DeleteDC(work);
  ::DeleteDC(target);
  ::ReleaseDC(nullptr, screen);
}
