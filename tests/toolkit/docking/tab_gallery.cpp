// Every tab appearance with each colour set it supports, in the four strip
// positions, plus a multi-row, a rotated, a compact and a scrolled strip,
// drawn into one picture for looking at.
//   tab_gallery [--save-bitmap FILE] [--close-after MS]
// shows the picture in a window, or writes it as a bitmap file and ends.
#include <cstdio>
#include <cwchar>
#include <memory>
#include <vector>

#include "draw_helpers.h"
#include "tab_painter.h"
#include "tab_palette.h"
#include "tab_set.h"
#include "tab_shape.h"

namespace {

const int kPanelWidth = 170, kPanelHeight = 112, kGap = 6, kColumns = 8;

class GalleryStrip : public CTkTabSet {
 public:
  explicit GalleryStrip(CTkTabPainter* painter) : m_pPainter(painter) {}
  CTkTabPainter* GetPainter() const override { return m_pPainter; }
  void Reposition() override {}
  void RedrawControl() override {}
  BOOL DrawTabIcon(CDC* pDC, POINT pt, CTkTabManagerItem* item, BOOL draw, SIZE*) override {
    if (item == nullptr || item->m_imageIndex == 0) return FALSE;
    if (draw) {
      pDC->FillSolidRect(pt.x + 2, pt.y + 2, 12, 12, RGB(40, 120, 200));
      pDC->FillSolidRect(pt.x + 5, pt.y + 5, 6, 6, RGB(250, 250, 250));
    }
    return TRUE;
  }
  CTkTabPainter* m_pPainter;
};

void DrawPanel(CDC* pDC, const CRect& rc, int appearance, int colorSet, int position, int layout,
               int tabCount, int scroll, const wchar_t* label) {
  CTkTabPainter painter;
  painter.SetAppearance(appearance);
  painter.SetColorSet(colorSet);
  painter.SetStripPosition(position);
  painter.SetLayout(layout);
  GalleryStrip strip(&painter);
  const wchar_t* captions[] = {L"Files", L"Folder tree", L"Log", L"Preview", L"Find", L"Filters",
                               L"Properties", L"Saved", L"Archive", L"Pictures"};
  for (int i = 0; i < tabCount; ++i) {
    CTkTabManagerItem* tab = strip.InsertTab(-1);
    tab->m_caption = captions[i % 10];
    tab->m_imageIndex = i == 0 ? 1 : 0;
  }
  if (tabCount > 1) strip.m_pSelected = strip.GetTab(1);
  if (tabCount > 3) strip.GetTab(3)->m_bEnabled = FALSE;
  strip.m_scrollOffset = scroll;
  painter.LayoutTabs(&strip, pDC, rc);
  if (scroll != 0) painter.LayoutTabs(&strip, pDC, rc);
  painter.DrawTabControl(&strip, pDC, rc);
  CRect text = strip.m_clientRect;
  text.DeflateRect(4, 2);
  pDC->SetTextColor(RGB(90, 90, 90));
  CTkFontSelector font(pDC, &painter.m_normalFont);
  pDC->DrawText(label, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

struct Picture {
  int width = 0, height = 0;
  HBITMAP bitmap = nullptr;
  DWORD* bits = nullptr;
};

Picture Render() {
  std::vector<std::pair<int, int>> combos;
  for (int appearance = 0; appearance < 10; ++appearance) {
    std::unique_ptr<CTkTabShape> shape(CreateTabShape(appearance));
    for (int set : {1, 2, 4, 8, 16})
      if (shape->GetSupportedColorSets() & set) combos.push_back({appearance, set});
  }
  int panels = static_cast<int>(combos.size()) * 4;
  int rows = (panels + kColumns - 1) / kColumns + 1;
  Picture picture;
  picture.width = kColumns * (kPanelWidth + kGap) + kGap;
  picture.height = rows * (kPanelHeight + kGap) + kGap + 60;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  picture.bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&picture.bits),
                                      nullptr, 0);
  CDC dc;
  dc.Attach(::CreateCompatibleDC(nullptr));
  HGDIOBJ previous = ::SelectObject(dc.GetSafeHdc(), picture.bitmap);
  dc.FillSolidRect(0, 0, picture.width, picture.height, RGB(255, 255, 255));
  const wchar_t* positions[] = {L"top", L"left", L"bottom", L"right"};
  int index = 0;
  for (const auto& combo : combos) {
    for (int position = 0; position < 4; ++position, ++index) {
      int x = kGap + (index % kColumns) * (kPanelWidth + kGap);
      int y = kGap + (index / kColumns) * (kPanelHeight + kGap);
      wchar_t label[64];
      std::swprintf(label, 64, L"a%d s%d %ls", combo.first, combo.second, positions[position]);
      DrawPanel(&dc, CRect(x, y, x + kPanelWidth, y + kPanelHeight), combo.first, combo.second, position,
                kTabLayoutNatural, 3, 0, label);
    }
  }
  int y = kGap + ((index + kColumns - 1) / kColumns) * (kPanelHeight + kGap);
  int w = 2 * kPanelWidth + kGap;
  DrawPanel(&dc, CRect(kGap, y, kGap + w, y + kPanelHeight + 60), 0, 1, kTabTop,
            kTabLayoutMultiRow, 9, 0, L"multi-row");
  DrawPanel(&dc, CRect(kGap * 2 + w, y, kGap * 2 + w + kPanelWidth, y + kPanelHeight + 60), 2, 1, kTabLeft,
            kTabLayoutRotated, 4, 0, L"rotated");
  DrawPanel(&dc, CRect(kGap * 3 + w + kPanelWidth, y, kGap * 3 + 2 * w + kPanelWidth, y + kPanelHeight + 60), 3,
            4, kTabTop, kTabLayoutCompact, 5, 0, L"compact");
  DrawPanel(&dc, CRect(kGap * 4 + 2 * w + kPanelWidth, y, kGap * 4 + 3 * w + kPanelWidth, y + kPanelHeight + 60),
            9, 4, kTabBottom, kTabLayoutNatural, 10, -90, L"scrolled");
  ::SelectObject(dc.GetSafeHdc(), previous);
  ::GdiFlush();
  return picture;
}

bool SaveBitmap(const Picture& picture, const wchar_t* path) {
  FILE* file = _wfopen(path, L"wb");
  if (file == nullptr) return false;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = picture.width;
  header.biHeight = -picture.height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  DWORD size = static_cast<DWORD>(picture.width) * picture.height * 4;
  BITMAPFILEHEADER fileHeader = {};
  fileHeader.bfType = 0x4D42;
  fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
  fileHeader.bfSize = fileHeader.bfOffBits + size;
  bool ok = fwrite(&fileHeader, sizeof fileHeader, 1, file) == 1 && fwrite(&header, sizeof header, 1, file) == 1 &&
            fwrite(picture.bits, size, 1, file) == 1;
  return fclose(file) == 0 && ok;
}

Picture g_picture;

LRESULT CALLBACK GalleryProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hDC = ::BeginPaint(hWnd, &ps);
      HDC memory = ::CreateCompatibleDC(hDC);
      HGDIOBJ previous = ::SelectObject(memory, g_picture.bitmap);
      ::BitBlt(hDC, 0, 0, g_picture.width, g_picture.height, memory, 0, 0, SRCCOPY);
      ::SelectObject(memory, previous);
      ::DeleteDC(memory);
      ::EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_TIMER:
      ::DestroyWindow(hWnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  const wchar_t* save = nullptr;
  int closeAfter = 0;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--save-bitmap") == 0) save = argv[++i];
    else if (std::wcscmp(argv[i], L"--close-after") == 0) closeAfter = _wtoi(argv[++i]);
  }
  g_picture = Render();
  if (save != nullptr) return SaveBitmap(g_picture, save) ? 0 : 1;

  WNDCLASSW wc = {};
  wc.lpfnWndProc = GalleryProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TabGallery";
  ::RegisterClassW(&wc);
  HWND hWnd = ::CreateWindowExW(0, L"TabGallery", L"Tab strips", WS_POPUP | WS_VISIBLE, 0, 0, g_picture.width,
                                g_picture.height, nullptr, nullptr, instance, nullptr);
  if (closeAfter > 0) ::SetTimer(hWnd, 1, closeAfter, nullptr);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
