#include "draw_helpers.h"

#include <commctrl.h>

#include <algorithm>

#include "bar_painter.h"
#include "command_bars.h"
#include "image_manager.h"
#include "popup_bar.h"

CTkOffscreenDC::CTkOffscreenDC(HDC target, int left, int top, int right, int bottom)
    : m_hTarget(target), m_rect(left, top, right, bottom) {
  Attach(::CreateCompatibleDC(target));
  m_bitmap.Attach(::CreateCompatibleBitmap(target, right, bottom));
  m_hPrevious = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
}

CTkOffscreenDC::~CTkOffscreenDC() {
  ::BitBlt(m_hTarget, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
           SRCCOPY);
  ::SelectObject(m_hDC, m_hPrevious);
  m_bitmap.DeleteObject();
  DeleteDC();
}

CTkPenSelector::CTkPenSelector(HDC hDC, COLORREF color) : m_hDC(hDC), m_color(color) {
  m_pen.CreatePen(PS_SOLID, 1, color);
  m_hPrevious = ::SelectObject(hDC, m_pen.GetSafeHandle());
}

CTkPenSelector::~CTkPenSelector() {
  ::SelectObject(m_hDC, m_hPrevious);
  m_pen.DeleteObject();
}

void CTkPenSelector::SetColor(COLORREF color) {
  ::SelectObject(m_hDC, m_hPrevious);
  m_pen.DeleteObject();
  m_pen.CreatePen(PS_SOLID, 1, color);
  m_color = color;
  ::SelectObject(m_hDC, m_pen.GetSafeHandle());
}

CTkBrushSelector::CTkBrushSelector(HDC hDC, COLORREF color) : m_hDC(hDC) {
  m_brush.CreateSolidBrush(color);
  m_hPrevious = ::SelectObject(hDC, m_brush.GetSafeHandle());
}

CTkBrushSelector::~CTkBrushSelector() {
  ::SelectObject(m_hDC, m_hPrevious);
  m_brush.DeleteObject();
}

void CTkBrushSelector::SetColor(COLORREF color) {
  ::SelectObject(m_hDC, m_hPrevious);
  m_brush.DeleteObject();
  m_brush.CreateSolidBrush(color);
  ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}

CTkMemoryBitmapDC::CTkMemoryBitmapDC(CDC* pDC, HBITMAP bitmap) {
  Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
  m_hPrevious = ::SelectObject(m_hDC, bitmap);
}

CTkMemoryBitmapDC::~CTkMemoryBitmapDC() {
  ::SelectObject(m_hDC, m_hPrevious);
  DeleteDC();
}

CTkScreenBounds::CTkScreenBounds(HWND hWnd) {
  if (hWnd == nullptr || !::GetWindowRect(hWnd, this)) SetRectEmpty();
}

CTkClientBounds::CTkClientBounds(HWND hWnd) {
  if (hWnd == nullptr || !::GetClientRect(hWnd, this)) SetRectEmpty();
}

CTkClientCursorPos::CTkClientCursorPos(HWND hWnd) {
  x = y = 0;
  ::GetCursorPos(this);
  ::ScreenToClient(hWnd, this);
}

IMPLEMENT_DYNAMIC(CTkMemDC, CDC)

CTkMemDC::CTkMemDC(CDC* pDC, const CRect& rect, const CTkGradientColor& background, BOOL horizontal)
    : m_pTarget(pDC), m_rect(rect) {
  if (m_rect.IsRectEmpty()) pDC->GetClipBox(&m_rect);
  if (!Attach(::CreateCompatibleDC(pDC->GetSafeHdc()))) return;
  m_bValid = TRUE;
  SetMapMode(pDC->GetMapMode());
  m_bitmap.Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), m_rect.Width(), m_rect.Height()));
  m_hPrevious = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
  if (static_cast<COLORREF>(background.m_second) != kColorUnset) {
    CRect whole(0, 0, m_rect.Width(), m_rect.Height());
    GetGradientPainter().FillGradientColor(this, &whole, background, horizontal);
  }
}

CTkMemDC::~CTkMemDC() {
  if (!m_bValid) return;
  m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, 0, 0, SRCCOPY);
  ::SelectObject(m_hDC, m_hPrevious);
  m_bitmap.DeleteObject();
  DeleteDC();
}

CTkGradientPainter::CTkGradientPainter(BOOL loadGradientFill) {
  if (!loadGradientFill) return;
  m_hModule = ::LoadLibraryW(L"msimg32.dll");
  if (m_hModule != nullptr)
    m_gradientFill = reinterpret_cast<GradientFillProc>(
        reinterpret_cast<void*>(::GetProcAddress(m_hModule, "GradientFill")));
}

CTkGradientPainter::~CTkGradientPainter() {
  if (m_hModule != nullptr) ::FreeLibrary(m_hModule);
}

CTkGradientPainter& GetGradientPainter() {
  static CTkGradientPainter SharedGradientPainter;
  return SharedGradientPainter;
}

COLORREF CTkGradientPainter::MixColors(COLORREF a, COLORREF b, float weight) {
  auto channel = [weight](int x, int y) {
    int value = static_cast<int>(weight * x + (1.0f - weight) * y);
    return std::min(std::max(value, 0), 255);
  };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

void CTkGradientPainter::FillGradient(CDC* pDC, LPCRECT rect, COLORREF first, COLORREF second, BOOL horizontal) {
  if (rect == nullptr || ::IsRectEmpty(rect)) return;
  if (IsLowColorDisplay(pDC->GetSafeHdc()) || first == second) {
    pDC->FillSolidRect(rect, first);
    return;
  }
  if (m_gradientFill == nullptr) {
    FillBands(pDC, *rect, first, second, horizontal);
    return;
  }
  TRIVERTEX vertices[2] = {};
  const COLORREF colors[2] = {first, second};
  const POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
  for (int i = 0; i < 2; ++i) {
    vertices[i].x = corners[i].x;
    vertices[i].y = corners[i].y;
    vertices[i].Red = static_cast<COLOR16>(GetRValue(colors[i]) << 8);
    vertices[i].Green = static_cast<COLOR16>(GetGValue(colors[i]) << 8);
    vertices[i].Blue = static_cast<COLOR16>(GetBValue(colors[i]) << 8);
  }
  GRADIENT_RECT gradient = {0, 1};
  m_gradientFill(pDC->GetSafeHdc(), vertices, 2, &gradient, 1,
                 horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

void CTkGradientPainter::FillBands(CDC* pDC, const CRect& rect, COLORREF first, COLORREF second, BOOL horizontal) {
  CRect clipped;
  pDC->GetClipBox(&clipped);
  if (clipped.IsRectEmpty())
    clipped = rect;
  else
    clipped.IntersectRect(&clipped, &rect);
  if (horizontal) {
    float width = static_cast<float>(std::max(1, rect.Width()));
    for (int x = clipped.left; x < clipped.right; ++x)
      pDC->FillSolidRect(x, clipped.top, 1, clipped.Height(),
                         MixColors(first, second, 1.0f - static_cast<float>(x - rect.left) / width));
  } else {
    float height = static_cast<float>(std::max(1, rect.Height()));
    for (int y = clipped.top; y < clipped.bottom; ++y)
      pDC->FillSolidRect(clipped.left, y, clipped.Width(), 1,
                         MixColors(first, second, 1.0f - static_cast<float>(y - rect.top) / height));
  }
}

void CTkGradientPainter::FillGradientClipped(CDC* pDC, LPCRECT rect, COLORREF first, COLORREF second,
                                             BOOL horizontal, LPCRECT clip) {
  if (clip == nullptr) {
    FillGradient(pDC, rect, first, second, horizontal);
    return;
  }
  CRect part(rect);
  // Along the gradient's axis: start, end and the clip's start and end.
  LONG& start = horizontal ? part.left : part.top;
  LONG& end = horizontal ? part.right : part.bottom;
  LONG clipStart = horizontal ? clip->left : clip->top;
  LONG clipEnd = horizontal ? clip->right : clip->bottom;
  if (horizontal) {
    part.top = std::max(part.top, clip->top);
    part.bottom = std::min(part.bottom, clip->bottom);
  } else {
    part.left = std::max(part.left, clip->left);
    part.right = std::min(part.right, clip->right);
  }
  if (clipEnd < start || clipStart > end) return;
  float length = static_cast<float>(end - start);
  COLORREF a = first;
  COLORREF b = second;
  const LONG fullEnd = end;
  if (clipStart > start && length > 0) {
    a = MixColors(first, second, static_cast<float>(fullEnd - clipStart) / length);
    start = clipStart;
  }
  if (clipEnd < fullEnd && length > 0) {
    b = MixColors(first, second, static_cast<float>(fullEnd - clipEnd) / length);
    end = clipEnd;
  }
  FillGradient(pDC, &part, a, b, horizontal);
}

void CTkGradientPainter::FillGradientColor(CDC* pDC, LPCRECT rect, const CTkGradientColor& color,
                                           BOOL horizontal, LPCRECT clip) {
  COLORREF first = color.m_first;
  COLORREF second = color.m_second;
  if (color.m_factor == 0.5f) {
    FillGradientClipped(pDC, rect, first, second, horizontal, clip);
    return;
  }
  COLORREF middle = MixColors(first, second, color.m_factor);
  CRect firstHalf(rect);
  CRect secondHalf(rect);
  if (horizontal) {
    firstHalf.right = rect->right - (rect->right - rect->left) / 2;
    secondHalf.left = firstHalf.right;
  } else {
    firstHalf.bottom = rect->bottom - (rect->bottom - rect->top) / 2;
    secondHalf.top = firstHalf.bottom;
  }
  FillGradientClipped(pDC, &firstHalf, first, middle, horizontal, clip);
  FillGradientClipped(pDC, &secondHalf, middle, second, horizontal, clip);
}

void CTkGradientPainter::BlendPixelPairs(CDC* pDC, const int* list, int length) {
  for (int i = 0; i < (length + 1) / 2; ++i) {
    const int* entry = list + i * 4;
    COLORREF a = pDC->GetPixel(entry[0], entry[1]);
    COLORREF b = pDC->GetPixel(entry[0] + entry[2], entry[1] + entry[3]);
    pDC->SetPixel(entry[0], entry[1],
                  RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
                      (GetBValue(a) + GetBValue(b)) / 2));
  }
}

namespace {

struct MonitorFunctions {
  using FromWindowProc = HMONITOR(WINAPI*)(HWND, DWORD);
  using FromRectProc = HMONITOR(WINAPI*)(LPCRECT, DWORD);
  using FromPointProc = HMONITOR(WINAPI*)(POINT, DWORD);
  using InfoProc = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

  // All five entries or none.
  BOOL Load() {
    if (!m_bLoaded) {
      m_bLoaded = TRUE;
      HMODULE user = ::GetModuleHandleW(L"user32.dll");
      auto entry = [user](const char* name) { return reinterpret_cast<void*>(::GetProcAddress(user, name)); };
      m_getSystemMetrics = entry("GetSystemMetrics");
      m_fromWindow = reinterpret_cast<FromWindowProc>(entry("MonitorFromWindow"));
      m_fromRect = reinterpret_cast<FromRectProc>(entry("MonitorFromRect"));
      m_fromPoint = reinterpret_cast<FromPointProc>(entry("MonitorFromPoint"));
      m_getInfo = reinterpret_cast<InfoProc>(
          entry((::GetVersion() & 0x80000000) == 0 ? "GetMonitorInfoW" : "GetMonitorInfoA"));
      if (m_getSystemMetrics == nullptr || m_fromWindow == nullptr || m_fromRect == nullptr ||
          m_fromPoint == nullptr || m_getInfo == nullptr) {
        m_getSystemMetrics = nullptr;
        m_fromWindow = nullptr;
        m_fromRect = nullptr;
        m_fromPoint = nullptr;
        m_getInfo = nullptr;
      }
    }
    return m_getInfo != nullptr;
  }

  BOOL m_bLoaded = FALSE;
  void* m_getSystemMetrics = nullptr;
  FromWindowProc m_fromWindow = nullptr;
  FromRectProc m_fromRect = nullptr;
  FromPointProc m_fromPoint = nullptr;
  InfoProc m_getInfo = nullptr;
};

MonitorFunctions monitorFunctions;

CRect WorkAreaOf(HMONITOR monitor) {
  if (monitor != nullptr) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;  // 40
    if (monitorFunctions.m_getInfo(monitor, &info)) return info.rcWork;
  }
  CRect primary;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  return primary;
}

}  // namespace

CRect FindWorkAreaOfRect(const RECT& rect) {
  return WorkAreaOf(monitorFunctions.Load() ? monitorFunctions.m_fromRect(&rect, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect FindWorkAreaOfWindow(HWND hWnd) {
  return WorkAreaOf(monitorFunctions.Load() ? monitorFunctions.m_fromWindow(hWnd, MONITOR_DEFAULTTONULL) : nullptr);
}

CRect FindWorkAreaOfPoint(POINT point) {
  return WorkAreaOf(monitorFunctions.Load() ? monitorFunctions.m_fromPoint(point, MONITOR_DEFAULTTONULL) : nullptr);
}

BOOL IsTopLevelWindowActive(HWND hWnd) {
  HWND top = hWnd;
  while (top != nullptr && (::GetWindowLongW(top, GWL_STYLE) & WS_CHILD) != 0) top = ::GetParent(top);
  for (HWND owner = top; owner != nullptr; owner = ::GetWindow(owner, GW_OWNER)) top = owner;
  return top != nullptr && ::GetForegroundWindow() == ::GetLastActivePopup(top);
}

void StripMnemonics(CString& text) {
  CString result;
  int length = text.GetLength();
  for (int i = 0; i < length; ++i) {
    if (text[i] == L'&' && (i == length - 1 || text[i + 1] != L'&')) {
      ++i;  // the character after a removed mark is kept unexamined
      if (i < length) result += text[i];
      continue;
    }
    result += text[i];
  }
  text = result;
}

void RemoveMnemonicMarks(CString& text) {
  CString result;
  int length = text.GetLength();
  int i = 0;
  for (; i < length - 1; ++i) {
    if (text[i] == L'&' && text[i + 1] == L'&') {
      result += L"&&";
      ++i;
    } else if (text[i] != L'&') {
      result += text[i];
    }
  }
  if (i < length) result += text[i];
  text = result;
}

void MirrorArrowKey(HWND hWnd, UINT& key) {
  if (hWnd == nullptr || !::IsWindow(hWnd) || (::GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) == 0) return;
  if (key == VK_LEFT)
    key = VK_RIGHT;
  else if (key == VK_RIGHT)
    key = VK_LEFT;
}

void FillTriangle(CDC* pDC, const POINT points[3], COLORREF color) {
  CTkPenSelector pen(pDC->GetSafeHdc(), color);
  CTkBrushSelector brush(pDC->GetSafeHdc(), color);
  pDC->Polygon(points, 3);
}

void FillHalftoneRect(CDC* pDC, LPCRECT rect) {
  const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  CBitmap pattern;
  pattern.CreateBitmap(8, 8, 1, 1, rows);
  CBrush brush;
  brush.CreatePatternBrush(&pattern);
  COLORREF oldBack = pDC->SetBkColor(GetColorScheme()->GetColor(COLOR_BTNFACE));
  COLORREF oldText = pDC->SetTextColor(GetColorScheme()->GetColor(COLOR_BTNHIGHLIGHT));
  {
    CTkObjectSelector select(pDC->GetSafeHdc(), brush.GetSafeHandle());
    pDC->PatBlt(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
  }
  pDC->SetBkColor(oldBack);
  pDC->SetTextColor(oldText);
}

XPSchemeId GetCurrentXPScheme() { return GetColorScheme()->GetActiveXPScheme(); }

HICON CTkBitmapIconMaker::MakeIcon() const {
  if (m_hBitmap == nullptr) return nullptr;
  COLORREF transparent = static_cast<COLORREF>(-1);
  BITMAP info = {};
  if (::GetObjectW(m_hBitmap, sizeof info, &info) != 0) {
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(memory, m_hBitmap);
    transparent = ::GetPixel(memory, 0, 0);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
  }
  if (info.bmWidth == 0 || info.bmHeight == 0) return nullptr;
  HIMAGELIST list = ::ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
  if (list == nullptr) return nullptr;
  ::ImageList_AddMasked(list, m_hBitmap, transparent);
  HICON icon = ::ImageList_GetIcon(list, 0, ILD_NORMAL);
  ::ImageList_Destroy(list);
  return icon;
}

void CTkDragLineTracker::Draw(const CRect& rect) {
  if (m_bInvert) {
    m_dc.InvertRect(&rect);
    return;
  }
  CTkObjectSelector brush(m_dc.GetSafeHdc(), AfxGetHalftoneBrush()->GetSafeHandle());
  m_dc.PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
}

BOOL TrackAlongAxis(HWND hWnd, const CRect& bounds, CRect& line, CPoint start, BOOL horizontal, BOOL paintsFirst,
                    const std::function<BOOL(const CRect& from, const CRect& to)>& moved) {
  const int offset = horizontal ? line.left - start.x : line.top - start.y;
  const int low = horizontal ? bounds.left : bounds.top;
  const int high = horizontal ? bounds.right : bounds.bottom;
  ::SetCapture(hWnd);
  BOOL accepted = FALSE;
  while (::GetCapture() == hWnd) {
    MSG msg;
    if (paintsFirst) {
      while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE) {
      POINT point = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      ::ClientToScreen(msg.hwnd, &point);
      int position = (horizontal ? point.x : point.y) + offset;
      position = std::max(low, std::min(position, high));  // the minimum wins an empty range
      int current = horizontal ? line.left : line.top;
      if (position == current) continue;
      CRect from = line;
      if (horizontal)
        line.OffsetRect(position - current, 0);
      else
        line.OffsetRect(0, position - current);
      if (!moved(from, line)) return FALSE;
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      break;
    } else if (msg.message == WM_LBUTTONUP) {
      accepted = TRUE;
      break;
    } else {
      ::DispatchMessageW(&msg);
    }
  }
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  return accepted;
}

BOOL CTkDragLineTracker::Track(CWnd* pWnd, const CRect& bounds, CRect& line, CPoint start, BOOL horizontal) {
  HWND desktop = ::GetDesktopWindow();
  BOOL locked = ::LockWindowUpdate(desktop);
  m_dc.Attach(::GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE | (locked ? DCX_LOCKWINDOWUPDATE : 0)));
  Draw(line);
  if (!m_extra.IsRectEmpty()) Draw(m_extra);
  BOOL accepted = TrackAlongAxis(pWnd->GetSafeHwnd(), bounds, line, start, horizontal, FALSE,
                                 [this](const CRect& from, const CRect& to) {
                                   Draw(from);
                                   Draw(to);
                                   return TRUE;
                                 });
  if (!m_extra.IsRectEmpty()) Draw(m_extra);
  Draw(line);
  if (locked) ::LockWindowUpdate(nullptr);
  ::ReleaseDC(desktop, m_dc.Detach());
  return accepted;
}

UINT TrackContextMenu(CMenu* menu, UINT flags, int x, int y, CWnd* owner, UINT toolBarId) {
  if (CurrentBarPainter == nullptr) SetCurrentTheme(0);
  if (CurrentBarPainter == nullptr) return static_cast<UINT>(menu->TrackPopupMenu(flags, x, y, owner));
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(nullptr);
  if (popup == nullptr) return 0;
  if (toolBarId > 0) {
    auto* images = new CTkImageManager;
    images->AddIconsFromToolBar(toolBarId);
    popup->AttachImageManager(images);
  }
  popup->SetOwner(owner);
  if (!popup->BuildFromMenu(menu, TRUE)) {
    popup->InternalRelease();
    return 0;
  }
  const int result = CTkCommandBars::TrackPopupBar(popup, flags | TPM_NONOTIFY, x, y, owner, nullptr, nullptr);
  popup->InternalRelease();
  return static_cast<UINT>(result);
}
