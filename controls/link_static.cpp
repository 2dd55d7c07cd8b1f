#include "link_static.h"

#include "link_open.h"

namespace {
const UINT_PTR kToolId = 1;
const UINT kHoverCheckMs = 100;
const UINT kHelpHandCursor = 106;
}  // namespace

BEGIN_MESSAGE_MAP(CLinkStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CLinkStatic::~CLinkStatic() {
  if (m_hLinkCursor != nullptr) ::DestroyCursor(m_hLinkCursor);
}

void CLinkStatic::PreSubclassWindow() {
  ModifyStyle(0, SS_NOTIFY);
  CString text;
  GetWindowText(text);
  if (m_strUrl.IsEmpty()) m_strUrl = text;
  if (text.IsEmpty()) SetWindowText(m_strUrl);
  HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (hFont == nullptr) hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  if (hFont == nullptr) hFont = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
  LOGFONTW font = {};
  ::GetObjectW(hFont, sizeof font, &font);
  m_plainFont.DeleteObject();
  m_plainFont.CreateFontIndirect(&font);
  font.lfUnderline = TRUE;
  m_underlinedFont.DeleteObject();
  m_underlinedFont.CreateFontIndirect(&font);
  AdjustToText();
  LoadLinkCursor();
  ApplyFont(m_nUnderline == kUnderlineAlways ? m_underlinedFont : m_plainFont);
  if (m_toolTip.m_hWnd == nullptr && m_toolTip.Create(this, 0)) {
    CRect client;
    GetClientRect(&client);
    m_toolTip.AddTool(this, m_strUrl, &client, kToolId);
  }
  CStatic::PreSubclassWindow();
}

void CLinkStatic::ApplyFont(CFont& font) {
  if (m_hWnd != nullptr) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
}

BOOL CLinkStatic::IsUnderlineShown() const {
  HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  return hFont != nullptr && hFont == m_underlinedFont.GetSafeHandle();
}

void CLinkStatic::SetUrl(LPCWSTR lpszUrl) {
  m_strUrl = lpszUrl;
  if (m_hWnd == nullptr) return;
  AdjustToText();
  if (m_toolTip.m_hWnd != nullptr) m_toolTip.UpdateTipText(m_strUrl, this, kToolId);
}

void CLinkStatic::SetUnderlineMode(int mode) {
  if (mode == m_nUnderline) return;
  if (m_hWnd != nullptr) {
    ApplyFont(mode == kUnderlineAlways ? m_underlinedFont : m_plainFont);
    Invalidate();
  }
  m_nUnderline = mode;
}

void CLinkStatic::SetVisited(BOOL bVisited) {
  m_bVisited = bVisited;
  if (m_hWnd != nullptr) Invalidate();
}

void CLinkStatic::AdjustToText() {
  if (m_hWnd == nullptr || !AdjustToTextSize) return;
  CWnd* pParent = GetParent();
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  if (pParent != nullptr) pParent->ScreenToClient(&window);
  CString text;
  GetWindowText(text);
  CSize extent;
  {
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(&m_underlinedFont);
    extent = dc.GetTextExtent(text);
    dc.SelectObject(pOld);
  }
  int height = extent.cy + (window.Height() - client.Height());
  int width = extent.cx + (window.Width() - client.Width());
  DWORD style = GetStyle();
  if (style & SS_CENTERIMAGE) {
    int diff = (window.Height() - height) / 2;
    window.top += diff;
    window.bottom = window.top + height;
  } else {
    window.bottom = window.top + height;
  }
  if ((style & SS_TYPEMASK) == SS_CENTER) {
    int diff = (window.Width() - width) / 2;
    window.left += diff;
    window.right = window.left + width;
  } else if ((style & SS_TYPEMASK) == SS_RIGHT) {
    window.left = window.right - width;
  } else {
    window.right = window.left + width;
  }
  SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER);
}

void CLinkStatic::LoadLinkCursor() {
  if (m_hLinkCursor != nullptr) return;
  WCHAR path[MAX_PATH + 16] = {};
  UINT length = ::GetWindowsDirectoryW(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  lstrcatW(path, L"\\winhlp32.exe");
  HMODULE hModule = ::LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (hModule == nullptr) return;
  HCURSOR hCursor = ::LoadCursorW(hModule, MAKEINTRESOURCEW(kHelpHandCursor));
  if (hCursor != nullptr) m_hLinkCursor = static_cast<HCURSOR>(::CopyIcon(hCursor));
  ::FreeLibrary(hModule);
}

BOOL CLinkStatic::DestroyWindow() {
  KillTimer(m_nTimerId);
  return CStatic::DestroyWindow();
}

BOOL CLinkStatic::PreTranslateMessage(MSG* pMsg) {
  if (m_toolTip.m_hWnd != nullptr) m_toolTip.RelayEvent(pMsg);
  return CStatic::PreTranslateMessage(pMsg);
}

HBRUSH CLinkStatic::CtlColor(CDC* pDC, UINT) {
  pDC->SetTextColor(m_bHovering ? HoverColor : m_bVisited ? VisitedColor : LinkColor);
  pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CLinkStatic::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(255, 255, 255));
  return TRUE;
}

BOOL CLinkStatic::OnSetCursor(CWnd*, UINT, UINT) {
  // Without the help program's hand the link keeps the normal cursor.
  if (m_hLinkCursor == nullptr) return static_cast<BOOL>(Default());
  ::SetCursor(m_hLinkCursor);
  return TRUE;
}

void CLinkStatic::OnMouseMove(UINT, CPoint) {
  if (!m_bHovering) {
    m_bHovering = TRUE;
    if (m_nUnderline == kUnderlineHover) ApplyFont(m_underlinedFont);
    Invalidate(TRUE);
    SetTimer(m_nTimerId, kHoverCheckMs);
  }
  Default();
}

void CLinkStatic::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == m_nTimerId) {
    DWORD position = ::GetMessagePos();
    CPoint point(static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)));
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
      m_bHovering = FALSE;
      KillTimer(m_nTimerId);
      if (m_nUnderline != kUnderlineAlways) ApplyFont(m_plainFont);
      client.bottom += 10;
      InvalidateRect(&client, TRUE);
    }
  }
  Default();
}

void CLinkStatic::OnClicked() {
  m_bHovering = FALSE;
  INT_PTR result = OpenUrl(m_strUrl, SW_SHOW);
  m_bVisited = result > 32;
  if (result > 32) {
    SetVisited(TRUE);
  } else {
    ::MessageBeep(MB_ICONEXCLAMATION);
    ReportOpenError(result);
  }
}

INT_PTR CLinkStatic::OpenUrl(LPCWSTR lpszUrl, int nShowCmd) { return OpenLinkTarget(lpszUrl, nShowCmd); }

void CLinkStatic::ReportOpenError(INT_PTR code) { AfxMessageBox(OpenErrorMessage(code), MB_ICONEXCLAMATION); }
