#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "tip_context.h"
#include "tip_window.h"

namespace {

const UINT kRichEditId = 1;

struct StreamSource {
  const char* data;
  LONG left;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const LONG count = std::min(wanted, source->left);
  std::memcpy(buffer, source->data, static_cast<size_t>(count));
  source->data += count;
  source->left -= count;
  *given = count;
  return 0;
}

// Right-aligned or centred paragraphs need a few pixels more than the
// rich edit reports.
BOOL HasAlignedParagraphs(const std::string& text) {
  return text.find("\\qr") != std::string::npos || text.find("\\qc") != std::string::npos;
}

}  // namespace

BOOL CTkTipWindowRich::CreateRichEdit() {
  if (m_hRichEdit != nullptr) return TRUE;
  ::LoadLibraryW(L"riched32.dll");
  const DWORD style = WS_CHILD | ES_MULTILINE | ES_READONLY;
  m_hRichEdit = ::CreateWindowExW(0, L"RICHEDIT", L"", style, 0, 0, 0, 0, m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kRichEditId)),
                                  ::GetModuleHandleW(nullptr), nullptr);
  // Only the newer library may be there: it draws the same rich text.
  if (m_hRichEdit == nullptr)
    m_hRichEdit = ::CreateWindowExW(0, RICHEDIT_CLASSW, L"", style, 0, 0, 0, 0, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kRichEditId)),
                                    ::GetModuleHandleW(nullptr), nullptr);
  if (m_hRichEdit == nullptr) return FALSE;
  ::SendMessageW(m_hRichEdit, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
  return TRUE;
}

void CTkTipWindowRich::StreamIn(const std::string& text, UINT format) {
  StreamSource source = {text.data(), static_cast<LONG>(text.size())};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = ReadStream;
  ::SendMessageW(m_hRichEdit, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

int CTkTipWindowRich::HeightAt(int width) {
  ::MoveWindow(m_hRichEdit, 0, 0, width, 1, FALSE);
  m_requestedHeight = 0;
  ::SendMessageW(m_hRichEdit, EM_REQUESTRESIZE, 0, 0);
  return m_requestedHeight;
}

CSize CTkTipWindowRich::MeasureTip(const Tool& tool) {
  const CString text = TextOf(tool);
  if (text.IsEmpty() || !CreateRichEdit()) return CSize(0, 0);
  const COLORREF background = m_pContext != nullptr ? m_pContext->GetBackgroundColor() : ::GetSysColor(COLOR_INFOBK);
  ::SendMessageW(m_hRichEdit, EM_SETBKGNDCOLOR, 0, background);
  CHARFORMAT2W format = {};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_PROTECTED;
  format.crTextColor = m_pContext != nullptr ? m_pContext->GetTextColor() : ::GetSysColor(COLOR_INFOTEXT);
  ::SendMessageW(m_hRichEdit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
  ::SendMessageW(m_hRichEdit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));

  // The rich edit reads 8-bit streams in the system's code page.
  const std::string narrow = text.ToAnsi();
  StreamIn(narrow, SF_RTF);
  if (::GetWindowTextLengthW(m_hRichEdit) == 0) StreamIn(narrow, SF_TEXT);

  const int maxWidth = m_pContext != nullptr ? m_pContext->m_maxTipWidth : -1;
  const int widest = maxWidth < 0 ? ::GetSystemMetrics(SM_CXSCREEN) : 2 * maxWidth;
  // The narrowest width that keeps the height the text has at half the
  // widest: long tips wrap into a few even lines, short ones stay on one.
  const int reference = HeightAt(widest / 2);
  int low = 0;
  int high = widest / 2;
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (HeightAt(middle) <= reference)
      high = middle;
    else
      low = middle + 1;
  }
  const CSize size(high, HeightAt(high));
  ::MoveWindow(m_hRichEdit, 0, 0, size.cx + 2, size.cy + 2, FALSE);
  const CRect margins = m_pContext != nullptr ? m_pContext->m_margins : CRect(0, 0, 0, 0);
  CSize tip(size.cx + margins.left + margins.right + 4, size.cy + margins.top + margins.bottom + 2);
  if (HasAlignedParagraphs(narrow)) tip.cx += 5;
  return tip;
}

void CTkTipWindowRich::DrawTipText(CDC* pDC, const Tool&, CRect rect) {
  if (m_hRichEdit == nullptr) return;
  const CRect margins = m_pContext != nullptr ? m_pContext->m_margins : CRect(0, 0, 0, 0);
  rect.DeflateRect(margins.left + 3, margins.top + 2, 1, 1);
  const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
  const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
  FORMATRANGE range = {};
  range.hdc = pDC->GetSafeHdc();
  range.hdcTarget = pDC->GetSafeHdc();
  range.rc.left = ::MulDiv(rect.left, 1440, dpiX);
  range.rc.top = ::MulDiv(rect.top, 1440, dpiY);
  range.rc.right = ::MulDiv(rect.right, 1440, dpiX);
  range.rc.bottom = ::MulDiv(rect.bottom, 1440, dpiY);
  range.rcPage = range.rc;
  range.chrg.cpMin = 0;
  range.chrg.cpMax = -1;
  const LRESULT printed = ::SendMessageW(m_hRichEdit, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  ::SendMessageW(m_hRichEdit, EM_FORMATRANGE, FALSE, 0);
  // A rich edit that cannot print (Wine's answers 0 for everything) still
  // holds the words: show them plainly rather than an empty tip.
  const int length = ::GetWindowTextLengthW(m_hRichEdit);
  if (printed == 0 && length > 0) {
    CString text;
    ::GetWindowTextW(m_hRichEdit, text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    pDC->DrawText(text, &rect, DT_NOPREFIX | DT_WORDBREAK);
  }
}

BOOL CTkTipWindowRich::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->hwndFrom == m_hRichEdit && header->code == EN_REQUESTRESIZE) {
      const auto* request = reinterpret_cast<const REQRESIZE*>(lParam);
      m_requestedHeight = request->rc.bottom - request->rc.top;
      if (pResult != nullptr) *pResult = 0;
      return TRUE;
    }
  }
  if (message == WM_DESTROY) m_hRichEdit = nullptr;
  return CTkTipWindow::OnWndMsg(message, wParam, lParam, pResult);
}
