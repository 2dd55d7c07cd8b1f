// What the drive page and the partition page build alike: the Next, Back,
// start-over and Stop buttons with their pictures, colours and hover sound,
// the percentage bar, and where everything goes in the page.
#pragma once

#include "framework.h"
#include "gradient_progress.h"
#include "styled_button.h"

// Control ids shared by the wizard's pages.
enum : UINT {
  kNextButtonId = 159,
  kBackButtonId = 160,
  kStopButtonId = 132,
  kStartOverButtonId = 61481,
  kProgressBarId = 61457,
  kStatusLineId = 170,
  kInfoPaneId = 59649,
};

// The pages' button pictures (wizard.rc) and the hover sound.
enum : UINT {
  kStartOverBitmap = 268,
  kNextActiveBitmap = 389,
  kNextRestingBitmap = 390,
  kStopActiveBitmap = 392,
  kBackRestingBitmap = 393,
  kBackActiveBitmap = 394,
  kStopRestingBitmap = 395,
  kHoverSound = 132,
};

// Creates the page's information pane (id kInfoPaneId) over rect, a child
// of the main frame (of the page's parent where there is none) with the
// frame's document, initialised and shown.
void CreateInfoPane(CWnd* page, CView* pane, const CRect& rect);
// Creates Next, Back and start-over (shown) and Stop (hidden, disabled).
void CreateStepButtons(CWnd* page, CStyledButton& next, CStyledButton& back, CStyledButton& startOver,
                       CStyledButton& stop);
// The percentage bar with its range, font, text and colours.
void CreateStepProgress(CWnd* page, CGradientProgressCtrl& bar, DWORD style, CFont& font);
// Arial of the height and weight.
void CreateArialFont(CFont& font, int height, int weight);
// Places the buttons, bar, status line and the splitter of the id.
void LayOutStepPage(CWnd& page, UINT splitterId, int cx, int cy);
// The page's background picture stretched, the banner at the top left.
void DrawStepPage(CWnd& page, CDC* dc);
// Shows and enables, or hides and disables.
void ShowStepControl(CWnd& control, bool shown);
// BM_GETSTATE is exactly "pushed": the ring highlighted the button.
bool IsRingHighlighted(CButton& button);
