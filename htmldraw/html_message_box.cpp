#include "html_message_box.h"

#include <algorithm>

namespace {

const UINT kCountdownTimer = 1;
const wchar_t kBuiltInCountdown[] = L"%s (%d seconds remaining)";

struct ButtonText {
  UINT id;
  UINT stringId;
  const wchar_t* text;
};

const ButtonText kButtonTexts[] = {
    {IDOK, 9001, L"OK"},
    {IDCANCEL, 9002, L"Cancel"},
    {IDABORT, 9005, L"Abort"},
    {IDRETRY, 9004, L"Retry"},
    {IDIGNORE, 9003, L"Ignore"},
    {IDYES, 9007, L"Yes"},
    {IDNO, 9008, L"No"},
    {HMB_IDHELP, 9006, L"Help"},
    {HMB_IDTRYAGAIN, 9015, L"Try again"},
    {HMB_IDCONTINUE, 9009, L"Continue"},
    {HMB_IDSKIP, 9018, L"Skip"},
    {HMB_IDSKIPALL, 9019, L"Skip all"},
    {HMB_IDIGNOREALL, 9017, L"Ignore all"},
    {HMB_IDYESTOALL, 9013, L"Yes to all"},
    {HMB_IDNOTOALL, 9014, L"No to all"},
    {HMB_IDREPORT, 9016, L"Report"},
    {HMB_IDLESS, 9011, L"<< More"},
    {HMB_IDMORE, 9010, L"More >>"},
    {HMB_IDCHECKBOX, 9012, L"Do not show again"},
    {HMB_IDCOUNTDOWN, 9020, kBuiltInCountdown},
};

const ButtonText* FindButtonText(UINT id) {
  for (const ButtonText& entry : kButtonTexts)
    if (entry.id == id) return &entry;
  return nullptr;
}

// Sets 0 to 9 of the style; the 0 marks the end of a row.
struct ButtonSet {
  UINT ids[4];
  BOOL closeAllowed;
};

const ButtonSet kButtonSets[10] = {
    {{IDOK, 0, 0, 0}, TRUE},
    {{IDOK, IDCANCEL, 0, 0}, TRUE},
    {{IDABORT, IDRETRY, IDIGNORE, 0}, FALSE},
    {{IDYES, IDNO, IDCANCEL, 0}, TRUE},
    {{IDYES, IDNO, 0, 0}, FALSE},
    {{IDRETRY, IDCANCEL, 0, 0}, TRUE},
    {{IDCANCEL, IDRETRY, HMB_IDCONTINUE, 0}, TRUE},
    {{HMB_IDCONTINUE, IDABORT, 0, 0}, FALSE},
    {{HMB_IDSKIP, HMB_IDSKIPALL, IDCANCEL, 0}, TRUE},
    {{IDIGNORE, HMB_IDIGNOREALL, IDCANCEL, 0}, TRUE},
};

CString ProgramFileName() {
  WCHAR module[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  WCHAR full[MAX_PATH] = {};
  LPWSTR filePart = nullptr;
  if (::GetFullPathNameW(module, MAX_PATH, full, &filePart) == 0 || filePart == nullptr) return CString();
  return filePart;
}

CString AnswerValueName(const MessageBoxParams& params) {
  CString name;
  name.Format(L"%s%d", params.answerValueName, params.answerValueNumber);
  return name;
}

BOOL HasAnswerName(const MessageBoxParams& params) {
  return params.answerValueName != nullptr && !IS_INTRESOURCE(params.answerValueName) &&
         params.answerValueName[0] != 0;
}

DWORD ReadRememberedAnswer(const MessageBoxParams& params) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, AnswerKeyName(params.companyKey), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return 0;
  DWORD value = 0, type = 0, size = sizeof value;
  if (::RegQueryValueExW(key, AnswerValueName(params), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    value = 0;
  ::RegCloseKey(key);
  return value;
}

void RememberAnswer(const MessageBoxParams& params, DWORD answer) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, AnswerKeyName(params.companyKey), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExW(key, AnswerValueName(params), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&answer),
                   sizeof answer);
  ::RegCloseKey(key);
}

// A screen DC with a font selected, for measuring.
class CMeasureDC {
 public:
  explicit CMeasureDC(HFONT font) {
    m_screen = ::GetDC(nullptr);
    dc.Attach(m_screen);
    m_oldFont = ::SelectObject(m_screen, font);
  }
  ~CMeasureDC() {
    ::SelectObject(m_screen, m_oldFont);
    dc.Detach();
    ::ReleaseDC(nullptr, m_screen);
  }
  CDC dc;

 private:
  HDC m_screen;
  HGDIOBJ m_oldFont;
};

}  // namespace

void InitMessageBoxBackground(MessageBoxBackground& background) {
  background.separatorKind = 0;
  background.separatorAlignment = 0;
  background.separatorText = nullptr;
  background.effect = -1;
  background.beginColor = background.middleColor = background.endColor = ::GetSysColor(COLOR_BTNFACE);
}

void InitMessageBoxParams(MessageBoxParams& params) {
  params = MessageBoxParams();
  InitMessageBoxBackground(params.background);
  InitMessageBoxBackground(params.headerArea);
  InitMessageBoxBackground(params.buttonArea);
  InitMessageBoxBackground(params.moreInfoArea);
  params.buttonAlignment = 2;
  params.style = MB_ICONEXCLAMATION;
}

BOOL IsCountdownFormat(const CString& format) {
  int conversions = 0;  // 1 after "%s", 2 after "%d"
  for (int i = 0; i < format.GetLength(); ++i) {
    if (format[i] != L'%') continue;
    if (i + 1 >= format.GetLength()) return FALSE;
    const WCHAR next = format[++i];
    if (next == L'%') continue;
    if (next == L's' && conversions == 0) conversions = 1;
    else if (next == L'd' && conversions == 1) conversions = 2;
    else return FALSE;
  }
  return conversions == 2;
}

CString FormatCountdown(const CString& format, const CString& caption, int seconds) {
  const CString checked = IsCountdownFormat(format) ? format : CString(kBuiltInCountdown);
  CString number;
  number.Format(L"%d", seconds);
  CString result;
  for (int i = 0; i < checked.GetLength(); ++i) {
    if (checked[i] != L'%') {
      result += checked[i];
      continue;
    }
    const WCHAR next = checked[++i];
    result += next == L's' ? caption : next == L'd' ? number : CString(L"%");
  }
  return result;
}

CString AnswerKeyName(LPCWSTR companyKey) {
  CString key = L"Software\\";
  if (companyKey != nullptr && !IS_INTRESOURCE(companyKey) && companyKey[0] != 0) {
    key += companyKey;
    key += L"\\";
  }
  return key + ProgramFileName() + L"\\MessageBoxAnswers";
}

int ShowHtmlMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT style, const MessageBoxParams* params) {
  MessageBoxParams block;
  if (params != nullptr) block = *params;
  else InitMessageBoxParams(block);
  block.owner = owner;
  block.messageText = text;
  block.caption = caption;
  block.style = style;
  return ShowHtmlMessageBoxIndirect(&block);
}

int ShowHtmlMessageBoxIndirect(const MessageBoxParams* params) {
  MessageBoxParams block;
  if (params != nullptr) block = *params;
  else InitMessageBoxParams(block);
  if (block.owner == nullptr) {
    block.owner = ::GetActiveWindow();
    // A worker thread has no active window: show over the program instead
    // of unowned, perhaps behind its frame.
    if (block.owner == nullptr && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr)
      block.owner = AfxGetApp()->m_pMainWnd->GetSafeHwnd();
    if (block.owner != nullptr) block.owner = ::GetLastActivePopup(block.owner);
  }
  CString caption;
  if (block.caption == nullptr || IS_INTRESOURCE(block.caption) || block.caption[0] == 0) {
    WCHAR text[261] = {};
    if (block.owner != nullptr) ::SendMessageW(block.owner, WM_GETTEXT, 261, reinterpret_cast<LPARAM>(text));
    caption = text[0] != 0 ? CString(text) : CString(L"Error");
    block.caption = caption;
  }
  if ((block.style & HMB_CHECKBOX) != 0 && HasAnswerName(block)) {
    const DWORD answer = ReadRememberedAnswer(block);
    if (answer != 0) return static_cast<int>(answer);
  }
  if ((block.style & HMB_NOSOUND) == 0) ::MessageBeep(block.style & HMB_ICONMASK);
  CHtmlMessageBox box(block);
  return static_cast<int>(box.Run());
}

CHtmlMessageBox::CHtmlMessageBox(const MessageBoxParams& params) : m_params(params) {
  if (m_params.stringInstance == nullptr) m_params.stringInstance = ::GetModuleHandleW(nullptr);
  if (m_params.iconInstance == nullptr) m_params.iconInstance = ::GetModuleHandleW(nullptr);
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    m_font = ::CreateFontIndirectW(&metrics.lfMessageFont);
  if (m_font == nullptr) m_font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  switch (m_params.style & HMB_ICONMASK) {
    case MB_ICONHAND: m_icon = ::LoadIconW(nullptr, IDI_HAND); break;
    case MB_ICONQUESTION: m_icon = ::LoadIconW(nullptr, IDI_QUESTION); break;
    case MB_ICONEXCLAMATION: m_icon = ::LoadIconW(nullptr, IDI_EXCLAMATION); break;
    case MB_ICONASTERISK: m_icon = ::LoadIconW(nullptr, IDI_ASTERISK); break;
    case HMB_ICONCUSTOM:
      if (m_params.customIcon != nullptr) {
        m_icon = static_cast<HICON>(
            ::LoadImageW(m_params.iconInstance, m_params.customIcon, IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
        m_ownsIcon = m_icon != nullptr;
      }
      break;
    default: break;
  }
  m_caption = LoadText(m_params.caption);
}

CHtmlMessageBox::~CHtmlMessageBox() {
  if (m_background != nullptr) ::DeleteObject(m_background);
  if (m_ownsIcon) ::DestroyIcon(m_icon);
  ::DeleteObject(m_font);
}

INT_PTR CHtmlMessageBox::Run() {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 36);
  if (memory == nullptr) return IDCANCEL;
  DLGTEMPLATE* dialog = static_cast<DLGTEMPLATE*>(::GlobalLock(memory));
  if (dialog == nullptr) {
    ::GlobalFree(memory);
    return IDCANCEL;
  }
  dialog->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME;
  dialog->cx = 100;
  dialog->cy = 100;
  const INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog, m_params.owner, DialogProc,
                                                   reinterpret_cast<LPARAM>(this));
  ::GlobalUnlock(memory);
  ::GlobalFree(memory);
  return result;
}

INT_PTR CALLBACK CHtmlMessageBox::DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrW(hDlg, GWLP_USERDATA, lParam);
    CHtmlMessageBox* box = reinterpret_cast<CHtmlMessageBox*>(lParam);
    box->m_hDlg = hDlg;
    box->OnInitDialog();
    return FALSE;
  }
  CHtmlMessageBox* box = reinterpret_cast<CHtmlMessageBox*>(::GetWindowLongPtrW(hDlg, GWLP_USERDATA));
  return box != nullptr ? box->HandleMessage(message, wParam, lParam) : FALSE;
}

INT_PTR CHtmlMessageBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC hdc = ::BeginPaint(m_hDlg, &paint);
      Paint(hdc, FALSE);
      ::EndPaint(m_hDlg, &paint);
      return TRUE;
    }
    case WM_ERASEBKGND:
      ::SetWindowLongPtrW(m_hDlg, DWLP_MSGRESULT, 1);
      return TRUE;
    case WM_SETCURSOR: {
      POINT point;
      ::GetCursorPos(&point);
      ::ScreenToClient(m_hDlg, &point);
      BOOL onLink = FALSE;
      if (m_headerHeight > 0 && m_headerDrawer.OnSetCursor(point)) onLink = TRUE;
      if (!onLink && m_messageHeight > 0 && m_messageDrawer.OnSetCursor(point)) onLink = TRUE;
      if (!onLink && m_expanded && m_moreInfoHeight > 0 && m_moreInfoDrawer.OnSetCursor(point)) onLink = TRUE;
      if (!onLink) return FALSE;
      ::SetWindowLongPtrW(m_hDlg, DWLP_MSGRESULT, TRUE);
      return TRUE;
    }
    case WM_LBUTTONDOWN: {
      const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (m_headerHeight > 0) m_headerDrawer.OnLButtonDown(point);
      if (m_messageHeight > 0) m_messageDrawer.OnLButtonDown(point);
      if (m_expanded && m_moreInfoHeight > 0) m_moreInfoDrawer.OnLButtonDown(point);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    case WM_TIMER:
      if (wParam != kCountdownTimer) return FALSE;
      OnCountdownTick();
      return TRUE;
    case kMessageBoxLinkNotice: {
      HDC hdc = ::GetDC(m_hDlg);
      Paint(hdc, TRUE);
      ::ReleaseDC(m_hDlg, hdc);
      return TRUE;
    }
    case WM_COMMAND:
      OnCommand(wParam);
      return TRUE;
    case WM_DESTROY:
      DestroyControls();
      return FALSE;
    default: return FALSE;
  }
}

CString CHtmlMessageBox::LoadText(LPCWSTR textOrId) const {
  if (textOrId == nullptr) return CString();
  if (!IS_INTRESOURCE(textOrId)) return textOrId;
  if ((m_params.style & HMB_NORESOURCE) != 0) return CString();
  WCHAR text[261] = {};
  if (::LoadStringW(m_params.stringInstance, static_cast<UINT>(reinterpret_cast<uintptr_t>(textOrId)), text, 261) <=
      0)
    return CString();
  return text;
}

CString CHtmlMessageBox::ButtonCaption(UINT id, const CString& defaultText) const {
  const ButtonText* entry = FindButtonText(id);
  const CString fallback = defaultText.IsEmpty() && entry != nullptr ? CString(entry->text) : defaultText;
  if (m_params.buttonTexts != nullptr) {
    const auto found = m_params.buttonTexts->find(id);
    if (found != m_params.buttonTexts->end()) return LoadText(found->second);
  }
  if (entry != nullptr && (m_params.style & HMB_NORESOURCE) == 0) {
    WCHAR text[261] = {};
    if (::LoadStringW(m_params.stringInstance, entry->stringId, text, 261) > 0) return text;
  }
  return fallback;
}

CSize CHtmlMessageBox::TextExtent(HDC hdc, const CString& text) const {
  SIZE size = {};
  ::GetTextExtentPoint32W(hdc, text, text.GetLength(), &size);
  return CSize(size.cx, size.cy);
}

BOOL CHtmlMessageBox::ShowsCountdownInCaption() const {
  return m_params.disableSeconds > 0 && m_params.countdownInCaption;
}

HWND CHtmlMessageBox::DefaultButton() const {
  return m_buttons.empty() ? nullptr : m_buttons[m_defaultIndex].hWnd;
}

UINT CHtmlMessageBox::DefaultButtonId() const { return m_buttons.empty() ? 0 : m_buttons[m_defaultIndex].id; }

void CHtmlMessageBox::SetCloseItem(BOOL enabled) {
  HMENU menu = ::GetSystemMenu(m_hDlg, FALSE);
  if (menu != nullptr) ::EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void CHtmlMessageBox::OnInitDialog() {
  if (m_params.disableSeconds > 0) m_remaining = m_params.disableSeconds;
  if (m_params.autoCloseSeconds > 0) m_remaining = m_params.autoCloseSeconds;
  m_headerDrawer.SetCallbackMessage(m_hDlg, kMessageBoxLinkNotice, 0);
  m_messageDrawer.SetCallbackMessage(m_hDlg, kMessageBoxLinkNotice, 0);
  m_moreInfoDrawer.SetCallbackMessage(m_hDlg, kMessageBoxLinkNotice, 0);

  CString text = LoadText(m_params.messageText);
  if ((m_params.style & HMB_RIGHT) != 0) {
    CString wrapped;
    wrapped.Format(L"<right>%s</right>", static_cast<LPCWSTR>(text));
    text = wrapped;
  }
  if (m_icon != nullptr) {
    m_messageText.Format(L"<table cellpadding=%d><tr><td width=%d><icon handle=0x%X></td><td>%s</td></tr></table>",
                         m_cellPadding, ::GetSystemMetrics(SM_CXICON),
                         static_cast<unsigned>(reinterpret_cast<uintptr_t>(m_icon)), static_cast<LPCWSTR>(text));
  } else {
    m_messageText = text;
  }
  m_countdownFormat = ButtonCaption(HMB_IDCOUNTDOWN, CString());

  CreateControls(m_client);
  ::SetWindowTextW(m_hDlg, ShowsCountdownInCaption() ? FormatCountdown(m_countdownFormat, m_caption, m_remaining)
                                                     : m_caption);
  if (!m_closeAllowed ||
      (m_params.disableSeconds > 0 && (m_params.countdownInCaption || DefaultButtonId() == IDCANCEL)))
    SetCloseItem(FALSE);

  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(m_hDlg, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(m_hDlg, GWL_EXSTYLE));
  RECT frame = {0, 0, m_client.cx, m_client.cy};
  ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT parent = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  HWND owner = ::GetWindow(m_hDlg, GW_OWNER);
  if (owner != nullptr) ::GetWindowRect(owner, &parent);
  ::SetWindowPos(m_hDlg, nullptr, parent.left + (parent.right - width - parent.left) / 2,
                 parent.top + (parent.bottom - height - parent.top) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceControls();
  if (DefaultButton() != nullptr) ::SetFocus(DefaultButton());
  if ((m_params.style & MB_TOPMOST) != 0)
    ::SetWindowPos(m_hDlg, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  if ((m_params.style & MB_SETFOREGROUND) != 0) ::SetForegroundWindow(m_hDlg);
  if (m_remaining != 0) ::SetTimer(m_hDlg, kCountdownTimer, 1000, nullptr);
}

void CHtmlMessageBox::AddButton(UINT id) { m_buttons.push_back({id, nullptr}); }

void CHtmlMessageBox::CreateControls(SIZE& client) {
  DestroyControls();
  CMeasureDC measure(m_font);
  HDC hdc = measure.dc.GetSafeHdc();
  const int margin2 = 2 * m_textMarginX;
  int width = 0;

  m_headerHeight = 0;
  if (m_params.headerHeight > 0) {
    m_headerText = LoadText(m_params.headerText);
    CSize size;
    m_headerDrawer.Measure(&measure.dc, m_headerText, size);
    m_headerHeight = std::max(m_params.headerHeight, static_cast<int>(size.cy) + 2 * m_textMarginY);
    width = std::max(width, static_cast<int>(size.cx) + margin2);
    if (m_params.headerArea.separatorKind != 0) {
      m_headerSeparatorText = LoadText(m_params.headerArea.separatorText);
      width = std::max(width, static_cast<int>(TextExtent(hdc, m_headerSeparatorText).cx) + 2 * m_cellPadding);
    }
  }
  m_messageHeight = 0;
  if (!m_messageText.IsEmpty()) {
    CSize size;
    m_messageDrawer.Measure(&measure.dc, m_messageText, size);
    m_messageHeight = static_cast<int>(size.cy) + 2 * m_textMarginY;
    width = std::max(width, static_cast<int>(size.cx) + margin2);
  }
  m_moreInfoText = LoadText(m_params.moreInfoText);
  m_moreInfoHeight = 0;
  if (!m_moreInfoText.IsEmpty()) {
    CSize size;
    m_moreInfoDrawer.Measure(&measure.dc, m_moreInfoText, size);
    m_moreInfoHeight = static_cast<int>(size.cy) + 2 * m_textMarginY;
    width = std::max(width, static_cast<int>(size.cx) + margin2);
    m_moreInfoSeparatorText = LoadText(m_params.moreInfoArea.separatorText);
  }
  m_buttonAreaHeight = m_buttonAreaMargin;
  if (m_params.buttonArea.effect >= 0 || m_params.buttonArea.separatorKind != 0)
    m_buttonAreaHeight = 2 * m_buttonAreaMargin;
  if (m_params.buttonArea.separatorKind != 0) {
    m_buttonSeparatorText = LoadText(m_params.buttonArea.separatorText);
    width = std::max(width, static_cast<int>(TextExtent(hdc, m_buttonSeparatorText).cx) + 2 * m_cellPadding);
  }

  CString checkCaption;
  CSize checkExtent;
  if ((m_params.style & HMB_CHECKBOX) != 0) {
    m_buttonAreaHeight += m_checkBoxSize + m_buttonGap;
    CString defaultText = LoadText(m_params.checkBoxText);
    if (defaultText.IsEmpty()) defaultText = L"Do not show again";
    checkCaption = ButtonCaption(HMB_IDCHECKBOX, defaultText);
    checkExtent = TextExtent(hdc, checkCaption);
    width = std::max(width, static_cast<int>(checkExtent.cx) + 2 * m_checkBoxLeft + 20);
    m_checkBox = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0,
                                   m_checkBoxSize, m_checkBoxSize, m_hDlg,
                                   reinterpret_cast<HMENU>(static_cast<uintptr_t>(HMB_IDCHECKBOX)),
                                   ::GetModuleHandleW(nullptr), nullptr);
    m_hasCheckBox = m_checkBox != nullptr;
    if ((m_params.style & HMB_CHECKED) != 0) ::SendMessageW(m_checkBox, BM_SETCHECK, BST_CHECKED, 0);
    m_label = ::CreateWindowExW(0, L"STATIC", checkCaption, WS_CHILD | WS_VISIBLE, 0, 0, checkExtent.cx,
                                m_checkBoxSize, m_hDlg, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    m_hasLabel = m_label != nullptr;
    ::SendMessageW(m_label, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  }

  // Custom buttons replace the style's set.
  std::vector<CString> customCaptions;
  CString custom = LoadText(m_params.customButtons);
  UINT buttonSet = m_params.style & HMB_BUTTONSETMASK;
  // Sets 10 to 15 would give a box without buttons that nothing can close.
  if (buttonSet > 9) buttonSet = 0;
  m_buttons.clear();
  if (!custom.IsEmpty()) {
    custom.Remove(L'\r');
    custom += L'\n';
    int start = 0;
    for (int end = custom.Find(L'\n'); end >= 0 && customCaptions.size() < 4; end = custom.Find(L'\n', start)) {
      if (end > start) {
        customCaptions.push_back(custom.Mid(start, end - start));
        AddButton(HMB_IDCUSTOM1 + static_cast<UINT>(customCaptions.size()) - 1);
      }
      start = end + 1;
    }
  }
  m_closeAllowed = m_buttons.empty() && kButtonSets[buttonSet].closeAllowed;
  if (m_buttons.empty()) {
    for (UINT id : kButtonSets[buttonSet].ids) {
      if (id == 0) break;
      AddButton(id);
      if (buttonSet == 3 || buttonSet == 4) {
        if (id == IDYES && (m_params.style & HMB_YESTOALL) != 0) AddButton(HMB_IDYESTOALL);
        if (id == IDNO && (m_params.style & HMB_NOTOALL) != 0) AddButton(HMB_IDNOTOALL);
      }
    }
  }
  if ((m_params.style & MB_HELP) != 0) AddButton(HMB_IDHELP);
  if (m_params.reportMessage != 0 && m_params.owner != nullptr) AddButton(HMB_IDREPORT);
  if (!m_moreInfoText.IsEmpty()) {
    m_lessCaption = ButtonCaption(HMB_IDLESS, CString());
    m_moreCaption = ButtonCaption(HMB_IDMORE, CString());
    AddButton(HMB_IDMORE);
  }
  m_defaultIndex = static_cast<int>((m_params.style & HMB_DEFBUTTONMASK) >> 8);
  if (m_defaultIndex >= static_cast<int>(m_buttons.size())) m_defaultIndex = 0;

  int buttonWidth = 0, buttonHeight = 0;
  for (size_t n = 0; n < m_buttons.size(); ++n) {
    Button& button = m_buttons[n];
    const BOOL isDefault = static_cast<int>(n) == m_defaultIndex;
    CString caption;
    CSize extent;
    if (button.id == HMB_IDMORE) {
      caption = m_moreCaption;
      const CSize more = TextExtent(hdc, m_moreCaption), less = TextExtent(hdc, m_lessCaption);
      extent = CSize(std::max(more.cx, less.cx), std::max(more.cy, less.cy));
    } else {
      caption = button.id >= HMB_IDCUSTOM1 && button.id < HMB_IDCUSTOM1 + 4 ? customCaptions[button.id - HMB_IDCUSTOM1]
                                                                            : ButtonCaption(button.id, CString());
      extent = TextExtent(hdc, caption);
    }
    buttonWidth = std::max(buttonWidth, ::MulDiv(extent.cx, 80, 45));
    buttonHeight = std::max(buttonHeight, ::MulDiv(extent.cy, 23, 13));
    if (isDefault) m_defaultCaption = caption;

    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    CString shown = caption;
    CString counting;
    counting.Format(L"%s = %d", static_cast<LPCWSTR>(caption), m_remaining);
    if (button.id == HMB_IDHELP) {
      if (isDefault) {
        style |= BS_DEFPUSHBUTTON;
        if (m_params.autoCloseSeconds > 0 || (m_params.disableSeconds > 0 && !m_params.countdownInCaption))
          shown = counting;
      }
    } else if (ShowsCountdownInCaption()) {
      style |= WS_DISABLED;
    } else if (isDefault) {
      if (m_params.disableSeconds <= 0) style |= BS_DEFPUSHBUTTON;
      if (m_remaining != 0) shown = counting;
      if (m_params.disableSeconds > 0) style |= WS_DISABLED;
    }
    button.hWnd = ::CreateWindowExW(0, L"BUTTON", shown, style, 0, 0, 0, 0, m_hDlg,
                                    reinterpret_cast<HMENU>(static_cast<uintptr_t>(button.id)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(button.hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  }
  m_buttonWidth = std::max(buttonWidth, 80);
  m_buttonHeight = std::max(buttonHeight, 23);
  const int count = static_cast<int>(m_buttons.size());
  width = std::max(width, m_buttonGap + count * (m_buttonWidth + m_buttonGap));
  m_buttonAreaHeight += m_buttonHeight;

  client.cx = width;
  client.cy = m_headerHeight + m_messageHeight + m_buttonAreaHeight;
}

void CHtmlMessageBox::PlaceControls() {
  const int bottom = m_headerHeight + m_messageHeight + m_buttonAreaHeight;
  const BOOL checkBelow = m_hasCheckBox && (m_params.style & HMB_CHECKBOXBELOW) != 0;
  int top = bottom - m_buttonAreaMargin - m_buttonHeight;
  if (checkBelow) top -= m_checkBoxSize + m_buttonGap;
  const int count = static_cast<int>(m_buttons.size());
  const int row = count * (m_buttonWidth + m_buttonGap) - m_buttonGap;
  int x = m_params.buttonAlignment == 0   ? m_buttonGap
          : m_params.buttonAlignment == 1 ? m_client.cx - m_buttonGap - row
                                          : (m_client.cx - row) / 2;
  for (const Button& button : m_buttons) {
    ::MoveWindow(button.hWnd, x, top, m_buttonWidth, m_buttonHeight, FALSE);
    x += m_buttonWidth + m_buttonGap;
  }
  if (m_hasCheckBox) {
    const int checkTop = checkBelow ? bottom - m_buttonAreaMargin - m_checkBoxSize
                                    : bottom - m_buttonAreaMargin - (m_buttonGap + m_buttonHeight) - m_checkBoxSize;
    ::MoveWindow(m_checkBox, m_checkBoxLeft, checkTop, m_checkBoxSize, m_checkBoxSize, FALSE);
    RECT label = {};
    ::GetWindowRect(m_label, &label);
    ::MoveWindow(m_label, m_checkBoxLeft + m_checkBoxSize + 6, checkTop, label.right - label.left,
                 m_checkBoxSize, FALSE);
  }
}

void CHtmlMessageBox::OnCountdownTick() {
  --m_remaining;
  HWND defaultButton = DefaultButton();
  if (m_remaining > 0) {
    if (ShowsCountdownInCaption()) {
      ::SetWindowTextW(m_hDlg, FormatCountdown(m_countdownFormat, m_caption, m_remaining));
    } else if (defaultButton != nullptr) {
      CString counting;
      counting.Format(L"%s = %d", static_cast<LPCWSTR>(m_defaultCaption), m_remaining);
      ::SetWindowTextW(defaultButton, counting);
    }
    return;
  }
  ::KillTimer(m_hDlg, kCountdownTimer);
  if (m_params.disableSeconds > 0) {
    if (m_closeAllowed) SetCloseItem(TRUE);
    if (m_params.countdownInCaption) {
      ::SetWindowTextW(m_hDlg, m_caption);
      for (const Button& button : m_buttons)
        if (button.hWnd != defaultButton) ::EnableWindow(button.hWnd, TRUE);
    } else if (defaultButton != nullptr) {
      ::SetWindowTextW(defaultButton, m_defaultCaption);
    }
    if (defaultButton != nullptr) {
      ::EnableWindow(defaultButton, TRUE);
      ::SendMessageW(defaultButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
  } else if (m_params.autoCloseSeconds > 0 && defaultButton != nullptr) {
    ::SetWindowTextW(defaultButton, m_defaultCaption);
    ::SendMessageW(m_hDlg, WM_COMMAND, DefaultButtonId() | kCountdownCommand, 0);
  }
}

void CHtmlMessageBox::OnCommand(WPARAM wParam) {
  const UINT id = LOWORD(wParam);
  if (id == 0) return;
  if (id == IDCANCEL && !m_closeAllowed) return;
  switch (id) {
    case HMB_IDHELP: {
      WCHAR path[MAX_PATH] = {};
      ::GetModuleFileNameW(nullptr, path, MAX_PATH);
      CString help = path;
      const int dot = help.ReverseFind(L'.');
      if (dot >= 0) help = help.Left(dot);
      help += L".hlp";
      if (m_params.helpContext != 0) ::WinHelpW(m_hDlg, help, HELP_CONTEXT, m_params.helpContext);
      else ::WinHelpW(m_hDlg, help, HELP_PARTIALKEY, 0);
      return;
    }
    case HMB_IDREPORT:
      ::SendMessageW(m_params.owner, m_params.reportMessage, 0, 0);
      return;
    case HMB_IDLESS:
    case HMB_IDMORE:
      ToggleMoreInfo();
      return;
    default: break;
  }
  ::KillTimer(m_hDlg, kCountdownTimer);
  INT_PTR result = id;
  if (m_hasCheckBox && ::SendMessageW(m_checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    result |= m_params.style & HMB_CHECKED;
    // Only an answer the user gave is remembered: the countdown's own
    // command is not one.
    if (HasAnswerName(m_params) && (wParam & kCountdownCommand) == 0)
      RememberAnswer(m_params, static_cast<DWORD>(result));
  }
  ::EndDialog(m_hDlg, result);
}

void CHtmlMessageBox::ToggleMoreInfo() {
  m_expanded = !m_expanded;
  for (const Button& button : m_buttons)
    if (button.id == HMB_IDMORE) ::SetWindowTextW(button.hWnd, m_expanded ? m_lessCaption : m_moreCaption);
  RECT window = {};
  ::GetWindowRect(m_hDlg, &window);
  const int change = m_expanded ? m_moreInfoHeight : -m_moreInfoHeight;
  ::SetWindowPos(m_hDlg, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + change,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The buttons are painted over by the box: they repaint after it.
  ::RedrawWindow(m_hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CHtmlMessageBox::FillArea(CDC& dc, const RECT& area, const MessageBoxBackground& background) {
  if (background.effect < 0 || area.bottom <= area.top) return;
  m_messageDrawer.GetDrawEffects().FillEffect(&dc, background.effect, area, background.beginColor,
                                              background.middleColor, background.endColor, 10, 0);
}

void CHtmlMessageBox::DrawSeparator(CDC& dc, const RECT& area, int y, const MessageBoxBackground& background,
                                    const CString& text) {
  if (background.separatorKind == 0) return;
  int left = area.left + m_cellPadding, right = area.right - m_cellPadding;
  struct Piece {
    int from, to;
  } pieces[2] = {{left, right}, {0, 0}};
  if (!text.IsEmpty()) {
    HGDIOBJ oldFont = ::SelectObject(dc.GetSafeHdc(), m_font);
    const CSize extent = TextExtent(dc.GetSafeHdc(), text);
    int textX;
    if (background.separatorAlignment == 0) {
      textX = left;
      pieces[0].from = left + extent.cx + m_cellPadding;
    } else if (background.separatorAlignment == 1) {
      textX = right - extent.cx;
      pieces[0].to = textX - m_cellPadding;
    } else {
      textX = (area.left + area.right - extent.cx) / 2;
      pieces[0].to = textX - m_cellPadding;
      pieces[1] = {textX + extent.cx + m_cellPadding, right};
    }
    ::DrawStateW(dc.GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(text)),
                 text.GetLength(), textX, y - extent.cy / 2, extent.cx, extent.cy, DST_TEXT | DSS_DISABLED);
    ::SelectObject(dc.GetSafeHdc(), oldFont);
  }
  for (const Piece& piece : pieces) {
    if (piece.to <= piece.from) continue;
    if (background.separatorKind == 1) {
      RECT edge = {piece.from, y, piece.to, y + 2};
      ::DrawEdge(dc.GetSafeHdc(), &edge, EDGE_ETCHED, BF_TOP);
    } else {
      const COLORREF colour = background.separatorKind == 2 ? RGB(0, 0, 0) : RGB(255, 255, 255);
      m_messageDrawer.GetDrawEffects().DrawLine(&dc, piece.from, y, piece.to, y, colour, 1, 1);
    }
  }
}

void CHtmlMessageBox::BuildBackground(HDC hdc, int width, int height) {
  m_background = ::CreateCompatibleBitmap(hdc, width, height);
  CDC dc;
  dc.Attach(::CreateCompatibleDC(hdc));
  HGDIOBJ oldBitmap = ::SelectObject(dc.GetSafeHdc(), m_background);
  const RECT all = {0, 0, width, height};
  const MessageBoxBackground& background = m_params.background;
  if (background.effect < 0) ::FillRect(dc.GetSafeHdc(), &all, ::GetSysColorBrush(COLOR_BTNFACE));
  else FillArea(dc, all, background);
  if (m_headerHeight > 0) {
    const RECT header = {0, 0, width, m_headerHeight};
    FillArea(dc, header, m_params.headerArea);
    DrawSeparator(dc, header, m_headerHeight - 2, m_params.headerArea, m_headerSeparatorText);
  }
  const int buttonTop = m_headerHeight + m_messageHeight;
  const RECT buttons = {0, buttonTop, width, buttonTop + m_buttonAreaHeight};
  FillArea(dc, buttons, m_params.buttonArea);
  DrawSeparator(dc, buttons, buttonTop, m_params.buttonArea, m_buttonSeparatorText);
  if (m_moreInfoHeight > 0) {
    const RECT more = {0, buttons.bottom, width, height};
    FillArea(dc, more, m_params.moreInfoArea);
    DrawSeparator(dc, more, buttons.bottom, m_params.moreInfoArea, m_moreInfoSeparatorText);
  }
  ::SelectObject(dc.GetSafeHdc(), oldBitmap);
}

void CHtmlMessageBox::Paint(HDC hdc, BOOL textBandsOnly) {
  const int width = m_client.cx;
  const int height = m_headerHeight + m_messageHeight + m_buttonAreaHeight + m_moreInfoHeight;
  if (width <= 0 || height <= 0) return;
  if (m_background == nullptr) BuildBackground(hdc, width, height);
  CDC source, buffer;
  source.Attach(::CreateCompatibleDC(hdc));
  buffer.Attach(::CreateCompatibleDC(hdc));
  HBITMAP picture = ::CreateCompatibleBitmap(hdc, width, height);
  HGDIOBJ oldSource = ::SelectObject(source.GetSafeHdc(), m_background);
  HGDIOBJ oldBuffer = ::SelectObject(buffer.GetSafeHdc(), picture);
  ::BitBlt(buffer.GetSafeHdc(), 0, 0, width, height, source.GetSafeHdc(), 0, 0, SRCCOPY);
  HGDIOBJ oldFont = ::SelectObject(buffer.GetSafeHdc(), m_font);
  if (m_headerHeight > 0)
    m_headerDrawer.Draw(&buffer, CRect(m_textMarginX, m_textMarginY, width - m_textMarginX,
                                       m_headerHeight - m_textMarginY));
  if (m_messageHeight > 0)
    m_messageDrawer.Draw(&buffer, CRect(m_textMarginX, m_headerHeight + m_textMarginY, width - m_textMarginX,
                                        m_headerHeight + m_messageHeight - m_textMarginY));
  const int moreTop = m_headerHeight + m_messageHeight + m_buttonAreaHeight;
  if (m_expanded && m_moreInfoHeight > 0)
    m_moreInfoDrawer.Draw(&buffer, CRect(m_textMarginX, moreTop + m_textMarginY, width - m_textMarginX, height));
  ::SelectObject(buffer.GetSafeHdc(), oldFont);
  if (textBandsOnly) {
    ::BitBlt(hdc, 0, 0, width, m_headerHeight + m_messageHeight, buffer.GetSafeHdc(), 0, 0, SRCCOPY);
    if (m_expanded && m_moreInfoHeight > 0)
      ::BitBlt(hdc, 0, moreTop, width, m_moreInfoHeight, buffer.GetSafeHdc(), 0, moreTop, SRCCOPY);
  } else {
    const int shown = m_expanded ? height : moreTop;
    ::BitBlt(hdc, 0, 0, width, shown, buffer.GetSafeHdc(), 0, 0, SRCCOPY);
  }
  ::SelectObject(source.GetSafeHdc(), oldSource);
  ::SelectObject(buffer.GetSafeHdc(), oldBuffer);
  ::DeleteObject(picture);
  ::DeleteDC(source.Detach());
  ::DeleteDC(buffer.Detach());
}

void CHtmlMessageBox::DestroyControls() {
  for (Button& button : m_buttons) {
    if (button.hWnd != nullptr && ::IsWindow(button.hWnd)) ::DestroyWindow(button.hWnd);
    button.hWnd = nullptr;
  }
  if (m_checkBox != nullptr && ::IsWindow(m_checkBox)) ::DestroyWindow(m_checkBox);
  if (m_label != nullptr && ::IsWindow(m_label)) ::DestroyWindow(m_label);
  m_checkBox = m_label = nullptr;
}
