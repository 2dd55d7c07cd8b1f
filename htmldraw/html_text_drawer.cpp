#include "html_text_drawer.h"

#include <algorithm>

#include "html_text_drawer_internal.h"

namespace {

HtmlColorRef SystemColor(int index) { return ::GetSysColor(index); }

static_assert(COLOR_INFOBK == 24 && COLOR_3DDKSHADOW == 21 && COLOR_3DLIGHT == 22 && COLOR_WINDOWFRAME == 6,
              "the colour-name table numbers system colours as the system does");

}  // namespace

CHtmlTextDrawer::CHtmlTextDrawer() : m_rules(&SystemColor) {
  LoadHandCursor();
  SetImageShadow(4, 4, 50, 1, 7, 7);
  m_rules.colorsEnabled = 1;
  m_rules.disabledColor = ::GetSysColor(COLOR_BTNSHADOW);
}

CHtmlTextDrawer::~CHtmlTextDrawer() {
  SetResourceModule(nullptr);
  if (m_handCursor != nullptr) ::DestroyCursor(m_handCursor);
  if (m_font != nullptr) ::DeleteObject(m_font);
}

void CHtmlTextDrawer::SetCallbackMessage(HWND hWnd, UINT message, int parameter) {
  m_hoverWnd = hWnd;
  m_hoverMessage = hWnd != nullptr ? message : 0;
  m_hoverParameter = hWnd != nullptr ? parameter : 0;
}

void CHtmlTextDrawer::SetResourceModule(HMODULE module) {
  if (m_resourceModule != nullptr) {
    if (!m_ownsModule) return;
    ::FreeLibrary(m_resourceModule);
    m_resourceModule = nullptr;
    m_ownsModule = FALSE;
    return;
  }
  if (module != nullptr) {
    m_resourceModule = module;
    m_ownsModule = FALSE;
  }
}

void CHtmlTextDrawer::SetCssStyles(LPCWSTR lpszSheet) {
  m_rules.SetCssStyles(lpszSheet != nullptr ? reinterpret_cast<const char16_t*>(lpszSheet) : nullptr);
}

void CHtmlTextDrawer::SetDefaultStyles() { m_rules.SetDefaultStyles(); }

CString CHtmlTextDrawer::LoadResourceString(UINT id) {
  if (id == 0) return CString();
  const WCHAR* text = nullptr;
  int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text != nullptr ? CString(text, length) : CString();
}

CString CHtmlTextDrawer::GetResourceStringLine(UINT id, int line) {
  CString text = LoadResourceString(id);
  int start = 0;
  for (int part = 0; part < line; ++part) {
    int feed = text.Find(L'\n', start);
    if (feed < 0) return CString();
    start = feed + 1;
  }
  int end = text.Find(L'\n', start);
  return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

HtmlText CHtmlTextDrawer::PrepareText(const HtmlText& text) const {
  return m_rules.PrepareText(text, m_newlineAsBreak != 0);
}

void CHtmlTextDrawer::Measure(CDC* pDC, LPCWSTR lpszText, CSize& size) {
  m_pDC = pDC;
  size = CSize(0, 0);
  if (pDC == nullptr) return;
  pDC->SetTextJustification(0, 0);
  m_text = PrepareText(FromWide(lpszText));
  if (m_text.empty()) return;
  m_mode = kMeasuring;
  m_grids.clear();
  LayoutText(size, CRect(0, 0, m_maximumWidth, 0));
  // Text that shows nothing is not drawn, but still measures (1, 1).
  if (size.cx == 0 && size.cy == 0) m_text.clear();
  if (m_maximumWidth != 0 && size.cx > m_maximumWidth) size.cx = m_maximumWidth;
  size.cx += 1;
  size.cy += 1;
}

void CHtmlTextDrawer::Draw(CDC* pDC, const RECT& rect) {
  if (m_text.empty() || pDC == nullptr) return;
  m_mode = kDrawing;
  m_pDC = pDC;
  CSize size;
  LayoutText(size, rect);
}

void CHtmlTextDrawer::LayoutText(CSize& size, const RECT& rect) {
  if (m_mode == kMeasuring) {
    m_lines.clear();
    m_animations.clear();
  }
  m_links.clear();
  m_lineIndex = 0;
  m_tableCounter = -1;
  m_linkCounter = -1;
  m_animationCounter = -1;
  m_stack.clear();
  HtmlMarkupRules::ResetState(m_state);
  m_rules.units.logPixelsY = m_pDC->GetDeviceCaps(LOGPIXELSY);
  m_rules.ApplyNamedStyle(u"body", m_state);

  HDC dc = m_pDC->GetSafeHdc();
  m_savedFont = ::GetCurrentObject(dc, OBJ_FONT);
  m_savedBkMode = ::GetBkMode(dc);
  m_savedTextColor = ::GetTextColor(dc);
  m_savedBkColor = ::GetBkColor(dc);
  SelectStateFont();

  size = CSize(0, 0);
  CRect area(rect);
  const HtmlText& text = m_text;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t table = pos;
    bool found = HtmlMarkupRules::FindTag(text, table, u"table");
    if (table > pos) {
      CSize piece = LayoutFlow(text.substr(pos, table - pos), area);
      size.cx = std::max(size.cx, piece.cx);
      size.cy += piece.cy;
      if (m_mode == kDrawing) area.top += piece.cy;
    }
    if (!found) break;
    size_t end = HtmlMarkupRules::FindTableEnd(text, table);
    CSize piece = LayoutTable(text.substr(table, end - table), area);
    size.cx = std::max(size.cx, piece.cx);
    size.cy += piece.cy;
    if (m_mode == kDrawing) area.top += piece.cy;
    size_t close = text.find(u'>', end);
    pos = close == HtmlText::npos ? text.size() : close + 1;
  }

  ::SetBkMode(dc, m_savedBkMode);
  ::SetBkColor(dc, m_savedBkColor);
  ::SetTextColor(dc, m_savedTextColor);
  ::SelectObject(dc, m_savedFont);
  m_stack.clear();
  if (m_font != nullptr) ::DeleteObject(m_font);
  m_font = nullptr;
}

int CHtmlTextDrawer::SaveOrRestoreState(BOOL closing) {
  if (!closing) {
    m_stack.push_back(m_state);
    return 1;
  }
  int restored = 0;
  if (!m_stack.empty() && m_stack.back().name == m_state.name) {
    m_state = m_stack.back();
    m_stack.pop_back();
    restored = 1;
  }
  m_state.name.clear();
  return restored;
}

void CHtmlTextDrawer::SelectStateFont() {
  HDC dc = m_pDC->GetSafeHdc();
  LOGFONTW font = {};
  font.lfHeight = m_state.fontSize;
  font.lfWeight = m_state.fontWeight;
  font.lfItalic = static_cast<BYTE>(m_state.italic != 0);
  font.lfUnderline = static_cast<BYTE>(m_state.underline != 0);
  font.lfStrikeOut = static_cast<BYTE>(m_state.strikeOut != 0);
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, Wide(m_state.faceName), LF_FACESIZE);
  // One font object at a time: the new one replaces the old in the DC first.
  HFONT made = ::CreateFontIndirectW(&font);
  if (made != nullptr) {
    ::SelectObject(dc, made);
    if (m_font != nullptr) ::DeleteObject(m_font);
    m_font = made;
    m_logFont = font;
  }
  ::GetTextMetricsW(dc, &m_metrics);
  SIZE ex = {};
  ::GetTextExtentPoint32W(dc, L"x", 1, &ex);
  m_rules.units.exHeight = ex.cy;
  m_rules.units.emHeight = m_metrics.tmHeight;
  ::SetBkMode(dc, m_state.backgroundMode);
  ::SetTextColor(dc, m_state.textColor);
  ::SetBkColor(dc, m_state.backgroundColor);
}
