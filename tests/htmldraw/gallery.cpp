// Draws a gallery of marked-up texts, tables, pictures, links and every
// background effect into a window, and with --save into a BMP file.
//   htmldraw_gallery [--save FILE.bmp] [--close-after MS]
#include <cstdio>
#include <string>
#include <vector>

#include "close_after.h"
#include "draw_effects.h"
#include "framework.h"
#include "html_text_drawer.h"
#include "start_page_tips.h"

namespace {

const int kWidth = 1060;
const int kHeight = 860;


const wchar_t* const kEffectNames[] = {L"transparent", L"solid",    L"hgradient",  L"vgradient", L"hcgradient",
                                       L"vcgradient",  L"3hgradient", L"3vgradient", L"noise",    L"diagshade",
                                       L"hshade",      L"vshade",   L"hbump",      L"vbump",     L"softbump",
                                       L"hardbump",    L"metal"};

// Measures and draws text at (x, y); returns its size.
CSize DrawMarkup(CDC* pDC, CHtmlTextDrawer& drawer, const std::wstring& text, int x, int y,
                 COLORREF background = CLR_INVALID, int width = 0) {
  CSize size;
  drawer.Measure(pDC, text.c_str(), size);
  CRect area(x, y, x + (width > 0 ? width : size.cx), y + size.cy);
  if (background != CLR_INVALID) {
    CRect box(area);
    box.InflateRect(4, 4);
    pDC->FillSolidRect(&box, background);
    pDC->Draw3dRect(&box, RGB(120, 120, 120), RGB(120, 120, 120));
  }
  drawer.Draw(pDC, area);
  return size;
}

void Paint(CDC* pDC) {
  CRect all(0, 0, kWidth, kHeight);
  pDC->FillSolidRect(&all, RGB(245, 245, 240));
  COLORREF tipBack = ::GetSysColor(COLOR_INFOBK);

  // The start page's three tooltips.
  int y = 10;
  for (const wchar_t* tip : kTooltips) {
    CHtmlTextDrawer drawer;
    y += DrawMarkup(pDC, drawer, tip, 14, y + 4, tipBack).cy + 14;
  }

  // The message box's body with a system icon.
  int x = 470;
  y = 14;
  {
    CHtmlTextDrawer drawer;
    wchar_t body[512];
    swprintf(body, 512,
             L"<table cellpadding=%d><tr><td width=%d><icon handle=0x%X></td><td>%ls</td></tr></table>", 6, 40,
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(::LoadIconW(nullptr, IDI_WARNING))),
             L"<b>The drive cannot be read.</b><br>Check the cable and try again.");
    y += DrawMarkup(pDC, drawer, body, x, y, RGB(255, 255, 255)).cy + 16;
  }

  // Tables with borders, spans and effects.
  {
    CHtmlTextDrawer drawer;
    std::wstring text =
        L"<table border=3 bordercolorlight=#d0d0ff bordercolordark=#404080 cellpadding=4 bgcolor=#e8e8ff>"
        L"<tr><td colspan=2 align=center bgeffect=hgradient bgcolor=#ffcc66 bgendcolor=#ffffff><b>Spans</b></td>"
        L"<td rowspan=2 valign=middle bgeffect=vbump bgcolor=#80c080 bgmidcolor=#d0f0d0 bgendcolor=#408040>"
        L"two<br>rows</td></tr>"
        L"<tr><td>one</td><td><i>two</i></td></tr>"
        L"<tr><td colspan=3><table borderstyle=double bgcolor=#fff0f0><tr><td>nested</td><td>"
        L"<font color=red>table</font></td></tr></table></td></tr></table>";
    y += DrawMarkup(pDC, drawer, text, x, y).cy + 14;
  }

  // A picture, styles and a hovered link.
  {
    CHtmlTextDrawer drawer;
    std::wstring text =
        L"<bmp idres=160> <bmp idres=160 style=s> <bmp idres=160 width=50% style=g> <b>bold</b> <i>italic</i> <u>under</u> <s>struck</s> "
        L"<font style=o>over</font> <code>code()</code> x<sup>2</sup> H<sub>2</sub>O <big>big</big> "
        L"<small>small</small><br><pre>pre text</pre> <span class=cpp-comment>// a comment</span> &copy; &euro; "
        L"&lt;b&gt; &amp;lt;<br>Links: <a href=\"http://example.com/\">hovered link</a> and "
        L"<a msg=\"go\">a message link</a>.";
    CSize size;
    drawer.Measure(pDC, text.c_str(), size);
    CRect area(x, y, x + size.cx, y + size.cy);
    drawer.Draw(pDC, area);
    if (!drawer.GetLinkAreas().empty()) {
      const HtmlLinkArea& link = drawer.GetLinkAreas()[0];
      drawer.OnSetCursor(CPoint(link.left + 2, link.top + 2));
      pDC->FillSolidRect(&area, RGB(245, 245, 240));
      drawer.Draw(pDC, area);
    }
    y += size.cy + 14;
  }

  // A wrapped and justified paragraph.
  {
    CHtmlTextDrawer drawer;
    drawer.SetMaximumWidth(300);
    y += DrawMarkup(pDC, drawer,
                    L"<justify>Deleted files keep their data until the clusters are used again, so a scan "
                    L"started soon after the loss finds most of them whole. Stop writing to the drive, "
                    L"choose a scan, and save what is found to another disk.</justify><br>"
                    L"<right>A right-aligned closing line.</right>",
                    x, y, RGB(255, 255, 255), 300)
             .cy +
         16;
  }

  // Every effect code.
  CDrawEffects effects;
  int swatchTop = 640;
  for (int code = -1; code <= 15; ++code) {
    int column = code + 1;
    CRect swatch(14 + (column % 9) * 112, swatchTop + (column / 9) * 104, 14 + (column % 9) * 112 + 100,
                 swatchTop + (column / 9) * 104 + 70);
    pDC->FillSolidRect(&swatch, RGB(255, 255, 255));
    effects.FillEffect(pDC, code, swatch, RGB(40, 90, 200), RGB(250, 250, 250), RGB(200, 60, 40), 10, 0);
    effects.DrawFrame(pDC, swatch, RGB(0, 0, 0), RGB(0, 0, 0), 1, 1);
    CRect label(swatch.left, swatch.bottom + 2, swatch.right, swatch.bottom + 20);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(kEffectNames[column], &label, DT_CENTER | DT_SINGLELINE);
  }
}

struct Picture {
  HBITMAP bitmap = nullptr;
  void* bits = nullptr;
  HDC dc = nullptr;
};

Picture Render() {
  Picture picture;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  picture.bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &picture.bits, nullptr, 0);
  picture.dc = ::CreateCompatibleDC(nullptr);
  ::SelectObject(picture.dc, picture.bitmap);
  CDC dc;
  dc.Attach(picture.dc);
  Paint(&dc);
  dc.Detach();
  ::GdiFlush();
  return picture;
}

bool SaveBmp(const Picture& picture, const wchar_t* path) {
  int stride = (kWidth * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = kWidth;
  header.biHeight = -kHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = static_cast<DWORD>(stride) * kHeight;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  FILE* out = _wfopen(path, L"wb");
  if (out == nullptr) return false;
  bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
            fwrite(picture.bits, header.biSizeImage, 1, out) == 1;
  return fclose(out) == 0 && ok;
}

Picture g_picture;

LRESULT CALLBACK GalleryProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hWnd, &paint);
      ::BitBlt(dc, 0, 0, kWidth, kHeight, g_picture.dc, 0, 0, SRCCOPY);
      ::EndPaint(hWnd, &paint);
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

class GalleryApp : public CWinApp {
 public:
  GalleryApp() : CWinApp(L"HtmlDrawGallery") {}
  BOOL InitInstance() override {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const wchar_t* save = nullptr;
    UINT closeAfter = CloseAfterArgument();
    for (int i = 1; i + 1 < argc; ++i)
      if (lstrcmpW(argv[i], L"--save") == 0) save = argv[i + 1];
    g_picture = Render();
    if (save != nullptr && !SaveBmp(g_picture, save)) return FALSE;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &GalleryProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"HtmlDrawGallery";
    ::RegisterClassW(&wc);
    CRect frame(0, 0, kWidth, kHeight);
    ::AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND hWnd = ::CreateWindowW(wc.lpszClassName, L"Marked-up text gallery", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                frame.Width(), frame.Height(), nullptr, nullptr, wc.hInstance, nullptr);
    ::LocalFree(argv);
    if (hWnd == nullptr) return FALSE;
    if (closeAfter > 0) ::SetTimer(hWnd, 1, closeAfter, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    return FALSE;
  }
};

GalleryApp theApp;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
