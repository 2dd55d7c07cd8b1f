// Pictures in the flow: bitmaps, icons and frames of image strips.
#include <algorithm>

#include "html_text_drawer.h"
#include "html_text_drawer_internal.h"

void CHtmlTextDrawer::SetImageShadow(int offsetX, int offsetY, int darkness, int kind, int blurX, int blurY) {
  m_shadowOffsetX = offsetX;
  m_shadowOffsetY = offsetY;
  m_shadowDarkness = std::max(0, std::min(darkness, 100));
  m_shadowKind = kind;
  m_shadowBlurX = blurX;
  m_shadowBlurY = blurY;
  BYTE gray = static_cast<BYTE>(::MulDiv(255, 100 - m_shadowDarkness, 100));
  m_shadowColor = RGB(gray, gray, gray);
}

int CHtmlTextDrawer::ParseImageStyle(const HtmlText& value) const {
  int style = 0;
  for (char16_t c : value) {
    if (c == u'g') style |= kEffectGray;
    if (c == u'd') style |= kEffectDarker;
    if (c == u'l') style |= kEffectLighter;
    if (c == u's' && (m_shadowOffsetX != 0 || m_shadowOffsetY != 0))
      style |= m_shadowKind ? kEffectBlurredShadow : kEffectShadow;
  }
  return style;
}

BOOL CHtmlTextDrawer::HasShadowStyle(const HtmlImageAttributes& image) {
  return ((image.style | image.hotStyle) & (kEffectShadow | kEffectBlurredShadow)) != 0;
}

void CHtmlTextDrawer::ParseImageAttributes(const HtmlText& attributes, HtmlImageAttributes& image) {
  size_t pos = 0;
  while (pos < attributes.size()) {
    HtmlText name;
    HtmlText value = HtmlMarkupRules::NextAttribute(attributes, pos, name);
    if (name == u"index") {
      image.index = m_rules.ParseSize(value, image.index, 0);
    } else if (name == u"idres") {
      image.resourceId = m_rules.ParseSize(value, image.resourceId, 0);
    } else if (name == u"iddll") {
      image.moduleResourceId = m_rules.ParseSize(value, image.moduleResourceId, 0);
    } else if (name == u"handle") {
      // Handles are 32-bit values in every build.
      image.handle = static_cast<intptr_t>(static_cast<uint32_t>(HtmlMarkupRules::ParseUnsigned(value)));
    } else if (name == u"file") {
      image.filePath = HtmlMarkupRules::ValueOrDefault(value, image.filePath);
    } else if (name == u"srcdll") {
      image.modulePath = HtmlMarkupRules::ValueOrDefault(value, image.modulePath);
    } else if (name == u"mask") {
      image.keyColorFlag = 1;
      image.keyColor = m_rules.ParseColor(value, image.keyColor);
    } else if (name == u"style") {
      image.style = image.hotStyle = ParseImageStyle(value);
    } else if (name == u"hotstyle") {
      image.hotStyle = ParseImageStyle(value);
    } else if (name == u"cx") {
      image.frameWidth = m_rules.ParseSize(value, image.frameWidth, 0);
    } else if (name == u"cy") {
      image.frameHeight = m_rules.ParseSize(value, image.frameHeight, 0);
    } else if (name == u"width") {
      image.width = m_rules.ParseSize(value, image.width, 0);
      image.widthIsPercent = HtmlMarkupRules::IsPercent(value);
    } else if (name == u"height") {
      image.height = m_rules.ParseSize(value, image.height, 0);
      image.heightIsPercent = HtmlMarkupRules::IsPercent(value);
    } else if (name == u"speed") {
      image.speed = m_rules.ParseSize(value, image.speed, 0);
    }
  }
}

UINT CHtmlTextDrawer::DrawingStyle(const HtmlImageAttributes& image) const {
  bool hot = m_state.linkKind != 0 && m_linkCounter == m_hoveredLink;
  UINT style = static_cast<UINT>(hot ? image.hotStyle : image.style);
  if (!m_rules.colorsEnabled) style = (style & 0xFF00) | kEffectFlatColor;
  return style;
}

HBITMAP CHtmlTextDrawer::LoadResourceBitmap(int id) {
  if (id == 0) return nullptr;
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_BITMAP);
  return static_cast<HBITMAP>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

HBITMAP CHtmlTextDrawer::LoadBitmapFile(const HtmlText& path) {
  return static_cast<HBITMAP>(::LoadImageW(nullptr, Wide(path), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION | LR_DEFAULTSIZE | LR_LOADFROMFILE));
}

HBITMAP CHtmlTextDrawer::LoadModuleBitmap(int id, const HtmlText& modulePath) {
  if (id == 0) return nullptr;
  HMODULE module = modulePath.empty() ? m_resourceModule : ::LoadLibraryExW(Wide(modulePath), nullptr, 0);
  if (module == nullptr) return nullptr;
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
  if (!modulePath.empty()) ::FreeLibrary(module);
  return bitmap;
}

HICON CHtmlTextDrawer::LoadResourceIcon(int id, int width, int height) {
  if (id == 0) return nullptr;
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_GROUP_ICON);
  return static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

HICON CHtmlTextDrawer::LoadIconFile(const HtmlText& path, int width, int height) {
  return static_cast<HICON>(::LoadImageW(nullptr, Wide(path), IMAGE_ICON, width, height, LR_LOADFROMFILE));
}

HICON CHtmlTextDrawer::LoadModuleIcon(int id, int width, int height, const HtmlText& modulePath) {
  if (id == 0) return nullptr;
  HMODULE module = modulePath.empty() ? m_resourceModule : ::LoadLibraryExW(Wide(modulePath), nullptr, 0);
  if (module == nullptr) return nullptr;
  HICON icon =
      static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
  if (!modulePath.empty()) ::FreeLibrary(module);
  return icon;
}

HBITMAP CHtmlTextDrawer::LoadImageBitmap(const HtmlImageAttributes& image, BOOL& owned) {
  owned = TRUE;
  if (image.resourceId != 0) return LoadResourceBitmap(image.resourceId);
  if (!image.filePath.empty()) return LoadBitmapFile(image.filePath);
  if (image.moduleResourceId != 0) return LoadModuleBitmap(image.moduleResourceId, image.modulePath);
  owned = FALSE;
  return reinterpret_cast<HBITMAP>(image.handle);
}

// The placement steps every picture shares; TRUE when it is to be painted
// at drawRect's top-left corner.
BOOL CHtmlTextDrawer::PlaceImage(int& x, int& y, int drawnWidth, int drawnHeight, BOOL shadow, RECT& drawRect) {
  int layoutWidth = drawnWidth;
  int layoutHeight = drawnHeight;
  if (shadow && drawnWidth != 0 && drawnHeight != 0) {
    layoutWidth += m_shadowOffsetX;
    layoutHeight += m_shadowOffsetY;
  }
  int flowWidth = m_flow.Width();
  if (m_maximumWidth != 0 && flowWidth > 0 && layoutWidth > m_flow.left + flowWidth - x && x != m_lineStartX)
    NewLine(1, 1, x, y);
  if (m_mode == kMeasuring)
    m_line.alignment = m_state.textAlignment;
  else
    m_lineWidthLeft -= layoutWidth;
  int top = AlignObjectVertically(y, layoutHeight);
  BOOL paint = FALSE;
  if (m_mode == kDrawing && drawnWidth != 0 && drawnHeight != 0) {
    AddLinkArea(x, top, x + layoutWidth, top + layoutHeight);
    drawRect = CRect(x, top, x + drawnWidth, top + drawnHeight);
    paint = TRUE;
  }
  x += layoutWidth;
  return paint;
}

void CHtmlTextDrawer::LayoutImage(HtmlTagCode code, const HtmlText& attributes, int& x, int y) {
  HtmlImageAttributes image;
  ParseImageAttributes(attributes, image);
  BOOL shadow = HasShadowStyle(image);
  COLORREF colour = m_rules.colorsEnabled ? m_shadowColor : m_rules.disabledColor;
  UINT style = DrawingStyle(image);
  RECT at = {};
  if (code == kTagIcon) {
    int width = image.widthIsPercent ? ::MulDiv(::GetSystemMetrics(SM_CXICON), image.width, 100) : image.width;
    int height = image.heightIsPercent ? ::MulDiv(::GetSystemMetrics(SM_CYICON), image.height, 100) : image.height;
    HICON icon = nullptr;
    BOOL owned = TRUE;
    if (image.resourceId != 0)
      icon = LoadResourceIcon(image.resourceId, width, height);
    else if (!image.filePath.empty())
      icon = LoadIconFile(image.filePath, width, height);
    else if (image.moduleResourceId != 0)
      icon = LoadModuleIcon(image.moduleResourceId, width, height, image.modulePath);
    else {
      icon = reinterpret_cast<HICON>(image.handle);
      owned = FALSE;
    }
    if (icon == nullptr) return;
    CSize size = CDrawEffects::GetIconSize(icon);
    if (size.cx != 0 || size.cy != 0) {
      if (PlaceImage(x, y, size.cx, size.cy, shadow, at))
        m_effects.DrawIcon(m_pDC, at.left, at.top, size.cx, size.cy, icon, style, shadow, m_shadowOffsetX,
                           m_shadowOffsetY, m_shadowBlurX, m_shadowBlurY, colour);
    }
    if (owned) ::DestroyIcon(icon);
    return;
  }

  BOOL owned = TRUE;
  HBITMAP bitmap = LoadImageBitmap(image, owned);
  if (bitmap == nullptr) return;
  CSize size = CDrawEffects::GetBitmapSize(bitmap);
  if (code == kTagBitmap) {
    int width = image.widthIsPercent ? ::MulDiv(size.cx, image.width, 100) : image.width;
    int height = image.heightIsPercent ? ::MulDiv(size.cy, image.height, 100) : image.height;
    if (size.cx > 0 && size.cy > 0 && PlaceImage(x, y, width, height, shadow, at))
      m_effects.DrawBitmap(m_pDC, at.left, at.top, width, height, bitmap, image.keyColorFlag, image.keyColor, style,
                           shadow, m_shadowOffsetX, m_shadowOffsetY, m_shadowBlurX, m_shadowBlurY, colour);
  } else {
    int frameWidth = image.frameWidth;
    int frameHeight = image.frameHeight;
    if (frameWidth == 0 && frameHeight == 0)
      frameWidth = frameHeight = std::min(size.cx, size.cy);
    else if (frameWidth == 0)
      frameWidth = frameHeight;
    else if (frameHeight == 0)
      frameHeight = frameWidth;
    int width = image.widthIsPercent ? ::MulDiv(frameWidth, image.width, 100) : image.width;
    int height = image.heightIsPercent ? ::MulDiv(frameHeight, image.height, 100) : image.height;
    // A strip whose size reads as 0 has no frames to count.
    int frames = frameWidth > 0 && frameHeight > 0 ? (size.cx / frameWidth) * (size.cy / frameHeight) : 0;
    int index = image.index;
    if (image.speed != 0) {
      if (m_mode == kMeasuring) {
        HtmlAnimationRecord record;
        record.currentFrame = image.index;
        record.frameCount = frames;
        record.speed = image.speed;
        m_animations.push_back(record);
      } else {
        ++m_animationCounter;
        if (m_animationCounter < static_cast<int>(m_animations.size()))
          index = m_animations[m_animationCounter].currentFrame;
      }
    }
    if (frames > 0 && index >= 0 && index < frames && PlaceImage(x, y, width, height, shadow, at))
      m_effects.DrawStripImage(m_pDC, at.left, at.top, width, height, bitmap, index, frameWidth, frameHeight,
                               image.keyColorFlag, image.keyColor, style, shadow, m_shadowOffsetX, m_shadowOffsetY,
                               m_shadowBlurX, m_shadowBlurY, colour);
  }
  if (owned) ::DeleteObject(bitmap);
}

int CHtmlTextDrawer::StepAnimations() {
  int changed = 0;
  for (HtmlAnimationRecord& record : m_animations) {
    if (record.frameCount <= 0) continue;
    if (++record.tickCounter >= record.speed) {
      record.tickCounter = 0;
      record.currentFrame = (record.currentFrame + 1) % record.frameCount;
      changed = 1;
    }
  }
  return changed;
}
