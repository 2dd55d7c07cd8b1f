// A frame with command bars, for looking at: a menu bar and a tool bar
// docked at the top, made in the order a program's main frame makes them,
// drawn in the native look (theme 3). "--menu" opens the File menu,
// "--float" floats the tool bar, "--tip" rests the real pointer on the
// tool bar's Save button until its tip shows, "--keys" puts the menu bar
// into menu mode as Alt or F10 does ("--keys-open" then opens File, and
// "--print-popup FILE" writes the open popup's pixels to a BMP), "--theme N"
// picks another look and "--close-after MS" closes the frame by itself.
// Its shortcuts come from its accelerator table and are kept in the
// profile. "--menu-index N" opens menu N instead of File, "--scheme N"
// forces the Windows XP colour scheme N (1 blue, 2 olive, 3 silver) and
// "--capture FILE" writes the frame with its open popups and their
// shadows, read back from the windows themselves, as a bitmap file before
// it closes. "--customize N" opens the Customize sheet on page N at once,
// and "--customize-menu" then opens its context menu on the tool bar's
// first button with the button-image palette shown; "--customize-new" opens
// the New Toolbar dialog from the Toolbars page; "--customize-edit" opens
// the button editor on the tool bar's first button and draws in it.
// "--fields" adds a tool bar with an edit field (showing its grey hint), a
// hosted slider, a text field holding a word and two combo boxes
// ("--combo-open 1" opens the one with an edit field and types into it,
// "--combo-open 2" the drop-down list with its label), and
// "--bars-menu" opens the bars' right-click menu (the tool-bars list).
#include "demo_app.h"
#include "framework.h"

#include <shellapi.h>

#include <cwchar>
#include <vector>

#include "bar_painter.h"
#include "button_editor_dlg.h"
#include "command_bars.h"
#include "customize_pages.h"
#include "customize_settings_page.h"
#include "customize_sheet.h"
#include "control_combo_box.h"
#include "control_custom.h"
#include "control_edit.h"
#include "frame_demo_resources.h"
#include "frame_window.h"
#include "icon_image.h"
#include "keyboard_shortcuts.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "popup_shadows.h"
#include "tool_bar.h"
#include "toolkit_resources.h"

namespace {

enum DemoTimer : UINT {
  kCloseTimer = 1,
  kMenuTimer = 2,
  kTipTimer = 3,
  kKeysTimer = 4,
  kPrintTimer = 5,
  kCaptureTimer = 6,
  kBeforeTimer = 7,
  kCustomizeTimer = 8,
  kBarsMenuTimer = 9,
  kComboTimer = 10
};

// The running sheet and the context menu the demo opens in it.
CTkCustomizeSheet* DemoSheet = nullptr;
CTkCommandBars* DemoBars = nullptr;

void CALLBACK OpenPalette(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  CTkPopupBar* menu = DemoSheet != nullptr ? DemoSheet->GetContextMenu() : nullptr;
  if (menu == nullptr) return;
  for (int i = 0; i < menu->GetControlCount(); ++i)
    if (menu->GetControl(i)->GetID() == ID_TK_CUSTOMIZE_CHANGE_IMAGE) menu->SetPopupControl(i, FALSE);
}

void CALLBACK OpenNewToolbar(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (DemoSheet != nullptr && DemoSheet->GetToolbarsPage()->GetSafeHwnd() != nullptr)
    DemoSheet->GetToolbarsPage()->OnNew();
}

void CALLBACK OpenContextMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (DemoSheet == nullptr || DemoSheet->GetSafeHwnd() == nullptr) return;
  CTkCommandBar* bar = DemoBars->FindBarById(IDR_DEMO_TOOLBAR);
  CTkControl* first = bar != nullptr ? bar->GetControl(0) : nullptr;
  if (first == nullptr) return;
  DemoBars->SetCustomizeSelection(first);
  CPoint point = first->GetRect().CenterPoint();
  bar->ClientToScreen(&point);
  ::SetTimer(nullptr, 0, 400, &OpenPalette);
  DemoSheet->ShowContextMenu(point);
}

// Draws a framed, filled square and a line in the open button editor.
void CALLBACK DrawInEditor(HWND, UINT, UINT_PTR id, DWORD) {
  auto* editor = dynamic_cast<CTkButtonEditorDlg*>(CWnd::FromHandlePermanent(::FindWindowW(nullptr, L"Button Editor")));
  if (editor == nullptr || !editor->IsWindowVisible()) return;
  ::KillTimer(nullptr, id);
  CTkButtonEditorCanvas& canvas = editor->GetCanvas();
  const CSize cell = canvas.GetCellSize();
  auto stroke = [&](int tool, COLORREF color, CPoint from, CPoint to) {
    editor->SetTool(tool);
    for (int i = 0; i < CTkButtonEditorDlg::kSwatchCount; ++i)
      if (editor->GetSwatch(i).GetColor() == color) editor->SelectPicker(&editor->GetSwatch(i));
    const LPARAM start = MAKELPARAM(from.x * cell.cx + 1, from.y * cell.cy + 1);
    const LPARAM end = MAKELPARAM(to.x * cell.cx + 1, to.y * cell.cy + 1);
    canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, start);
    canvas.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, end);
    canvas.SendMessage(WM_LBUTTONUP, 0, end);
  };
  canvas.Clear();
  stroke(kToolRectangle, RGB(0, 0, 128), CPoint(1, 1), CPoint(14, 14));
  stroke(kToolFill, RGB(255, 255, 0), CPoint(5, 5), CPoint(5, 5));
  stroke(kToolEllipse, RGB(255, 0, 0), CPoint(4, 4), CPoint(11, 11));
  stroke(kToolLine, RGB(0, 128, 0), CPoint(2, 13), CPoint(13, 2));
  editor->SetTool(kToolPencil);
}

void CALLBACK OpenEditor(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (DemoSheet == nullptr || DemoSheet->GetSafeHwnd() == nullptr) return;
  CTkCommandBar* bar = DemoBars->FindBarById(IDR_DEMO_TOOLBAR);
  CTkControl* first = bar != nullptr ? bar->GetControl(0) : nullptr;
  if (first == nullptr) return;
  DemoBars->SetCustomizeSelection(first);
  ::SetTimer(nullptr, 0, 300, &DrawInEditor);
  DemoSheet->OnCmdMsg(ID_TK_CUSTOMIZE_EDIT_IMAGE, CN_COMMAND, nullptr, nullptr);
}

// Writes a window's own pixels (WM_PRINT) to a 24-bit BMP file: popups
// may show black on the virtual display although they draw right.
void PrintWindowToFile(HWND window, LPCWSTR path) {
  RECT rect;
  if (!::GetWindowRect(window, &rect)) return;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::PrintWindow(window, memory, 0);
  ::GdiFlush();
  const DWORD stride = ((width * 3 + 3) & ~3);
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + stride * height;
  HANDLE out = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ::WriteFile(out, &file, sizeof file, &written, nullptr);
    ::WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    ::WriteFile(out, bits, stride * height, &written, nullptr);
    ::CloseHandle(out);
  }
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
}

struct CaptureTarget {
  DWORD process;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam) {
  auto* target = reinterpret_cast<CaptureTarget*>(lParam);
  DWORD process = 0;
  ::GetWindowThreadProcessId(hWnd, &process);
  if (process == target->process && ::IsWindowVisible(hWnd)) target->windows.push_back(hWnd);
  return TRUE;
}

// A screen area with the process's popups over it, bottom-most first, each
// read back from the window itself (the screen may show them black);
// layered shadows blended from their own pixels.
BOOL CaptureProcessWindows(HWND main, HBITMAP before, const CRect& area, LPCWSTR path) {
  CaptureTarget target{::GetCurrentProcessId(), {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&target));
  void* bits = nullptr;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = area.Width();
  info.bmiHeader.biHeight = area.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HBITMAP canvas = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ previous = ::SelectObject(dc, canvas);
  // The frame as the screen shows it; under the shadows, which show black
  // on a display without a compositor, as it showed before they came.
  HDC screenDC = ::GetDC(nullptr);
  ::BitBlt(dc, 0, 0, area.Width(), area.Height(), screenDC, area.left, area.top, SRCCOPY);
  ::ReleaseDC(nullptr, screenDC);
  HDC beforeDC = ::CreateCompatibleDC(nullptr);
  HGDIOBJ oldBefore = ::SelectObject(beforeDC, before);
  for (int i = 0; i < GetPopupShadows().GetShadowCount(); ++i) {
    CRect shadow;
    ::GetWindowRect(GetPopupShadows().GetShadow(i)->GetSafeHwnd(), &shadow);
    ::BitBlt(dc, shadow.left - area.left, shadow.top - area.top, shadow.Width(), shadow.Height(), beforeDC,
             shadow.left - area.left, shadow.top - area.top, SRCCOPY);
  }
  ::SelectObject(beforeDC, oldBefore);
  ::DeleteDC(beforeDC);
  for (auto it = target.windows.rbegin(); it != target.windows.rend(); ++it) {
    if (*it == main) continue;
    CRect window;
    ::GetWindowRect(*it, &window);
    CTkPopupShadowWnd* shadow = nullptr;
    for (int i = 0; i < GetPopupShadows().GetShadowCount(); ++i)
      if (GetPopupShadows().GetShadow(i)->GetSafeHwnd() == *it) shadow = GetPopupShadows().GetShadow(i);
    if (shadow != nullptr && (::GetWindowLongPtrW(*it, GWL_EXSTYLE) & WS_EX_LAYERED) != 0) {
      void* shadowBits = nullptr;
      HBITMAP strip = CreateAlphaSection(window.Width(), window.Height(), &shadowBits);
      if (strip == nullptr) continue;
      std::vector<DWORD> pixels(static_cast<size_t>(window.Width()) * window.Height());
      CTkPopupShadowWnd::FillShadowPixels(pixels.data(), window.Width(), window.Height(), shadow->m_bBottom,
                                          shadow->m_bSoft, shadow->m_shadowColor);
      auto* rows = static_cast<DWORD*>(shadowBits);
      for (int y = 0; y < window.Height(); ++y)
        for (int x = 0; x < window.Width(); ++x)
          rows[static_cast<size_t>(window.Height() - 1 - y) * window.Width() + x] =
              pixels[static_cast<size_t>(y) * window.Width() + x];
      HDC stripDC = ::CreateCompatibleDC(nullptr);
      HGDIOBJ old = ::SelectObject(stripDC, strip);
      HRGN region = ::CreateRectRgn(0, 0, 0, 0);
      if (::GetWindowRgn(*it, region) != ERROR) {
        ::OffsetRgn(region, window.left - area.left, window.top - area.top);
        ::SelectClipRgn(dc, region);
      }
      BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
      ::AlphaBlend(dc, window.left - area.left, window.top - area.top, window.Width(), window.Height(), stripDC, 0, 0,
                   window.Width(), window.Height(), blend);
      ::SelectClipRgn(dc, nullptr);
      ::DeleteObject(region);
      ::SelectObject(stripDC, old);
      ::DeleteDC(stripDC);
      ::DeleteObject(strip);
      continue;
    }
    HDC copy = ::CreateCompatibleDC(nullptr);
    HDC screen = ::GetDC(nullptr);
    HBITMAP image = ::CreateCompatibleBitmap(screen, window.Width(), window.Height());
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(copy, image);
    ::PrintWindow(*it, copy, 0);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetWindowRgn(*it, region) != ERROR) {
      ::OffsetRgn(region, window.left - area.left, window.top - area.top);
      ::SelectClipRgn(dc, region);
    }
    ::BitBlt(dc, window.left - area.left, window.top - area.top, window.Width(), window.Height(), copy, 0, 0, SRCCOPY);
    ::SelectClipRgn(dc, nullptr);
    ::DeleteObject(region);
    ::SelectObject(copy, old);
    ::DeleteObject(image);
    ::DeleteDC(copy);
  }
  ::SelectObject(dc, previous);
  ::DeleteDC(dc);
  // Opaque everywhere, so that viewers read no alpha into the file.
  ::GdiFlush();
  auto* pixels = static_cast<DWORD*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(area.Width()) * area.Height(); ++i) pixels[i] |= 0xFF000000u;
  // A plain bottom-up 32-bit bitmap file.
  BITMAPFILEHEADER file = {};
  const DWORD size = static_cast<DWORD>(area.Width()) * area.Height() * 4;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + size;
  HANDLE out = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  BOOL written = out != INVALID_HANDLE_VALUE;
  DWORD done = 0;
  if (written) {
    written = ::WriteFile(out, &file, sizeof file, &done, nullptr) &&
              ::WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &done, nullptr) &&
              ::WriteFile(out, bits, size, &done, nullptr);
    ::CloseHandle(out);
  }
  ::DeleteObject(canvas);
  return written;
}

class DemoView : public CWnd {
 public:
  BOOL CreateView(CWnd* parent) {
    LPCWSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CreateEx(WS_EX_CLIENTEDGE, windowClass, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent,
                    AFX_IDW_PANE_FIRST);
  }
};

class DemoFrame : public CTkFrameWnd {
 public:
  UINT closeAfter = 0;
  BOOL openMenu = FALSE;
  BOOL floatBar = FALSE;
  BOOL showTip = FALSE;
  BOOL keys = FALSE;
  BOOL keysOpen = FALSE;
  CString printPath;
  int theme = 3;
  BOOL noAnimation = FALSE;
  int menuIndex = 0;
  int scheme = -1;
  CString capturePath;
  HBITMAP m_before = nullptr;
  BOOL fields = FALSE;
  // 1 opens the edit combo's list, 2 the drop-down list's.
  int comboOpen = 0;
  CTkControlComboBox* m_pDemoCombo = nullptr;
  BOOL barsMenu = FALSE;

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_view.CreateView(this)) return -1;
    if (GetCurrentBarPainter() == nullptr) SetCurrentTheme(0);
    m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
    m_pCommandBars->SetFrame(this);
    m_pCommandBars->CreateDockBars();
    if (m_pCommandBars->CreateMenuBar(L"Menu Bar", IDR_DEMO_MENU) == nullptr) return -1;
    if (scheme >= 0) GetColorScheme()->SetChosenXPScheme(static_cast<XPSchemeId>(scheme));
    SetCurrentTheme(theme);
    const UINT hidden[] = {0xE107, 0xE109};
    m_pCommandBars->AddHiddenCommands(hidden, 2);
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    if (noAnimation) m_pCommandBars->GetCommandBarsOptions()->nAnimationType = 5;
    m_pCommandBars->GetKeyboardShortcuts()->LoadFromResource(IDR_DEMO_MENU);
    m_pCommandBars->LoadOptions(L"CommandBars");
    m_pCommandBars->GetKeyboardShortcuts()->LoadAccelerators(L"CommandBars");
    CTkCommandBar* bar = m_pCommandBars->CreateToolBar(L"Standard", IDR_DEMO_TOOLBAR, FALSE);
    if (bar == nullptr || !static_cast<CTkToolBar*>(bar)->LoadToolBar(IDR_DEMO_TOOLBAR, TRUE)) return -1;
    if (floatBar) {
      static_cast<CTkToolBar*>(bar)->GetDragTracker()->SetLastFloatingPos(CPoint(lpcs->x + lpcs->cx + 20, lpcs->y + 60));
      m_pCommandBars->FloatCommandBar(bar);
    }
    bar->OnControlsChanged();
    if (fields && !AddFieldsBar()) return -1;
    if (fields && comboOpen != 0) SetTimer(kComboTimer, 1500, nullptr);
    if (barsMenu) SetTimer(kBarsMenuTimer, 400, nullptr);
    if (closeAfter != 0) SetTimer(kCloseTimer, closeAfter, nullptr);
    if (openMenu) SetTimer(kMenuTimer, 400, nullptr);
    if (!capturePath.IsEmpty()) SetTimer(kBeforeTimer, 300, nullptr);
    if (!capturePath.IsEmpty()) SetTimer(kCaptureTimer, 1500, nullptr);
    if (showTip) SetTimer(kTipTimer, 400, nullptr);
    if (keys) SetTimer(kKeysTimer, 400, nullptr);
    if (customizePage >= 0) SetTimer(kCustomizeTimer, 300, nullptr);
    return 0;
  }

  // A tool bar of fields: an empty edit with a hint, a slider window of
  // the frame's hosted by the bar, and an edit holding a word.
  BOOL AddFieldsBar() {
    CTkCommandBar* bar = m_pCommandBars->CreateToolBar(L"Fields", IDR_DEMO_TOOLBAR + 1, FALSE);
    if (bar == nullptr) return FALSE;
    auto* find = static_cast<CTkControlEdit*>(bar->GetControls()->Add(kControlEdit, ID_DEMO_FIND));
    if (find == nullptr) return FALSE;
    find->SetCaption(L"Find");
    find->SetWidth(130);
    find->SetEditHint(L"Search words");
    HWND slider = ::CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_POPUP | TBS_HORZ | TBS_NOTICKS, 0, 0, 90, 22, m_hWnd,
                                    nullptr, nullptr, nullptr);
    auto* hosted = static_cast<CTkControlCustom*>(bar->GetControls()->Add(kControlCustom, ID_DEMO_ABOUT));
    if (hosted == nullptr || slider == nullptr) return FALSE;
    hosted->SetControl(slider);
    hosted->SetBorders(CRect(2, 1, 2, 1));
    hosted->SetBeginGroup(TRUE);
    auto* word = static_cast<CTkControlEdit*>(bar->GetControls()->Add(kControlEdit, ID_DEMO_NEW));
    word->SetHasLabel(FALSE);
    word->SetEditText(L"recovered");
    word->SetBeginGroup(TRUE);
    bar->OnControlsChanged();
    // A bar of lists: a combo with its edit field and a drop-down list with a label.
    bar = m_pCommandBars->CreateToolBar(L"Lists", IDR_DEMO_TOOLBAR + 2, FALSE);
    if (bar == nullptr) return FALSE;
    auto* kind = static_cast<CTkControlComboBox*>(bar->GetControls()->Add(kControlComboBox, ID_DEMO_OPEN));
    auto* drive = static_cast<CTkControlComboBox*>(bar->GetControls()->Add(kControlComboBox, ID_DEMO_SAVE));
    if (kind == nullptr || drive == nullptr) return FALSE;
    kind->SetDropDown(TRUE);
    kind->SetAutoCompleteList(TRUE);
    kind->SetEditHint(L"File type");
    for (const wchar_t* item : {L"Pictures", L"Documents", L"Archives", L"Music", L"Video"})
      kind->GetListBox()->AddString(item);
    drive->SetCaption(L"Drive");
    drive->SetComboStyle(1);
    drive->SetWidth(110);
    for (const wchar_t* item : {L"C: System", L"D: Data", L"E: USB Device", L"F: Camera"})
      drive->GetListBox()->AddString(item);
    drive->SetCurSel(2);
    drive->SetBeginGroup(TRUE);
    m_pDemoCombo = comboOpen == 2 ? drive : kind;
    bar->OnControlsChanged();
    RecalcLayout();
    return TRUE;
  }

  CRect CaptureArea() const {
    CRect area;
    GetWindowRect(&area);
    area.InflateRect(0, 0, 40, 120);
    return area;
  }

  void OnDestroy() {
    if (m_before != nullptr) ::DeleteObject(m_before);
    if (m_pCommandBars != nullptr) {
      m_pCommandBars->SaveOptions(L"CommandBars");
      m_pCommandBars->GetKeyboardShortcuts()->SaveAccelerators(L"CommandBars");
    }
    CTkFrameWnd::OnDestroy();
  }

  void OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (id == kCloseTimer) {
      if (DemoSheet != nullptr) {
        DemoSheet->PostMessage(WM_COMMAND, IDCANCEL, 0);
        SetTimer(kCloseTimer, 100, nullptr);
        return;
      }
      DestroyWindow();
      return;
    }
    if (id == kCustomizeTimer) {
      OnCustomize();
      return;
    }
    if (id == kComboTimer && m_pDemoCombo != nullptr) {
      CTkCommandBar* bar = m_pDemoCombo->GetParent();
      bar->SetPopupControl(m_pDemoCombo->GetIndex(), FALSE);
      // Typed into the field: the list completes it.
      if (CTkComboEditWnd* edit = m_pDemoCombo->GetEditWnd()) {
        for (const wchar_t key : {L'M', L'U'}) {
          m_pDemoCombo->OnHookKeyDown(key, 0);
          edit->SendMessage(WM_CHAR, key + (L'a' - L'A'));
        }
      }
      return;
    }
    if (id == kBeforeTimer) {
      // The screen before the menu opens, for what its shadows will hide.
      const CRect area = CaptureArea();
      HDC screen = ::GetDC(nullptr);
      HDC copy = ::CreateCompatibleDC(screen);
      m_before = ::CreateCompatibleBitmap(screen, area.Width(), area.Height());
      HGDIOBJ old = ::SelectObject(copy, m_before);
      ::BitBlt(copy, 0, 0, area.Width(), area.Height(), screen, area.left, area.top, SRCCOPY);
      ::SelectObject(copy, old);
      ::DeleteDC(copy);
      ::ReleaseDC(nullptr, screen);
      return;
    }
    if (id == kBarsMenuTimer) {
      CRect client;
      GetClientRect(&client);
      CPoint point(client.left + 300, client.top + 30);
      ClientToScreen(&point);
      m_pCommandBars->ShowToolbarsContextMenu(0, point.x, point.y);
      return;
    }
    if (id == kCaptureTimer) {
      CaptureProcessWindows(m_hWnd, m_before, CaptureArea(), capturePath);
      return;
    }
    CTkMenuBar* menuBar = m_pCommandBars->GetMenuBar();
    if (id == kKeysTimer) {
      SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
      // Down opens the hot menu, as a user does next.
      if (keysOpen && menuBar != nullptr) menuBar->ProcessKey(VK_DOWN, 0);
      if (!printPath.IsEmpty()) SetTimer(kPrintTimer, 600, nullptr);
      return;
    }
    if (id == kPrintTimer && menuBar != nullptr) {
      CTkControl* open = menuBar->GetControl(menuBar->GetPopupIndex());
      CTkCommandBar* popup = open != nullptr ? open->GetCommandBar() : nullptr;
      if (popup != nullptr && popup->GetSafeHwnd() != nullptr) PrintWindowToFile(popup->m_hWnd, printPath);
    }
    if (id == kMenuTimer && menuBar != nullptr && menuBar->GetControl(menuIndex) != nullptr) {
      // A real click, as a user opens it.
      CPoint point = menuBar->GetControl(menuIndex)->GetRect().CenterPoint();
      menuBar->ClientToScreen(&point);
      ::SetCursorPos(point.x, point.y);
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
      return;
    }
    CTkCommandBar* bar = m_pCommandBars->FindBarById(IDR_DEMO_TOOLBAR);
    CTkControl* save = bar != nullptr ? bar->GetControls()->FindControl(ID_DEMO_SAVE) : nullptr;
    if (id == kTipTimer && save != nullptr) {
      CPoint point = save->GetRect().CenterPoint();
      bar->ClientToScreen(&point);
      ::SetCursorPos(point.x - 1, point.y - 1);
      ::SetCursorPos(point.x, point.y);
    }
  }

  void OnCommand(UINT id) {
    if (id == ID_DEMO_EXIT) PostMessage(WM_CLOSE);
    if (id == ID_DEMO_TOOLBAR)
      if (CTkCommandBar* bar = m_pCommandBars->FindBarById(IDR_DEMO_TOOLBAR)) bar->SetVisible(!bar->IsVisible());
  }
  void OnUpdateToolBar(CCmdUI* pCmdUI) {
    CTkCommandBar* bar = m_pCommandBars != nullptr ? m_pCommandBars->FindBarById(IDR_DEMO_TOOLBAR) : nullptr;
    pCmdUI->SetCheck(bar != nullptr && bar->IsVisible());
  }
  void OnUpdateCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(pCmdUI->m_nID != ID_DEMO_COPY); }
  // The program's sequence: the sheet, an Options page, the categories of
  // the menu, the sheet's run, and away with both.
  void OnCustomize() {
    auto* sheet = new CTkCustomizeSheet(m_pCommandBars, static_cast<UINT>(customizePage < 0 ? 0 : customizePage));
    auto* options = new CTkCustomizeSettingsPage(sheet);
    sheet->AddCustomizePage(options);
    CTkCustomizeCommandsPage* commands = sheet->GetCommandsPage();
    commands->AddCategoriesFromMenu(IDR_DEMO_MENU, FALSE);
    commands->AddAllCommandsCategory(IDS_TK_ALL_COMMANDS, -1);
    commands->AddBuiltInMenusCategory(IDR_DEMO_MENU, IDS_TK_BUILT_IN_MENUS, -1);
    commands->AddNewMenuCategory(IDS_TK_NEW_MENU, -1);
    DemoSheet = sheet;
    DemoBars = m_pCommandBars;
    if (customizeMenu) ::SetTimer(nullptr, 0, 600, &OpenContextMenu);
    if (customizeNew) ::SetTimer(nullptr, 0, 600, &OpenNewToolbar);
    if (customizeEdit) ::SetTimer(nullptr, 0, 600, &OpenEditor);
    customizeMenu = customizeNew = customizeEdit = FALSE;
    sheet->DoModal();
    DemoSheet = nullptr;
    delete options;
    delete sheet;
  }

 public:
  int customizePage = -1;
  BOOL customizeMenu = FALSE;
  BOOL customizeNew = FALSE;
  BOOL customizeEdit = FALSE;

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  DemoView m_view;
};

BEGIN_MESSAGE_MAP(DemoFrame, CTkFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_COMMAND_RANGE(ID_DEMO_NEW, ID_DEMO_ABOUT, OnCommand)
ON_UPDATE_COMMAND_UI(ID_DEMO_TOOLBAR, OnUpdateToolBar)
ON_UPDATE_COMMAND_UI_RANGE(ID_DEMO_NEW, ID_DEMO_FIND, OnUpdateCommand)
ON_COMMAND(35001, OnCustomize)
END_MESSAGE_MAP()

class DemoApp : public CTkDemoApp {
 public:
  DemoApp() : CTkDemoApp(L"Frame demo") {}
  BOOL InitInstance() override {
    auto* frame = new DemoFrame;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
      if (std::wcscmp(argv[i], L"--menu") == 0) frame->openMenu = TRUE;
      if (std::wcscmp(argv[i], L"--fields") == 0) frame->fields = TRUE;
      if (i + 1 < argc && std::wcscmp(argv[i], L"--combo-open") == 0) frame->comboOpen = _wtoi(argv[i + 1]);
      if (std::wcscmp(argv[i], L"--bars-menu") == 0) frame->barsMenu = TRUE;
      if (std::wcscmp(argv[i], L"--float") == 0) frame->floatBar = TRUE;
      if (std::wcscmp(argv[i], L"--tip") == 0) frame->showTip = TRUE;
      if (std::wcscmp(argv[i], L"--keys") == 0) frame->keys = TRUE;
      if (std::wcscmp(argv[i], L"--keys-open") == 0) frame->keys = frame->keysOpen = TRUE;
      if (i + 1 < argc && std::wcscmp(argv[i], L"--print-popup") == 0) frame->printPath = argv[i + 1];
      if (std::wcscmp(argv[i], L"--no-animation") == 0) frame->noAnimation = TRUE;
      if (i + 1 < argc && std::wcscmp(argv[i], L"--theme") == 0) frame->theme = _wtoi(argv[i + 1]);
      if (i + 1 < argc && std::wcscmp(argv[i], L"--menu-index") == 0) frame->menuIndex = _wtoi(argv[i + 1]);
      if (i + 1 < argc && std::wcscmp(argv[i], L"--scheme") == 0) frame->scheme = _wtoi(argv[i + 1]);
      if (i + 1 < argc && std::wcscmp(argv[i], L"--capture") == 0) frame->capturePath = argv[i + 1];
      if (i + 1 < argc && std::wcscmp(argv[i], L"--customize") == 0) frame->customizePage = _wtoi(argv[i + 1]);
      if (std::wcscmp(argv[i], L"--customize-menu") == 0) frame->customizeMenu = TRUE;
      if (std::wcscmp(argv[i], L"--customize-new") == 0) frame->customizeNew = TRUE;
      if (std::wcscmp(argv[i], L"--customize-edit") == 0) frame->customizeEdit = TRUE;
      if (i + 1 < argc && std::wcscmp(argv[i], L"--close-after") == 0)
        frame->closeAfter = static_cast<UINT>(_wtoi(argv[i + 1]));
    }
    LocalFree(argv);
    m_pMainWnd = frame;
    if (!frame->Create(nullptr, L"Frame demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 600, 360))) return FALSE;
    frame->SetForegroundWindow();
    frame->UpdateWindow();
    return TRUE;
  }
};

DemoApp theApp;

}  // namespace
