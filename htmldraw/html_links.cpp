// Links: their areas as drawn, hover tracking with the hand cursor, and
// following a click.
#include "html_text_drawer.h"
#include "html_text_drawer_internal.h"
#include "link_open.h"

void CHtmlTextDrawer::OpenLinkTag(const HtmlText& attributes) {
  m_state.linkKind = 2;
  m_state.linkTarget.clear();
  size_t pos = 0;
  while (pos < attributes.size()) {
    HtmlText name;
    HtmlText value = HtmlMarkupRules::NextAttribute(attributes, pos, name);
    if (name.empty()) continue;
    if (name == u"href") {
      m_state.linkKind = 1;
      m_state.linkTarget = value;
    } else if (name == u"msg") {
      m_state.linkKind = 2;
      m_state.linkTarget = value;
    }
  }
  ++m_linkCounter;
  m_rules.ApplyNamedStyle(m_linkCounter == m_hoveredLink ? u"a:hover" : u"a:link", m_state);
}

void CHtmlTextDrawer::AddLinkArea(int left, int top, int right, int bottom) {
  if (m_state.linkKind == 0) return;
  HtmlLinkArea area;
  area.left = left;
  area.top = top;
  area.right = right;
  area.bottom = bottom;
  area.linkKind = m_state.linkKind;
  area.linkIndex = m_linkCounter;
  area.target = m_state.linkTarget;
  m_links.push_back(area);
}

int CHtmlTextDrawer::FindLinkArea(POINT point) const {
  for (size_t i = 0; i < m_links.size(); ++i) {
    const HtmlLinkArea& area = m_links[i];
    if (area.left <= point.x && point.x <= area.right && area.top <= point.y && point.y <= area.bottom)
      return static_cast<int>(i);
  }
  return -1;
}

int CHtmlTextDrawer::OnSetCursor(POINT point) {
  int found = FindLinkArea(point);
  if (found < 0) {
    if (m_hoveredLink != -2) {
      m_hoveredLink = -2;
      NotifyHover(-2);
    }
    return 0;
  }
  const HtmlLinkArea area = m_links[found];
  if (area.linkIndex != m_hoveredLink) {
    m_hoveredLink = area.linkIndex;
    NotifyHover(m_hoveredLink);
  }
  if (!area.target.empty() && m_handCursor != nullptr) {
    ::SetCursor(m_handCursor);
    return 1;
  }
  return 0;
}

void CHtmlTextDrawer::OnLButtonDown(POINT point) {
  int found = FindLinkArea(point);
  if (found >= 0) ActivateLink(found);
}

void CHtmlTextDrawer::ActivateLink(int index) {
  const HtmlLinkArea area = m_links[index];
  if (area.target.empty()) return;
  if (area.linkKind == 1)
    OpenLink(area.target, SW_SHOW);
  else if (area.linkKind == 2)
    SendLinkMessage(area.target);
}

INT_PTR CHtmlTextDrawer::OpenLink(const HtmlText& target, int showCommand) {
  SetHandCursor(nullptr);
  // The shell first, then the ".htm" handler, run only with a whole,
  // well-formed command line.
  return OpenLinkTarget(Wide(target), showCommand);
}

void CHtmlTextDrawer::NotifyHover(int index) {
  if (m_hoverWnd != nullptr && m_hoverMessage != 0)
    ::SendMessageW(m_hoverWnd, m_hoverMessage, static_cast<WPARAM>(index), static_cast<LPARAM>(m_hoverParameter));
}

void CHtmlTextDrawer::SendLinkMessage(const HtmlText& target) {
  if (m_linkWnd != nullptr && m_linkMessage != 0)
    ::SendMessageW(m_linkWnd, m_linkMessage, reinterpret_cast<WPARAM>(Wide(target)),
                   static_cast<LPARAM>(m_linkParameter));
}

void CHtmlTextDrawer::LoadHandCursor() {
  if (m_handCursor != nullptr) return;
  HCURSOR shared = ::LoadCursorW(nullptr, IDC_HAND);
  // A copy, so that the drawer may destroy what it holds.
  if (shared != nullptr) {
    m_handCursor = static_cast<HCURSOR>(::CopyIcon(shared));
    if (m_handCursor != nullptr) return;
  }
  WCHAR path[MAX_PATH];
  UINT length = ::GetWindowsDirectoryW(path, MAX_PATH);
  if (length == 0 || length + 14 >= MAX_PATH) return;
  lstrcatW(path, L"\\winhlp32.exe");
  HMODULE module = ::LoadLibraryW(path);
  if (module == nullptr) return;
  HCURSOR cursor = ::LoadCursorW(module, MAKEINTRESOURCEW(106));
  if (cursor != nullptr) m_handCursor = static_cast<HCURSOR>(::CopyIcon(cursor));
  ::FreeLibrary(module);
}

void CHtmlTextDrawer::SetHandCursor(HCURSOR cursor) {
  if (cursor != nullptr && cursor == m_handCursor) return;
  if (m_handCursor != nullptr) ::DestroyCursor(m_handCursor);
  m_handCursor = nullptr;
  if (cursor != nullptr)
    m_handCursor = cursor;
  else
    LoadHandCursor();
}
