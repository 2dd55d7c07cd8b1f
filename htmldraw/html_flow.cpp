// Flows: runs of text and inline tags laid out in lines.
#include <algorithm>

#include "html_text_drawer.h"
#include "html_text_drawer_internal.h"

int CHtmlTextDrawer::TextWidth(const HtmlText& text) const {
  SIZE size = {};
  ::GetTextExtentPoint32W(m_pDC->GetSafeHdc(), Wide(text), static_cast<int>(text.size()), &size);
  return size.cx;
}

CSize CHtmlTextDrawer::LayoutFlow(const HtmlText& body, const RECT& rect) {
  HtmlText text = u"<body>" + body + u"</body>";
  HDC dc = m_pDC->GetSafeHdc();
  m_flow = rect;
  int firstLine = m_lineIndex;
  int x = BeginLine(m_flow.left);
  int y = m_flow.top;
  size_t pos = 0;
  while (pos < text.size()) {
    HtmlText tag;
    HtmlText run = HtmlMarkupRules::TransformText(HtmlMarkupRules::NextRun(text, pos, tag), m_state.textTransform);
    while (!run.empty()) {
      ::SetTextJustification(dc, 0, 0);
      SIZE extent = {};
      ::GetTextExtentPoint32W(dc, Wide(run), static_cast<int>(run.size()), &extent);
      int textY = AlignTextVertically(y, extent.cy);
      int flowWidth = m_flow.Width();
      HtmlText piece;
      int width = extent.cx;
      if (m_maximumWidth != 0 && flowWidth > 0 && extent.cx > m_flow.left + flowWidth - x) {
        width = m_flow.left + flowWidth - x;
        // A line with nothing on it yet always takes something, so that a
        // line shifted by its alignment cannot loop forever.
        bool atLineStart = width == flowWidth || x == m_lineStartX;
        piece = HtmlFitText(run, atLineStart, width, [this](const HtmlText& t) { return TextWidth(t); });
      } else {
        piece.swap(run);
      }
      if (m_mode == kMeasuring) {
        m_line.alignment = m_state.textAlignment;
        m_line.spaceCount += HtmlMarkupRules::CountChar(piece, u' ');
      } else if (width > 0) {
        width = DrawTextPiece(piece, x, textY, width, extent.cy);
      }
      x += width;
      if (!run.empty()) NewLine(1, 1, x, y);
    }
    if (!tag.empty()) HandleTag(tag, x, y);
  }
  if (x != m_lineStartX) NewLine(1, 0, x, y);
  ::SetTextJustification(dc, 0, 0);

  CSize size(0, y - rect.top);
  for (int i = firstLine; i < m_lineIndex && i < static_cast<int>(m_lines.size()); ++i) {
    const HtmlLineRecord& line = m_lines[i];
    int width = line.width;
    if (line.percentWidth != 0) width += HtmlMarkupRules::MulDiv(size.cx, line.percentWidth, 100);
    size.cx = std::max<LONG>(size.cx, width);
  }
  return size;
}

// Paints one piece in the drawing pass and returns the width drawn,
// justification included.
int CHtmlTextDrawer::DrawTextPiece(const HtmlText& text, int x, int y, int measured, int height) {
  HDC dc = m_pDC->GetSafeHdc();
  HtmlText piece = text;
  // The line's last piece loses its trailing spaces, so that a justified
  // line ends at the flow's right edge.
  if (measured == m_lineWidthLeft && !piece.empty() && piece.back() == u' ') {
    while (!piece.empty() && piece.back() == u' ') piece.pop_back();
    m_lineSpacesLeft = HtmlMarkupRules::CountChar(piece, u' ');
    m_lineWidthLeft += TextWidth(piece) - measured;
  }
  bool justified = m_line.alignment == 3 && m_line.justifiable;
  if (justified) ::SetTextJustification(dc, (m_flow.left + m_flow.Width() - x) - m_lineWidthLeft, m_lineSpacesLeft);
  m_lineWidthLeft -= measured;
  int width = TextWidth(piece);
  AddLinkArea(x, y, x + width, y + height);
  ::TextOutW(dc, x, y, Wide(piece), static_cast<int>(piece.size()));
  if (m_state.overline)
    m_effects.DrawLine(m_pDC, x, y, x + width, y, m_state.textColor, 1, m_state.fontWeight >= 700 ? 2 : 1);
  m_lineSpacesLeft -= HtmlMarkupRules::CountChar(piece, u' ');
  return width;
}

void CHtmlTextDrawer::HandleTag(const HtmlText& tag, int& x, int& y) {
  HtmlText name = tag;
  HtmlText attributes = HtmlMarkupRules::SplitTagName(name);
  HtmlText valueText;
  bool closing = false;
  HtmlTagCode code = m_rules.LookupTag(name, valueText, closing);
  if (code == kTagNone) return;
  m_state.name = valueText;
  if (!valueText.empty()) {
    if (closing) {
      if (SaveOrRestoreState(TRUE)) SelectStateFont();
      return;
    }
    SaveOrRestoreState(FALSE);
    switch (code) {
      case kTagBold: m_state.fontWeight = std::min(m_state.fontWeight * 2, 900); break;
      case kTagItalic: m_state.italic = !m_state.italic; break;
      case kTagUnderline: m_state.underline = !m_state.underline; break;
      case kTagStrikeOut: m_state.strikeOut = !m_state.strikeOut; break;
      case kTagFont: ApplyFontAttributes(attributes); break;
      case kTagLeft: case kTagCenter: case kTagRight: case kTagJustify:
        m_state.textAlignment = code - kTagLeft;
        break;
      case kTagBaseline: m_state.verticalAlignment = 3; break;
      case kTagTop: m_state.verticalAlignment = 0; break;
      case kTagMiddle: m_state.verticalAlignment = 1; break;
      case kTagBottom: m_state.verticalAlignment = 2; break;
      case kTagNamedStyle: m_rules.ApplyNamedStyle(name, m_state); break;
      case kTagSpan: {
        size_t pos = 0;
        while (pos < attributes.size()) {
          HtmlText attribute;
          HtmlText value = HtmlMarkupRules::NextAttribute(attributes, pos, attribute);
          if (attribute == u"class") m_rules.ApplyNamedStyle(u"." + value, m_state);
        }
        break;
      }
      case kTagLink: OpenLinkTag(attributes); break;
      default: break;
    }
    SelectStateFont();
    return;
  }
  switch (code) {
    case kTagBreak: {
      int count = attributes.empty() ? 1 : m_rules.ParseSize(attributes.substr(1), 1, 0);
      NewLine(count, 0, x, y);
      break;
    }
    case kTagTab: {
      int count = attributes.empty() ? 1 : m_rules.ParseSize(attributes.substr(1), 1, 0);
      x = AdvanceTab(x, count);
      break;
    }
    case kTagRule: DrawRule(attributes, x, y); break;
    case kTagBitmap: case kTagIcon: case kTagImageList: LayoutImage(code, attributes, x, y); break;
    case kTagString: DrawString(attributes, x, y); break;
    default: break;
  }
}

void CHtmlTextDrawer::ApplyFontAttributes(const HtmlText& attributes) {
  size_t pos = 0;
  while (pos < attributes.size()) {
    HtmlText name;
    HtmlText value = HtmlMarkupRules::NextAttribute(attributes, pos, name);
    if (name == u"face") {
      if (!value.empty()) m_state.faceName = value;
    } else if (name == u"size") {
      m_state.fontSize = m_rules.ParseSize(value, m_state.fontSize, 1);
    } else if (name == u"color") {
      m_state.textColor = m_rules.colorsEnabled ? m_rules.ParseColor(value, m_state.textColor) : m_rules.disabledColor;
    } else if (name == u"style") {
      bool set = true;
      for (char16_t c : value) {
        if (c == u'-' || c == u'+') {
          set = c == u'+';
          continue;
        }
        switch (c) {
          case u'b': m_state.fontWeight = set ? 700 : 400; break;
          case u'i': m_state.italic = set; break;
          case u'u': m_state.underline = set; break;
          case u's': m_state.strikeOut = set; break;
          case u'o': m_state.overline = set; break;
          default: continue;
        }
        set = true;
      }
    } else if (name == u"weight") {
      m_state.fontWeight = HtmlMarkupRules::ParseFontWeight(value);
    } else if (name == u"bkgnd") {
      if (value == u"transparent" || !m_rules.colorsEnabled) {
        m_state.backgroundMode = 1;
      } else {
        m_state.backgroundMode = 2;
        m_state.backgroundColor = m_rules.ParseColor(value, m_state.backgroundColor);
      }
    }
  }
}

void CHtmlTextDrawer::DrawRule(const HtmlText& attributes, int& x, int y) {
  HtmlStyleState rule = m_state;
  rule.borderWidth = 1;
  m_rules.ApplyNamedStyle(u"hr", rule);
  int thickness = rule.borderWidth;
  COLORREF colour = rule.textColor;
  int width = 100;
  bool percent = true;
  size_t pos = 0;
  while (pos < attributes.size()) {
    HtmlText name;
    HtmlText value = HtmlMarkupRules::NextAttribute(attributes, pos, name);
    if (name == u"width") {
      width = m_rules.ParseSize(value, 100, 0);
      percent = HtmlMarkupRules::IsPercent(value);
    } else if (name == u"size") {
      thickness = m_rules.ParseSize(value, 1, 0);
    } else if (name == u"color") {
      colour = m_rules.colorsEnabled ? m_rules.ParseColor(value, colour) : m_rules.disabledColor;
    }
  }
  if (m_mode == kMeasuring) {
    if (percent) {
      m_line.percentWidth += width;
      width = 1;
    }
    m_line.height = std::max(m_line.height, thickness + 8);
    m_line.alignment = m_state.textAlignment;
  } else {
    if (percent) width = HtmlMarkupRules::MulDiv(m_flow.Width(), width, 100);
    int middle = y + m_line.height / 2;
    m_effects.DrawLine(m_pDC, x, middle, x + width, middle, colour, 1, thickness);
  }
  x += width;
}

void CHtmlTextDrawer::DrawString(const HtmlText& attributes, int& x, int y) {
  int id = 0;
  size_t pos = 0;
  while (pos < attributes.size()) {
    HtmlText name;
    HtmlText value = HtmlMarkupRules::NextAttribute(attributes, pos, name);
    if (name == u"idres" || name == u"iddll") id = m_rules.ParseSize(value, id, 0);
  }
  if (id == 0) return;
  CString text = LoadResourceString(static_cast<UINT>(id));
  if (text.IsEmpty()) return;
  CSize extent = m_pDC->GetTextExtent(text);
  int textY = AlignTextVertically(y, extent.cy);
  if (m_mode == kMeasuring) {
    m_line.alignment = m_state.textAlignment;
  } else {
    AddLinkArea(x, textY, x + extent.cx, textY + extent.cy);
    m_pDC->TextOut(x, textY, text);
  }
  x += extent.cx;
}

int CHtmlTextDrawer::BeginLine(int left) {
  if (m_mode == kMeasuring) {
    m_line = HtmlLineRecord();
    m_line.alignment = m_state.textAlignment;
    if (static_cast<int>(m_lines.size()) <= m_lineIndex) m_lines.resize(m_lineIndex + 1);
    m_lines[m_lineIndex] = m_line;
    m_lineStartX = left;
    return left;
  }
  if (m_lineIndex < static_cast<int>(m_lines.size())) {
    m_line = m_lines[m_lineIndex];
  } else {
    // A narrower rectangle can break more lines than were measured: such a
    // line is read as an empty, left-aligned one of the font's height.
    m_line = HtmlLineRecord();
    m_line.height = m_metrics.tmHeight;
  }
  int flowWidth = m_flow.Width();
  if (m_line.percentWidth != 0) m_line.width += HtmlMarkupRules::MulDiv(flowWidth, m_line.percentWidth, 100);
  HDC dc = m_pDC->GetSafeHdc();
  if (m_line.alignment == 3 && m_line.justifiable)
    ::SetTextJustification(dc, flowWidth - m_line.width, m_line.spaceCount);
  else
    ::SetTextJustification(dc, 0, 0);
  m_lineWidthLeft = m_line.width;
  m_lineSpacesLeft = m_line.spaceCount;
  int x = left;
  if (m_line.alignment == 1) x = left + (flowWidth - m_line.width) / 2;
  if (m_line.alignment == 2) x = left + flowWidth - m_line.width;
  m_lineStartX = x;
  return x;
}

void CHtmlTextDrawer::NewLine(int count, int justifiable, int& x, int& y) {
  if (m_mode == kMeasuring) {
    if (m_line.height == 0 && m_line.descent == 0) {
      m_line.height = m_metrics.tmHeight;
    } else {
      m_line.height += m_line.descent;
    }
    m_line.width = x - m_flow.left;
    m_line.justifiable = justifiable;
    if (static_cast<int>(m_lines.size()) <= m_lineIndex) m_lines.resize(m_lineIndex + 1);
    m_lines[m_lineIndex] = m_line;
  }
  ++m_lineIndex;
  y += std::max(count, 1) * m_line.height;
  x = BeginLine(m_flow.left);
}

int CHtmlTextDrawer::AlignTextVertically(int y, int textHeight) {
  if (m_mode == kMeasuring) {
    m_line.height = std::max<int>(m_line.height, m_metrics.tmAscent);
    m_line.descent = std::max<int>(m_line.descent, textHeight - m_metrics.tmAscent);
    return y;
  }
  switch (m_state.verticalAlignment) {
    case 0: return y;
    case 1: return y + (m_line.height - m_metrics.tmHeight) / 2;
    case 2: return y + m_line.height - m_metrics.tmAscent;
    default: return y + m_line.height - m_metrics.tmAscent - m_line.descent;
  }
}

int CHtmlTextDrawer::AlignObjectVertically(int y, int objectHeight) {
  if (m_mode == kMeasuring) {
    m_line.height = std::max(m_line.height, objectHeight);
    return y;
  }
  switch (m_state.verticalAlignment) {
    case 0: return y;
    case 1: return y + (m_line.height - objectHeight) / 2;
    case 2: return y + m_line.height - objectHeight;
    default: return y + m_line.height - m_line.descent - objectHeight;
  }
}

int CHtmlTextDrawer::AdvanceTab(int x, int count) { return HtmlAdvanceTab(x, m_flow.left, m_tabWidth, count); }
