// Plain records the marked-up text drawer keeps between and within its
// passes; portable, so that the rules over them are tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using HtmlText = std::u16string;
// A COLORREF: red in the low byte.
using HtmlColorRef = uint32_t;

inline HtmlColorRef HtmlRgb(int red, int green, int blue) {
  return static_cast<HtmlColorRef>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The formatting state that tags and styles change.
struct HtmlStyleState {
  HtmlText name;
  int fontSize = 16;
  int fontWeight = 400;
  int italic = 0;
  int underline = 0;
  int strikeOut = 0;
  int overline = 0;
  HtmlText faceName = u"Verdana";
  HtmlColorRef textColor = 0;
  HtmlColorRef backgroundColor = 0xFFFFFF;
  HtmlColorRef borderLightColor = 0;
  HtmlColorRef borderDarkColor = 0;
  HtmlColorRef backgroundMiddleColor = 0xFFFFFF;
  HtmlColorRef backgroundEndColor = 0xFFFFFF;
  int backgroundMode = 1;  // 1 transparent, 2 opaque
  int backgroundEffect = -1;
  HtmlText backgroundImage;
  int textAlignment = 0;      // 0 left, 1 centre, 2 right, 3 justify
  int verticalAlignment = 3;  // 0 top, 1 middle, 2 bottom, 3 baseline
  int borderStyle = 0;        // 0 none, 1 solid, 2 dashed, 3 dotted, 6 double
  int borderWidth = 0;
  int width = 0;
  int height = 0;
  int textTransform = 0;  // 0 none, 1 upper, 2 lower, 3 capitalize
  int cellPadding = 2;
  int cellSpacing = 0;
  int linkKind = 0;  // 0 none, 1 href, 2 msg
  HtmlText linkTarget;
};

// One laid-out line. While the line is open, height holds its largest ascent.
struct HtmlLineRecord {
  int width = 0;
  int height = 0;
  int descent = 0;
  int percentWidth = 0;
  int alignment = 0;
  int spaceCount = 0;
  int justifiable = 0;
};

// Column and row spans are -1 where another cell's span covers the position.
struct HtmlTableCell {
  int columnSpan = 0;
  int rowSpan = 0;
  int contentWidth = 0;
  int contentHeight = 0;
  int outerWidth = 0;
  int outerHeight = 0;
  int fixed = 0;
};

struct HtmlTableGrid {
  std::vector<std::vector<HtmlTableCell>> rows;
  std::vector<int> columnWidths;
  std::vector<int> rowHeights;
  std::vector<int> fixedColumns;
};

struct HtmlLinkArea {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int linkKind = 0;
  int linkIndex = 0;
  HtmlText target;
};

struct HtmlAnimationRecord {
  int currentFrame = 0;
  int frameCount = 0;
  int tickCounter = 0;
  int speed = 0;
};

struct HtmlImageAttributes {
  int index = 0;
  int resourceId = 0;
  int moduleResourceId = 0;
  intptr_t handle = 0;
  int frameWidth = 0;
  int frameHeight = 0;
  int width = 100;
  int height = 100;
  int speed = 0;
  int style = 0;
  int hotStyle = 0;
  int keyColorFlag = 0;
  int widthIsPercent = 1;
  int heightIsPercent = 1;
  HtmlColorRef keyColor = HtmlRgb(255, 0, 255);
  HtmlText filePath;
  HtmlText modulePath;
};

enum HtmlTagCode {
  kTagNone = 0,
  kTagBold = 1,
  kTagItalic = 2,
  kTagUnderline = 3,
  kTagStrikeOut = 4,
  kTagFont = 5,
  kTagRule = 6,
  kTagBreak = 7,
  kTagTab = 8,
  kTagLeft = 9,
  kTagCenter = 10,
  kTagRight = 11,
  kTagJustify = 12,
  kTagBaseline = 13,
  kTagTop = 14,
  kTagMiddle = 15,
  kTagBottom = 16,
  kTagBitmap = 17,
  kTagIcon = 18,
  kTagImageList = 19,
  kTagString = 20,
  kTagNamedStyle = 21,
  kTagSpan = 22,
  kTagLink = 23,
};

// Image effect flags of the draw manager.
enum HtmlImageEffect {
  kEffectGray = 0x0001,
  kEffectDarker = 0x0002,
  kEffectLighter = 0x0004,
  kEffectFlatColor = 0x0008,
  kEffectShadow = 0x0100,
  kEffectBlurredShadow = 0x0200,
  kEffectInvert = 0x8000,
};
