#include "picture_views.h"

#include "picture.h"
#include "preview_state.h"
#include "shell_document.h"

IMPLEMENT_DYNCREATE(CImage_View, CView)
IMPLEMENT_DYNCREATE(CTextView, CView)

BEGIN_MESSAGE_MAP(CImage_View, CView)
  ON_WM_CREATE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CTextView, CView)
  ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

CString PathToShow(CView* view) {
  CEx_StyleDoc* document = PreviewDocument(view->GetDocument());
  return document != nullptr ? document->PreviewPath : CString();
}

}  // namespace

CRect ImageViewPlacement(int right, UINT width, UINT height) {
  const int half = right / 2;
  const float ratio = static_cast<float>(height) / static_cast<float>(width);
  const int b = static_cast<int>(ratio * 100);
  const int top = (120 - b) / 2;
  return CRect(half - 100, top, half - 100 + 200, top + b + 100);
}

int CImage_View::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  const CString path = PathToShow(this);
  const int format = GetImageTypeFromName(path);
  if (format == 0) return 0;
  CPicture picture(path, format);
  if (!picture.IsValid() || picture.GetWidth() == 0 || picture.GetHeight() == 0) PreviewLoadedFlag() = 0;
  return 0;
}

void CImage_View::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  const CString path = PathToShow(this);
  const int format = GetImageTypeFromName(path);
  if (format == 0) return;
  CPicture picture(path, format);
  if (!picture.IsValid() || picture.GetWidth() == 0 || picture.GetHeight() == 0) {
    PreviewLoadedFlag() = 0;
    return;
  }
  picture.Draw(pDC->GetSafeHdc(), ImageViewPlacement(client.right, picture.GetWidth(), picture.GetHeight()));
}

CTextView::~CTextView() {
  if (m_picture != nullptr) m_picture->Release();
}

int CTextView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  CString path = PathToShow(this);
  IPicture* picture = nullptr;
  const HRESULT hr = ::OleLoadPicturePath(const_cast<LPOLESTR>(static_cast<LPCWSTR>(path)), nullptr, 0, 0,
                                          IID_IPicture, reinterpret_cast<void**>(&picture));
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (FAILED(hr) || picture == nullptr || FAILED(picture->get_Width(&width)) ||
      FAILED(picture->get_Height(&height))) {
    if (picture != nullptr) picture->Release();
    PreviewLoadedFlag() = 0;
    return 0;
  }
  m_picture = picture;
  m_himetricWidth = width;
  m_himetricHeight = height;
  HDC screen = ::GetDC(nullptr);
  const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  m_width = static_cast<int>((dpiX * m_himetricWidth + 1270) / 2540);
  m_height = static_cast<int>((dpiY * m_himetricHeight + 1270) / 2540);
  return 0;
}

void CTextView::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  const CRect box(client.left + 200, client.top + 10, client.left + 200 + (client.right - 400),
                  client.top + 10 + (client.bottom - 20));
  if (m_picture == nullptr) return;
  HDC hdc = pDC->GetSafeHdc();
  OLE_HANDLE paletteHandle = 0;
  HPALETTE palette = nullptr;
  if (SUCCEEDED(m_picture->get_hPal(&paletteHandle)))
    palette = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(paletteHandle));
  HPALETTE oldPalette = nullptr;
  if (palette != nullptr) {
    oldPalette = ::SelectPalette(hdc, palette, FALSE);
    ::RealizePalette(hdc);
  }
  DWORD attributes = 0;
  if (FAILED(m_picture->get_Attributes(&attributes)) || (attributes & PICTURE_TRANSPARENT) != 0) {
    // A transparent picture is drawn on a bitmap of its own size first,
    // then stretched into the box.
    HDC memory = ::CreateCompatibleDC(hdc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(hdc, m_width, m_height);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    HPALETTE memoryPalette = palette != nullptr ? ::SelectPalette(memory, palette, FALSE) : nullptr;
    m_picture->Render(memory, 0, 0, m_width, m_height, 0, m_himetricHeight, m_himetricWidth, -m_himetricHeight,
                      nullptr);
    ::StretchBlt(hdc, box.left, box.top, box.Width(), box.Height(), memory, 0, 0, m_width, m_height, SRCCOPY);
    if (memoryPalette != nullptr) ::SelectPalette(memory, memoryPalette, FALSE);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
  } else {
    m_picture->Render(hdc, 0, 0, m_width, m_height, 0, m_himetricHeight, m_himetricWidth, -m_himetricHeight,
                      nullptr);
  }
  if (oldPalette != nullptr) ::SelectPalette(hdc, oldPalette, FALSE);
}

void CTextView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  CView::OnPrepareDC(pDC, pInfo);
  if (!pDC->IsPrinting()) return;
  // Screen pixels scale to the printer's.
  HDC display = ::CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
  if (display == nullptr) return;
  pDC->SetMapMode(MM_ANISOTROPIC);
  pDC->SetWindowExt(::GetDeviceCaps(display, LOGPIXELSX), ::GetDeviceCaps(display, LOGPIXELSY));
  pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
  ::SetWindowOrgEx(pDC->GetSafeHdc(), 0, 0, nullptr);
  ::SetViewportOrgEx(pDC->GetSafeHdc(), 0, 0, nullptr);
  ::DeleteDC(display);
}
