#include "bar_painter_default.h"

#include <algorithm>

#include "command_bar.h"
#include "draw_helpers.h"
#include "icon_image.h"
#include "image_manager.h"
#include "popup_bar.h"

IMPLEMENT_DYNCREATE(CTkBarPainterDefault, CTkBarPainter)

namespace {

BOOL IsPopupBar(const CTkCommandBar* bar) { return bar != nullptr && bar->GetType() == kBarPopup; }

BOOL HasTwoColumns(const CTkCommandBar* bar) {
  return bar != nullptr && bar->IsKindOf(RUNTIME_CLASS(CTkPopupBar)) &&
         static_cast<const CTkPopupBar*>(bar)->IsDoubleGripper();
}

// Whether a menu row shows its icon: by the style the user or the program
// chose, automatic meaning every type but a plain submenu.
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

}  // namespace

CTkBarPainterDefault::CTkBarPainterDefault() {
  m_bUseFadedIcons = FALSE;
  m_bIconsWithShadow = FALSE;
}

void CTkBarPainterDefault::DrawControlFrame(CDC* pDC, CRect rect, BOOL selected, BOOL pressed, BOOL enabled,
                                            BOOL checked, BOOL popupOpen, BOOL, int) {
  if (!enabled) {
    if (checked) DrawBevelRect(pDC, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    if (selected == 2) DrawBevelRect(pDC, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    return;
  }
  if (checked) {
    if (!selected && !pressed) FillHalftoneRect(pDC, &rect);
    DrawBevelRect(pDC, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    return;
  }
  if (popupOpen || pressed == 2 || (selected && pressed))
    DrawBevelRect(pDC, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  else if (selected || pressed)
    DrawBevelRect(pDC, rect, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

void CTkBarPainterDefault::DrawControlFace(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL pressed,
                                           BOOL checked, BOOL popupOpen, int barPosition) {
  DrawControlFrame(pDC, rect, selected, pressed, enabled, checked, popupOpen, TRUE, barPosition);
  int color = COLOR_GRAYTEXT;
  if (enabled) color = barPosition == kBarPopupPosition ? m_menuTextColor : COLOR_BTNTEXT;
  pDC->SetTextColor(GetColor(color));
  pDC->SetBkMode(TRANSPARENT);
}

void CTkBarPainterDefault::DrawControlIcon(CDC* pDC, int x, int y, int width, int height, CTkImageIcon* icon,
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
      icon->DrawMonochrome(pDC, x + 1, y + 1, icon->GetNormalImage(), GetColor(COLOR_BTNHIGHLIGHT));
      icon->DrawMonochrome(pDC, x, y, icon->GetNormalImage(), GetColor(COLOR_BTNSHADOW));
    }
    return;
  }
  if (popupOpen || checked) {
    icon->Draw(pDC, x, y, checked ? icon->GetCheckedImage() : icon->GetNormalImage(), width, height);
    return;
  }
  if ((selected && pressed) || pressed == 2) {
    icon->Draw(pDC, x + 1, y + 1, icon->GetHotImage(), width, height);
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

void CTkBarPainterDefault::GetPopupColumns(CTkControl* control, int& columnWidth, int& rowHeight) const {
  CTkCommandBar* bar = control->GetParent();
  const CSize icons = bar != nullptr ? bar->GetEffectiveIconSize() : CSize(16, 16);
  columnWidth = std::max(m_controlHeight, static_cast<int>(icons.cx) + 4);
  rowHeight = std::max(m_controlHeight, static_cast<int>(icons.cy) + 4);
}

CSize CTkBarPainterDefault::DrawItemText(CDC* pDC, const CString& text, CRect rect, UINT format, BOOL draw,
                                         BOOL selected, BOOL enabled) {
  format |= DT_SINGLELINE | DT_VCENTER;
  if (!draw) {
    pDC->DrawText(text, &rect, format | DT_CALCRECT);
    return rect.Size();
  }
  if (!enabled && !selected) {
    const COLORREF color = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    CRect shadow = rect;
    shadow.OffsetRect(1, 1);
    pDC->DrawText(text, &shadow, format);
    pDC->SetTextColor(color);
  }
  pDC->DrawText(text, &rect, format);
  return rect.Size();
}

CSize CTkBarPainterDefault::DrawControlInPopupBar(CDC* pDC, CTkControl* control, BOOL draw) {
  CTkCommandBar* bar = control->GetParent();
  int column = 0;
  int height = 0;
  GetPopupColumns(control, column, height);
  const BOOL twoColumns = HasTwoColumns(bar);
  const int textStart = twoColumns ? 2 * column : column;
  const int type = control->GetType();
  const BOOL cues = bar != nullptr ? bar->AreKeyboardCuesVisible() : TRUE;
  CString caption = control->GetVisibleCaption();
  UINT captionFormat = DT_END_ELLIPSIS;
  if (!cues) {
    StripMnemonics(caption);
    captionFormat |= DT_NOPREFIX;
  }
  const CString shortcut = type == kControlButton ? control->GetShortcutText() : CString();
  const int shortcutWidth = shortcut.IsEmpty() ? 0 : pDC->GetTextExtent(shortcut).cx;
  if (!draw) {
    CString measured = control->GetVisibleCaption();
    StripMnemonics(measured);
    return CSize(TextSize(pDC, measured).cx + shortcutWidth + textStart + 40, height);
  }

  const CRect rect = control->GetRect();
  const BOOL enabled = control->GetEnabled();
  const BOOL selected = control->GetSelected() != 0;
  const BOOL checked = control->GetChecked();
  if (control->IsRarelyUsed()) pDC->FillSolidRect(&rect, GetColor(COLOR_3DLIGHT));
  const int textColor = !enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : m_menuTextColor;

  const CRect checkColumn(rect.left, rect.top, rect.left + column, rect.bottom);
  CRect iconColumn = checkColumn;
  if (twoColumns) iconColumn.OffsetRect(column + 1, 0);
  int highlightLeft = rect.left;
  if (checked) {
    DrawControlFrame(pDC, checkColumn, selected, FALSE, enabled, TRUE, FALSE, FALSE, kBarPopupPosition);
    highlightLeft = checkColumn.right + 1;
  }
  BOOL iconDrawn = FALSE;
  const int iconWidth = bar != nullptr ? bar->GetEffectiveIconSize().cx : 16;
  CTkImageIcon* icon = ShowsIconInMenu(control) ? control->GetIconImage(iconWidth) : nullptr;
  if (icon != nullptr && icon->GetWidth() > 0) {
    const int iconHeight = icon->GetHeight() * iconWidth / icon->GetWidth();
    DrawControlFrame(pDC, iconColumn, selected, FALSE, enabled, checked && !twoColumns, FALSE, FALSE,
                     kBarPopupPosition);
    DrawControlIcon(pDC, iconColumn.left + (iconColumn.Width() - iconWidth) / 2,
                    iconColumn.top + (iconColumn.Height() - iconHeight) / 2, iconWidth, iconHeight, icon, selected,
                    FALSE, enabled, checked, FALSE, FALSE);
    highlightLeft = iconColumn.right + 1;
    iconDrawn = TRUE;
  }
  if (checked && (twoColumns || !iconDrawn))
    DrawCheckMark(pDC, checkColumn, enabled ? m_menuTextColor : COLOR_GRAYTEXT,
                  bar != nullptr && bar->IsLayoutRTL());

  const int mid = (rect.top + rect.bottom) / 2;
  const CRect highlight(highlightLeft, rect.top, rect.right, rect.bottom);
  int arrowColor = textColor;
  if (type == kControlSplitButtonPopup && enabled) {
    if (control->GetPopuped() && selected) {
      pDC->FillSolidRect(highlightLeft, rect.top, rect.right - 20 - highlightLeft, rect.Height(),
                         GetColor(COLOR_HIGHLIGHT));
      DrawBevelRect(pDC, CRect(rect.right - 20, rect.top, rect.right, rect.bottom), COLOR_BTNSHADOW,
                    COLOR_BTNHIGHLIGHT);
      arrowColor = m_menuTextColor;
    } else {
      if (selected) pDC->FillSolidRect(&highlight, GetColor(COLOR_HIGHLIGHT));
      DrawColorSegment(pDC, rect.right - 20, rect.top + 1, rect.right - 20, rect.bottom - 1,
                       selected ? COLOR_BTNSHADOW : m_menuTextColor);
    }
  } else if (selected) {
    pDC->FillSolidRect(&highlight, GetColor(COLOR_HIGHLIGHT));
  }
  if (IsPopupControlType(type)) {
    const int x = rect.right - 11;
    FillTriangle(pDC, CPoint(x, mid - 3), CPoint(x + 3, mid), CPoint(x, mid + 3), GetColor(arrowColor));
  }

  pDC->SetTextColor(GetColor(textColor));
  pDC->SetBkMode(TRANSPARENT);
  CRect text(rect.left + textStart + 4, rect.top, rect.right, rect.bottom);
  if (!shortcut.IsEmpty()) {
    text.right = rect.right - 19 - shortcutWidth;
    DrawItemText(pDC, shortcut, CRect(rect.left + column + 8, rect.top, rect.right - 19, rect.bottom),
                 DT_RIGHT | DT_NOPREFIX, TRUE, selected, enabled);
  }
  DrawItemText(pDC, caption, text, captionFormat, TRUE, selected, enabled);
  return CSize(rect.Width(), height);
}

void CTkBarPainterDefault::DrawSplitButton(CDC* pDC, CTkControl* control, const CRect& rect) {
  const BOOL enabled = control->GetEnabled();
  const BOOL selected = control->GetSelected() != 0;
  const BOOL popupOpen = control->GetPopuped();
  const int position = control->GetParent() != nullptr ? control->GetParent()->GetPosition() : kBarNone;
  DrawControlFace(pDC, CRect(rect.left, rect.top, rect.right - 12, rect.bottom), enabled, selected || popupOpen,
                  control->GetPressed(), control->GetChecked(), FALSE, position);
  if ((selected || control->GetPressed() || popupOpen) && enabled)
    DrawControlFace(pDC, CRect(rect.right - 12, rect.top, rect.right, rect.bottom), enabled, TRUE, FALSE, FALSE,
                    popupOpen, position);
  const int m = (rect.top + rect.bottom) / 2;
  FillTriangle(pDC, CPoint(rect.right - 9, m - 1), CPoint(rect.right - 5, m - 1), CPoint(rect.right - 7, m + 1),
               pDC->GetTextColor());
}

void CTkBarPainterDefault::DrawFloatingFrame(CDC* pDC, const CRect& client) {
  DrawBevelRect(pDC, client, COLOR_BTNFACE, COLOR_3DDKSHADOW);
  CRect inner = client;
  inner.DeflateRect(1, 1);
  DrawBevelRect(pDC, inner, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

void CTkBarPainterDefault::FillCommandBar(CDC* pDC, CTkCommandBar* bar) {
  const CTkClientBounds client(bar);
  pDC->FillSolidRect(&client, GetColor(COLOR_BTNFACE));
  const int position = bar->GetPosition();
  if (position == kBarFloating || position == kBarPopupPosition)
    DrawFloatingFrame(pDC, client);
  else
    DrawBevelRect(pDC, client, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

CSize CTkBarPainterDefault::DrawGripper(CDC* pDC, CTkCommandBar* bar, BOOL draw) {
  if (bar->HasFixedGripper()) return DrawFixedGripper(pDC, draw);
  const CTkClientBounds client(bar);
  switch (bar->GetPosition()) {
    case kBarTop:
    case kBarBottom:
      if (draw) DrawBevelRect(pDC, CRect(3, 3, 6, client.Height() - 3), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
      return CSize(6, 0);
    case kBarLeft:
    case kBarRight:
      if (draw) DrawBevelRect(pDC, CRect(3, 3, client.Width() - 3, 6), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
      return CSize(0, 8);
    case kBarFloating: {
      CTkFontSelector font(pDC, &m_smallCaptionFont);
      const int textHeight = pDC->GetTextExtent(CString(L" ")).cy;
      const int bottom = textHeight < 15 ? 18 : textHeight + 3;
      const CRect caption(3, 3, client.Width() - 3, bottom);
      if (draw) {
        pDC->FillSolidRect(&caption, GetColor(COLOR_ACTIVECAPTION));
        const COLORREF color = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
        const int mode = pDC->SetBkMode(TRANSPARENT);
        CRect text(5, caption.top, client.Width() - 2 * caption.Height(), caption.bottom);
        pDC->DrawText(bar->GetTitle(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SetBkMode(mode);
        pDC->SetTextColor(color);
      }
      return caption.Size();
    }
    default:
      return CSize(0, 0);
  }
}

CSize CTkBarPainterDefault::DrawFixedGripper(CDC* pDC, BOOL draw) {
  const int height = m_controlHeight >= 18 ? m_controlHeight + 4 : 22;
  if (draw) DrawBevelRect(pDC, CRect(3, 3, 6, height), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
  return CSize(6, height);
}

CSize CTkBarPainterDefault::DrawSeparator(CDC* pDC, CTkCommandBar* bar, CTkControl* control, BOOL draw) {
  const BOOL popup = IsPopupBar(bar);
  if (!draw) return popup ? CSize(8, 8) : CSize(6, 6);
  const CRect rect = control->GetRect();
  const CRect row = control->GetRowRect();
  const CTkClientBounds client(bar);
  CRect groove;
  if (popup) {
    groove = CRect(14, rect.top - 5, client.Width() - 14, rect.top - 3);
  } else if (bar->GetPosition() == kBarLeft || bar->GetPosition() == kBarRight) {
    groove = control->GetWrap() ? CRect(row.right + 2, row.top, row.right + 4, row.bottom)
                                : CRect(row.left, rect.top - 4, row.right, rect.top - 2);
  } else {
    groove = control->GetWrap() ? CRect(row.left, row.top - 4, row.right, row.top - 2)
                                : CRect(rect.left - 4, row.top, rect.left - 2, row.bottom);
  }
  DrawBevelRect(pDC, groove, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  return CSize(0, 0);
}

void CTkBarPainterDefault::AdjustControlRect(CRect& rect, CTkControl* control, BOOL vertical) {
  if (control->GetType() == kControlComboBox) return;
  if (IsPopupBar(control->GetParent()))
    rect.DeflateRect(1, 0);
  else if (vertical)
    rect.InflateRect(0, 1);
  else
    rect.InflateRect(1, 0);
}

CRect CTkBarPainterDefault::GetCommandBarBorders(CTkCommandBar* bar) const {
  if (IsPopupBar(bar)) return CRect(3, 3, 3, 3);
  return CTkBarPainter::GetCommandBarBorders(bar);
}

CSize CTkBarPainterDefault::DrawTearOffStrip(CDC* pDC, CRect rect, BOOL selected, BOOL draw) {
  if (draw)
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), rect.Height() - 1,
                       GetColor(selected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  return CSize(0, 8);
}

CSize CTkBarPainterDefault::DrawSpecialControl(CDC* pDC, int kind, CTkControl* control, CTkCommandBar* bar,
                                               BOOL draw, void* extra) {
  if (draw && (kind == 2 || kind == 3) &&
      (control->GetSelected() || control->GetPressed() || (kind == 3 && control->GetPopuped())))
    pDC->FillSolidRect(&control->GetRect(), GetColor(COLOR_BTNFACE));
  return CTkBarPainter::DrawSpecialControl(pDC, kind, control, bar, draw, extra);
}

void CTkBarPainterDefault::DrawEditFrame(CDC* pDC, CRect rect, BOOL enabled, BOOL selected) {
  CRect inner = rect;
  inner.DeflateRect(1, 1);
  if (enabled) {
    if (selected)
      DrawBevelRect(pDC, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    else
      DrawBevelRect(pDC, rect, COLOR_BTNFACE, COLOR_BTNFACE);
    DrawBevelRect(pDC, inner, COLOR_BTNFACE, COLOR_BTNFACE);
    return;
  }
  const int color = selected == 2 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
  DrawBevelRect(pDC, inner, color, color);
}

void CTkBarPainterDefault::DrawComboDropButton(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL dropped) {
  rect.left += 1;
  rect.top += 2;
  rect.right -= 2;
  rect.bottom -= 2;
  CRect arrow = rect;
  if (enabled) {
    pDC->FillSolidRect(&rect, GetColor(COLOR_BTNFACE));
    if (dropped) {
      pDC->FillSolidRect(rect.left - 1, rect.top, 1, rect.Height(), GetColor(COLOR_BTNFACE));
      DrawBevelRect(pDC, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
      arrow.OffsetRect(1, 1);
    } else if (selected) {
      pDC->FillSolidRect(rect.left - 1, rect.top, 1, rect.Height(), GetColor(COLOR_BTNFACE));
      DrawBevelRect(pDC, rect, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    } else {
      DrawBevelRect(pDC, rect, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
    }
  }
  DrawDropDownArrow(pDC, arrow.left, arrow.top, arrow.right, arrow.bottom, COLOR_BTNTEXT);
}

CSize CTkBarPainterDefault::DrawFieldControl(CDC* pDC, CTkControl* control, BOOL draw, BOOL combo) {
  CTkCommandBar* bar = control->GetParent();
  const BOOL popup = IsPopupBar(bar);
  int column = 0;
  int rowHeight = 0;
  GetPopupColumns(control, column, rowHeight);
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
  const int labelColumn = !showLabel ? 0 : popup ? labelWidth + column + 9 : labelWidth + 5;
  const CSize size(control->GetFieldWidth() + labelColumn, textHeight + 1 + 7);
  if (combo) control->SetFieldThumbWidth(std::max(2 * averageWidth + 4, 15));
  if (!draw) return size;

  const CRect rect = control->GetRect();
  const BOOL enabled = control->GetEnabled();
  const BOOL selected = control->GetSelected() != 0;
  if (showLabel) {
    CTkFontSelector font(pDC, &m_regularFont);
    pDC->SetTextColor(GetColor(enabled ? (popup ? m_menuTextColor : COLOR_BTNTEXT) : COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
    CRect text(rect.left + (popup ? column + 4 : 0), rect.top, rect.left + labelColumn, rect.bottom);
    DrawItemText(pDC, label, text, DT_NOPREFIX, TRUE, selected, enabled);
  }
  CRect field(rect.left + labelColumn, rect.top, rect.right, rect.bottom);
  if (enabled) pDC->FillSolidRect(&field, GetColor(COLOR_WINDOW));
  if (combo) {
    const int buttonWidth = std::max(2 * averageWidth + 4, 15);
    const CRect button(field.right - buttonWidth, field.top, field.right, field.bottom);
    CTkFontSelector font(pDC, &m_iconTitleFont);
    pDC->SetTextColor(GetColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    CRect text(field.left + 3, field.top + 1, button.left + 1, field.bottom - 1);
    if (!control->DrawFieldText(pDC, text))
      pDC->DrawText(control->GetFieldText(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    DrawComboDropButton(pDC, button, enabled, selected, control->GetPopuped());
  }
  DrawEditFrame(pDC, field, enabled, control->GetSelected());
  return CSize(0, 0);
}

CSize CTkBarPainterDefault::DrawEditControl(CDC* pDC, CTkControl* control, BOOL draw) {
  return DrawFieldControl(pDC, control, draw, FALSE);
}

CSize CTkBarPainterDefault::DrawComboBoxControl(CDC* pDC, CTkControl* control, BOOL draw) {
  return DrawFieldControl(pDC, control, draw, TRUE);
}

CSize CTkBarPainterDefault::DrawCommandListItem(CDC* pDC, CTkControl* control, CRect rect, BOOL selected, BOOL draw,
                                                CTkImageManager* images) {
  if (draw) pDC->FillSolidRect(&rect, GetColor(COLOR_BTNFACE));
  if (control == nullptr) return CSize(0, 0);
  int column = 0;
  int height = 0;
  const CSize icons = images != nullptr && control->GetParent() != nullptr ? control->GetParent()->GetEffectiveIconSize()
                                                                          : CSize(16, 16);
  column = std::max(m_controlHeight, static_cast<int>(icons.cx) + 4);
  height = std::max(m_controlHeight, static_cast<int>(icons.cy) + 4);
  CString caption = control->GetVisibleCaption();
  StripMnemonics(caption);
  const CSize text = TextSize(pDC, caption);
  if (!draw) return CSize(column + 4 + text.cx + 40, height);

  const CRect iconColumn(rect.left, rect.top, rect.left + column, rect.bottom);
  CTkImageIcon* icon = images != nullptr ? images->GetImage(control->GetResolvedIconId(), icons.cx) : nullptr;
  if (icon != nullptr && icon->GetWidth() > 0) {
    const int iconHeight = icon->GetHeight() * icons.cx / icon->GetWidth();
    if (selected) DrawControlFrame(pDC, iconColumn, TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, kBarList);
    DrawControlIcon(pDC, iconColumn.left + (column - icons.cx) / 2, iconColumn.top + (rect.Height() - iconHeight) / 2,
                    icons.cx, iconHeight, icon, FALSE, FALSE, TRUE, FALSE, FALSE, FALSE);
  }
  const CRect body(iconColumn.right + 1, rect.top, rect.right, rect.bottom);
  if (selected) pDC->FillSolidRect(&body, GetColor(COLOR_HIGHLIGHT));
  const int textColor = selected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT;
  pDC->SetTextColor(GetColor(textColor));
  pDC->SetBkMode(TRANSPARENT);
  CRect textRect(iconColumn.right + 4, rect.top, rect.right, rect.bottom);
  pDC->DrawText(caption, &textRect, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  const int mid = (rect.top + rect.bottom) / 2;
  const int type = control->GetType();
  if (IsPopupControlType(type)) {
    FillTriangle(pDC, CPoint(rect.right - 7, mid), CPoint(rect.right - 12, mid - 5), CPoint(rect.right - 12, mid + 5),
                 GetColor(textColor));
    if (type == kControlSplitButtonPopup)
      DrawColorSegment(pDC, rect.right - 20, rect.top + 1, rect.right - 20, rect.bottom - 1, textColor);
  } else if (type == kControlComboBox || type == kControlEdit) {
    CRect box(textRect.left + text.cx + 8, rect.top + 1, rect.right - 2, rect.bottom - 1);
    if (box.Width() > 0) {
      FillRectWithBorder(pDC, box, selected ? COLOR_HIGHLIGHT : COLOR_BTNFACE, COLOR_WINDOW);
      if (type == kControlComboBox) {
        const int buttonWidth = TextSize(pDC, CString()).cy + 2;
        CRect button(box.right - buttonWidth, box.top, box.right, box.bottom);
        if (selected) {
          FillRectWithBorder(pDC, button, COLOR_HIGHLIGHT, COLOR_BTNFACE);
        } else {
          button.DeflateRect(2, 2);
          pDC->FillSolidRect(&button, GetColor(COLOR_BTNFACE));
        }
        button.DeflateRect(1, 1);
        DrawDropDownArrow(pDC, button.left, button.top, button.right, button.bottom, COLOR_BTNTEXT);
      }
    }
  }
  return CSize(0, 0);
}
