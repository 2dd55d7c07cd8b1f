#include "status_bar.h"

#include <algorithm>
#include <climits>

#include "draw_helpers.h"
#include "global_settings.h"
#include "image_manager.h"
#include "tip_context.h"

namespace {

const int kMinimumHeight = 20;
// The four border bits of the bar style.
const DWORD kBorderBits = 0x0F00;

void RelayToTipContext(CTkTipContext* context, CWnd* bar, UINT message, WPARAM wParam, LPARAM lParam) {
  if (context != nullptr) context->RelayMouseMessage(bar, message, wParam, lParam);
}
void FillPaneToolInfo(TTTOOLINFOW* info, HWND bar, const CRect& rect, UINT id, const CString& tip) {
  FillToolInfo(info, bar, rect.left, rect.top, rect.right, rect.bottom, id, tip);
}

BOOL IsWin4OrLater() { return LOBYTE(LOWORD(::GetVersion())) > 3; }

// The status update of one pane: enabled, "checked" (popped out) and text.
class CTkStatusCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    CTkStatusBar* bar = Bar();
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_DISABLED;
    bar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? style : style | SBPS_DISABLED);
  }
  void SetCheck(int nCheck) override {
    CTkStatusBar* bar = Bar();
    UINT style = bar->GetPaneStyle(static_cast<int>(m_nIndex)) & ~SBPS_POPOUT;
    bar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck != 0 ? style | SBPS_POPOUT : style);
  }
  void SetText(LPCWSTR lpszText) override { Bar()->SetPaneText(static_cast<int>(m_nIndex), lpszText, TRUE); }

 private:
  CTkStatusBar* Bar() const { return static_cast<CTkStatusBar*>(m_pOther); }
};

}  // namespace

std::vector<int> CalcPaneRightEdges(const std::vector<CTkPaneSpan>& panes, int insideWidth, const int borders[3]) {
  int extra = insideWidth + borders[2];
  int stretching = 0;
  for (const CTkPaneSpan& pane : panes) {
    if (!pane.visible) continue;
    if (pane.stretch) ++stretching;
    extra -= pane.width + 6 + borders[2];
  }
  std::vector<int> edges;
  int right = borders[0];
  for (const CTkPaneSpan& pane : panes) {
    if (!pane.visible) continue;
    right += pane.width + 6;
    if (pane.stretch && extra > 0 && stretching > 0) {
      int share = extra / stretching;
      right += share;
      extra -= share;
      --stretching;
    }
    edges.push_back(right);
    right += borders[2];
  }
  return edges;
}

IMPLEMENT_DYNAMIC(CTkStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CTkStatusBar, CControlBar)
  ON_WM_CREATE()
  ON_WM_NCHITTEST()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_WINDOWPOSCHANGING()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
  ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CTkStatusBar::CTkStatusBar() {
  if (IsWin4OrLater()) SetBorders(0, 2, 0, 0);
  else SetBorders(2, 2, 2, 1);
  CTkWindowMetrics metrics;
  m_font.CreateFontIndirect(&metrics.lfStatusFont);
  m_pTipContext = new CTkTipContext;
}

CTkStatusBar::~CTkStatusBar() {
  // The window first: its last messages may still reach the panes.
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
  for (INT_PTR i = 0; i < m_panes.GetSize(); ++i) m_panes[i]->InternalRelease();
  m_panes.RemoveAll();
  if (m_pTipContext != nullptr) m_pTipContext->InternalRelease();
  m_pTipContext = nullptr;
}

BOOL CTkStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) { return CreateEx(pParentWnd, 0, dwStyle, nID); }

BOOL CTkStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  DWORD windowStyle = (dwStyle & 0xFFBF0000) | CCS_NOMOVEY | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                      dwCtrlStyle;
  if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME) != 0) windowStyle |= SBARS_SIZEGRIP;
  return CWnd::Create(STATUSCLASSNAMEW, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CTkStatusBar::PreCreateWindow(CREATESTRUCTW& cs) {
  // A bottom bar with a top border draws no borders of its own.
  if (IsWin4OrLater() && (m_dwStyle & 0xFF00) == (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP))
    m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
  // Not CControlBar's: it would take the control's styles for bar bits.
  if (!CWnd::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CLIPSIBLINGS | WS_CHILD;
  return TRUE;
}

int CTkStatusBar::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CControlBar::OnCreate(lpcs) == -1) return -1;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()));
  SendMessage(SB_SETMINHEIGHT, kMinimumHeight);
  return 0;
}

CTkImageManager* CTkStatusBar::GetImageManager() const { return GetSharedImageManager(); }

BOOL CTkStatusBar::CreatePanesFromIds(const UINT* ids, int count) {
  for (INT_PTR i = 0; i < m_panes.GetSize(); ++i) m_panes[i]->InternalRelease();
  m_panes.RemoveAll();
  BOOL result = TRUE;
  if (ids != nullptr) {
    for (int i = 0; i < count; ++i) {
      auto* pane = new CTkStatusBarPane;
      m_panes.Add(pane);
      pane->m_pStatusBar = this;
      pane->m_nID = ids[i];
      pane->m_nFlags |= CTkStatusBarPane::kTextNotSent;
      if (ids[i] == ID_SEPARATOR) {
        pane->m_cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
        if (i == 0) pane->m_nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
        continue;
      }
      if (!pane->m_strText.LoadString(ids[i])) {
        result = FALSE;
        break;
      }
      pane->FitWidthToText();
    }
  }
  UpdateAllPanes(TRUE, TRUE);
  return result;
}

void CTkStatusBar::RemoveAllPanes() {
  for (INT_PTR i = 0; i < m_panes.GetSize(); ++i) m_panes[i]->InternalRelease();
  m_panes.RemoveAll();
  UpdateAllPanes(TRUE, TRUE);
}

CTkStatusBarPane* CTkStatusBar::GetPane(int index) const {
  return index >= 0 && index < m_panes.GetSize() ? m_panes[index] : nullptr;
}

int CTkStatusBar::CommandToIndex(UINT id) const {
  for (int i = 0; i < GetPaneCount(); ++i)
    if (m_panes[i]->m_nID == id) return i;
  return -1;
}

int CTkStatusBar::GetVisiblePaneCount() const {
  int count = 0;
  for (int i = 0; i < GetPaneCount(); ++i)
    if (m_panes[i]->IsVisible()) ++count;
  return count;
}

int CTkStatusBar::GetLastVisibleIndex() const {
  for (int i = GetPaneCount() - 1; i >= 0; --i)
    if (m_panes[i]->IsVisible()) return i;
  return -1;
}

UINT CTkStatusBar::GetPaneStyle(int index) const {
  CTkStatusBarPane* pane = GetPane(index);
  return pane != nullptr ? pane->m_nStyle : 0;
}

void CTkStatusBar::SetPaneStyle(int index, UINT style) {
  CTkStatusBarPane* pane = GetPane(index);
  if (pane == nullptr || pane->m_nStyle == style) return;
  if ((pane->m_nStyle ^ style) & SBPS_STRETCH) {
    pane->m_nStyle = style;
    UpdateAllPanes(TRUE, FALSE);
  }
  pane->m_nStyle = style;
  pane->m_nFlags |= CTkStatusBarPane::kTextNotSent;
  SetPaneText(index, pane->m_strText, TRUE);
}

BOOL CTkStatusBar::SetPaneText(int index, LPCWSTR text, BOOL update) {
  CTkStatusBarPane* pane = GetPane(index);
  if (pane == nullptr) return FALSE;
  if (text == nullptr) text = L"";
  if (pane->m_strText == text && (pane->m_nFlags & CTkStatusBarPane::kTextNotSent) == 0) return TRUE;
  pane->m_strText = text;
  if (!pane->IsVisible()) return FALSE;
  // Without a window the text is sent once there is one.
  if (!update || m_hWnd == nullptr) {
    pane->m_nFlags |= CTkStatusBarPane::kTextNotSent;
    return TRUE;
  }
  pane->m_nFlags &= ~CTkStatusBarPane::kTextNotSent;
  const BOOL disabled = (pane->m_nStyle & SBPS_DISABLED) != 0;
  DefWindowProc(SB_SETTEXTW, static_cast<WPARAM>(pane->m_nVisibleIndex) | (pane->m_nStyle & 0xFFFF),
                disabled ? 0 : reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(pane->m_strText)));
  Invalidate(FALSE);
  return TRUE;
}

void CTkStatusBar::GetItemRect(int index, LPRECT rect) const {
  ::SetRectEmpty(rect);
  CTkStatusBarPane* pane = GetPane(index);
  if (pane == nullptr || m_hWnd == nullptr || pane->m_nVisibleIndex < 0) return;
  if (!SendMessage(SB_GETRECT, static_cast<WPARAM>(pane->m_nVisibleIndex), reinterpret_cast<LPARAM>(rect))) {
    ::SetRectEmpty(rect);
    return;
  }
  if (index != GetLastVisibleIndex()) return;
  if (pane->m_nStyle & SBPS_STRETCH) {
    CRect client;
    GetClientRect(&client);
    rect->right = client.right;
    if (GetStyle() & SBARS_SIZEGRIP) rect->right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
  } else {
    rect->right = rect->left + pane->m_cxText + 3 * ::GetSystemMetrics(SM_CXEDGE);
  }
}

CTkStatusBarPane* CTkStatusBar::HitTestPane(CPoint point, CRect* rect) const {
  for (int i = 0; i < GetPaneCount(); ++i) {
    if (!m_panes[i]->IsVisible()) continue;
    CRect item;
    GetItemRect(i, &item);
    if (!item.PtInRect(point)) continue;
    if (rect != nullptr) *rect = item;
    return m_panes[i];
  }
  return nullptr;
}

void CTkStatusBar::UpdateAllPanes(BOOL updateRects, BOOL updateTexts) {
  if (m_hWnd == nullptr) return;
  if (updateRects) {
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    CalcInsideRect(rect, TRUE);
    int borders[3] = {0, 0, 0};
    DefWindowProc(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    std::vector<CTkPaneSpan> spans;
    int visible = 0;
    for (int i = 0; i < GetPaneCount(); ++i) {
      CTkStatusBarPane* pane = m_panes[i];
      pane->m_nIndex = i;
      pane->m_nVisibleIndex = pane->IsVisible() ? visible++ : -1;
      spans.push_back({pane->m_cxText, pane->IsVisible(), (pane->m_nStyle & SBPS_STRETCH) != 0});
    }
    std::vector<int> edges = CalcPaneRightEdges(spans, rect.Width(), borders);
    DefWindowProc(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  }
  if (updateTexts) {
    for (int i = 0; i < GetPaneCount(); ++i) {
      CTkStatusBarPane* pane = m_panes[i];
      if (pane->IsVisible() && (pane->m_nFlags & CTkStatusBarPane::kTextNotSent)) SetPaneText(i, pane->m_strText, TRUE);
    }
  }
}

BOOL CTkStatusBar::ParentShowsGrip() const {
  CWnd* parent = GetParent();
  return parent != nullptr && (parent->GetStyle() & WS_THICKFRAME) != 0 && !parent->IsZoomed();
}

void CTkStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  CControlBar::CalcInsideRect(rect, bHorz);
  CWnd* parent = GetParent();
  if ((GetStyle() & SBARS_SIZEGRIP) == 0 || parent == nullptr || parent->IsZoomed()) return;
  int borders[3] = {0, 0, 0};
  SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  rect.right -= borders[0] + ::GetSystemMetrics(SM_CXVSCROLL) + 2 * ::GetSystemMetrics(SM_CXBORDER);
}

CSize CTkStatusBar::CalcFixedLayout(BOOL, BOOL) {
  TEXTMETRICW metrics = {};
  HDC screen = ::GetDC(nullptr);
  {
    CTkObjectSelector font(screen, m_font.GetSafeHandle());
    ::GetTextMetricsW(screen, &metrics);
  }
  ::ReleaseDC(nullptr, screen);
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, TRUE);
  int borders[3] = {0, 0, 0};
  if (m_hWnd != nullptr) SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  int height = metrics.tmHeight - metrics.tmInternalLeading - 1 +
               2 * (::GetSystemMetrics(SM_CYBORDER) + borders[1]) - (inside.bottom - inside.top);
  return CSize(32767, std::max(height, m_nMinHeight));
}

void CTkStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CRect rect(0, 0, 0, 0);
  CControlBar::CalcInsideRect(rect, TRUE);
  lpncsp->rgrc[0].left += rect.left;
  lpncsp->rgrc[0].top += rect.top - 2;
  lpncsp->rgrc[0].right += rect.right;
  lpncsp->rgrc[0].bottom += rect.bottom;
}

LRESULT CTkStatusBar::OnNcHitTest(CPoint) {
  return Default() == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void CTkStatusBar::OnSize(UINT, int, int) {
  Default();
  UpdateAllPanes(TRUE, FALSE);
  Invalidate(FALSE);
}

void CTkStatusBar::OnWindowPosChanging(WINDOWPOS*) {
  DWORD style = m_dwStyle;
  m_dwStyle &= ~kBorderBits;
  Default();
  m_dwStyle = style;
}

void CTkStatusBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  if (m_hWnd != nullptr && ((dwOldStyle ^ dwNewStyle) & kBorderBits) != 0)
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CTkStatusBar::OnPaint() {
  UpdateAllPanes(FALSE, TRUE);
  CPaintDC paint(this);
  DrawBar(&paint);
}

void CTkStatusBar::DrawBar(CDC* pDC) {
  // A program without any look: nothing to draw with.
  CTkBarPainter* painter = GetPaintManager();
  if (painter == nullptr) return;
  CRect client;
  GetClientRect(&client);
  CTkOffscreenDC dc(pDC->GetSafeHdc(), client.left, client.top, client.right, client.bottom);
  painter->FillStatusBar(&dc, this);
  const int last = GetLastVisibleIndex();
  for (int i = 0; i < GetPaneCount(); ++i) {
    if (!m_panes[i]->IsVisible()) continue;
    CRect rect;
    GetItemRect(i, &rect);
    if ((m_panes[i]->m_nStyle & SBPS_NOBORDERS) == 0) painter->DrawStatusBarPaneBorder(&dc, rect, i == last);
    DrawPane(&dc, i, rect);
  }
  if ((GetStyle() & SBARS_SIZEGRIP) != 0 && ParentShowsGrip()) DrawSizeGripper(&dc, client);
}

void CTkStatusBar::DrawPane(CDC* pDC, int index, CRect rect) {
  if (CTkStatusBarPane* pane = GetPane(index)) pane->Draw(pDC, rect);
}

void CTkStatusBar::DrawSizeGripper(CDC* pDC, CRect rect) {
  if (CTkBarPainter* painter = GetPaintManager())
    painter->DrawStatusBarGripper(pDC, rect.left, rect.top, rect.right, rect.bottom);
}

LRESULT CTkStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  // The message pane's text: TRUE when it was set.
  int index = CommandToIndex(ID_SEPARATOR);
  if (index < 0) return FALSE;
  return SetPaneText(index, reinterpret_cast<LPCWSTR>(lParam), TRUE) ? TRUE : FALSE;
}

LRESULT CTkStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  // The characters copied, the terminator not counted.
  LPWSTR buffer = reinterpret_cast<LPWSTR>(lParam);
  const int size = static_cast<int>(std::min<WPARAM>(wParam, INT_MAX));
  if (size <= 0 || buffer == nullptr) return 0;
  CTkStatusBarPane* pane = GetPane(CommandToIndex(ID_SEPARATOR));
  const CString text = pane != nullptr ? pane->m_strText : CString();
  const int copied = std::min(text.GetLength(), size - 1);
  memcpy(buffer, static_cast<LPCWSTR>(text), copied * sizeof(WCHAR));
  buffer[copied] = 0;
  return copied;
}

LRESULT CTkStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  CTkStatusBarPane* pane = GetPane(CommandToIndex(ID_SEPARATOR));
  return pane != nullptr ? pane->m_strText.GetLength() : 0;
}

LRESULT CTkStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
  LRESULT result = Default();
  m_nMinHeight = static_cast<int>(wParam);
  return result;
}

LRESULT CTkStatusBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (m_nStateFlags & (delayHide | delayShow)) {
    const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    const BOOL visible = IsWindowVisible();
    if ((m_nStateFlags & delayHide) && visible) SetWindowPos(nullptr, 0, 0, 0, 0, flags | SWP_HIDEWINDOW);
    else if ((m_nStateFlags & delayShow) && !visible) SetWindowPos(nullptr, 0, 0, 0, 0, flags | SWP_SHOWWINDOW);
    m_nStateFlags &= ~(delayHide | delayShow);
  }
  if ((GetStyle() & WS_VISIBLE) == 0) return 0;
  if (m_pDockBar != nullptr && (m_pDockBar->GetStyle() & WS_VISIBLE) == 0) return 0;
  CWnd* target = GetOwner();
  if (target != nullptr) UpdatePanes(target, static_cast<BOOL>(wParam));
  return 0;
}

void CTkStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdatePanes(pTarget, bDisableIfNoHndler);
}

void CTkStatusBar::UpdatePanes(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CTkStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetPaneCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[static_cast<INT_PTR>(state.m_nIndex)]->m_nID;
    if (CWnd::OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr)) continue;
    state.DoUpdate(pTarget, FALSE);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

INT_PTR CTkStatusBar::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const {
  INT_PTR hit = CControlBar::OnToolHitTest(point, pTI);
  if (hit != -1) return hit;
  CRect rect;
  CTkStatusBarPane* pane = HitTestPane(point, &rect);
  if (pane == nullptr || pane->GetTooltip().IsEmpty()) return -1;
  FillPaneToolInfo(pTI, m_hWnd, rect, pane->m_nID, pane->GetTooltip());
  return pane->m_nID;
}

BOOL CTkStatusBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  RelayToTipContext(m_pTipContext, this, message, wParam, lParam);
  return CControlBar::OnWndMsg(message, wParam, lParam, pResult);
}
