// The drawer's portable rules: its four maps (tags, entities, colour names,
// styles), the text scanners of the markup, the value parsers and the style
// sheet. The drawer owns one and keeps its units in step with its font.
#pragma once

#include <map>
#include <utility>

#include "html_draw_types.h"

// What sizes in ex, em and physical units need of the device context.
struct HtmlUnits {
  int logPixelsY = 96;
  int exHeight = 0;   // height of the extent of "x" in the current font
  int emHeight = 0;   // the current font's tmHeight
};

// The largest column or row span a table cell keeps.
const int kMaxTableSpan = 1000;

// A system colour by its GetSysColor index.
using HtmlSystemColorSource = HtmlColorRef (*)(int index);

class HtmlMarkupRules {
 public:
  // Fills the tag, entity and colour maps (system colours read once through
  // the source) and the default style sheet.
  explicit HtmlMarkupRules(HtmlSystemColorSource systemColors);

  // Tags.
  void InitTags();
  void AddTag(const HtmlText& name, HtmlTagCode code, const HtmlText& valueText);
  // name may start with "/" (closing); 0 when unknown.
  HtmlTagCode LookupTag(const HtmlText& name, HtmlText& valueText, bool& closing) const;

  // Entities and colours.
  void InitEntities();
  void AddEntity(const HtmlText& entity, const HtmlText& replacement);
  void InitColors(HtmlSystemColorSource systemColors);
  void AddColor(const HtmlText& name, HtmlColorRef color);
  size_t ColorCount() const { return m_colors.size(); }
  // Entities replaced in ascending order, carriage returns removed, line
  // feeds and tabs made tags (or removed).
  HtmlText PrepareText(const HtmlText& text, bool newlineAsBreak) const;

  // Style sheet.
  static HtmlText DefaultStyleSheet();
  void SetDefaultStyles();
  void SetCssStyles(const char16_t* sheet);
  void SetStyle(const HtmlText& selector, const HtmlText& body);
  const HtmlText* GetStyleText(const HtmlText& name) const;
  size_t StyleCount() const { return m_styles.size(); }
  void ApplyNamedStyle(const HtmlText& name, HtmlStyleState& state) const;
  void ApplyStyleText(const HtmlText& body, HtmlStyleState& state) const;
  static void ResetState(HtmlStyleState& state);

  // Value parsers.
  int ParseSize(const HtmlText& value, int current, int fontSizeFlag) const;
  HtmlColorRef ParseColor(const HtmlText& value, HtmlColorRef current) const;
  HtmlColorRef LookupColorName(const HtmlText& name, HtmlColorRef current) const;
  static int ParseFontWeight(const HtmlText& value);
  static int ParseFontStyle(const HtmlText& value, int current);
  static int ParseTextAlign(const HtmlText& value, int current);
  static int ParseVerticalAlign(const HtmlText& value, int current);
  static int ParseTextTransform(const HtmlText& value, int current);
  static int ParseBorderStyle(const HtmlText& value, int current);
  int ParseBorderWidth(const HtmlText& value, int current) const;
  int ParseEffect(const HtmlText& value, int current) const;
  static void ParseTextDecoration(const HtmlText& value, HtmlStyleState& state);
  static bool IsPercent(const HtmlText& value);
  static HtmlText ValueOrDefault(const HtmlText& value, const HtmlText& fallback);

  // Table, row and cell attributes; returns {column span, row span}.
  std::pair<int, int> ParseTableAttributes(const HtmlText& attributes, HtmlStyleState& state,
                                           bool tableFlag) const;

  // Text scanners over a text and a position the scanner moves.
  static HtmlText NextRun(const HtmlText& text, size_t& pos, HtmlText& tag);
  static HtmlText SplitTagName(HtmlText& tagText);
  static HtmlText NextAttribute(const HtmlText& attributes, size_t& pos, HtmlText& name);
  static bool FindTag(const HtmlText& text, size_t& pos, const HtmlText& name);
  static bool SkipToWord(const HtmlText& text, size_t& pos);
  static char16_t FindAnyOf(const HtmlText& text, size_t& pos, const char16_t* set);
  static char16_t SkipAnyOf(const HtmlText& text, size_t& pos, const char16_t* set);
  static bool ExpectChar(const HtmlText& text, size_t& pos, char16_t c);
  static int CountChar(const HtmlText& text, char16_t c);
  static HtmlText TransformText(const HtmlText& text, int transform);
  static HtmlText Lower(HtmlText text);
  static HtmlText Upper(HtmlText text);
  // C-style base prefixes, up to the first character that does not fit.
  static unsigned long ParseUnsigned(const HtmlText& text);
  // Rounded a * b / c, -1 for c = 0.
  static int MulDiv(int a, int b, int c);

  // Tables' ends, skipping nested tables; the end of the text when missing.
  static size_t FindTableEnd(const HtmlText& text, size_t pos);
  static size_t FindRowEnd(const HtmlText& text, size_t pos);
  static size_t FindCellEnd(const HtmlText& text, size_t pos);

  HtmlUnits units;
  int colorsEnabled = 1;
  HtmlColorRef disabledColor = 0;

 private:
  std::map<HtmlText, HtmlColorRef> m_colors;
  std::map<HtmlText, HtmlText> m_styles;
  std::map<HtmlText, HtmlText> m_entities;
  std::map<HtmlText, std::pair<HtmlTagCode, HtmlText>> m_tags;
  HtmlText m_styleSheet;
};
