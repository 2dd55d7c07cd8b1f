#include "docking_pane_node.h"

#include <commctrl.h>

#include "docking_arrangement.h"
#include "docking_pane_site.h"
#include "prop_exchange.h"

void ConstructPointerElements(void** elements, int count) {
  for (int i = 0; i < count; ++i) elements[i] = nullptr;
}

// Caption buttons.

BOOL CTkDockingPaneCaptionButton::IsVisible() { return m_pOwner->IsCaptionButtonVisible(this); }

void CTkDockingPaneCaptionButton::SetRect(const RECT& rect) {
  if (::EqualRect(&m_rect, &rect)) return;
  m_rect = rect;
  m_pOwner->OnCaptionButtonRectChanged(this);
}

void CTkDockingPaneCaptionButton::Redraw() { m_pOwner->Invalidate(); }

BOOL CTkDockingPaneCaptionButton::OnMouseMove(CPoint point) {
  BOOL inside = m_rect.PtInRect(point);
  if (!inside) {
    if (m_bHot) {
      m_bHot = FALSE;
      Redraw();
    }
    return FALSE;
  }
  if (m_bHot) return FALSE;
  // One leave request per entry: the owner clears the hot look on leave.
  TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_pOwner->GetPaneHwnd(), 0};
  if (tme.hwndTrack != nullptr) ::_TrackMouseEvent(&tme);
  m_bHot = TRUE;
  Redraw();
  return TRUE;
}

BOOL CTkDockingPaneCaptionButton::Click(CWnd* pWnd, CPoint point, BOOL bClientCoords) {
  if (::GetCapture() != nullptr || pWnd == nullptr) return FALSE;
  HWND hWnd = pWnd->GetSafeHwnd();
  ::SetCapture(hWnd);
  BOOL result = FALSE;
  for (;;) {
    BOOL pressed = m_rect.PtInRect(point);
    if (pressed != m_bPressed) {
      m_bPressed = pressed;
      Redraw();
    }
    MSG msg;
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (::GetCapture() != hWnd) {
      ::DispatchMessageW(&msg);
      break;
    }
    if (msg.message == WM_MOUSEMOVE) {
      point = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      if (!bClientCoords) {
        // A non-client caption: window coordinates.
        ::ClientToScreen(hWnd, &point);
        RECT window;
        ::GetWindowRect(hWnd, &window);
        point.Offset(-window.left, -window.top);
      }
    } else if (msg.message == WM_NCMOUSEMOVE) {
    } else if (msg.message == WM_KEYDOWN) {
      if (msg.wParam == VK_ESCAPE) break;
    } else if (msg.message == WM_LBUTTONUP) {
      result = m_bPressed;
      break;
    } else if (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONDOWN) {
      break;
    } else {
      ::DispatchMessageW(&msg);
    }
  }
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  m_bPressed = FALSE;
  OnMouseMove(point);
  Redraw();
  return result;
}

// Nodes.

CTkDockingPaneNode::CTkDockingPaneNode(int type, CTkDockingPaneArrangement* arrangement)
    : m_pArrangement(arrangement), m_type(type) {
  if (arrangement != nullptr) {
    arrangement->m_nodes.push_back(this);
    if (arrangement->m_pSite != nullptr) m_pDockingSite = arrangement->m_pSite->GetSite();
  }
}

CTkDockingPaneNode::~CTkDockingPaneNode() {
  for (CTkDockingPaneCaptionButton* button : m_captionButtons) delete button;
}

CTkDockingPaneSite* CTkDockingPaneNode::GetDockingPaneManager() const {
  return m_pArrangement != nullptr ? m_pArrangement->m_pSite : nullptr;
}

CTkDockingPanePainter* CTkDockingPaneNode::GetPaintManager() const {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  return site != nullptr ? site->GetPaintManager() : nullptr;
}

void CTkDockingPaneNode::Invalidate() {
  HWND hWnd = GetPaneHwnd();
  if (hWnd != nullptr) ::InvalidateRect(hWnd, nullptr, FALSE);
}

BOOL CTkDockingPaneNode::ContainsPane(CTkDockingPaneNode* node) { return node == this; }

void CTkDockingPaneNode::FindPanes(int type, std::vector<CTkDockingPaneNode*>& list) {
  if (m_type == type) list.push_back(this);
}

void CTkDockingPaneNode::GetMinMaxInfo(MINMAXINFO* pInfo) {
  ZeroMemory(pInfo, sizeof(MINMAXINFO));
  pInfo->ptMaxTrackSize = CPoint(32000, 32000);
}

void CTkDockingPaneNode::OnSizeParent(CWnd*, CRect rect, AFX_SIZEPARENTPARAMS* pParams) {
  m_paneRect = rect;
  if (pParams != nullptr) pParams->rect = rect;
}

int CTkDockingPaneNode::RefreshLayout(BOOL bUpdatePanes) {
  if (m_pParent != nullptr) return m_pParent->RefreshLayout(bUpdatePanes);
  return 0;
}

BOOL CTkDockingPaneNode::DoPropExchange(CTkPropExchange* pPX) {
  static const int zero = 0;
  pPX->ExchangeValue(L"DockingCX", kTkInt, &DockingCX, &zero);
  pPX->ExchangeValue(L"DockingCY", kTkInt, &DockingCY, &zero);
  return TRUE;
}

CTkDockingPaneNode* CTkDockingPaneNode::Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD) {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  if (site == nullptr) return nullptr;
  CTkDockingPaneNode* copy = site->CreatePaneNode(m_type, pArrangement);
  if (copy != nullptr && pMap != nullptr) pMap->SetAt(this, copy);
  return copy;
}

BOOL CTkDockingPaneNode::IsEmpty() {
  CTkDockingPaneSite* site = GetDockingPaneManager();
  return m_type == kNodeClient && site != nullptr && site->m_bHideClient;
}

CRect CTkDockingPaneNode::GetScreenRect() const {
  CRect rect = m_paneRect;
  if (m_pDockingSite != nullptr && m_pDockingSite->GetSafeHwnd() != nullptr)
    ::MapWindowPoints(m_pDockingSite->GetSafeHwnd(), HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

CTkDockingPaneCaptionButton* CTkDockingPaneNode::FindCaptionButton(int id) const {
  for (CTkDockingPaneCaptionButton* button : m_captionButtons)
    if (button->m_id == id) return button;
  return nullptr;
}

void CTkDockingPaneNode::DelayRecalcSite() {
  CFrameWnd* frame = dynamic_cast<CFrameWnd*>(m_pDockingSite);
  if (frame != nullptr) frame->DelayRecalcLayout();
}
