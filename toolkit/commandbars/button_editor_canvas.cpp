#include "button_editor_canvas.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>

#include "button_editor_dlg.h"
#include "icon_image.h"
#include "image_manager.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

namespace {

// Section pixels are 0xAARRGGBB; a COLORREF is 0x00BBGGRR.
DWORD ToPixel(COLORREF color, BYTE alpha) {
  return (static_cast<DWORD>(alpha) << 24) | (static_cast<DWORD>(GetRValue(color)) << 16) |
         (static_cast<DWORD>(GetGValue(color)) << 8) | GetBValue(color);
}

COLORREF ToColor(DWORD pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

const size_t kMaxUndoSteps = 16;
const COLORREF kCheckerGrey = RGB(235, 235, 235);

// The pixels of any bitmap as 32-bit top-down rows; empty on failure.
BOOL ReadPixels(HBITMAP bitmap, int& width, int& height, std::vector<DWORD>& pixels) {
  BITMAP info = {};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0)
    return FALSE;
  width = info.bmWidth;
  height = std::abs(info.bmHeight);
  if (width > 4096 || height > 4096) return FALSE;
  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = -height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  pixels.assign(static_cast<size_t>(width) * height, 0);
  HDC screen = ::GetDC(nullptr);
  const int lines = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &header, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  return lines == height;
}

// Whether a clipboard format's name marks its bitmap as one with alpha:
// "DIB32" somewhere after the first character.
BOOL IsAlphaFormatName(const WCHAR* name) {
  const WCHAR* found = wcsstr(name, L"DIB32");
  return found != nullptr && found > name;
}

// The file is a bitmap whose pixels are all there: LoadImage would take a
// cut-off file and make a picture of whatever follows.
BOOL IsBitmapFileComplete(LPCWSTR path) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
  const ULONGLONG size = file.GetLength();
  BYTE headers[14 + sizeof(BITMAPINFOHEADER)];
  if (size < sizeof headers || file.Read(headers, sizeof headers) != sizeof headers) return FALSE;
  if (headers[0] != 'B' || headers[1] != 'M') return FALSE;
  DWORD offset = 0;
  memcpy(&offset, headers + 10, sizeof offset);
  BITMAPINFOHEADER info;
  memcpy(&info, headers + 14, sizeof info);
  if (info.biSize < sizeof(BITMAPINFOHEADER) || info.biWidth <= 0 || info.biHeight == 0 || info.biPlanes != 1)
    return FALSE;
  const ULONGLONG height = static_cast<ULONGLONG>(std::abs(static_cast<LONGLONG>(info.biHeight)));
  ULONGLONG pixels = info.biSizeImage;
  if (info.biCompression == BI_RGB || info.biCompression == BI_BITFIELDS) {
    const ULONGLONG stride = (static_cast<ULONGLONG>(info.biWidth) * info.biBitCount + 31) / 32 * 4;
    pixels = stride * height;
  }
  return pixels != 0 && offset >= 14 + info.biSize && offset <= size && pixels <= size - offset;
}

// Any other picture through OLE, scaled to the target.
BOOL RenderPictureFile(LPCWSTR path, CTkButtonEditorImage* target) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
  const ULONGLONG length = file.GetLength();
  if (length == 0 || length > 64 * 1024 * 1024) return FALSE;
  HGLOBAL global = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(length));
  if (global == nullptr) return FALSE;
  void* data = ::GlobalLock(global);
  const BOOL read = data != nullptr && file.Read(data, static_cast<UINT>(length)) == length;
  ::GlobalUnlock(global);
  IStream* stream = nullptr;
  if (!read || FAILED(::CreateStreamOnHGlobal(global, TRUE, &stream))) {
    ::GlobalFree(global);
    return FALSE;
  }
  IPicture* picture = nullptr;
  HRESULT result = ::OleLoadPicture(stream, static_cast<LONG>(length), FALSE, IID_IPicture,
                                    reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(result) || picture == nullptr) return FALSE;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  CDC dc;
  result = E_FAIL;
  if (dc.Attach(::CreateCompatibleDC(nullptr))) {
    HGDIOBJ old = ::SelectObject(dc.m_hDC, target->GetHandle());
    result = picture->Render(dc.m_hDC, 0, 0, target->GetWidth(), target->GetHeight(), 0, height, width, -height,
                             nullptr);
    ::SelectObject(dc.m_hDC, old);
  }
  picture->Release();
  return SUCCEEDED(result);
}

CString LowerExtension(LPCWSTR path) {
  CString name(path);
  const int slash = std::max(name.ReverseFind(L'\\'), name.ReverseFind(L'/'));
  const int dot = name.ReverseFind(L'.');
  CString extension = dot > slash ? name.Mid(dot) : CString();
  extension.MakeLower();
  return extension;
}

}  // namespace

BOOL CTkButtonEditorImage::Create(int width, int height, BOOL alpha) {
  if (width <= 0 || height <= 0) return FALSE;
  void* bits = nullptr;
  HBITMAP section = CreateAlphaSection(width, height, &bits);
  if (section == nullptr || bits == nullptr) return FALSE;
  m_bitmap.DeleteObject();
  m_bitmap.Attach(section);
  m_pBits = static_cast<DWORD*>(bits);
  m_nWidth = width;
  m_nHeight = height;
  m_bAlpha = alpha;
  std::fill(m_pBits, m_pBits + static_cast<size_t>(width) * height, ToPixel(kEditorTransparentColor, 0));
  return TRUE;
}

CTkButtonEditorImage* CTkButtonEditorImage::Clone() const {
  auto* copy = new CTkButtonEditorImage;
  if (!copy->Create(m_nWidth, m_nHeight, m_bAlpha)) {
    delete copy;
    return nullptr;
  }
  ::GdiFlush();
  std::copy(m_pBits, m_pBits + static_cast<size_t>(m_nWidth) * m_nHeight, copy->m_pBits);
  return copy;
}

COLORREF CTkButtonEditorImage::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return kEditorTransparentColor;
  ::GdiFlush();
  return ToColor(*Pixel(x, y));
}

BYTE CTkButtonEditorImage::GetAlpha(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return 0;
  ::GdiFlush();
  return static_cast<BYTE>(*Pixel(x, y) >> 24);
}

void CTkButtonEditorImage::SetPixel(int x, int y, COLORREF color, BYTE alpha) {
  if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return;
  ::GdiFlush();
  *Pixel(x, y) = ToPixel(color, alpha);
}

BOOL CTkButtonEditorImage::CopyPixelsFrom(HBITMAP bitmap) {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;
  if (!ReadPixels(bitmap, width, height, pixels)) return FALSE;
  ::GdiFlush();
  for (int y = 0; y < std::min(height, m_nHeight); ++y)
    for (int x = 0; x < std::min(width, m_nWidth); ++x) *Pixel(x, y) = pixels[static_cast<size_t>(y) * width + x];
  return TRUE;
}

void CTkButtonEditorImage::FixTransparentPixels() {
  ::GdiFlush();
  for (DWORD* pixel = m_pBits; pixel != m_pBits + static_cast<size_t>(m_nWidth) * m_nHeight; ++pixel)
    if (*pixel == 0) *pixel = ToPixel(kEditorTransparentColor, 0);
}

void CTkButtonEditorImage::MergeAlpha(const CTkButtonEditorImage* before) {
  if (!m_bAlpha) return;
  ::GdiFlush();
  const BOOL same = before != nullptr && before->m_nWidth == m_nWidth && before->m_nHeight == m_nHeight;
  const size_t count = static_cast<size_t>(m_nWidth) * m_nHeight;
  for (size_t i = 0; i < count; ++i) {
    const DWORD color = m_pBits[i] & 0xFFFFFF;
    BYTE alpha;
    if (same && (before->m_pBits[i] & 0xFFFFFF) == color)
      alpha = static_cast<BYTE>(before->m_pBits[i] >> 24);
    else if (!same && (m_pBits[i] >> 24) != 0)
      alpha = static_cast<BYTE>(m_pBits[i] >> 24);
    else
      alpha = ToColor(color) == kEditorTransparentColor ? 0 : 255;
    m_pBits[i] = color | (static_cast<DWORD>(alpha) << 24);
  }
}

IMPLEMENT_DYNAMIC(CTkButtonEditorCanvas, CStatic)

BEGIN_MESSAGE_MAP(CTkButtonEditorCanvas, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CTkButtonEditorCanvas::~CTkButtonEditorCanvas() {
  DeleteAll(m_undo);
  DeleteAll(m_redo);
  if (m_pPrevious != m_pPicture) delete m_pPrevious;
  delete m_pPicture;
}

void CTkButtonEditorCanvas::DeleteAll(std::vector<CTkButtonEditorImage*>& list) {
  for (CTkButtonEditorImage* picture : list) delete picture;
  list.clear();
}

BOOL CTkButtonEditorCanvas::AttachToDialog(CTkButtonEditorDlg* dialog, UINT id) {
  m_pDialog = dialog;
  if (!SubclassDlgItem(id, dialog)) return FALSE;
  ModifyStyle(0, SS_NOTIFY);
  CTkResourceLoader* loader = GetToolkitResourceLoader();
  m_hCrossCursor = loader->LoadCursor(IDC_TK_EDITOR_CROSS);
  m_hFillCursor = loader->LoadCursor(IDC_TK_EDITOR_FILL);
  m_hPencilCursor = loader->LoadCursor(IDC_TK_EDITOR_PENCIL);
  m_hPickCursor = loader->LoadCursor(IDC_TK_EDITOR_PICK);
  CRect rect;
  GetWindowRect(rect);
  // A cell is at least one screen pixel.
  m_cxCell = std::max(1, static_cast<int>(rect.Width() / m_nPictureWidth));
  m_cyCell = std::max(1, static_cast<int>(rect.Height() / m_nPictureHeight));
  SetWindowPos(nullptr, 0, 0, m_nPictureWidth * m_cxCell + 1, m_nPictureHeight * m_cyCell + 1,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

void CTkButtonEditorCanvas::SetPictureSize(int width, int height) {
  m_nPictureWidth = std::max(1, width);
  m_nPictureHeight = std::max(1, height);
}

CPoint CTkButtonEditorCanvas::CellFromPoint(CPoint point) const {
  return CPoint(point.x / m_cxCell, point.y / m_cyCell);
}

void CTkButtonEditorCanvas::SetPicture(CTkButtonEditorImage* picture) {
  if (picture == m_pPicture) return;
  delete m_pPicture;
  m_pPicture = picture;
  if (picture != nullptr) SetPictureSize(picture->GetWidth(), picture->GetHeight());
  Redraw();
}

COLORREF CTkButtonEditorCanvas::GetPixelAt(CPoint cell) const {
  return m_pPicture != nullptr ? m_pPicture->GetPixel(cell.x, cell.y) : kEditorTransparentColor;
}

CTkButtonEditorImage* CTkButtonEditorCanvas::WorkingCopy() const {
  if (m_pPicture != nullptr) return m_pPicture->Clone();
  auto* picture = new CTkButtonEditorImage;
  if (!picture->Create(m_nPictureWidth, m_nPictureHeight)) {
    delete picture;
    return nullptr;
  }
  return picture;
}

void CTkButtonEditorCanvas::BeginChange(CTkButtonEditorImage* next) {
  if (m_pPrevious != m_pPicture) delete m_pPrevious;
  m_pPrevious = m_pPicture;
  m_pPicture = next;
}

void CTkButtonEditorCanvas::PushUndo() {
  DeleteAll(m_redo);
  if (m_undo.size() >= kMaxUndoSteps) {
    delete m_undo.front();
    m_undo.erase(m_undo.begin());
  }
  m_undo.push_back(m_pPrevious);
  m_pPrevious = nullptr;
  Redraw();
}

void CTkButtonEditorCanvas::Redraw() {
  if (m_hWnd != nullptr) Invalidate(FALSE);
  if (m_pDialog != nullptr) m_pDialog->RedrawPicture();
}

void CTkButtonEditorCanvas::Clear() {
  BeginChange(nullptr);
  PushUndo();
}

void CTkButtonEditorCanvas::MovePicture(int dx, int dy) {
  CTkButtonEditorImage* moved = WorkingCopy();
  if (moved == nullptr) return;
  CTkButtonEditorImage* source = m_pPicture;
  for (int y = 0; y < moved->GetHeight(); ++y) {
    for (int x = 0; x < moved->GetWidth(); ++x) {
      const int fromX = x - dx;
      const int fromY = y - dy;
      const BOOL inside = source != nullptr && fromX >= 0 && fromY >= 0 && fromX < source->GetWidth() &&
                          fromY < source->GetHeight();
      if (inside)
        moved->SetPixel(x, y, source->GetPixel(fromX, fromY), source->GetAlpha(fromX, fromY));
      else
        moved->SetPixel(x, y, kEditorTransparentColor, 0);
    }
  }
  BeginChange(moved);
  PushUndo();
}

void CTkButtonEditorCanvas::Undo() {
  if (m_undo.empty()) return;
  m_redo.push_back(m_pPicture);
  m_pPicture = m_undo.back();
  m_undo.pop_back();
  Redraw();
}

void CTkButtonEditorCanvas::Redo() {
  if (m_redo.empty()) return;
  m_undo.push_back(m_pPicture);
  m_pPicture = m_redo.back();
  m_redo.pop_back();
  Redraw();
}

void CTkButtonEditorCanvas::Copy() {
  if (m_pPicture == nullptr) return;
  HBITMAP bitmap = nullptr;
  if (m_pPicture->m_bAlpha) {
    bitmap = CopyAlphaBitmap(m_pPicture->GetHandle());
  } else {
    // Other programs see the button face where the picture has no colour.
    CTkButtonEditorImage* copy = m_pPicture->Clone();
    if (copy == nullptr) return;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < copy->GetHeight(); ++y)
      for (int x = 0; x < copy->GetWidth(); ++x)
        if (copy->GetPixel(x, y) == kEditorTransparentColor) copy->SetPixel(x, y, face);
    HDC screen = ::GetDC(nullptr);
    bitmap = ::CreateCompatibleBitmap(screen, copy->GetWidth(), copy->GetHeight());
    HDC source = ::CreateCompatibleDC(screen);
    HDC target = ::CreateCompatibleDC(screen);
    if (bitmap != nullptr && source != nullptr && target != nullptr) {
      HGDIOBJ oldSource = ::SelectObject(source, copy->GetHandle());
      HGDIOBJ oldTarget = ::SelectObject(target, bitmap);
      ::BitBlt(target, 0, 0, copy->GetWidth(), copy->GetHeight(), source, 0, 0, SRCCOPY);
      ::SelectObject(source, oldSource);
      ::SelectObject(target, oldTarget);
    }
    if (source != nullptr) ::DeleteDC(source);
    if (target != nullptr) ::DeleteDC(target);
    ::ReleaseDC(nullptr, screen);
    delete copy;
  }
  if (bitmap == nullptr) return;
  if (!::OpenClipboard(GetSafeHwnd())) {
    ::DeleteObject(bitmap);
    return;
  }
  if (!::EmptyClipboard()) {
    ::CloseClipboard();
    ::DeleteObject(bitmap);
    return;
  }
  ::SetClipboardData(CF_BITMAP, bitmap);
  if (m_pPicture->m_bAlpha) {
    if (HGLOBAL marker = ::GlobalAlloc(GMEM_MOVEABLE, 1)) ::SetClipboardData(AlphaBitmapClipboardFormat, marker);
  }
  ::CloseClipboard();
}

BOOL CTkButtonEditorCanvas::Paste() {
  if (!::OpenClipboard(GetSafeHwnd())) return FALSE;
  auto* bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  BOOL alpha = FALSE;
  for (UINT format = ::EnumClipboardFormats(0); bitmap != nullptr && format != 0 && !alpha;
       format = ::EnumClipboardFormats(format)) {
    WCHAR name[256] = {};
    if (::GetClipboardFormatNameW(format, name, 256) > 0) alpha = IsAlphaFormatName(name);
  }
  if (!alpha) alpha = ::IsClipboardFormatAvailable(AlphaBitmapClipboardFormat);
  auto* pasted = new CTkButtonEditorImage;
  const BOOL read = bitmap != nullptr && pasted->Create(m_nPictureWidth, m_nPictureHeight, alpha) &&
                    pasted->CopyPixelsFrom(bitmap);
  ::CloseClipboard();
  if (!read) {
    delete pasted;
    return FALSE;
  }
  if (!alpha) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < pasted->GetHeight(); ++y)
      for (int x = 0; x < pasted->GetWidth(); ++x) {
        const COLORREF color = pasted->GetPixel(x, y);
        pasted->SetPixel(x, y, color == face ? kEditorTransparentColor : color, 255);
      }
  }
  if (alpha) pasted->FixTransparentPixels();
  BeginChange(pasted);
  PushUndo();
  return TRUE;
}

BOOL CTkButtonEditorCanvas::ImportFile(LPCWSTR path) {
  const CString extension = LowerExtension(path);
  auto* imported = new CTkButtonEditorImage;
  if (!imported->Create(m_nPictureWidth, m_nPictureHeight)) {
    delete imported;
    return FALSE;
  }
  BOOL loaded = FALSE;
  HBITMAP alphaBitmap = nullptr;
  HBITMAP plainBitmap = nullptr;
  HICON icon = nullptr;
  if (extension == L".ico") {
    alphaBitmap = LoadAlphaIconFile(path, m_nPictureWidth);
    if (alphaBitmap == nullptr)
      icon = static_cast<HICON>(
          ::LoadImageW(nullptr, path, IMAGE_ICON, m_nPictureWidth, m_nPictureHeight, LR_LOADFROMFILE));
  } else if (extension == L".bmp") {
    if (IsBitmapFileComplete(path)) {
      auto* bitmap = static_cast<HBITMAP>(
          ::LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
      if (bitmap != nullptr && IsBitmapFile32Bit(path))
        alphaBitmap = bitmap;
      else
        plainBitmap = bitmap;
    }
  }
  if (alphaBitmap != nullptr) {
    imported->m_bAlpha = TRUE;
    if (imported->CopyPixelsFrom(alphaBitmap)) {
      imported->FixTransparentPixels();
      loaded = TRUE;
    }
    ::DeleteObject(alphaBitmap);
  } else if (plainBitmap != nullptr || icon != nullptr) {
    CDC dc;
    if (dc.Attach(::CreateCompatibleDC(nullptr))) {
      HGDIOBJ old = ::SelectObject(dc.m_hDC, imported->GetHandle());
      if (icon != nullptr) {
        loaded = ::DrawIconEx(dc.m_hDC, 0, 0, icon, m_nPictureWidth, m_nPictureHeight, 0, nullptr, DI_NORMAL);
      } else {
        CDC source;
        if (source.Attach(::CreateCompatibleDC(nullptr))) {
          HGDIOBJ oldSource = ::SelectObject(source.m_hDC, plainBitmap);
          loaded = ::BitBlt(dc.m_hDC, 0, 0, m_nPictureWidth, m_nPictureHeight, source.m_hDC, 0, 0, SRCCOPY);
          ::SelectObject(source.m_hDC, oldSource);
        }
      }
      ::SelectObject(dc.m_hDC, old);
    }
    if (icon != nullptr) ::DestroyIcon(icon);
    if (plainBitmap != nullptr) ::DeleteObject(plainBitmap);
  } else if (extension != L".ico" && extension != L".bmp") {
    loaded = RenderPictureFile(path, imported);
  }
  if (!loaded) {
    delete imported;
    return FALSE;
  }
  BeginChange(imported);
  PushUndo();
  return TRUE;
}

void CTkButtonEditorCanvas::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(client);
  if (client.IsRectEmpty()) return;
  // Painted into a buffer of our own, one screen pixel at a time.
  auto* buffer = new CTkButtonEditorImage;
  if (!buffer->Create(client.Width(), client.Height())) {
    delete buffer;
    return;
  }
  const CTkButtonEditorImage* picture = m_pPicture;
  for (int y = 0; y < client.Height(); ++y) {
    for (int x = 0; x < client.Width(); ++x) {
      COLORREF shown = RGB(255, 255, 255);
      if (picture != nullptr) {
        const int px = x * picture->GetWidth() / client.Width();
        const int py = y * picture->GetHeight() / client.Height();
        const COLORREF back = ((x + 3) / 4 + (y + 3) / 4) % 2 == 1 ? kCheckerGrey : RGB(255, 255, 255);
        const COLORREF color = picture->GetPixel(px, py);
        if (picture->m_bAlpha) {
          const int alpha = picture->GetAlpha(px, py);
          auto blend = [alpha](int background, int channel) { return background - alpha * (background - channel) / 255; };
          shown = RGB(blend(GetRValue(back), GetRValue(color)), blend(GetGValue(back), GetGValue(color)),
                      blend(GetBValue(back), GetBValue(color)));
        } else {
          shown = color == kEditorTransparentColor ? back : color;
        }
      }
      buffer->SetPixel(x, y, shown);
    }
  }
  CDC memory;
  if (memory.CreateCompatibleDC(&paint)) {
    HGDIOBJ old = ::SelectObject(memory.m_hDC, buffer->GetHandle());
    ::FrameRect(memory.m_hDC, client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    ::SelectObject(memory.m_hDC, old);
  }
  delete buffer;
}

BOOL CTkButtonEditorCanvas::OnEraseBkgnd(CDC*) { return TRUE; }

void CTkButtonEditorCanvas::OnLButtonDown(UINT, CPoint point) {
  if (m_pDialog == nullptr) return;
  const CPoint cell = CellFromPoint(point);
  const int tool = m_pDialog->GetTool();
  const COLORREF color = m_pDialog->GetCurrentColor();
  if (tool == kToolFill) {
    CTkButtonEditorImage* filled = WorkingCopy();
    if (filled == nullptr) return;
    const COLORREF target = GetPixelAt(cell);
    CDC dc;
    if (dc.Attach(::CreateCompatibleDC(nullptr))) {
      HGDIOBJ old = ::SelectObject(dc.m_hDC, filled->GetHandle());
      HBRUSH brush = ::CreateSolidBrush(color);
      HGDIOBJ oldBrush = ::SelectObject(dc.m_hDC, brush);
      ::ExtFloodFill(dc.m_hDC, cell.x, cell.y, target, FLOODFILLSURFACE);
      ::SelectObject(dc.m_hDC, oldBrush);
      ::DeleteObject(brush);
      ::SelectObject(dc.m_hDC, old);
    }
    filled->MergeAlpha(m_pPicture);
    BeginChange(filled);
    PushUndo();
    return;
  }
  if (tool == kToolPick) {
    m_pDialog->PickColor(GetPixelAt(cell));
    return;
  }
  CTkButtonEditorImage* start = WorkingCopy();
  if (start == nullptr) return;
  // The previous picture is what line and shapes redraw from; an empty one
  // starts as a transparent picture, and undo returns to empty.
  if (m_pPrevious != m_pPicture) delete m_pPrevious;
  m_pPrevious = m_pPicture;
  m_pPicture = start;
  m_pressCell = cell;
  // Pressing on a cell of the current colour erases, for the whole stroke.
  m_strokeColor = start->GetPixel(cell.x, cell.y) == color ? kEditorTransparentColor : color;
  m_bDragging = TRUE;
  m_bStrokeOpen = TRUE;
  SetCapture();
  DrawStroke(cell);
}

void CTkButtonEditorCanvas::OnMouseMove(UINT, CPoint point) {
  if (m_bDragging) DrawStroke(CellFromPoint(point));
}

void CTkButtonEditorCanvas::DrawStroke(CPoint cell) {
  if (m_pDialog == nullptr || m_pPicture == nullptr) return;
  const int tool = m_pDialog->GetTool();
  const COLORREF color = m_pDialog->GetCurrentColor();
  CTkButtonEditorImage* next = nullptr;
  if (tool == kToolPencil) {
    next = m_pPicture->Clone();
    if (next == nullptr) return;
    next->SetPixel(cell.x, cell.y, m_strokeColor, 255);
    next->MergeAlpha(m_pPicture);
  } else {
    // Shapes are drawn afresh over the picture from before the press.
    if (m_pPrevious != nullptr) {
      next = m_pPrevious->Clone();
    } else {
      next = new CTkButtonEditorImage;
      if (!next->Create(m_nPictureWidth, m_nPictureHeight)) {
        delete next;
        next = nullptr;
      }
    }
    if (next == nullptr) return;
    CRect rect(m_pressCell, cell);
    rect.NormalizeRect();
    CDC dc;
    if (dc.Attach(::CreateCompatibleDC(nullptr))) {
      HGDIOBJ old = ::SelectObject(dc.m_hDC, next->GetHandle());
      HPEN pen = ::CreatePen(PS_SOLID, 1, color);
      HGDIOBJ oldPen = ::SelectObject(dc.m_hDC, pen);
      if (tool == kToolLine) {
        ::MoveToEx(dc.m_hDC, m_pressCell.x, m_pressCell.y, nullptr);
        ::LineTo(dc.m_hDC, cell.x, cell.y);
        ::SetPixelV(dc.m_hDC, cell.x, cell.y, color);  // the line ends on the cell under the mouse
      } else if (tool == kToolRectangle) {
        HBRUSH brush = ::CreateSolidBrush(color);
        RECT frame = {rect.left, rect.top, rect.right + 1, rect.bottom + 1};
        ::FrameRect(dc.m_hDC, &frame, brush);
        ::DeleteObject(brush);
      } else if (tool == kToolEllipse) {
        HBRUSH brush = ::CreateSolidBrush(kEditorTransparentColor);
        HGDIOBJ oldBrush = ::SelectObject(dc.m_hDC, brush);
        ::Ellipse(dc.m_hDC, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        ::SelectObject(dc.m_hDC, oldBrush);
        ::DeleteObject(brush);
      }
      ::SelectObject(dc.m_hDC, oldPen);
      ::DeleteObject(pen);
      ::SelectObject(dc.m_hDC, old);
    }
    next->MergeAlpha(m_pPrevious);
  }
  delete m_pPicture;
  m_pPicture = next;
  Redraw();
}

void CTkButtonEditorCanvas::OnLButtonUp(UINT, CPoint) {
  if (!m_bDragging) return;
  m_bDragging = FALSE;
  ::ReleaseCapture();
}

void CTkButtonEditorCanvas::OnCaptureChanged(CWnd*) {
  m_bDragging = FALSE;
  // The stroke ends here however the capture went: one stroke, one step.
  if (m_bStrokeOpen) {
    m_bStrokeOpen = FALSE;
    PushUndo();
  }
}

BOOL CTkButtonEditorCanvas::OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message) {
  HCURSOR cursor = m_hCrossCursor;
  const int tool = m_pDialog != nullptr ? m_pDialog->GetTool() : kToolPencil;
  if (tool == kToolPencil) cursor = m_hPencilCursor;
  if (tool == kToolFill) cursor = m_hFillCursor;
  if (tool == kToolPick) cursor = m_hPickCursor;
  if (cursor == nullptr) return CStatic::OnSetCursor(pWnd, hitTest, message);
  ::SetCursor(cursor);
  return TRUE;
}
