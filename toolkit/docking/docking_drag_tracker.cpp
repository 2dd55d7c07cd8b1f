#include "docking_drag_tracker.h"

#include <windowsx.h>

#include <set>

#include "bar_drag_tracker.h"
#include "docking_arrangement.h"
#include "docking_mini_wnd.h"
#include "docking_pane.h"
#include "docking_pane_painter.h"
#include "docking_pane_site.h"
#include "docking_split_group.h"
#include "docking_tabbed_container.h"
#include "docking_target_wnd.h"
#include "draw_helpers.h"
#include "tab_painter.h"

namespace {

const int kFrameBand = 4;
const int kMoveThreshold = 4;
const int kZoneThreshold = 20;
const BYTE kPreviewAlpha = 100;

// The 4-pixel band inside rect, or inside its body and tab when it stands
// for joining a container as a tab.
HRGN MakeOutline(const CRect& rect, BOOL asTab) {
  HRGN outline = ::CreateRectRgn(0, 0, 0, 0);
  if (rect.IsRectEmpty()) return outline;
  auto addBand = [&](const CRect& band) {
    HRGN outer = ::CreateRectRgnIndirect(&band);
    CRect inner = band;
    inner.DeflateRect(kFrameBand, kFrameBand);
    if (inner.left < inner.right && inner.top < inner.bottom) {
      HRGN hole = ::CreateRectRgnIndirect(&inner);
      ::CombineRgn(outer, outer, hole, RGN_DIFF);
      ::DeleteObject(hole);
    }
    ::CombineRgn(outline, outline, outer, RGN_OR);
    ::DeleteObject(outer);
  };
  if (!asTab) {
    addBand(rect);
    return outline;
  }
  int tabHeight = std::min(rect.Height() / 2, 20);
  CRect body = rect;
  body.bottom -= tabHeight;
  CRect tab(rect.left + 5, body.bottom - kFrameBand, rect.Width() < 55 ? rect.right : rect.left + 55, rect.bottom);
  addBand(body);
  addBand(tab);
  // The edge the body and the tab share is no edge.
  CRect shared(tab.left + kFrameBand, body.bottom - kFrameBand, tab.right - kFrameBand, body.bottom);
  if (shared.left < shared.right) {
    HRGN edge = ::CreateRectRgnIndirect(&shared);
    ::CombineRgn(outline, outline, edge, RGN_XOR);
    ::DeleteObject(edge);
  }
  return outline;
}

}  // namespace

BEGIN_MESSAGE_MAP(CTkDockingPanePreviewWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CTkDockingPanePreviewWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, ::GetSysColor(COLOR_HIGHLIGHT));
}

CTkDockingPaneDragTracker::CTkDockingPaneDragTracker(CTkDockingPaneSite* site) : m_pSite(site) {
  HMODULE user32 = ::GetModuleHandleW(L"USER32");
  if (user32 != nullptr)
    m_pSetLayeredWindowAttributes =
        reinterpret_cast<SetLayeredWindowAttributesProc>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "SetLayeredWindowAttributes")));
}

CTkDockingPaneDragTracker::~CTkDockingPaneDragTracker() {
  if (m_pDestroyed != nullptr) {
    // Freed from inside the loop: undo its start here, the loop ends
    // without touching the tracker again.
    *m_pDestroyed = TRUE;
    EndTracking();
  }
  DestroyStickers();
  for (auto& entry : m_stickerRegions) ::DeleteObject(entry.second);
  m_stickerRegions.clear();
  delete m_pDesktopDC;
}

CWnd* CTkDockingPaneDragTracker::OwnerFrame() const { return m_pSite != nullptr ? m_pSite->GetSite() : nullptr; }

std::vector<CTkDockingPaneNode*> CTkDockingPaneDragTracker::DraggedPanes() const {
  std::vector<CTkDockingPaneNode*> panes;
  if (m_pNode == nullptr) return panes;
  if (m_pNode->GetType() == kNodePane) panes.push_back(m_pNode);
  else m_pNode->FindPanes(kNodePane, panes);
  return panes;
}

BOOL CTkDockingPaneDragTracker::IsRefused(int action, CTkDockingPaneNode* container, int direction) {
  for (CTkDockingPaneNode* pane : DraggedPanes())
    if (m_pSite->NotifyAction(action, static_cast<CTkDockingPaneObject*>(pane), container, direction)) return TRUE;
  return FALSE;
}

void CTkDockingPaneDragTracker::PrepareDrag(CTkDockingPaneNode* node, int x, int y) {
  m_pNode = node;
  m_dragRect = node->GetScreenRect();
  MoveRectToContainPoint(m_dragRect, x, y);
  m_lastPoint = m_pressPoint = CPoint(x, y);
  m_bPressPending = TRUE;
  m_pTarget = nullptr;
  m_bAsTab = m_bAsTabDrawn = FALSE;
  m_lastDrawnRect.SetRectEmpty();
  m_bFloatAllowed = TRUE;
  m_bWindowMode = m_pSite->m_bPreviewWindows && m_pSetLayeredWindowAttributes != nullptr;
  m_bStickersOn = m_pSite->m_bDockingStickers && m_bWindowMode;
  for (CTkDockingPaneNode* pane : DraggedPanes()) {
    auto* object = static_cast<CTkDockingPaneObject*>(pane);
    if ((object->GetOptions() & kPaneNoFloating) || m_pSite->NotifyAction(kActionFloating, object, nullptr, 0))
      m_bFloatAllowed = FALSE;
  }
}

void CTkDockingPaneDragTracker::BeginDrag(CTkDockingPaneNode* node, int x, int y) {
  if (node == nullptr || m_pSite == nullptr || m_pSite->GetLayout() == nullptr || m_pNode != nullptr) return;
  BOOL destroyed = FALSE;
  m_pDestroyed = &destroyed;
  PrepareDrag(node, x, y);
  InitTracking();
  Track();
  if (destroyed) return;
  m_pDestroyed = nullptr;
  m_pNode = nullptr;
}

void CTkDockingPaneDragTracker::InitTracking() {
  m_targetRect.SetRectEmpty();
  m_lastDrawnRect.SetRectEmpty();
  m_stickerTargetRect.SetRectEmpty();
  m_pStickerContainer = m_pPreviousStickerContainer = nullptr;
  if (m_bWindowMode) return;
  // Windows still waiting to paint would paint over the frame.
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE)) {
    if (!::GetMessageW(&msg, nullptr, WM_PAINT, WM_PAINT)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    ::DispatchMessageW(&msg);
  }
  HWND desktop = ::GetDesktopWindow();
  m_bDesktopLocked = ::LockWindowUpdate(desktop);
  DWORD flags = DCX_WINDOW | DCX_CACHE | (m_bDesktopLocked ? DCX_LOCKWINDOWUPDATE : 0);
  HDC hdc = ::GetDCEx(desktop, nullptr, flags);
  if (hdc != nullptr) {
    m_pDesktopDC = new CDC;
    m_pDesktopDC->Attach(hdc);
  }
}

void CTkDockingPaneDragTracker::Track() {
  CWnd* site = m_pNode->GetDockingSite() != nullptr ? m_pNode->GetDockingSite() : OwnerFrame();
  HWND window = site != nullptr ? site->GetSafeHwnd() : nullptr;
  // One drag at a time, and never while another loop holds the mouse.
  if (window == nullptr || ::GetCapture() != nullptr) {
    EndTracking();
    return;
  }
  ::SetCapture(window);
  m_hCaptureWnd = window;
  BOOL* destroyed = m_pDestroyed;
  BOOL dropped = FALSE;
  while (::GetCapture() == window) {
    MSG msg;
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
      if (msg.wParam == VK_CONTROL) {
        // Ctrl turns docking off and on at once, without a move.
        Move(m_lastPoint.x, m_lastPoint.y);
        m_bPressPending = FALSE;
      } else if (msg.wParam == VK_ESCAPE) {
        break;
      }
      continue;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
      ::ClientToScreen(msg.hwnd, &point);
      BOOL still = m_bPressPending && std::abs(point.x - m_pressPoint.x) <= kMoveThreshold &&
                   std::abs(point.y - m_pressPoint.y) <= kMoveThreshold;
      // The release counts as a move too: the move before it may have been
      // merged away, and the drop belongs where the button came up.
      if (!still && (msg.message == WM_MOUSEMOVE || point != m_lastPoint)) {
        Move(point.x, point.y);
        m_bPressPending = FALSE;
      }
      if (msg.message == WM_LBUTTONUP) {
        dropped = TRUE;
        break;
      }
      continue;
    }
    ::DispatchMessageW(&msg);
    // Closing the frame frees the manager and this tracker with it.
    if (destroyed != nullptr && *destroyed) return;
  }
  EndTracking();
  if (dropped && !m_bPressPending) Drop();
}

void CTkDockingPaneDragTracker::Drop() {
  std::vector<CTkDockingPaneNode*> panes = DraggedPanes();
  auto notify = [&](int action, CTkDockingPaneNode* container) {
    for (CTkDockingPaneNode* pane : panes)
      m_pSite->NotifyAction(action, static_cast<CTkDockingPaneObject*>(pane), container, 0);
  };
  if (m_pTarget != nullptr && m_bAsTab) {
    m_pSite->AttachPane(m_pNode, m_pTarget);
    notify(kActionAttached, m_pTarget);
  } else if (m_pTarget != nullptr) {
    m_pSite->DockPane(m_pNode, m_pSite->MirrorDirection(m_direction), m_pTarget);
    notify(kActionDocked, m_pTarget);
  } else if (m_bFloatAllowed) {
    CRect rect = m_dragRect;
    // A caption above the screen could not be reached again.
    if (rect.top < 0) rect.OffsetRect(0, -rect.top);
    auto* frame = dynamic_cast<CTkDockingPaneMiniWnd*>(m_pNode->GetParentNode());
    if (m_pNode->GetType() == kNodeSplitGroup && frame != nullptr) frame->MoveWindow(&rect);
    else m_pSite->FloatPane(m_pNode, rect);
    notify(kActionFloated, nullptr);
  }
}

void CTkDockingPaneDragTracker::EndTracking() {
  // A capture another loop holds is not ours to release.
  if (m_hCaptureWnd != nullptr && ::GetCapture() == m_hCaptureWnd) ::ReleaseCapture();
  m_hCaptureWnd = nullptr;
  if (!m_bWindowMode) {
    DrawDragRect(TRUE);
    if (m_bDesktopLocked) ::LockWindowUpdate(nullptr);
    m_bDesktopLocked = FALSE;
    if (m_pDesktopDC != nullptr) {
      ::ReleaseDC(::GetDesktopWindow(), m_pDesktopDC->Detach());
      delete m_pDesktopDC;
      m_pDesktopDC = nullptr;
    }
  } else {
    if (m_previewWnd.GetSafeHwnd() != nullptr) m_previewWnd.DestroyWindow();
    if (m_tabPreviewWnd.GetSafeHwnd() != nullptr) m_tabPreviewWnd.DestroyWindow();
    DestroyStickers();
    for (auto& entry : m_stickerRegions) ::DeleteObject(entry.second);
    m_stickerRegions.clear();
  }
  m_bAsTabDrawn = FALSE;
  m_lastDrawnRect.SetRectEmpty();
}

void CTkDockingPaneDragTracker::Move(int x, int y) {
  CPoint point(x, y);
  CRect moved = m_dragRect;
  moved.OffsetRect(x - m_lastPoint.x, y - m_lastPoint.y);
  CRect work = FindWorkAreaOfRect(m_dragRect);
  CRect overlap;
  if (overlap.IntersectRect(&moved, &work)) m_dragRect = moved;
  m_pTarget = nullptr;
  m_bAsTab = FALSE;
  m_stickerTargetRect.SetRectEmpty();
  m_pStickerContainer = nullptr;
  if (::GetKeyState(VK_CONTROL) >= 0) FindDockingTarget(x, y);
  m_lastPoint = point;
  if (m_bStickersOn) {
    UpdateStickers();
    HitTestStickers(point);
  }
  DrawDragRect(FALSE);
}

void CTkDockingPaneDragTracker::HitTestStickers(CPoint point) {
  CTkDockingPaneNode* top = m_pSite->GetTopContainer();
  BOOL decided = FALSE;
  for (CTkDockingPaneTargetWnd* sticker : m_stickers) {
    int highlight = 0;
    int part = decided ? 0 : sticker->HitTest(point);
    if (part != 0) {
      decided = TRUE;
      BOOL compound = (sticker->m_parts & kStickerCompound) != 0;
      CTkDockingPaneNode* target = compound ? m_pStickerContainer : top;
      CRect rect = compound ? m_stickerTargetRect : (top != nullptr ? top->GetScreenRect() : CRect(0, 0, 0, 0));
      m_pTarget = target;
      m_bAsTab = part == kStickerCentre;
      m_targetRect = rect;
      switch (part) {
        case kStickerLeft:
          m_direction = kDockLeft;
          m_targetRect.right = rect.left + rect.Width() / 2;
          break;
        case kStickerRight:
          m_direction = kDockRight;
          m_targetRect.left = rect.left + rect.Width() / 2;
          break;
        case kStickerTop:
          m_direction = kDockTop;
          m_targetRect.bottom = rect.top + rect.Height() / 2;
          break;
        case kStickerBottom:
          m_direction = kDockBottom;
          m_targetRect.top = rect.top + rect.Height() / 2;
          break;
        default:
          break;
      }
      BOOL refused = target == nullptr || (m_bAsTab ? IsRefused(kActionAttaching, target, 0)
                                                     : IsRefused(kActionDocking, target, m_direction));
      if (refused) {
        m_pTarget = nullptr;
        m_bAsTab = FALSE;
      } else {
        highlight = part;
        if (!m_bAsTab) m_targetRect = m_pSite->CalcDockingRect(m_pNode, m_direction, target);
      }
    }
    if (sticker->m_highlighted != highlight) {
      sticker->m_highlighted = highlight;
      sticker->Invalidate(FALSE);
      sticker->UpdateWindow();
    }
  }
}

void CTkDockingPaneDragTracker::FindDockingTarget(int x, int y) {
  CPoint point(x, y);
  CTkDockingPaneArrangement* layout = m_pSite->GetLayout();
  if (layout == nullptr) return;
  std::set<CTkDockingPaneNode*> seen;
  for (const PaneHolderEntry& entry : layout->m_panes) {
    auto* container = dynamic_cast<CTkDockingPaneTabbedContainer*>(entry.pane->GetContainer());
    if (container == nullptr || !seen.insert(container).second) continue;
    CTkDockingPaneNode* parent = container->GetParentNode();
    if (parent == nullptr || parent->GetType() != kNodeSplitGroup) continue;
    if (container->GetSafeHwnd() == nullptr || !container->IsWindowVisible()) continue;
    if (m_pNode->ContainsPane(container)) continue;
    CRect full = container->GetScreenRect();
    CRect rect = full;
    if (container->HitTestDockingArea(&rect, point)) {
      if (!IsRefused(kActionAttaching, container, 0)) {
        m_pTarget = container;
        m_bAsTab = TRUE;
        m_targetRect = full;
        return;
      }
      rect = full;
    }
    if (m_bStickersOn) {
      if (rect.PtInRect(point)) {
        m_pStickerContainer = container;
        m_stickerTargetRect = rect;
        return;
      }
      continue;
    }
    if (HitDockingZone(rect, point, container, TRUE)) return;
  }
  CTkDockingPaneNode* client = m_pSite->GetClientNode();
  CTkDockingPaneNode* top = m_pSite->GetTopContainer();
  if (!m_bStickersOn) {
    if (client != nullptr && HitDockingZone(client->GetScreenRect(), point, client, TRUE)) return;
    if (top != nullptr) HitDockingZone(top->GetScreenRect(), point, top, FALSE);
    return;
  }
  if (client != nullptr && client->GetScreenRect().PtInRect(point)) {
    m_stickerTargetRect = client->GetScreenRect();
    m_pStickerContainer = client;
  } else if (top != nullptr && top->GetScreenRect().PtInRect(point)) {
    m_stickerTargetRect = top->GetScreenRect();
  }
}

BOOL CTkDockingPaneDragTracker::HitDockingZone(const CRect& rect, CPoint point, CTkDockingPaneNode* node,
                                                BOOL inside) {
  double threshold = kZoneThreshold;
  double ratio = 1.0;
  if (inside && !m_bFloatAllowed) {
    // Nowhere to float: every point docks to the nearest edge, measured
    // in proportion to the rectangle's shape.
    threshold = 32000;
    if (rect.Width() > 1 && rect.Height() > 1) ratio = static_cast<double>(rect.Height()) / rect.Width();
  }
  if (rect.Width() <= 0 || rect.Height() <= 0) return FALSE;
  CRect area = rect;
  if (!inside) area.InflateRect(kZoneThreshold, kZoneThreshold);
  if (!area.PtInRect(point)) return FALSE;
  double best = threshold;
  int direction = -1;
  auto consider = [&](double distance, bool onSide, int candidate) {
    if (onSide && distance < best) {
      best = distance;
      direction = candidate;
    }
  };
  if (inside) {
    consider(point.y - rect.top, point.y >= rect.top, kDockTop);
    consider(rect.bottom - point.y, point.y < rect.bottom, kDockBottom);
    consider((point.x - rect.left) * ratio, point.x >= rect.left, kDockLeft);
    consider((rect.right - point.x) * ratio, point.x < rect.right, kDockRight);
  } else {
    consider(rect.top - point.y, point.y < rect.top, kDockTop);
    consider(point.y - rect.bottom, point.y >= rect.bottom, kDockBottom);
    consider(rect.left - point.x, point.x < rect.left, kDockLeft);
    consider(point.x - rect.right, point.x >= rect.right, kDockRight);
  }
  if (direction < 0) return FALSE;
  if (IsRefused(kActionDocking, node, direction)) return FALSE;
  m_direction = direction;
  m_pTarget = node;
  m_targetRect = m_pSite->CalcDockingRect(m_pNode, direction, node);
  return TRUE;
}

void CTkDockingPaneDragTracker::DrawDragRect(BOOL bRemove) {
  CRect rect = m_pTarget != nullptr ? m_targetRect : m_dragRect;
  if (!m_bFloatAllowed && m_pTarget == nullptr) rect.SetRectEmpty();
  if (m_bWindowMode) {
    if (!bRemove) DrawPreviewWindows(rect);
    return;
  }
  if (m_pDesktopDC == nullptr) return;
  BOOL asTab = m_bAsTab && m_pTarget != nullptr;
  if (bRemove) {
    rect.SetRectEmpty();
    asTab = FALSE;
  }
  // One pass erases the old frame and draws the new one.
  HRGN now = MakeOutline(rect, asTab);
  HRGN before = MakeOutline(m_lastDrawnRect, m_bAsTabDrawn);
  ::CombineRgn(now, now, before, RGN_XOR);
  ::DeleteObject(before);
  CRect box;
  if (::GetRgnBox(now, &box) != NULLREGION) {
    HDC hdc = m_pDesktopDC->GetSafeHdc();
    ::SelectClipRgn(hdc, now);
    HGDIOBJ previous = ::SelectObject(hdc, AfxGetHalftoneBrush()->GetSafeHandle());
    ::PatBlt(hdc, box.left, box.top, box.Width(), box.Height(), PATINVERT);
    ::SelectObject(hdc, previous);
    ::SelectClipRgn(hdc, nullptr);
  }
  ::DeleteObject(now);
  m_lastDrawnRect = rect;
  m_bAsTabDrawn = asTab;
}

void CTkDockingPaneDragTracker::ShowPreview(CTkDockingPanePreviewWnd& wnd, const CRect& rect) {
  if (rect.IsRectEmpty()) {
    if (wnd.GetSafeHwnd() != nullptr) wnd.DestroyWindow();
    return;
  }
  if (wnd.GetSafeHwnd() != nullptr) {
    CRect current;
    wnd.GetWindowRect(&current);
    if (current.Size() != rect.Size()) wnd.DestroyWindow();
  }
  if (wnd.GetSafeHwnd() == nullptr) {
    LPCWSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!wnd.CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, windowClass, L"", WS_POPUP, rect, OwnerFrame(),
                      0))
      return;
    m_pSetLayeredWindowAttributes(wnd.GetSafeHwnd(), 0, kPreviewAlpha, LWA_ALPHA);
  }
  ::SetWindowPos(wnd.GetSafeHwnd(), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CTkDockingPaneDragTracker::DrawPreviewWindows(const CRect& rect) {
  BOOL asTab = m_bAsTab && m_pTarget != nullptr;
  if (asTab != m_bAsTabDrawn && !asTab && m_tabPreviewWnd.GetSafeHwnd() != nullptr) m_tabPreviewWnd.DestroyWindow();
  m_bAsTabDrawn = asTab;
  CRect body = rect;
  if (asTab && !rect.IsRectEmpty()) {
    int tabHeight = std::min(rect.Height() / 2, 20);
    int tabWidth = std::min(rect.Width() - 5, 50);
    CRect tab(rect.left + 5, 0, rect.left + 5 + tabWidth, 0);
    CTkDockingPanePainter* painter = m_pSite->GetPaintManager();
    auto* container = dynamic_cast<CTkDockingPaneTabbedContainer*>(m_pTarget);
    BOOL tabsOnTop = painter != nullptr && painter->m_pContainerTabPainter != nullptr &&
                     painter->m_pContainerTabPainter->GetStripPosition() == kTabTop && container != nullptr;
    if (tabsOnTop) {
      tab.top = rect.top + (container->IsCaptionVisible() ? painter->m_captionHeight + 3 : 0);
      tab.bottom = tab.top + tabHeight;
      body.top = tab.bottom;
    } else {
      tab.bottom = rect.bottom;
      tab.top = rect.bottom - tabHeight;
      body.bottom = tab.top;
    }
    ShowPreview(m_tabPreviewWnd, tab);
  }
  ShowPreview(m_previewWnd, body);
  m_lastDrawnRect = rect;
}

void CTkDockingPaneDragTracker::DestroyStickers() {
  for (CTkDockingPaneTargetWnd* sticker : m_stickers) {
    if (sticker->GetSafeHwnd() != nullptr) sticker->DestroyWindow();
    delete sticker;
  }
  m_stickers.clear();
}

HRGN CTkDockingPaneDragTracker::GetStickerRegion(int parts) {
  auto found = m_stickerRegions.find(parts);
  if (found != m_stickerRegions.end()) return found->second;
  CTkDockingPaneTargetWnd sample(this, parts, m_pSite != nullptr ? m_pSite->m_stickerStyle : 0);
  HRGN region = MakeStickerRegion(&sample);
  if (region != nullptr) m_stickerRegions[parts] = region;
  return region;
}

void CTkDockingPaneDragTracker::UpdateStickers() {
  if (m_stickerTargetRect.IsRectEmpty()) {
    DestroyStickers();
    m_pPreviousStickerContainer = nullptr;
    return;
  }
  if (!m_stickers.empty() && m_pStickerContainer == m_pPreviousStickerContainer) return;
  DestroyStickers();
  m_pPreviousStickerContainer = m_pStickerContainer;
  int style = m_pSite->m_stickerStyle;
  CWnd* owner = OwnerFrame();
  auto make = [&](int parts, CPoint origin) {
    // A sticker without a part to drop on is not made.
    if ((parts & ~kStickerCompound) == 0) return;
    auto* sticker = new CTkDockingPaneTargetWnd(this, parts, style);
    if (!sticker->CreateSticker(owner, origin)) {
      delete sticker;
      return;
    }
    m_stickers.push_back(sticker);
  };
  if (m_pStickerContainer != nullptr) {
    int parts = kStickerCompound;
    for (int direction : {kDockLeft, kDockRight, kDockBottom, kDockTop})
      if (!IsRefused(kActionDocking, m_pStickerContainer, direction))
        parts |= CTkDockingPaneTargetWnd::PartOfDirection(direction);
    if (m_pStickerContainer->GetType() != kNodeClient && !IsRefused(kActionAttaching, m_pStickerContainer, 0))
      parts |= kStickerCentre;
    CSize size = CTkDockingPaneTargetWnd::GetStickerSize(parts, style);
    CPoint centre = m_stickerTargetRect.CenterPoint();
    make(parts, CPoint(centre.x - size.cx / 2, centre.y - size.cy / 2));
  }
  CTkDockingPaneNode* top = m_pSite->GetTopContainer();
  if (top == nullptr) return;
  CRect area = top->GetScreenRect();
  CPoint middle = area.CenterPoint();
  for (int direction : {kDockTop, kDockLeft, kDockBottom, kDockRight}) {
    if (IsRefused(kActionDocking, top, direction)) continue;
    int part = CTkDockingPaneTargetWnd::PartOfDirection(direction);
    CSize size = CTkDockingPaneTargetWnd::GetStickerSize(part, style);
    CPoint origin;
    switch (direction) {
      case kDockTop:
        origin = CPoint(middle.x - size.cx / 2, area.top + 16);
        break;
      case kDockLeft:
        origin = CPoint(area.left + 16, middle.y - size.cy / 2);
        break;
      case kDockBottom:
        origin = CPoint(middle.x - size.cx / 2, area.bottom - 16 - size.cy);
        break;
      default:
        origin = CPoint(area.right - 16 - size.cx, middle.y - size.cy / 2);
        break;
    }
    make(part, origin);
  }
}
