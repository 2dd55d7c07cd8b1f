// The program's marked-up message box: the system message box's button
// sets and more, over a background effect, with an optional header, a
// collapsible more-information area, a "Do not show again" check box whose
// answer is remembered, and a countdown that keeps the buttons disabled or
// closes the box by itself.
#pragma once

#include <map>
#include <vector>

#include "framework.h"
#include "html_text_drawer.h"

// Texts given to the box are either text pointers or, below 0x10000,
// string-resource ids.
struct MessageBoxBackground {
  int separatorKind;       // 0 none, 1 etched, 2 black line, 3 white line
  int separatorAlignment;  // 0 left, 1 right, 2 centred
  LPCWSTR separatorText;
  int effect;  // a CDrawEffects::FillEffect code; negative = none
  COLORREF beginColor;
  COLORREF middleColor;
  COLORREF endColor;
};

void InitMessageBoxBackground(MessageBoxBackground& background);

struct MessageBoxParams {
  HWND owner;
  HINSTANCE stringInstance;
  HINSTANCE iconInstance;
  LPCWSTR caption;
  LPCWSTR answerValueName;
  LPCWSTR companyKey;
  int answerValueNumber;
  UINT reportMessage;
  MessageBoxBackground background;
  int headerHeight;
  LPCWSTR headerText;
  MessageBoxBackground headerArea;
  LPCWSTR messageText;
  int buttonAlignment;  // 0 left, 1 right, other centred
  UINT style;
  MessageBoxBackground buttonArea;
  LPCWSTR moreInfoText;
  MessageBoxBackground moreInfoArea;
  int autoCloseSeconds;
  int disableSeconds;
  BOOL countdownInCaption;
  DWORD helpContext;
  LPCWSTR customIcon;
  LPCWSTR customButtons;
  LPCWSTR checkBoxText;
  const std::map<UINT, LPCWSTR>* buttonTexts;
};

// The block with every field at its default.
void InitMessageBoxParams(MessageBoxParams& params);

// Style bits beyond the system message box's.
enum HtmlMessageBoxStyle : UINT {
  HMB_BUTTONSETMASK = 0x0000000F,
  HMB_ICONMASK = 0x000000F0,
  HMB_ICONCUSTOM = 0x00000080,
  HMB_DEFBUTTONMASK = 0x00000F00,
  HMB_RIGHT = 0x00080000,
  HMB_CHECKBOX = 0x01000000,
  HMB_CHECKED = 0x02000000,
  HMB_CHECKBOXBELOW = 0x04000000,
  HMB_YESTOALL = 0x08000000,
  HMB_NOTOALL = 0x10000000,
  HMB_NORESOURCE = 0x20000000,
  HMB_NOSOUND = 0x40000000,
};

// Button ids beyond the system's.
enum HtmlMessageBoxButtons : UINT {
  HMB_IDHELP = 9,
  HMB_IDTRYAGAIN = 10,
  HMB_IDCONTINUE = 11,
  HMB_IDSKIP = 14,
  HMB_IDSKIPALL = 15,
  HMB_IDIGNOREALL = 16,
  HMB_IDYESTOALL = 19,
  HMB_IDNOTOALL = 20,
  HMB_IDREPORT = 21,
  HMB_IDCUSTOM1 = 23,
  HMB_IDLESS = 30,
  HMB_IDMORE = 31,
  HMB_IDCHECKBOX = 0x01000000,
  HMB_IDCOUNTDOWN = 0x80000000,
};

// Marks the command the countdown sends itself: it never records an answer.
const WPARAM kCountdownCommand = 0x80000000u;
// A drawer's hovered link changed: the text bands are repainted.
const UINT kMessageBoxLinkNotice = 32868;

int ShowHtmlMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style, const MessageBoxParams* params);
int ShowHtmlMessageBoxIndirect(const MessageBoxParams* params);

// The countdown caption: the format when it holds exactly one "%s" followed
// by one "%d" (and any "%%"), else the built-in one, filled in without ever
// using caller text as a printf format.
CString FormatCountdown(const CString& format, const CString& caption, int seconds);
BOOL IsCountdownFormat(const CString& format);
// Where a remembered answer lives under HKEY_CURRENT_USER.
CString AnswerKeyName(LPCWSTR companyKey);

class CHtmlMessageBox {
 public:
  explicit CHtmlMessageBox(const MessageBoxParams& params);
  virtual ~CHtmlMessageBox();
  CHtmlMessageBox(const CHtmlMessageBox&) = delete;
  CHtmlMessageBox& operator=(const CHtmlMessageBox&) = delete;

  INT_PTR Run();

 private:
  struct Button {
    UINT id;
    HWND hWnd;
  };

  static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void OnInitDialog();
  void CreateControls(SIZE& client);
  void AddButton(UINT id);
  void PlaceControls();
  void OnCountdownTick();
  void OnCommand(WPARAM wParam);
  void ToggleMoreInfo();
  void Paint(HDC hdc, BOOL textBandsOnly);
  void BuildBackground(HDC hdc, int width, int height);
  void FillArea(CDC& dc, const RECT& area, const MessageBoxBackground& background);
  void DrawSeparator(CDC& dc, const RECT& area, int y, const MessageBoxBackground& background,
                     const CString& text);
  void DestroyControls();
  HWND DefaultButton() const;
  UINT DefaultButtonId() const;
  void SetCloseItem(BOOL enabled);
  BOOL ShowsCountdownInCaption() const;

  CString LoadText(LPCWSTR textOrId) const;
  CString ButtonCaption(UINT id, const CString& defaultText) const;
  CSize TextExtent(HDC hdc, const CString& text) const;

  std::vector<Button> m_buttons;
  BOOL m_hasCheckBox = FALSE;
  HWND m_checkBox = nullptr;
  BOOL m_hasLabel = FALSE;
  HWND m_label = nullptr;
  const int m_cellPadding = 5;
  const int m_textMarginX = 14;
  const int m_textMarginY = 14;
  int m_buttonWidth = 0;
  int m_buttonHeight = 0;
  const int m_checkBoxLeft = 10;
  const int m_checkBoxSize = 13;
  const int m_buttonGap = 11;
  const int m_buttonAreaMargin = 11;
  HICON m_icon = nullptr;
  BOOL m_ownsIcon = FALSE;
  MessageBoxParams m_params;
  HFONT m_font = nullptr;
  int m_headerHeight = 0;
  int m_messageHeight = 0;
  int m_buttonAreaHeight = 0;
  int m_moreInfoHeight = 0;
  BOOL m_closeAllowed = FALSE;
  BOOL m_expanded = FALSE;
  int m_remaining = 0;
  int m_defaultIndex = 0;
  CString m_countdownFormat;
  CString m_headerSeparatorText;
  CString m_buttonSeparatorText;
  CString m_moreInfoSeparatorText;
  CString m_messageText;
  CString m_caption;
  CString m_headerText;
  CString m_moreInfoText;
  CString m_lessCaption;
  CString m_moreCaption;
  CString m_defaultCaption;
  CHtmlTextDrawer m_headerDrawer;
  CHtmlTextDrawer m_messageDrawer;
  CHtmlTextDrawer m_moreInfoDrawer;
  HBITMAP m_background = nullptr;
  SIZE m_client = {};
  HWND m_hDlg = nullptr;
};
