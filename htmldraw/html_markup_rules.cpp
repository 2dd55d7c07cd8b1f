#include "html_markup_rules.h"

#include <algorithm>
#include <climits>

namespace {

bool IsWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.';
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool Contains(const char16_t* set, char16_t c) {
  for (; *set != 0; ++set)
    if (*set == c) return true;
  return false;
}

// The leading decimal number, digits after a point ignored; 0 when none.
int LeadingDecimal(const HtmlText& text) {
  long long n = 0;
  for (char16_t c : text) {
    if (!IsDigit(c)) break;
    n = n * 10 + (c - u'0');
    if (n > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(n);
}

int ClampToInt(long long value) {
  return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value)));
}

// A signed leading decimal, as the percentages are read.
int LeadingSignedDecimal(const HtmlText& text) {
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    int n = LeadingDecimal(text.substr(1));
    return text[0] == u'-' ? -n : n;
  }
  return LeadingDecimal(text);
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

int HexPair(const HtmlText& text, size_t at) {
  int high = HexDigit(text[at]);
  if (high < 0) return 0;
  int low = HexDigit(text[at + 1]);
  return low < 0 ? high : high * 16 + low;
}

struct WebColor {
  const char16_t* name;
  uint32_t rgb;  // 0xRRGGBB as the web writes it
};

const WebColor kWebColors[] = {
    {u"aqua", 0x00FFFF}, {u"black", 0x000000}, {u"blue", 0x0000FF}, {u"brown", 0xA52A2A},
    {u"cyan", 0x00FFFF}, {u"gold", 0xFFD700}, {u"gray", 0x808080}, {u"green", 0x008000},
    {u"magenta", 0xFF00FF}, {u"maroon", 0x800000}, {u"navy", 0x000080}, {u"olive", 0x808000},
    {u"orange", 0xFFA500}, {u"pink", 0xFFC0CB}, {u"purple", 0x800080}, {u"red", 0xFF0000},
    {u"silver", 0xC0C0C0}, {u"snow", 0xFFFAFA}, {u"violet", 0xEE82EE}, {u"white", 0xFFFFFF},
    {u"yellow", 0xFFFF00}, {u"aliceblue", 0xF0F8FF}, {u"antiquewhite", 0xFAEBD7},
    {u"aquamarine", 0x7FFFD4}, {u"azure", 0xF0FFFF}, {u"beige", 0xF5F5DC}, {u"bisque", 0xFFE4C4},
    {u"blanchedalmond", 0xFFEBCD}, {u"blueviolet", 0x8A2BE2}, {u"burlywood", 0xDEB887},
    {u"cadetblue", 0x5F9EA0}, {u"chartreuse", 0x7FFF00}, {u"chocolate", 0xD2691E},
    {u"coral", 0xFF7F50}, {u"cornflowerblue", 0x6495ED}, {u"cornsilk", 0xFFF8DC},
    {u"crimson", 0xDC143C}, {u"darkblue", 0x00008B}, {u"darkcyan", 0x008B8B},
    {u"darkgoldenrod", 0xB8860B}, {u"darkgray", 0xA9A9A9}, {u"darkgreen", 0x006400},
    {u"darkkhaki", 0xBDB76B}, {u"darkmagenta", 0x8B008B}, {u"darkolivegreen", 0x556B2F},
    {u"darkorange", 0xFF8C00}, {u"darkorchid", 0x9932CC}, {u"darkred", 0x8B0000},
    {u"darksalmon", 0xE9967A}, {u"darkseagreen", 0x8FBC8B}, {u"darkslateblue", 0x483D8B},
    {u"darkslategray", 0x2F4F4F}, {u"darkturquoise", 0x00CED1}, {u"darkviolet", 0x9400D3},
    {u"deeppink", 0xFF1493}, {u"deepskyblue", 0x00BFFF}, {u"dimgray", 0x696969},
    {u"dodgerblue", 0x1E90FF}, {u"firebrick", 0xB22222}, {u"floralwhite", 0xFFFAF0},
    {u"forestgreen", 0x228B22}, {u"fuchsia", 0xFF00FF}, {u"gainsboro", 0xDCDCDC},
    {u"ghostwhite", 0xF8F8FF}, {u"goldenrod", 0xDAA520}, {u"greenyellow", 0xADFF2F},
    {u"honeydew", 0xF0FFF0}, {u"hotpink", 0xFF69B4}, {u"indianred", 0xCD5C5C},
    {u"indigo", 0x4B0082}, {u"ivory", 0xFFFFF0}, {u"khaki", 0xF0E68C}, {u"lavender", 0xE6E6FA},
    {u"lavenderblush", 0xFFF0F5}, {u"lawngreen", 0x7CFC00}, {u"lemonchiffon", 0xFFFACD},
    {u"lightblue", 0xADD8E6}, {u"lightcoral", 0xF08080}, {u"lightcyan", 0xE0FFFF},
    {u"lightgoldenrodyellow", 0xFAFAD2}, {u"lightgreen", 0x90EE90}, {u"lightgrey", 0xD3D3D3},
    {u"lightpink", 0xFFB6C1}, {u"lightsalmon", 0xFFA07A}, {u"lightseagreen", 0x20B2AA},
    {u"lightskyblue", 0x87CEFA}, {u"lightslategray", 0x778899}, {u"lightsteelblue", 0xB0C4DE},
    {u"lightyellow", 0xFFFFE0}, {u"lime", 0x00FF00}, {u"limegreen", 0x32CD32},
    {u"linen", 0xFAF0E6}, {u"mediumaquamarine", 0x66CDAA}, {u"mediumblue", 0x0000CD},
    {u"mediumorchid", 0xBA55D3}, {u"mediumpurple", 0x9370DB}, {u"mediumseagreen", 0x3CB371},
    {u"mediumslateblue", 0x7B68EE}, {u"mediumspringgreen", 0x00FA9A},
    {u"mediumturquoise", 0x48D1CC}, {u"mediumvioletred", 0xC71585}, {u"midnightblue", 0x191970},
    {u"mintcream", 0xF5FFFA}, {u"mistyrose", 0xFFE4E1}, {u"moccasin", 0xFFE4B5},
    {u"navajowhite", 0xFFDEAD}, {u"oldlace", 0xFDF5E6}, {u"olivedrab", 0x6B8E23},
    {u"orangered", 0xFF4500}, {u"orchid", 0xDA70D6}, {u"palegoldenrod", 0xEEE8AA},
    {u"palegreen", 0x98FB98}, {u"paleturquoise", 0xAFEEEE}, {u"palevioletred", 0xDB7093},
    {u"papayawhip", 0xFFEFD5}, {u"peachpuff", 0xFFDAB9}, {u"peru", 0xCD853F}, {u"plum", 0xDDA0DD},
    {u"powderblue", 0xB0E0E6}, {u"rosybrown", 0xBC8F8F}, {u"royalblue", 0x4169E1},
    {u"saddlebrown", 0x8B4513}, {u"salmon", 0xFA8072}, {u"sandybrown", 0xF4A460},
    {u"seagreen", 0x2E8B57}, {u"seashell", 0xFFF5EE}, {u"sienna", 0xA0522D}, {u"skyblue", 0x87CEEB},
    {u"slateblue", 0x6A5ACD}, {u"slategray", 0x708090}, {u"springgreen", 0x00FF7F},
    {u"steelblue", 0x4682B4}, {u"tan", 0xD2B48C}, {u"teal", 0x008080}, {u"thistle", 0xD8BFD8},
    {u"tomato", 0xFF6347}, {u"turquoise", 0x40E0D0}, {u"wheat", 0xF5DEB3},
    {u"whitesmoke", 0xF5F5F5}, {u"yellowgreen", 0x9ACD32},
};

// GetSysColor indexes, as the system numbers them.
const struct {
  const char16_t* name;
  int index;
} kSystemColors[] = {
    {u"activeborder", 10},       {u"activecaption", 2},     {u"appworkspace", 12},
    {u"background", 1},          {u"buttonface", 15},       {u"buttonhighlight", 20},
    {u"buttonshadow", 16},       {u"buttontext", 18},       {u"captiontext", 9},
    {u"graytext", 17},           {u"highlight", 13},        {u"highlighttext", 14},
    {u"inactiveborder", 11},     {u"inactivecaption", 3},   {u"inactivecaptiontext", 19},
    {u"infobackground", 24},     {u"infotext", 23},         {u"menu", 4},
    {u"menutext", 7},            {u"scrollbar", 0},         {u"threeddarkshadow", 21},
    {u"threedface", 15},         {u"threedhighlight", 20},  {u"threedlightshadow", 22},
    {u"threedshadow", 16},       {u"window", 5},            {u"windowframe", 6},
    {u"windowtext", 8},
};

const char16_t* const kDefaultRules[] = {
    u"body {font-size: 10pt; color:black; font-family:Verdana}",
    u"p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
    u"h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}",
    u"h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
    u"h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}",
    u"h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
    u"h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
    u"h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}",
    u"pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}",
    u"code {color:#990000; font-family:Arial}",
    u"a:link {text-decoration:none; color:blue}",
    u"a:hover {text-decoration:underline; color:blue}",
    u"sub {font-size:65%; vertical-align:bottom}",
    u"sup {font-size:65%; vertical-align:top}",
    u"big {font-size:125%}",
    u"small {font-size:75%}",
    u".cpp-comment {color:green; font-style:italic}",
};

void ReplaceAll(HtmlText& text, const HtmlText& from, const HtmlText& to) {
  if (from.empty()) return;
  size_t at = 0;
  while ((at = text.find(from, at)) != HtmlText::npos) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
}

}  // namespace

HtmlMarkupRules::HtmlMarkupRules(HtmlSystemColorSource systemColors) {
  InitTags();
  InitEntities();
  InitColors(systemColors);
  SetDefaultStyles();
}

// ---- tags ----

void HtmlMarkupRules::InitTags() {
  const struct {
    const char16_t* name;
    HtmlTagCode code;
    const char16_t* value;
  } tags[] = {
      {u"b", kTagBold, u"bold"},         {u"i", kTagItalic, u"italic"},
      {u"em", kTagItalic, u"italic"},    {u"u", kTagUnderline, u"underline"},
      {u"s", kTagStrikeOut, u"strikeout"}, {u"strike", kTagStrikeOut, u"strikeout"},
      {u"font", kTagFont, u"font"},      {u"hr", kTagRule, u""},
      {u"br", kTagBreak, u""},           {u"\n", kTagBreak, u""},
      {u"t", kTagTab, u""},              {u"\t", kTagTab, u""},
      {u"left", kTagLeft, u"left"},      {u"center", kTagCenter, u"center"},
      {u"right", kTagRight, u"right"},   {u"justify", kTagJustify, u"justify"},
      {u"baseline", kTagBaseline, u"baseline"}, {u"top", kTagTop, u"top"},
      {u"vcenter", kTagMiddle, u"vcenter"}, {u"middle", kTagMiddle, u"vcenter"},
      {u"bottom", kTagBottom, u"vcenter"}, {u"bmp", kTagBitmap, u""},
      {u"icon", kTagIcon, u""},          {u"ilst", kTagImageList, u""},
      {u"string", kTagString, u""},      {u"span", kTagSpan, u"span"},
      {u"a", kTagLink, u"link"},
  };
  for (const auto& tag : tags) AddTag(tag.name, tag.code, tag.value);
  for (const char16_t* name : {u"body", u"h1", u"h2", u"h3", u"h4", u"h5", u"h6", u"code", u"pre", u"big",
                               u"small", u"sub", u"sup"})
    AddTag(name, kTagNamedStyle, name);
}

void HtmlMarkupRules::AddTag(const HtmlText& name, HtmlTagCode code, const HtmlText& valueText) {
  m_tags[name] = {code, valueText};
}

HtmlTagCode HtmlMarkupRules::LookupTag(const HtmlText& name, HtmlText& valueText, bool& closing) const {
  closing = !name.empty() && name[0] == u'/';
  auto found = m_tags.find(closing ? name.substr(1) : name);
  if (found == m_tags.end()) return kTagNone;
  valueText = found->second.second;
  return found->second.first;
}

// ---- entities and colours ----

void HtmlMarkupRules::InitEntities() {
  AddEntity(u"&amp;", u"&");
  AddEntity(u"&bull;", u"\u2022");
  AddEntity(u"&copy;", u"\u00A9");
  AddEntity(u"&euro;", u"\u20AC");
  AddEntity(u"&gt;", u">");
  AddEntity(u"&iquest;", u"\u00BF");
  AddEntity(u"&lt;", u"<<");
  AddEntity(u"&nbsp;", u" ");
  AddEntity(u"&para;", u"\u00B6");
  AddEntity(u"&pound;", u"\u00A3");
  AddEntity(u"&quot;", u"\"");
  AddEntity(u"&reg;", u"\u00AE");
  AddEntity(u"&trade;", u"\u2122");
}

void HtmlMarkupRules::AddEntity(const HtmlText& entity, const HtmlText& replacement) {
  m_entities[entity] = replacement;
}

void HtmlMarkupRules::InitColors(HtmlSystemColorSource systemColors) {
  for (const auto& color : kWebColors)
    AddColor(color.name, HtmlRgb((color.rgb >> 16) & 0xFF, (color.rgb >> 8) & 0xFF, color.rgb & 0xFF));
  for (const auto& color : kSystemColors)
    AddColor(color.name, systemColors != nullptr ? systemColors(color.index) : 0);
}

void HtmlMarkupRules::AddColor(const HtmlText& name, HtmlColorRef color) { m_colors[name] = color; }

HtmlText HtmlMarkupRules::PrepareText(const HtmlText& text, bool newlineAsBreak) const {
  HtmlText prepared = text;
  // The map's order is the replacement order: "&amp;lt;" becomes "&lt;" and then "<<".
  for (const auto& entity : m_entities) ReplaceAll(prepared, entity.first, entity.second);
  ReplaceAll(prepared, u"\r", u"");
  ReplaceAll(prepared, u"\n", newlineAsBreak ? u"<br>" : u"");
  ReplaceAll(prepared, u"\t", newlineAsBreak ? u"<t>" : u"");
  return prepared;
}

// ---- style sheet ----

HtmlText HtmlMarkupRules::DefaultStyleSheet() {
  HtmlText sheet;
  for (const char16_t* rule : kDefaultRules) {
    sheet += rule;
    sheet += u"\r\n";
  }
  return sheet;
}

void HtmlMarkupRules::SetDefaultStyles() {
  HtmlText sheet = DefaultStyleSheet();
  SetCssStyles(sheet.c_str());
}

void HtmlMarkupRules::SetCssStyles(const char16_t* sheet) {
  m_styles.clear();
  if (sheet == nullptr) {
    SetDefaultStyles();
    return;
  }
  m_styleSheet = sheet;
  const HtmlText& text = m_styleSheet;
  size_t pos = 0;
  while (pos < text.size()) {
    if (!SkipToWord(text, pos)) break;
    size_t start = pos;
    if (FindAnyOf(text, pos, u" {") == 0) break;
    HtmlText selector = text.substr(start, pos - start);
    size_t open = text.find(u'{', pos);
    if (open == HtmlText::npos) break;
    size_t close = text.find(u'}', open + 1);
    if (close == HtmlText::npos) break;
    HtmlText body = text.substr(open + 1, close - open - 1);
    pos = close + 1;
    if (selector.empty() || body.empty()) continue;
    SetStyle(selector, body);
  }
}

void HtmlMarkupRules::SetStyle(const HtmlText& selector, const HtmlText& body) { m_styles[Lower(selector)] = body; }

const HtmlText* HtmlMarkupRules::GetStyleText(const HtmlText& name) const {
  auto found = m_styles.find(Lower(name));
  return found == m_styles.end() ? nullptr : &found->second;
}

void HtmlMarkupRules::ApplyNamedStyle(const HtmlText& name, HtmlStyleState& state) const {
  const HtmlText* body = GetStyleText(name);
  if (body != nullptr) ApplyStyleText(*body, state);
}

namespace {

// After the property name: spaces, a required ":", spaces and ";", then a
// quoted value or one up to the next ";" (trailing spaces kept).
HtmlText ReadPropertyValue(const HtmlText& text, size_t& pos) {
  while (pos < text.size() && text[pos] == u' ') ++pos;
  if (pos >= text.size() || text[pos] != u':') return HtmlText();
  ++pos;
  while (pos < text.size() && (text[pos] == u' ' || text[pos] == u';')) ++pos;
  if (pos < text.size() && text[pos] == u'"') {
    size_t close = text.find(u'"', pos + 1);
    if (close == HtmlText::npos) {
      pos = text.size();
      return HtmlText();
    }
    HtmlText value = text.substr(pos + 1, close - pos - 1);
    pos = close + 1;
    return value;
  }
  size_t end = text.find(u';', pos);
  if (end == HtmlText::npos) end = text.size();
  HtmlText value = text.substr(pos, end - pos);
  pos = end;
  return value;
}

}  // namespace

void HtmlMarkupRules::ApplyStyleText(const HtmlText& body, HtmlStyleState& state) const {
  HtmlText text = Lower(body);
  size_t pos = 0;
  while (SkipToWord(text, pos)) {
    size_t start = pos;
    if (FindAnyOf(text, pos, u" :") == 0) break;
    HtmlText property = text.substr(start, pos - start);
    HtmlText value = ReadPropertyValue(text, pos);
    if (property == u"font-size") {
      state.fontSize = ParseSize(value, state.fontSize, 1);
    } else if (property == u"font-family") {
      if (!value.empty()) state.faceName = value;
    } else if (property == u"font-style") {
      state.italic = ParseFontStyle(value, state.italic);
    } else if (property == u"font-weight") {
      state.fontWeight = ParseFontWeight(value);
    } else if (property == u"text-align") {
      state.textAlignment = ParseTextAlign(value, state.textAlignment);
    } else if (property == u"text-transform") {
      state.textTransform = ParseTextTransform(value, state.textTransform);
    } else if (property == u"color") {
      state.textColor = colorsEnabled ? ParseColor(value, state.textColor) : disabledColor;
    } else if (property == u"background-color") {
      if (value == u"transparent" || !colorsEnabled) {
        state.backgroundMode = 1;
      } else {
        state.backgroundMode = 2;
        state.backgroundColor = ParseColor(value, state.backgroundColor);
      }
    } else if (property == u"text-decoration") {
      ParseTextDecoration(value, state);
    } else if (property == u"vertical-align") {
      state.verticalAlignment = ParseVerticalAlign(value, state.verticalAlignment);
    } else if (property == u"border-color") {
      HtmlColorRef color = colorsEnabled ? ParseColor(value, state.borderLightColor) : disabledColor;
      state.borderLightColor = color;
      state.borderDarkColor = color;
    } else if (property == u"border-width" || property == u"size") {
      state.borderWidth = ParseBorderWidth(value, state.borderWidth);
      if (state.borderWidth == 0)
        state.borderStyle = 0;
      else if (state.borderStyle == 0)
        state.borderStyle = 1;
    } else if (property == u"border-style") {
      state.borderStyle = ParseBorderStyle(value, state.borderStyle);
      if (state.borderStyle != 0 && state.borderWidth == 0) state.borderWidth = 1;
    } else if (property == u"margin") {
      state.cellPadding = ParseSize(value, state.cellPadding, 0);
    } else if (property == u"padding") {
      state.cellSpacing = ParseSize(value, state.cellSpacing, 0);
    }
  }
}

void HtmlMarkupRules::ResetState(HtmlStyleState& state) {
  HtmlStyleState fresh;
  fresh.width = state.width;
  fresh.height = state.height;
  state = fresh;
}

// ---- value parsers ----

int HtmlMarkupRules::MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long product = static_cast<long long>(a) * b;
  bool negative = (product < 0) != (c < 0);
  long long magnitude = product < 0 ? -product : product;
  long long divisor = c < 0 ? -static_cast<long long>(c) : c;
  long long result = (magnitude + divisor / 2) / divisor;
  if (negative) result = -result;
  if (result > INT_MAX || result < INT_MIN) return -1;
  return static_cast<int>(result);
}

unsigned long HtmlMarkupRules::ParseUnsigned(const HtmlText& text) {
  size_t pos = 0;
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) negative = text[pos++] == u'-';
  int base = 10;
  if (pos < text.size() && text[pos] == u'0') {
    if (pos + 2 < text.size() + 0 && (text[pos + 1] == u'x' || text[pos + 1] == u'X') &&
        HexDigit(text[pos + 2]) >= 0) {
      base = 16;
      pos += 2;
    } else {
      base = 8;
    }
  }
  unsigned long long value = 0;
  bool overflow = false;
  for (; pos < text.size(); ++pos) {
    int digit = HexDigit(text[pos]);
    if (digit < 0 || digit >= base) break;
    value = value * base + digit;
    if (value > 0xFFFFFFFFull) overflow = true;
  }
  // The 32-bit unsigned long of the system the program runs on.
  if (overflow) return 0xFFFFFFFFul;
  uint32_t result = static_cast<uint32_t>(value);
  return negative ? static_cast<uint32_t>(0u - result) : result;
}

int HtmlMarkupRules::ParseSize(const HtmlText& input, int current, int fontSizeFlag) const {
  if (input.empty()) return current;
  if (IsPercent(input)) return MulDiv(current, LeadingSignedDecimal(input), 100);
  HtmlText value = input;
  if (value[0] == u'+' || value[0] == u'-') value.erase(0, 1);
  int n = LeadingDecimal(value);
  HtmlText unit = value.size() >= 2 ? value.substr(value.size() - 2) : HtmlText();
  if (unit == u"px") return n;
  if (unit == u"ex") return ClampToInt(static_cast<long long>(n) * units.exHeight);
  if (unit == u"em") return ClampToInt(static_cast<long long>(n) * units.emHeight);
  long long d = static_cast<long long>(n) * units.logPixelsY;
  if (unit == u"in") return ClampToInt(d);
  if (unit == u"cm") return ClampToInt(static_cast<long long>(static_cast<double>(d) * 0.39370078740157477));
  if (unit == u"mm") return ClampToInt(static_cast<long long>(static_cast<double>(d) * 0.03937007874015748));
  if (unit == u"pt") return ClampToInt(d / 72);
  if (unit == u"pc") return ClampToInt(d / 6);
  int number = static_cast<int>(ParseUnsigned(value));
  if (fontSizeFlag && number >= 1 && number <= 7) {
    static const int kFontSizes[] = {8, 10, 12, 14, 18, 24, 36};
    number = kFontSizes[number - 1];
  }
  return number;
}

HtmlColorRef HtmlMarkupRules::ParseColor(const HtmlText& value, HtmlColorRef current) const {
  if (value.empty()) return current;
  if (value[0] == u'#') {
    if (value.size() != 7) return current;
    return HtmlRgb(HexPair(value, 1), HexPair(value, 3), HexPair(value, 5));
  }
  if (IsDigit(value[0])) return static_cast<HtmlColorRef>(ParseUnsigned(value));
  return LookupColorName(value, current);
}

HtmlColorRef HtmlMarkupRules::LookupColorName(const HtmlText& name, HtmlColorRef current) const {
  if (!colorsEnabled) return disabledColor;
  auto found = m_colors.find(name);
  return found == m_colors.end() ? current : found->second;
}

int HtmlMarkupRules::ParseFontWeight(const HtmlText& value) {
  if (value.empty() || value == u"normal") return 400;
  if (value == u"bold") return 700;
  if (value == u"bolder") return 900;
  if (value == u"lighter") return 100;
  return LeadingDecimal(value);
}

int HtmlMarkupRules::ParseFontStyle(const HtmlText& value, int current) {
  if (value.empty() || value == u"normal") return 0;
  if (value == u"italic" || value == u"oblique") return 1;
  return current;
}

int HtmlMarkupRules::ParseTextAlign(const HtmlText& value, int current) {
  if (value.empty() || value == u"left") return 0;
  if (value == u"center") return 1;
  if (value == u"right") return 2;
  return current;
}

int HtmlMarkupRules::ParseVerticalAlign(const HtmlText& value, int current) {
  if (value.empty() || value == u"baseline") return 3;
  if (value == u"middle" || value == u"vcenter") return 1;
  if (value == u"top") return 0;
  if (value == u"bottom") return 2;
  return current;
}

int HtmlMarkupRules::ParseTextTransform(const HtmlText& value, int current) {
  if (value.empty() || value == u"none") return 0;
  if (value == u"uppercase") return 1;
  if (value == u"lowercase") return 2;
  if (value == u"capitalize") return 3;
  return current;
}

int HtmlMarkupRules::ParseBorderStyle(const HtmlText& value, int current) {
  if (value.empty() || value == u"none") return 0;
  if (value == u"solid") return 1;
  if (value == u"dotted") return 3;
  if (value == u"dashed") return 2;
  if (value == u"double") return 6;
  return current;
}

int HtmlMarkupRules::ParseBorderWidth(const HtmlText& value, int current) const {
  if (value == u"thin") return MulDiv(75, current, 100);
  if (value == u"thick") return MulDiv(125, current, 100);
  if (value == u"medium") return current;
  return ParseSize(value, current, 0);
}

int HtmlMarkupRules::ParseEffect(const HtmlText& value, int current) const {
  if (value.empty()) return current;
  static const char16_t* const kNames[] = {u"solid",      u"hgradient",  u"vgradient", u"hcgradient",
                                           u"vcgradient", u"3hgradient", u"3vgradient", u"noise",
                                           u"diagshade",  u"hshade",     u"vshade",    u"hbump",
                                           u"vbump",      u"softbump",   u"hardbump",  u"metal"};
  if (value == u"transparent") return -1;
  for (int code = 0; code < 16; ++code)
    if (value == kNames[code]) return code;
  return ParseSize(value, current, 0);
}

void HtmlMarkupRules::ParseTextDecoration(const HtmlText& value, HtmlStyleState& state) {
  HtmlText text = value.empty() ? HtmlText(u"none") : value;
  size_t pos = 0;
  while (SkipToWord(text, pos)) {
    size_t start = pos;
    FindAnyOf(text, pos, u" ,");
    HtmlText word = text.substr(start, pos - start);
    if (word == u"none") {
      state.underline = state.strikeOut = state.overline = 0;
    } else if (word == u"underline") {
      state.underline = 1;
    } else if (word == u"line-through") {
      state.strikeOut = 1;
    } else if (word == u"overline") {
      state.overline = 1;
    }
  }
}

bool HtmlMarkupRules::IsPercent(const HtmlText& value) { return !value.empty() && value.back() == u'%'; }

HtmlText HtmlMarkupRules::ValueOrDefault(const HtmlText& value, const HtmlText& fallback) {
  return value.empty() ? fallback : value;
}

std::pair<int, int> HtmlMarkupRules::ParseTableAttributes(const HtmlText& attributes, HtmlStyleState& state,
                                                          bool tableFlag) const {
  int columnSpan = 1;
  int rowSpan = 1;
  if (attributes.empty()) return {columnSpan, rowSpan};
  size_t pos = 0;
  while (pos < attributes.size()) {
    HtmlText name;
    HtmlText value = NextAttribute(attributes, pos, name);
    if (name.empty()) continue;
    if (tableFlag && name == u"cellpadding") {
      state.cellPadding = ParseSize(value, state.cellPadding, 0);
    } else if (tableFlag && name == u"cellspacing") {
      state.cellSpacing = ParseSize(value, state.cellSpacing, 0);
    } else if (tableFlag && name == u"background") {
      state.backgroundImage = value;
    } else if (name == u"rowspan") {
      rowSpan = ParseSize(value, rowSpan, 0);
    } else if (name == u"colspan") {
      columnSpan = ParseSize(value, columnSpan, 0);
    } else if (name == u"border") {
      state.borderWidth = ParseSize(value, state.borderWidth, 0);
      if (state.borderWidth == 0)
        state.borderStyle = 0;
      else if (state.borderStyle == 0)
        state.borderStyle = 1;
    } else if (name == u"borderstyle") {
      state.borderStyle = ParseBorderStyle(value, state.borderStyle);
      if (state.borderStyle != 0 && state.borderWidth == 0) state.borderWidth = 1;
    } else if (name == u"bordercolor") {
      HtmlColorRef color = colorsEnabled ? ParseColor(value, state.borderLightColor) : disabledColor;
      state.borderLightColor = color;
      state.borderDarkColor = color;
    } else if (name == u"bordercolorlight") {
      state.borderLightColor = colorsEnabled ? ParseColor(value, state.borderLightColor) : disabledColor;
    } else if (name == u"bordercolordark") {
      state.borderDarkColor = colorsEnabled ? ParseColor(value, state.borderDarkColor) : disabledColor;
    } else if (name == u"bgcolor") {
      if (colorsEnabled) {
        state.backgroundColor = ParseColor(value, state.backgroundColor);
        if (state.backgroundEffect < 0) state.backgroundEffect = 0;
      }
    } else if (name == u"bgmidcolor") {
      if (colorsEnabled) state.backgroundMiddleColor = ParseColor(value, state.backgroundMiddleColor);
    } else if (name == u"bgendcolor") {
      if (colorsEnabled) state.backgroundEndColor = ParseColor(value, state.backgroundEndColor);
    } else if (name == u"bgeffect") {
      if (colorsEnabled) state.backgroundEffect = ParseEffect(value, state.backgroundEffect);
    } else if (name == u"align") {
      state.textAlignment = ParseTextAlign(value, state.textAlignment);
    } else if (name == u"valign") {
      state.verticalAlignment = ParseVerticalAlign(value, state.verticalAlignment);
    } else if (name == u"width") {
      state.width = ParseSize(value, state.width, 0);
    } else if (name == u"height") {
      state.height = ParseSize(value, state.height, 0);
    }
  }
  // A grid is allocated from the spans: huge ones would exhaust memory, and
  // a span of 0 would count no column yet take one.
  columnSpan = std::max(1, std::min(columnSpan, kMaxTableSpan));
  rowSpan = std::max(1, std::min(rowSpan, kMaxTableSpan));
  if (state.borderStyle == 0 || state.borderWidth == 0) {
    state.borderStyle = 0;
    state.borderWidth = 0;
  } else if (state.borderStyle != 1) {
    state.borderWidth = 1;
  }
  if (!tableFlag && state.borderWidth != 0) state.borderWidth = 1;
  return {columnSpan, rowSpan};
}

// ---- scanners ----

HtmlText HtmlMarkupRules::NextRun(const HtmlText& text, size_t& pos, HtmlText& tag) {
  HtmlText run;
  tag.clear();
  while (pos < text.size()) {
    char16_t c = text[pos];
    if (c != u'<') {
      run += c;
      ++pos;
      continue;
    }
    if (pos + 1 < text.size() && text[pos + 1] == u'<') {
      run += u'<';
      pos += 2;
      return run;
    }
    size_t close = text.find(u'>', pos + 1);
    if (close == HtmlText::npos || close == pos + 1) {
      ++pos;  // the "<" is dropped, what follows is text
      continue;
    }
    tag = text.substr(pos + 1, close - pos - 1);
    pos = close + 1;
    return run;
  }
  return run;
}

HtmlText HtmlMarkupRules::SplitTagName(HtmlText& tagText) {
  size_t split = tagText.find_first_of(u" =");
  if (split == HtmlText::npos) return HtmlText();
  HtmlText attributes = tagText.substr(split);
  tagText.erase(split);
  size_t first = attributes.find_first_not_of(u' ');
  return first == HtmlText::npos ? HtmlText() : attributes.substr(first);
}

HtmlText HtmlMarkupRules::NextAttribute(const HtmlText& attributes, size_t& pos, HtmlText& name) {
  name.clear();
  if (!SkipToWord(attributes, pos)) return HtmlText();
  size_t start = pos;
  FindAnyOf(attributes, pos, u" =");
  name = attributes.substr(start, pos - start);
  while (pos < attributes.size() && attributes[pos] == u' ') ++pos;
  if (pos >= attributes.size() || attributes[pos] != u'=') return HtmlText();
  SkipAnyOf(attributes, pos, u" =");
  if (pos >= attributes.size()) return HtmlText();
  char16_t quote = attributes[pos];
  if (quote == u'"' || quote == u'\'') {
    size_t close = attributes.find(quote, pos + 1);
    if (close == HtmlText::npos) close = attributes.size();
    HtmlText value = attributes.substr(pos + 1, close - pos - 1);
    pos = close < attributes.size() ? close + 1 : close;
    return value;
  }
  size_t end = attributes.find(u' ', pos);
  if (end == HtmlText::npos) end = attributes.size();
  HtmlText value = attributes.substr(pos, end - pos);
  pos = end;
  return value;
}

bool HtmlMarkupRules::FindTag(const HtmlText& text, size_t& pos, const HtmlText& name) {
  HtmlText needle = u"<" + name;
  size_t at = pos;
  while ((at = text.find(needle, at)) != HtmlText::npos) {
    if (at == 0 || text[at - 1] != u'<') {
      pos = at;
      return true;
    }
    at += 1;
  }
  pos = text.size();
  return false;
}

bool HtmlMarkupRules::SkipToWord(const HtmlText& text, size_t& pos) {
  while (pos < text.size() && !IsWordChar(text[pos])) ++pos;
  return pos < text.size();
}

char16_t HtmlMarkupRules::FindAnyOf(const HtmlText& text, size_t& pos, const char16_t* set) {
  while (pos < text.size() && !Contains(set, text[pos])) ++pos;
  return pos < text.size() ? text[pos] : 0;
}

char16_t HtmlMarkupRules::SkipAnyOf(const HtmlText& text, size_t& pos, const char16_t* set) {
  while (pos < text.size() && Contains(set, text[pos])) ++pos;
  return pos < text.size() ? text[pos] : 0;
}

bool HtmlMarkupRules::ExpectChar(const HtmlText& text, size_t& pos, char16_t c) {
  while (pos < text.size() && text[pos] == u' ') ++pos;
  if (pos < text.size() && text[pos] == c) {
    ++pos;
    return true;
  }
  return false;
}

int HtmlMarkupRules::CountChar(const HtmlText& text, char16_t c) {
  int count = 0;
  for (char16_t ch : text)
    if (ch == c) ++count;
  return count;
}

HtmlText HtmlMarkupRules::Lower(HtmlText text) {
  for (char16_t& c : text)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return text;
}

HtmlText HtmlMarkupRules::Upper(HtmlText text) {
  for (char16_t& c : text)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return text;
}

HtmlText HtmlMarkupRules::TransformText(const HtmlText& text, int transform) {
  switch (transform) {
    case 1: return Upper(text);
    case 2: return Lower(text);
    case 3: {
      HtmlText result = Lower(text);
      for (size_t i = 0; i < result.size(); ++i)
        if ((i == 0 || result[i - 1] == u' ') && result[i] >= u'a' && result[i] <= u'z')
          result[i] = static_cast<char16_t>(result[i] - u'a' + u'A');
      return result;
    }
    default: return text;
  }
}

// ---- table ends ----

namespace {

// The closing tag that matches the element opened at pos: nested elements
// of the same tag are counted when open is given, and whole nested tables
// are stepped over when skipTables is set.
size_t FindClosingTag(const HtmlText& text, size_t pos, const char16_t* open, const char16_t* close,
                      bool skipTables) {
  int depth = 1;
  size_t from = pos + 1;
  while (true) {
    size_t table = from;
    size_t opened = from;
    size_t closed = from;
    const bool hasTable = skipTables && HtmlMarkupRules::FindTag(text, table, u"table");
    const bool hasOpen = open != nullptr && HtmlMarkupRules::FindTag(text, opened, open);
    if (!HtmlMarkupRules::FindTag(text, closed, close)) return text.size();
    if (hasTable && table < closed && (!hasOpen || table < opened)) {
      from = HtmlMarkupRules::FindTableEnd(text, table);
      if (from >= text.size()) return text.size();
      from += 1;
      continue;
    }
    if (hasOpen && opened < closed) {
      ++depth;
      from = opened + 1;
    } else {
      if (--depth == 0) return closed;
      from = closed + 1;
    }
  }
}

}  // namespace

size_t HtmlMarkupRules::FindTableEnd(const HtmlText& text, size_t pos) {
  return FindClosingTag(text, pos, u"table", u"/table", false);
}

size_t HtmlMarkupRules::FindRowEnd(const HtmlText& text, size_t pos) {
  return FindClosingTag(text, pos, u"tr", u"/tr", true);
}

size_t HtmlMarkupRules::FindCellEnd(const HtmlText& text, size_t pos) {
  return FindClosingTag(text, pos, nullptr, u"/td", true);
}
