#include "html_markup_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

HtmlColorRef FakeSystemColor(int index) { return 0x010000u * static_cast<unsigned>(index); }

struct Rules : ::testing::Test {
  Rules() : rules(&FakeSystemColor) {
    rules.units.logPixelsY = 96;
    rules.units.exHeight = 7;
    rules.units.emHeight = 13;
  }
  HtmlMarkupRules rules;
};

std::string Narrow(const HtmlText& text) { return std::string(text.begin(), text.end()); }

TEST_F(Rules, SizesWithUnitsBasesAndFontSizes) {
  const struct {
    const char16_t* value;
    int current;
    int fontSizeFlag;
    int expected;
  } cases[] = {
      {u"", 11, 0, 11},        {u"10pt", 0, 0, 13},   {u"9pt", 0, 0, 12},    {u"12pt", 0, 0, 16},
      {u"14pt", 0, 0, 18},     {u"1in", 0, 0, 96},    {u"2cm", 0, 0, 75},    {u"10mm", 0, 0, 37},
      {u"1pc", 0, 0, 16},      {u"5px", 0, 0, 5},     {u"2ex", 0, 0, 14},    {u"2em", 0, 0, 26},
      {u"65%", 13, 1, 8},      {u"125%", 13, 1, 16},  {u"-50%", 16, 1, -8},  {u"3", 0, 1, 12},
      {u"8", 0, 1, 8},         {u"010", 0, 1, 8},     {u"-2", 0, 1, 10},     {u"+7", 0, 1, 36},
      {u"3", 0, 0, 3},         {u"0x10", 0, 0, 16},   {u"12abc", 0, 0, 12},  {u"abc", 5, 0, 0},
      {u"99999999999em", 0, 0, 2147483647}, {u"99999999999in", 0, 0, 2147483647},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, rules.ParseSize(c.value, c.current, c.fontSizeFlag)) << Narrow(c.value);
}

TEST_F(Rules, ColoursByHashNumberAndName) {
  const struct {
    const char16_t* value;
    HtmlColorRef expected;
  } cases[] = {
      {u"#ff9900", HtmlRgb(255, 153, 0)}, {u"#f90", 0x123456}, {u"", 0x123456},
      {u"255", HtmlRgb(255, 0, 0)},       {u"0xff0000", HtmlRgb(0, 0, 255)},
      {u"lightgrey", HtmlRgb(211, 211, 211)}, {u"gray", HtmlRgb(128, 128, 128)},
      {u"lightgray", 0x123456},           {u"grey", 0x123456},  {u"Red", 0x123456},
      {u"darkseagreen", HtmlRgb(143, 188, 139)}, {u"infotext", 0x170000},
      {u"red ", 0x123456},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, rules.ParseColor(c.value, 0x123456)) << Narrow(c.value);
  EXPECT_EQ(140u + 28u, rules.ColorCount());
}

TEST_F(Rules, DisabledColoursReplaceNamesAndStyleColours) {
  rules.colorsEnabled = 0;
  rules.disabledColor = 0x808080;
  EXPECT_EQ(0x808080u, rules.ParseColor(u"red", 0));
  HtmlStyleState state;
  rules.ApplyStyleText(u"color:#ff0000; background-color:#fbedbb", state);
  EXPECT_EQ(0x808080u, state.textColor);
  EXPECT_EQ(1, state.backgroundMode);
}

TEST_F(Rules, KeywordParsers) {
  EXPECT_EQ(600, HtmlMarkupRules::ParseFontWeight(u"600"));
  EXPECT_EQ(0, HtmlMarkupRules::ParseFontWeight(u"heavy"));
  EXPECT_EQ(900, HtmlMarkupRules::ParseFontWeight(u"bolder"));
  EXPECT_EQ(400, HtmlMarkupRules::ParseFontWeight(u""));
  EXPECT_EQ(1, HtmlMarkupRules::ParseFontStyle(u"oblique", 0));
  EXPECT_EQ(1, HtmlMarkupRules::ParseFontStyle(u"slanted", 1));
  EXPECT_EQ(2, HtmlMarkupRules::ParseTextAlign(u"right", 0));
  EXPECT_EQ(1, HtmlMarkupRules::ParseTextAlign(u"justify", 1));
  EXPECT_EQ(1, HtmlMarkupRules::ParseVerticalAlign(u"vcenter", 3));
  EXPECT_EQ(3, HtmlMarkupRules::ParseVerticalAlign(u"", 0));
  EXPECT_EQ(3, HtmlMarkupRules::ParseTextTransform(u"capitalize", 0));
  EXPECT_EQ(6, HtmlMarkupRules::ParseBorderStyle(u"double", 0));
  EXPECT_EQ(3, rules.ParseBorderWidth(u"thin", 4));
  EXPECT_EQ(5, rules.ParseBorderWidth(u"thick", 4));
  EXPECT_EQ(0, rules.ParseBorderWidth(u"thin", 0));
  EXPECT_EQ(14, rules.ParseEffect(u"hardbump", -1));
  EXPECT_EQ(-1, rules.ParseEffect(u"transparent", 3));
  EXPECT_EQ(9, rules.ParseEffect(u"9", 0));
}

TEST_F(Rules, DecorationsAndStyleBodies) {
  HtmlStyleState state;
  HtmlMarkupRules::ParseTextDecoration(u"underline overline", state);
  EXPECT_EQ(1, state.underline);
  EXPECT_EQ(1, state.overline);
  state.strikeOut = 1;
  HtmlMarkupRules::ParseTextDecoration(u"", state);
  EXPECT_EQ(0, state.underline + state.overline + state.strikeOut);

  HtmlStyleState thin;
  rules.ApplyStyleText(u"border-width: thin", thin);
  EXPECT_EQ(0, thin.borderWidth);
  EXPECT_EQ(0, thin.borderStyle);
  rules.ApplyStyleText(u"border-style: dashed", thin);
  EXPECT_EQ(1, thin.borderWidth);

  HtmlStyleState body;
  rules.ApplyStyleText(u"COLOR: Navy; Background-Color: transparent; font-family: \"Courier New\"", body);
  EXPECT_EQ(HtmlRgb(0, 0, 128), body.textColor);
  EXPECT_EQ(1, body.backgroundMode);
  EXPECT_EQ(u"courier new", body.faceName);
  HtmlStyleState spaced;
  rules.ApplyStyleText(u"color:red ; background-color:#fbedbb", spaced);
  EXPECT_EQ(0u, spaced.textColor);  // "red " is not a name
  EXPECT_EQ(2, spaced.backgroundMode);
  EXPECT_EQ(HtmlRgb(0xfb, 0xed, 0xbb), spaced.backgroundColor);
}

TEST_F(Rules, DefaultSheetAndItsQuirks) {
  EXPECT_EQ(17u, rules.StyleCount());
  HtmlStyleState state;
  HtmlMarkupRules::ResetState(state);
  rules.ApplyNamedStyle(u"H3", state);
  EXPECT_EQ(u"arial", state.faceName);
  EXPECT_EQ(700, state.fontWeight);
  EXPECT_EQ(HtmlRgb(255, 153, 0), state.textColor);
  EXPECT_EQ(16, state.fontSize);  // 12 pt at 96 pixels per inch

  HtmlStyleState sub;
  sub.fontSize = 20;
  rules.ApplyNamedStyle(u"sub", sub);
  EXPECT_EQ(13, sub.fontSize);
  EXPECT_EQ(2, sub.verticalAlignment);

  rules.SetCssStyles(u"h1, h2 {color: red}\n.cpp-keyword{color:blue} a:visited {} x {");
  EXPECT_NE(nullptr, rules.GetStyleText(u"h1,"));
  EXPECT_EQ(nullptr, rules.GetStyleText(u"h1"));
  EXPECT_NE(nullptr, rules.GetStyleText(u".cpp-keyword"));
  EXPECT_EQ(nullptr, rules.GetStyleText(u"a:visited"));
  rules.SetCssStyles(nullptr);
  EXPECT_EQ(17u, rules.StyleCount());
}

TEST_F(Rules, EntitiesInTheirOrder) {
  const struct {
    const char16_t* text;
    const char16_t* prepared;
  } cases[] = {
      {u"&amp;lt;", u"<<"},
      {u"&amp;amp;", u"&amp;"},
      {u"&lt;b&gt;", u"<<b>"},
      {u"&#65; &hellip;", u"&#65; &hellip;"},
      {u"a&nbsp;b&copy;", u"a b\u00A9"},
      {u"x\r\ny\tz", u"x<br>y<t>z"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlText(c.prepared), rules.PrepareText(c.text, true)) << Narrow(c.text);
  EXPECT_EQ(u"xyz", rules.PrepareText(u"x\r\ny\tz", false));
}

TEST_F(Rules, RunsTagsAndAttributes) {
  HtmlText text = u"a<<b<b>c<>d<e";
  size_t pos = 0;
  HtmlText tag;
  EXPECT_EQ(u"a<", HtmlMarkupRules::NextRun(text, pos, tag));
  EXPECT_EQ(u"", tag);
  EXPECT_EQ(u"b", HtmlMarkupRules::NextRun(text, pos, tag));
  EXPECT_EQ(u"b", tag);
  EXPECT_EQ(u"c>de", HtmlMarkupRules::NextRun(text, pos, tag));
  EXPECT_EQ(u"", tag);

  HtmlText tagText = u"font  color=\"dark red\" size=3 mask";
  HtmlText attributes = HtmlMarkupRules::SplitTagName(tagText);
  EXPECT_EQ(u"font", tagText);
  size_t at = 0;
  HtmlText name;
  EXPECT_EQ(u"dark red", HtmlMarkupRules::NextAttribute(attributes, at, name));
  EXPECT_EQ(u"color", name);
  EXPECT_EQ(u"3", HtmlMarkupRules::NextAttribute(attributes, at, name));
  EXPECT_EQ(u"", HtmlMarkupRules::NextAttribute(attributes, at, name));
  EXPECT_EQ(u"mask", name);

  HtmlText br = u"br=3";
  EXPECT_EQ(u"=3", HtmlMarkupRules::SplitTagName(br));
  EXPECT_EQ(u"br", br);

  HtmlText valueText;
  bool closing = false;
  EXPECT_EQ(kTagItalic, rules.LookupTag(u"/em", valueText, closing));
  EXPECT_TRUE(closing);
  EXPECT_EQ(u"italic", valueText);
  EXPECT_EQ(kTagNone, rules.LookupTag(u"B", valueText, closing));
  EXPECT_EQ(kTagBottom, rules.LookupTag(u"bottom", valueText, closing));
  EXPECT_EQ(u"vcenter", valueText);
}

TEST_F(Rules, TableEndsSkipNestedTablesAndEscapes) {
  HtmlText text = u"<table><tr><td><table><tr><td>x</td></tr></table></td><td><<table</td></tr></table>";
  size_t row = 7;
  size_t rowEnd = HtmlMarkupRules::FindRowEnd(text, row);
  EXPECT_EQ(text.find(u"</tr></table>", 50), rowEnd);
  size_t cellEnd = HtmlMarkupRules::FindCellEnd(text, 11);
  EXPECT_EQ(text.find(u"</td><td><<"), cellEnd);
  EXPECT_EQ(text.rfind(u"</table>"), HtmlMarkupRules::FindTableEnd(text, 0));
  HtmlText unclosed = u"<table><tr>";
  EXPECT_EQ(unclosed.size(), HtmlMarkupRules::FindTableEnd(unclosed, 0));
}

TEST_F(Rules, TableAttributes) {
  HtmlStyleState state;
  auto spans = rules.ParseTableAttributes(u"border=3 colspan=2 rowspan=3 cellpadding=5", state, true);
  EXPECT_EQ(2, spans.first);
  EXPECT_EQ(3, spans.second);
  EXPECT_EQ(3, state.borderWidth);
  EXPECT_EQ(1, state.borderStyle);
  EXPECT_EQ(5, state.cellPadding);
  HtmlStyleState cell = state;
  rules.ParseTableAttributes(u"bgcolor=yellow", cell, false);
  EXPECT_EQ(1, cell.borderWidth);
  EXPECT_EQ(0, cell.backgroundEffect);
  HtmlStyleState dbl;
  rules.ParseTableAttributes(u"borderstyle=double border=4", dbl, true);
  EXPECT_EQ(6, dbl.borderStyle);
  EXPECT_EQ(1, dbl.borderWidth);
  EXPECT_EQ(std::make_pair(1, 1), rules.ParseTableAttributes(u"", dbl, true));
  // Spans are capped: the grid is allocated from them.
  EXPECT_EQ(std::make_pair(kMaxTableSpan, kMaxTableSpan),
            rules.ParseTableAttributes(u"colspan=5000 rowspan=99999999", dbl, false));
  EXPECT_EQ(std::make_pair(1, 1), rules.ParseTableAttributes(u"colspan=0 rowspan=4000000000", dbl, false));
}

// Random text over the markup's own characters: every scanner ends, stays
// inside the text and moves forward.
TEST_F(Rules, ScannersEndOnAnyText) {
  const char16_t alphabet[] = u"<<>>/=\"' \t:;{}.-%#0x1atrdble&";
  unsigned seed = 7;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int round = 0; round < 2000; ++round) {
    HtmlText text;
    int length = next() % 60;
    for (int i = 0; i < length; ++i) text += alphabet[next() % (sizeof alphabet / sizeof alphabet[0] - 1)];
    size_t pos = 0;
    int steps = 0;
    while (pos < text.size()) {
      HtmlText tag;
      HtmlMarkupRules::NextRun(text, pos, tag);
      ASSERT_LE(pos, text.size());
      ASSERT_LT(++steps, 200);
      HtmlText attributes = HtmlMarkupRules::SplitTagName(tag);
      size_t at = 0;
      int attributeSteps = 0;
      while (at < attributes.size()) {
        HtmlText name;
        HtmlMarkupRules::NextAttribute(attributes, at, name);
        ASSERT_LE(at, attributes.size());
        ASSERT_LT(++attributeSteps, 200);
      }
    }
    for (size_t start = 0; start < text.size(); ++start) {
      ASSERT_LE(HtmlMarkupRules::FindTableEnd(text, start), text.size());
      ASSERT_LE(HtmlMarkupRules::FindRowEnd(text, start), text.size());
      ASSERT_LE(HtmlMarkupRules::FindCellEnd(text, start), text.size());
    }
    HtmlStyleState state;
    rules.ApplyStyleText(text, state);
    rules.ParseTableAttributes(text, state, true);
    rules.ParseSize(text, 10, 1);
    rules.ParseColor(text, 0);
    rules.SetCssStyles(text.c_str());
  }
}

}  // namespace
