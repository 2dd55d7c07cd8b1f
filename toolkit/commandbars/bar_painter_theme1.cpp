#include "bar_painter_theme1.h"

#include <algorithm>

#include "command_bar.h"
#include "draw_helpers.h"
#include "icon_image.h"
#include "image_manager.h"
#include "popup_bar.h"

IMPLEMENT_DYNCREATE(CTkBarPainterTheme1, CTkBarPainter)

namespace {

const int kNoColor = -1;

BOOL IsPopupBar(const CTkCommandBar* bar) { return bar != nullptr && bar->GetType() == kBarPopup; }

BOOL HasTwoColumns(const CTkCommandBar* bar) {
  return bar != nullptr && bar->IsKindOf(RUNTIME_CLASS(CTkPopupBar)) &&
         static_cast<const CTkPopupBar*>(bar)->IsDoubleGripper();
}

BOOL ShowsIconInMenu(const CTkControl* control) {
  switch (control->GetEffectiveStyle()) {
    case kButtonIcon:
    case kButtonIconAndCaption:
      return TRUE;
    case kButtonAutomatic:
      return control->GetType() != kControlPopup;
    default:
      return FALSE;
  }
}

CSize TextSize(CDC* pDC, const CString& text) {
  if (text.IsEmpty()) return CSize(0, pDC->GetTextExtent(CString(L" ")).cy);
  return pDC->GetTextExtent(text);
}

CSize IconSizeOf(const CTkCommandBar* bar) { return bar != nullptr ? bar->GetEffectiveIconSize() : CSize(16, 16); }

}  // namespace

CTkBarPainterTheme1::CTkBarPainterTheme1() {
  m_bUseFadedIcons = TRUE;
  m_bUseDisabledIcons = TRUE;
  m_bIconsWithShadow = TRUE;
  m_bGradientDisabledIcons = TRUE;
}

int CTkBarPainterTheme1::GetIconColumnWidth(CTkCommandBar* bar) const {
  const int column = std::max(static_cast<int>(IconSizeOf(bar).cx) + 4, m_controlHeight + 4);
  return (HasTwoColumns(bar) ? 2 * column : column) + 1;
}

void CTkBarPainterTheme1::FillIconStrip(CDC* pDC, int x, int y, int width, int height, BOOL expanded) {
  pDC->FillSolidRect(x, y, width, height, GetColor(expanded ? 42 : 30));
}

void CTkBarPainterTheme1::DrawControlFrame(CDC* pDC, CRect rect, BOOL selected, BOOL pressed, BOOL enabled,
                                           BOOL checked, BOOL popupOpen, BOOL, int barPosition) {
  const BOOL popup = barPosition == kBarPopupPosition;
  int border = kNoColor;
  int fill = kNoColor;
  if (!enabled) {
    if (selected == 2) {
      border = 32;
      fill = popup ? 41 : checked ? 33 : 31;
    } else if (checked) {
      border = 58;
      fill = popup ? kNoColor : 36;
    } else {
      return;
    }
  } else if (popupOpen) {
    border = 43;
    fill = 30;
  } else if (checked && !selected && !pressed) {
    border = 50;
    fill = 36;
  } else if (checked && selected && !pressed) {
    border = 37;
    fill = 33;
  } else if (pressed == 2 || (selected && pressed)) {
    border = 50;
    fill = 33;
  } else if (selected || pressed) {
    border = 32;
    fill = 31;
  } else {
    return;
  }
  FillRectWithBorder(pDC, rect, static_cast<COLORREF>(border), static_cast<COLORREF>(fill));
}

void CTkBarPainterTheme1::DrawControlFace(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL pressed,
                                          BOOL checked, BOOL popupOpen, int barPosition) {
  DrawControlFrame(pDC, rect, selected, pressed, enabled, checked, popupOpen, TRUE, barPosition);
  pDC->SetBkMode(TRANSPARENT);
  int color = barPosition == kBarPopupPosition ? 44 : 46;
  if (!enabled)
    color = 60;
  else if (popupOpen)
    color = 46;
  else if (pressed == 2 || (selected && (pressed || checked)))
    color = 47;
  else if (selected || pressed || checked)
    color = 45;
  pDC->SetTextColor(GetColor(color));
}

void CTkBarPainterTheme1::DrawControlIcon(CDC* pDC, int x, int y, int width, int height, CTkImageIcon* icon,
                                          BOOL selected, BOOL pressed, BOOL enabled, BOOL checked, BOOL popupOpen,
                                          BOOL) {
  if (icon == nullptr) return;
  if (height == 0 && icon->GetWidth() > 0) height = icon->GetHeight() * width / icon->GetWidth();
  if (!enabled) {
    if (m_bUseDisabledIcons || icon->IsAlpha()) {
      if (m_bGradientDisabledIcons && !icon->HasDisabledImage())
        icon->MakeDisabledImage(m_faceGradient.m_first, m_faceGradient.m_second);
      icon->Draw(pDC, x, y, icon->GetDisabledImage(TRUE), width, height);
    } else {
      icon->DrawMonochrome(pDC, x, y, icon->GetNormalImage(), GetColor(40));
    }
    return;
  }
  if (popupOpen || checked) {
    icon->Draw(pDC, x, y, checked ? icon->GetCheckedImage() : icon->GetNormalImage(), width, height);
    return;
  }
  if ((selected && pressed) || pressed == 2) {
    icon->Draw(pDC, x, y, icon->GetHotImage(), width, height);
    return;
  }
  if (selected || pressed == 1) {
    if (m_bIconsWithShadow && !icon->GetShadowImage().IsEmpty()) {
      icon->Draw(pDC, x + 1, y + 1, icon->GetShadowImage(), width, height);
      icon->Draw(pDC, x - 1, y - 1, icon->GetHotImage(), width, height);
    } else {
      icon->Draw(pDC, x, y, icon->GetHotImage(), width, height);
    }
    return;
  }
  icon->Draw(pDC, x, y, m_bUseFadedIcons ? icon->GetFadedImage() : icon->GetNormalImage(), width, height);
}

CRect CTkBarPainterTheme1::GetOpeningOverlap(CTkCommandBar* bar) {
  if (bar == nullptr || !bar->IsKindOf(RUNTIME_CLASS(CTkPopupBar)) || bar->GetSafeHwnd() == nullptr)
    return CRect(0, 0, 0, 0);
  CTkControl* opening = static_cast<CTkPopupBar*>(bar)->GetOpeningControl();
  CTkCommandBar* parent = opening != nullptr ? opening->GetParent() : nullptr;
  if (parent == nullptr || parent->GetSafeHwnd() == nullptr) return CRect(0, 0, 0, 0);
  CRect control = opening->GetRect();
  ::MapWindowPoints(parent->GetSafeHwnd(), nullptr, reinterpret_cast<LPPOINT>(&control), 2);
  CRect window;
  ::GetWindowRect(bar->GetSafeHwnd(), &window);
  CRect overlap;
  if (!overlap.IntersectRect(&control, &window)) return CRect(0, 0, 0, 0);
  ::MapWindowPoints(nullptr, bar->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&overlap), 2);
  overlap.NormalizeRect();
  if (overlap.Width() > 1) overlap.right -= 1;
  if (overlap.Height() > 1) overlap.bottom -= 1;
  return overlap;
}

void CTkBarPainterTheme1::DrawFloatingFrame(CDC* pDC, const CRect& client, int fill) {
  FillRectWithBorder(pDC, client, 43, static_cast<COLORREF>(fill));
  CRect inner = client;
  inner.DeflateRect(1, 1);
  FillRectWithBorder(pDC, inner, 43, static_cast<COLORREF>(fill));
  const COLORREF corner = GetColor(43);
  pDC->SetPixel(2, 2, corner);
  pDC->SetPixel(client.Width() - 3, 2, corner);
  pDC->SetPixel(2, client.Height() - 3, corner);
  pDC->SetPixel(client.Width() - 3, client.Height() - 3, corner);
}

void CTkBarPainterTheme1::FillCommandBar(CDC* pDC, CTkCommandBar* bar) {
  const CTkClientBounds client(bar);
  const int position = bar->GetPosition();
  if (position == kBarFloating) {
    DrawFloatingFrame(pDC, client, bar->GetType() == kBarMenu ? COLOR_BTNFACE : 30);
    return;
  }
  if (bar->GetType() == kBarMenu) {
    pDC->FillSolidRect(&client, GetColor(COLOR_BTNFACE));
    return;
  }
  if (position == kBarPopupPosition) {
    FillRectWithBorder(pDC, client, 43, 41);
    if (IsPopupBar(bar)) FillIconStrip(pDC, 1, 2, GetIconColumnWidth(bar), client.Height() - 4, FALSE);
    const CRect overlap = GetOpeningOverlap(bar);
    if (!overlap.IsRectEmpty()) pDC->FillSolidRect(&overlap, GetColor(30));
    return;
  }
  pDC->FillSolidRect(&client, GetColor(30));
  const COLORREF edge = GetColor(COLOR_BTNFACE);
  pDC->Draw3dRect(&client, edge, edge);
  pDC->SetPixel(1, 1, edge);
  pDC->SetPixel(client.Width() - 2, 1, edge);
  pDC->SetPixel(1, client.Height() - 2, edge);
  pDC->SetPixel(client.Width() - 2, client.Height() - 2, edge);
}

CSize CTkBarPainterTheme1::DrawControlInPopupBar(CDC* pDC, CTkControl* control, BOOL draw) {
  CTkCommandBar* bar = control->GetParent();
  const CSize icons = IconSizeOf(bar);
  const BOOL twoColumns = HasTwoColumns(bar);
  const int single = std::max(static_cast<int>(icons.cx) + 4, m_controlHeight + 4);
  const int column = twoColumns ? 2 * single : single;
  const int rowHeight = std::max(static_cast<int>(icons.cy) + 6, m_controlHeight);
  const int type = control->GetType();
  const BOOL cues = bar != nullptr ? bar->AreKeyboardCuesVisible() : TRUE;
  CString caption = control->GetVisibleCaption();
  UINT captionFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
  if (!cues) {
    StripMnemonics(caption);
    captionFormat |= DT_NOPREFIX;
  }
  const CString shortcut = type == kControlButton ? control->GetShortcutText() : CString();
  const int shortcutWidth = shortcut.IsEmpty() ? 0 : pDC->GetTextExtent(shortcut).cx;
  if (!draw) {
    CString measured = control->GetVisibleCaption();
    StripMnemonics(measured);
    return CSize(TextSize(pDC, measured).cx + shortcutWidth + column + 40, rowHeight);
  }

  const CRect rect = control->GetRect();
  const BOOL enabled = control->GetEnabled();
  const int selectedState = control->GetSelected();
  const BOOL selected = selectedState != 0;
  const BOOL checked = control->GetChecked();
  if (control->IsRarelyUsed()) FillIconStrip(pDC, 1, rect.top, column + 1, rect.Height(), TRUE);
  if (type == kControlLabel)
    pDC->FillSolidRect(rect.left + column + 3, rect.top, rect.right - rect.left - column - 3, rect.Height(),
                       GetColor(56));
  else
    DrawControlFrame(pDC, rect, selectedState, FALSE, enabled, FALSE, FALSE, FALSE, kBarPopupPosition);

  // The check box and the icon sit centred in their columns.
  const CRect checkColumn(rect.left, rect.top, rect.left + single, rect.bottom);
  CRect box(0, 0, icons.cx + 4, icons.cy + 4);
  box.OffsetRect(checkColumn.left + (checkColumn.Width() - box.Width()) / 2,
                 checkColumn.top + (checkColumn.Height() - box.Height()) / 2);
  if (checked) DrawControlFrame(pDC, box, selectedState, FALSE, enabled, TRUE, FALSE, FALSE, kBarPopupPosition);
  BOOL iconDrawn = FALSE;
  CTkImageIcon* icon = ShowsIconInMenu(control) ? control->GetIconImage(icons.cx) : nullptr;
  if (icon != nullptr && icon->GetWidth() > 0) {
    const int iconHeight = icon->GetHeight() * icons.cx / icon->GetWidth();
    const int shift = twoColumns ? single : 0;
    DrawControlIcon(pDC, checkColumn.left + shift + (single - icons.cx) / 2,
                    checkColumn.top + (checkColumn.Height() - iconHeight) / 2, icons.cx, iconHeight, icon, selected,
                    FALSE, enabled, checked, FALSE, FALSE);
    iconDrawn = TRUE;
  }
  if (checked && (twoColumns || !iconDrawn))
    DrawCheckMark(pDC, box, enabled ? RGB(0, 0, 0) : GetColor(40), bar != nullptr && bar->IsLayoutRTL());

  const int textColor = !enabled ? 35 : selected ? 45 : 44;
  pDC->SetTextColor(GetColor(textColor));
  pDC->SetBkMode(TRANSPARENT);
  const int mid = (rect.top + rect.bottom) / 2;
  if (IsPopupControlType(type)) {
    COLORREF arrow = GetColor(textColor);
    if (type == kControlSplitButtonPopup && enabled) {
      if (control->GetPopuped() && selected) {
        FillRectWithBorder(pDC, CRect(rect.right - 20, rect.top, rect.right, rect.bottom), 32, 33);
        arrow = GetColor(47);
      } else {
        DrawColorSegment(pDC, rect.right - 20, rect.top + 1, rect.right - 20, rect.bottom - 1,
                         selected ? 32 : COLOR_BTNSHADOW);
      }
    }
    const int x = rect.right - 11;
    FillTriangle(pDC, CPoint(x, mid - 3), CPoint(x + 3, mid), CPoint(x, mid + 3), arrow);
  }
  CRect text(rect.left + column + 8, rect.top, rect.right, rect.bottom);
  if (!shortcut.IsEmpty()) {
    text.right = rect.right - 19 - shortcutWidth;
    CRect keys(rect.left + column + 8, rect.top, rect.right - 19, rect.bottom);
    pDC->DrawText(shortcut, &keys, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  pDC->DrawText(caption, &text, captionFormat);
  return CSize(rect.Width(), rowHeight);
}

CSize CTkBarPainterTheme1::DrawFieldControl(CDC* pDC, CTkControl* control, BOOL draw, BOOL combo) {
  CTkCommandBar* bar = control->GetParent();
  const BOOL popup = IsPopupBar(bar);
  const int column = GetIconColumnWidth(bar);
  CString label = control->GetVisibleCaption();
  StripMnemonics(label);
  const BOOL showLabel = popup || control->IsLabelShown();
  int labelWidth = 0;
  int textHeight = 0;
  {
    CTkFontSelector font(pDC, &m_regularFont);
    if (showLabel) labelWidth = TextSize(pDC, label).cx;
    textHeight = TextSize(pDC, CString()).cy;
  }
  int averageWidth = 0;
  {
    CTkFontSelector font(pDC, &m_iconTitleFont);
    textHeight = std::max(textHeight, static_cast<int>(TextSize(pDC, CString()).cy));
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(pDC->GetSafeHdc(), &metrics);
    averageWidth = metrics.tmAveCharWidth;
  }
  const int labelColumn = !showLabel ? 0 : popup ? column + labelWidth + 12 : labelWidth + 5;
  const CSize size(control->GetFieldWidth() + labelColumn, textHeight + 1 + 7);
  if (combo) control->SetFieldThumbWidth(std::max(2 * averageWidth + 4, 15));
  if (!draw) return size;

  const CRect rect = control->GetRect();
  const BOOL enabled = control->GetEnabled();
  const int selectedState = control->GetSelected();
  const BOOL selected = selectedState != 0;
  if (showLabel) {
    if (popup) DrawControlFrame(pDC, rect, selectedState, FALSE, enabled, FALSE, FALSE, FALSE, kBarPopupPosition);
    CTkFontSelector font(pDC, &m_regularFont);
    const int color = popup ? (!enabled ? 35 : selected ? 45 : 44) : (enabled ? 46 : 60);
    pDC->SetTextColor(GetColor(color));
    pDC->SetBkMode(TRANSPARENT);
    CRect text(rect.left + (popup ? column + 7 : 2), rect.top, rect.left + labelColumn, rect.bottom);
    pDC->DrawText(label, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  CRect field(rect.left + labelColumn, rect.top, rect.right, rect.bottom);
  const int buttonWidth = std::max(2 * averageWidth + 4, 15);
  const CRect button(field.right - buttonWidth, field.top, field.right, field.bottom);
  if (!enabled) {
    FillRectWithBorder(pDC, CRect(field.left + 1, field.top, field.right, field.bottom),
                       selectedState == 2 ? 32 : 40, COLOR_BTNFACE);
  } else {
    CRect inside = field;
    inside.DeflateRect(1, 1);
    pDC->FillSolidRect(&inside, GetColor(COLOR_WINDOW));
    if (selected)
      FillRectWithBorder(pDC, field, 32, COLOR_WINDOW);
    else if (popup)
      FillRectWithBorder(pDC, field, 53, static_cast<COLORREF>(kNoColor));
  }
  if (!combo) return CSize(0, 0);

  {
    CTkFontSelector font(pDC, &m_iconTitleFont);
    pDC->SetTextColor(GetColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
    CRect text(field.left + 3, field.top + 1, button.left + 1, field.bottom - 1);
    if (!control->DrawFieldText(pDC, text))
      pDC->DrawText(control->GetFieldText(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  const BOOL dropped = control->GetPopuped();
  int arrow = 46;
  if (!enabled) {
    FillRectWithBorder(pDC, button, 40, static_cast<COLORREF>(kNoColor));
    arrow = 40;
  } else if (selected) {
    FillRectWithBorder(pDC, button, 32, dropped ? 33 : 31);
    arrow = dropped ? 47 : 45;
  } else if (popup) {
    FillRectWithBorder(pDC, button, COLOR_WINDOW, 53);
    FillRectWithBorder(pDC, field, 53, static_cast<COLORREF>(kNoColor));
  } else {
    FillRectWithBorder(pDC, button, COLOR_WINDOW, static_cast<COLORREF>(kNoColor));
  }
  DrawDropDownArrow(pDC, button.left, button.top, button.right, button.bottom, static_cast<COLORREF>(arrow));
  return CSize(0, 0);
}

CSize CTkBarPainterTheme1::DrawEditControl(CDC* pDC, CTkControl* control, BOOL draw) {
  return DrawFieldControl(pDC, control, draw, FALSE);
}

CSize CTkBarPainterTheme1::DrawComboBoxControl(CDC* pDC, CTkControl* control, BOOL draw) {
  return DrawFieldControl(pDC, control, draw, TRUE);
}

CSize CTkBarPainterTheme1::DrawCommandListItem(CDC* pDC, CTkControl* control, CRect rect, BOOL selected, BOOL draw,
                                               CTkImageManager* images) {
  const CSize icons = images != nullptr && control != nullptr && control->GetParent() != nullptr
                          ? control->GetParent()->GetEffectiveIconSize()
                          : CSize(16, 16);
  const int column = std::max(static_cast<int>(icons.cx) + 4, m_controlHeight + 4);
  if (draw) {
    pDC->FillSolidRect(&rect, GetColor(41));
    FillIconStrip(pDC, rect.left, rect.top, column + 1, rect.Height(), FALSE);
  }
  if (control == nullptr) return CSize(0, 0);
  const int height = std::max(static_cast<int>(icons.cy) + 6, m_controlHeight);
  CString caption = control->GetVisibleCaption();
  StripMnemonics(caption);
  const CSize text = TextSize(pDC, caption);
  if (!draw) return CSize(column + 8 + text.cx + 40, height);

  if (selected) DrawControlFrame(pDC, rect, TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, kBarPopupPosition);
  CTkImageIcon* icon = images != nullptr ? images->GetImage(control->GetResolvedIconId(), icons.cx) : nullptr;
  if (icon != nullptr && icon->GetWidth() > 0) {
    const int iconHeight = icon->GetHeight() * icons.cx / icon->GetWidth();
    DrawControlIcon(pDC, rect.left + (column - icons.cx) / 2, rect.top + (rect.Height() - iconHeight) / 2, icons.cx,
                    iconHeight, icon, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE);
  }
  const int textColor = selected ? 45 : 44;
  pDC->SetTextColor(GetColor(textColor));
  pDC->SetBkMode(TRANSPARENT);
  CRect textRect(rect.left + column + 8, rect.top, rect.right, rect.bottom);
  pDC->DrawText(caption, &textRect, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  const int mid = (rect.top + rect.bottom) / 2;
  const int type = control->GetType();
  if (IsPopupControlType(type)) {
    const int x = rect.right - 11;
    FillTriangle(pDC, CPoint(x, mid - 3), CPoint(x + 3, mid), CPoint(x, mid + 3), GetColor(textColor));
    if (type == kControlSplitButtonPopup)
      DrawColorSegment(pDC, rect.right - 20, rect.top + 1, rect.right - 20, rect.bottom - 1,
                       selected ? 32 : COLOR_BTNSHADOW);
  } else if (type == kControlComboBox || type == kControlEdit) {
    CRect box(textRect.left + text.cx + 8, rect.top + 1, rect.right - 2, rect.bottom - 1);
    if (box.Width() > 0) {
      FillRectWithBorder(pDC, box, selected ? 32 : COLOR_BTNFACE, COLOR_WINDOW);
      if (type == kControlComboBox) {
        const int buttonWidth = TextSize(pDC, CString()).cy + 2;
        CRect button(box.right - buttonWidth, box.top, box.right, box.bottom);
        if (selected)
          DrawControlFrame(pDC, button, TRUE, FALSE, TRUE, FALSE, FALSE, TRUE, kBarList);
        else
          pDC->FillSolidRect(&button, GetColor(COLOR_BTNFACE));
        button.DeflateRect(1, 1);
        DrawDropDownArrow(pDC, button.left, button.top, button.right, button.bottom, selected ? 45 : 46);
      }
    }
  }
  return CSize(0, 0);
}

CSize CTkBarPainterTheme1::DrawFloatingCaption(CDC* pDC, CTkCommandBar* bar, BOOL draw, COLORREF fill) {
  const CTkClientBounds client(bar);
  CTkFontSelector font(pDC, &m_smallCaptionFont);
  const int textHeight = pDC->GetTextExtent(CString(L" ")).cy;
  const int bottom = textHeight < 15 ? 18 : textHeight + 3;
  const CRect caption(3, 3, client.Width() - 3, bottom);
  if (draw) {
    pDC->FillSolidRect(&caption, fill);
    const COLORREF color = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    const int mode = pDC->SetBkMode(TRANSPARENT);
    CRect text(5, caption.top, client.Width() - 2 * caption.Height(), caption.bottom);
    pDC->DrawText(bar->GetTitle(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    pDC->SetBkMode(mode);
    pDC->SetTextColor(color);
  }
  return caption.Size();
}

CSize CTkBarPainterTheme1::DrawGripper(CDC* pDC, CTkCommandBar* bar, BOOL draw) {
  if (bar->HasFixedGripper()) return DrawFixedGripper(pDC, draw);
  const CTkClientBounds client(bar);
  const COLORREF dash = GetColor(38);
  switch (bar->GetPosition()) {
    case kBarTop:
    case kBarBottom:
      if (draw)
        for (int y = 5; y < client.Height() - 5; y += 2) pDC->FillSolidRect(3, y, 3, 1, dash);
      return CSize(6, 0);
    case kBarLeft:
    case kBarRight:
      if (draw)
        for (int x = 5; x < client.Width() - 5; x += 2) pDC->FillSolidRect(x, 3, 1, 3, dash);
      return CSize(0, 8);
    case kBarFloating:
      return DrawFloatingCaption(pDC, bar, draw, GetColor(COLOR_BTNSHADOW));
    default:
      return CSize(0, 0);
  }
}

CSize CTkBarPainterTheme1::DrawFixedGripper(CDC* pDC, BOOL draw) {
  const int height = std::max(m_controlHeight + 4, 22);
  if (draw) {
    const COLORREF dash = GetColor(38);
    for (int y = 6; y < height - 2; y += 2) pDC->FillSolidRect(3, y, 3, 1, dash);
  }
  return CSize(6, height);
}

CSize CTkBarPainterTheme1::DrawSeparator(CDC* pDC, CTkCommandBar* bar, CTkControl* control, BOOL draw) {
  const BOOL popup = IsPopupBar(bar);
  if (!draw) return popup ? CSize(3, 3) : CSize(6, 6);
  const CRect rect = control->GetRect();
  const CRect row = control->GetRowRect();
  const CTkClientBounds client(bar);
  const COLORREF color = GetColor(39);
  if (popup) {
    const int left = GetIconColumnWidth(bar) + 9;
    pDC->FillSolidRect(left, rect.top - 2, client.Width() - 1 - left, 1, color);
  } else if (bar->GetPosition() == kBarLeft || bar->GetPosition() == kBarRight) {
    if (control->GetWrap())
      pDC->FillSolidRect(row.right + 2, row.top, 1, row.Height(), color);
    else
      pDC->FillSolidRect(row.left, rect.top - 4, row.Width(), 1, color);
  } else {
    if (control->GetWrap())
      pDC->FillSolidRect(row.left, row.top - 4, row.Width(), 1, color);
    else
      pDC->FillSolidRect(rect.left - 4, row.top, 1, row.Height(), color);
  }
  return CSize(0, 0);
}

void CTkBarPainterTheme1::AdjustControlRect(CRect& rect, CTkControl* control, BOOL vertical) {
  if (IsPopupBar(control->GetParent())) {
    rect.InflateRect(1, 0);
    return;
  }
  if (control->GetType() == kControlComboBox) return;
  if (vertical)
    rect.DeflateRect(1, 0);
  else
    rect.DeflateRect(0, 1);
}

void CTkBarPainterTheme1::DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL) {
  FillRectWithBorder(pDC, rect, COLOR_BTNSHADOW, static_cast<COLORREF>(kNoColor));
}

CSize CTkBarPainterTheme1::DrawTearOffStrip(CDC* pDC, CRect rect, BOOL selected, BOOL draw) {
  if (!draw) return CSize(0, 9);
  const CRect strip(1, 1, rect.right + 1, rect.bottom - rect.top + 1);
  pDC->FillSolidRect(&strip, GetColor(41));
  CRect inner = strip;
  inner.DeflateRect(1, 1);
  if (selected)
    FillRectWithBorder(pDC, inner, 32, 31);
  else
    pDC->FillSolidRect(&inner, GetColor(30));
  const int reach = std::min(16, rect.Width() / 2 - 10);
  if (reach <= 0) return CSize(0, 9);
  const int centre = (inner.left + inner.right) / 2;
  const COLORREF color = GetColor(selected ? 45 : 38);
  static const int kSelectedLines[] = {4, 6};
  static const int kLines[] = {3, 5, 7};
  if (selected)
    for (int y : kSelectedLines) pDC->FillSolidRect(centre - reach, y, 2 * reach, 1, color);
  else
    for (int y : kLines) pDC->FillSolidRect(centre - reach, y, 2 * reach, 1, color);
  return CSize(0, 9);
}
