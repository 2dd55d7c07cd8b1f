// The parts of tool-bar controls every theme draws alike: buttons with
// their icons and captions, split and special buttons, check marks and
// drop-down arrows.
#include <algorithm>

#include "bar_painter.h"
#include "command_bar.h"
#include "draw_helpers.h"
#include "icon_image.h"

void CTkBarPainter::DrawCheckShape(CDC* pDC, const CRect& rect, COLORREF color, BOOL rightToLeft) {
  CTkPenSelector pen(pDC->GetSafeHdc(), GetColor(static_cast<int>(color)));
  // A 20 x 20 box centred in the rectangle.
  const int x0 = rect.left + rect.Width() / 2 - 10;
  const int y0 = rect.top + rect.Height() / 2 - 10;
  for (int stroke = 0; stroke < 2; ++stroke) {
    if (rightToLeft) {
      pDC->MoveTo(x0 + 6, y0 + 7 + stroke);
      pDC->LineTo(x0 + 10, y0 + 11 + stroke);
      pDC->LineTo(x0 + 13, y0 + 8 + stroke);
    } else {
      pDC->MoveTo(x0 + 6, y0 + 9 + stroke);
      pDC->LineTo(x0 + 8, y0 + 11 + stroke);
      pDC->LineTo(x0 + 13, y0 + 6 + stroke);
    }
  }
}

void CTkBarPainter::DrawCheckMark(CDC* pDC, const CRect& rect, COLORREF color, BOOL rightToLeft) {
  DrawCheckShape(pDC, rect, color, rightToLeft);
  if (m_bThickCheck) DrawCheckShape(pDC, CRect(rect.left, rect.top + 1, rect.right, rect.bottom + 1), color, rightToLeft);
}

void CTkBarPainter::DrawDropDownArrow(CDC* pDC, int left, int top, int right, int bottom, COLORREF color) {
  int s = (right - left) / 2;
  s = s > 5 ? s - 4 : 2;
  const int c = (left + right) / 2;
  const int y = (top + bottom) / 2 - s / 2;
  FillTriangle(pDC, CPoint(c - s, y), CPoint(c + s, y), CPoint(c, y + s), GetColor(static_cast<int>(color)));
}

CSize CTkBarPainter::DrawControlText(CDC* pDC, const CString& caption, CRect rect, BOOL draw, BOOL vertical,
                                     BOOL centre, BOOL arrow, BOOL embossed, BOOL showMnemonics) {
  if (m_keyboardCues == 0 || m_keyboardCues == 1) showMnemonics = m_keyboardCues;
  CString stripped = caption;
  StripMnemonics(stripped);
  CSize extent = pDC->GetTextExtent(stripped.IsEmpty() ? CString(L" ") : stripped);
  if (!draw) {
    if (arrow) extent.cx += 10;
    return vertical ? CSize(extent.cy, extent.cx) : extent;
  }
  // The disabled look: the text in the highlight colour one pixel down-right first.
  auto drawHighlight = [&](const CRect& at, UINT format) {
    const COLORREF textColor = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    CRect shadow = at;
    shadow.OffsetRect(1, 1);
    pDC->DrawText(stripped, &shadow, format);
    pDC->SetTextColor(textColor);
  };
  if (vertical) {
    rect.left = rect.right - (rect.Width() - extent.cy + 1) / 2;
    const int length = extent.cx + (arrow ? 5 : 0);
    if (centre) rect.top += (rect.Height() - length + 1) / 2;
    if (embossed) drawHighlight(rect, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    pDC->DrawText(stripped, &rect, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    if (arrow) {
      const int c = (rect.left + rect.right) / 2 + 2;
      const int y = rect.top + length - 1;
      FillTriangle(pDC, CPoint(c, y - 2), CPoint(c, y + 2), CPoint(c - 2, y), pDC->GetTextColor());
    }
    return CSize(0, 0);
  }
  const int length = extent.cx + (arrow ? 5 : 0);
  if (centre) rect.left += (rect.Width() - length) / 2;
  if (embossed) drawHighlight(rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (showMnemonics)
    pDC->DrawText(caption, &rect, DT_SINGLELINE | DT_VCENTER);
  else
    pDC->DrawText(stripped, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (arrow) {
    const int x0 = rect.left + length - 2;
    const int y = (rect.top + rect.bottom) / 2 - 1;
    FillTriangle(pDC, CPoint(x0, y), CPoint(x0 + 4, y), CPoint(x0 + 2, y + 2), pDC->GetTextColor());
  }
  return CSize(0, 0);
}

CSize CTkBarPainter::DrawControlCaption(CDC* pDC, const CString& caption, CRect rect, BOOL vertical, BOOL draw,
                                        BOOL embossed, BOOL arrow, int buttonWidth, int buttonHeight, BOOL hasIcon,
                                        BOOL showMnemonics) {
  if (m_keyboardCues == 0 || m_keyboardCues == 1) showMnemonics = m_keyboardCues;
  const CSize text = DrawControlText(pDC, caption, rect, FALSE, vertical, FALSE, arrow, embossed, showMnemonics);
  const int lead = hasIcon ? buttonWidth + 3 : 7;
  if (!vertical) {
    rect.left += hasIcon ? buttonWidth - 1 : 4;
    if (draw) DrawControlText(pDC, caption, rect, TRUE, FALSE, FALSE, arrow, embossed, showMnemonics);
    return CSize(lead + text.cx, std::max(static_cast<int>(buttonHeight), static_cast<int>(text.cy) + 6));
  }
  rect.top += hasIcon ? buttonHeight : 4;
  if (draw) DrawControlText(pDC, caption, rect, TRUE, TRUE, FALSE, arrow, embossed, showMnemonics);
  return CSize(std::max(static_cast<int>(buttonWidth), static_cast<int>(text.cx) + 6), lead + text.cy);
}

CSize CTkBarPainter::PaintControl(CDC* pDC, CTkControl* control, BOOL draw) {
  switch (control->GetType()) {
    case kControlEdit:
      return DrawEditControl(pDC, control, draw);
    case kControlComboBox:
      return DrawComboBoxControl(pDC, control, draw);
    default:
      break;
  }
  CTkCommandBar* bar = control->GetParent();
  if (bar != nullptr && bar->GetType() == kBarPopup) return DrawControlInPopupBar(pDC, control, draw);
  return DrawControlInToolBar(pDC, control, draw);
}

void CTkBarPainter::DrawControlFaceOf(CDC* pDC, CTkControl* control) {
  CTkCommandBar* bar = control->GetParent();
  DrawControlFace(pDC, control->GetRect(), control->GetEnabled(), control->GetSelected(), control->GetPressed(),
                  control->GetChecked(), control->GetPopuped(), bar != nullptr ? bar->GetPosition() : kBarNone);
}

namespace {
// The small down arrow at the right end of split buttons and icon popups.
void DrawSplitArrow(CDC* pDC, const CRect& rect) {
  const int m = (rect.top + rect.bottom) / 2;
  CTkBarPainter::FillTriangle(pDC, CPoint(rect.right - 9, m - 1), CPoint(rect.right - 5, m - 1),
                              CPoint(rect.right - 7, m + 1), pDC->GetTextColor());
}

void DrawPolyline(CDC* pDC, int x1, int y1, int x2, int y2, int x3, int y3) {
  pDC->MoveTo(x1, y1);
  pDC->LineTo(x2, y2);
  pDC->LineTo(x3, y3);
}
}  // namespace

void CTkBarPainter::DrawSplitButton(CDC* pDC, CTkControl* control, const CRect& rect) {
  const BOOL popupOpen = control->GetPopuped();
  const int position = control->GetParent() != nullptr ? control->GetParent()->GetPosition() : kBarNone;
  CRect command = rect;
  if (!popupOpen) command.right -= 11;
  DrawControlFace(pDC, command, control->GetEnabled(), control->GetSelected(), control->GetPressed(),
                  control->GetChecked(), popupOpen, position);
  if ((control->GetSelected() || control->GetPressed()) && !popupOpen && control->GetEnabled())
    DrawControlFace(pDC, CRect(rect.right - 12, rect.top, rect.right, rect.bottom), TRUE, TRUE, FALSE, FALSE, FALSE,
                    position);
  DrawSplitArrow(pDC, rect);
}

CSize CTkBarPainter::DrawControlInToolBar(CDC* pDC, CTkControl* control, BOOL draw) {
  CTkCommandBar* bar = control->GetParent();
  if (bar == nullptr) return CSize(0, 0);
  const int position = bar->GetPosition();
  const BOOL vertical = position == kBarLeft || position == kBarRight;
  CTkFontSelector font(pDC, GetControlFont(position, control->IsDefaultItem()));
  CRect rect = draw ? control->GetRect() : CRect(0, 0, 0, 0);
  const CSize iconSize = bar->GetEffectiveIconSize();
  CSize button = bar->GetEffectiveButtonSize();
  const int type = control->GetType();

  const int style = control->GetEffectiveStyle();
  const BOOL wantsIcon = style == kButtonAutomatic ? type != kControlPopup
                                                   : style == kButtonIcon || style == kButtonIconAndCaption;
  CTkImageIcon* icon = wantsIcon ? control->GetIconImage(iconSize.cx) : nullptr;
  const BOOL hasIcon = icon != nullptr;
  const BOOL captionVisible = control->IsCaptionVisible();
  const BOOL embossed = !control->GetEnabled() && !HasPopupShadow();
  const BOOL cues = bar->AreKeyboardCuesVisible();
  const CString caption = control->GetVisibleCaption();
  auto drawIcon = [&](int x, int y, int height) {
    DrawControlIcon(pDC, x, y, iconSize.cx, height, icon, control->GetSelected(), control->GetPressed(),
                    control->GetEnabled(), control->GetChecked(), control->GetPopuped(), TRUE);
  };

  if (draw) {
    if (type == kControlSplitButtonPopup)
      DrawSplitButton(pDC, control, rect);
    else
      DrawControlFaceOf(pDC, control);
  }

  if (bar->IsTextBelowIcons() && hasIcon) {
    const BOOL arrow = type == kControlPopup;
    if (!draw) {
      const CSize text = DrawControlText(pDC, caption, rect, FALSE, FALSE, TRUE, arrow, embossed, cues);
      const int height = button.cy + text.cy;
      int width = std::max(static_cast<int>(button.cx), static_cast<int>(text.cx) + 10);
      if (type == kControlSplitButtonPopup) width += 11;
      return CSize(std::max(width, height), height);
    }
    if (type == kControlSplitButtonPopup) rect.right -= 11;
    drawIcon((rect.left + rect.right) / 2 - iconSize.cx / 2, rect.top + 4, 0);
    DrawControlText(pDC, caption, CRect(rect.left, rect.top + button.cy - 4, rect.right, rect.bottom), TRUE, FALSE,
                    TRUE, arrow, embossed, cues);
    return button;
  }

  if (draw && hasIcon && icon->GetWidth() > 0) {
    const int height = icon->GetHeight() * iconSize.cx / icon->GetWidth();
    int x = rect.left + 3;
    int y = (rect.top + rect.bottom) / 2 - height / 2;
    if (vertical) {
      x = (rect.left + rect.right) / 2 - iconSize.cx / 2;
      y = rect.top + 4;
    }
    if (type == kControlSplitButtonPopup || (type == kControlPopup && !captionVisible)) x = rect.left + 3;
    drawIcon(x, y, height);
  }

  // Buttons with a caption and no icon are never smaller than 23 x 23.
  const CSize captionButton = hasIcon ? button : CSize(23, 23);
  switch (type) {
    case kControlButton:
    case kControlButtonPopup:
    case kControlLabel:
      if (!captionVisible) return button;
      return DrawControlCaption(pDC, caption, rect, vertical, draw, embossed, FALSE, captionButton.cx,
                                captionButton.cy, hasIcon, cues);
    case kControlPopup:
      if (!hasIcon) {
        // A menu title is measured with room for the arrow but drawn without it.
        const BOOL arrow = !draw || bar->GetType() != kBarMenu;
        const CSize text = DrawControlText(pDC, caption, rect, draw, vertical, TRUE, arrow, embossed, cues);
        return CSize(text.cx + 6, text.cy + 6);
      }
      if (captionVisible)
        return DrawControlCaption(pDC, caption, rect, vertical, draw, embossed, bar->GetType() != kBarMenu, button.cx,
                                  button.cy, TRUE, cues);
      if (draw) DrawSplitArrow(pDC, rect);
      return CSize(button.cy + 7, button.cy);
    case kControlSplitButtonPopup: {
      if (!captionVisible) return CSize(button.cx + 11, button.cy);
      rect.right -= 11;
      const CSize size = DrawControlCaption(pDC, caption, rect, vertical, draw, embossed, FALSE, captionButton.cx,
                                            captionButton.cy, hasIcon, cues);
      return CSize(size.cx + 11, size.cy);
    }
    default:
      return CSize(0, 0);
  }
}

CSize CTkBarPainter::DrawSpecialControl(CDC* pDC, int kind, CTkControl* control, CTkCommandBar* bar, BOOL draw,
                                        void* extra) {
  if (draw) DrawControlFaceOf(pDC, control);
  const CRect rect = control->GetRect();
  const int position = bar != nullptr ? bar->GetPosition() : kBarNone;
  const BOOL across = position == kBarLeft || position == kBarRight || position == kBarPopupPosition;
  const COLORREF text = pDC->GetTextColor();
  switch (kind) {
    case 0:
      if (!draw) {
        const CSize barSize = *static_cast<const CSize*>(extra);
        control->SetControlRect(across ? CRect(2, barSize.cy - 13, barSize.cx - 2, barSize.cy - 2)
                                       : CRect(barSize.cx - 13, 2, barSize.cx - 2, barSize.cy - 2));
        return CSize(0, 0);
      } else {
        const BOOL hiddenControls = extra != nullptr && *static_cast<const BOOL*>(extra);
        CTkPenSelector pen(pDC->GetSafeHdc(), text);
        // The double chevrons are four strokes: two pairs one pixel apart.
        static const int kStrokes[] = {0, 1, 4, 5};
        if (across) {
          FillTriangle(pDC, CPoint(rect.left + 6, rect.top + 3), CPoint(rect.left + 6, rect.top + 7),
                       CPoint(rect.left + 4, rect.top + 5), text);
          if (hiddenControls)
            for (int d : kStrokes)
              DrawPolyline(pDC, rect.right - 8, rect.top + 2 + d, rect.right - 6, rect.top + 4 + d, rect.right - 3,
                           rect.top + 1 + d);
        } else {
          const int c = (rect.left + rect.right) / 2;
          FillTriangle(pDC, CPoint(c - 2, rect.bottom - 7), CPoint(c + 2, rect.bottom - 7),
                       CPoint(c, rect.bottom - 5), text);
          if (hiddenControls)
            for (int d : kStrokes)
              DrawPolyline(pDC, rect.left + 2 + d, rect.top + 4, rect.left + 4 + d, rect.top + 6, rect.left + 1 + d,
                           rect.top + 9);
        }
        return CSize(0, 0);
      }
    case 1:
      if (draw) {
        const int c = (rect.left + rect.right) / 2;
        for (int d : {0, 1, 4, 5})
          DrawPolyline(pDC, c - 2, rect.top + 2 + d, c, rect.top + 4 + d, c + 3, rect.top + 1 + d);
      }
      return CSize(0, 12);
    case 2:
      if (draw) {
        CFont marlett;
        marlett.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX)), L"Marlett", pDC);
        CTkFontSelector font(pDC, &marlett);
        const COLORREF previous =
            !control->GetPressed() && !control->GetSelected() ? pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT)) : text;
        CRect glyph = rect;
        pDC->DrawText(CString(L"r"), &glyph, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetTextColor(previous);
      }
      return CSize(0, 0);
    case 3:
      if (draw) {
        const int c = (rect.left + rect.right) / 2;
        const int m = (rect.top + rect.bottom) / 2;
        const COLORREF color = control->GetSelected() || control->GetPopuped() ? text : GetColor(COLOR_BTNHIGHLIGHT);
        FillTriangle(pDC, CPoint(c - 3, m - 2), CPoint(c + 3, m - 2), CPoint(c, m + 1), color);
      }
      return CSize(0, 0);
    default:
      return CSize(0, 0);
  }
}
