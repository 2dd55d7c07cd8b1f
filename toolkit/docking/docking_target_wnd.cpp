#include "docking_target_wnd.h"

#include <vector>

#include "color_scheme.h"
#include "docking_drag_tracker.h"
#include "docking_pane_site.h"
#include "draw_helpers.h"
#include "resource_loader.h"

namespace {

const COLORREF kStickerMask = RGB(0, 255, 0);

// Parts in drawing order, with their cell in the art (before the
// highlighted cell that follows it).
const int kPartOrder[] = {kStickerTop, kStickerLeft, kStickerBottom, kStickerRight, kStickerCentre};

int PartIndex(int part) {
  for (int i = 0; i < 5; ++i)
    if (kPartOrder[i] == part) return i;
  return 0;
}

struct StickerPlace {
  int x, y, cx, cy;
};

// Places in the compound sticker: background, then the parts in drawing order.
const StickerPlace kPlaces[2][6] = {
    {{25, 25, 43, 43}, {25, 0, 43, 30}, {0, 25, 30, 43}, {25, 63, 43, 30}, {63, 25, 30, 43}, {30, 30, 33, 33}},
    {{24, 24, 41, 41}, {30, 0, 29, 30}, {0, 30, 30, 29}, {30, 59, 29, 30}, {60, 30, 30, 29}, {30, 30, 28, 29}},
};
const int kCellSize[2] = {43, 41};

// A 32-bit top-down bitmap in a memory DC, black at first, whose pixels
// can be read.
class CStickerCanvas {
 public:
  explicit CStickerCanvas(CSize size) : m_size(size) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
    m_dc.Attach(::CreateCompatibleDC(nullptr));
    m_hPrevious = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
  }
  ~CStickerCanvas() {
    ::SelectObject(m_dc.GetSafeHdc(), m_hPrevious);
    if (m_hBitmap != nullptr) ::DeleteObject(m_hBitmap);
  }
  CStickerCanvas(const CStickerCanvas&) = delete;
  CStickerCanvas& operator=(const CStickerCanvas&) = delete;

  BOOL IsValid() const { return m_pBits != nullptr; }
  CDC* DC() { return &m_dc; }
  BOOL IsLit(int x, int y) {
    ::GdiFlush();
    return (m_pBits[y * m_size.cx + x] & 0xFFFFFF) != 0;
  }

 private:
  CSize m_size;
  CDC m_dc;
  HBITMAP m_hBitmap = nullptr;
  DWORD* m_pBits = nullptr;
  HGDIOBJ m_hPrevious = nullptr;
};

UINT ArrowsBitmapOfScheme(int style) {
  if (style == 1) return kStickerStyle1Bitmap;
  switch (GetCurrentXPScheme()) {
    case xpOlive:
      return kStickerArrowsOliveBitmap;
    case xpSilver:
      return kStickerArrowsSilverBitmap;
    default:
      return kStickerArrowsBitmap;
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CTkDockingPaneTargetWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CTkDockingPaneTargetWnd::CTkDockingPaneTargetWnd(CTkDockingPaneDragTracker* tracker, int parts, int style)
    : m_parts(parts), m_pTracker(tracker), m_style(style == 1 ? 1 : 0) {}

CSize CTkDockingPaneTargetWnd::GetStickerSize(int parts, int style) {
  BOOL second = style == 1;
  if (parts & kStickerCompound) return second ? CSize(89, 89) : CSize(93, 93);
  if (parts & (kStickerLeft | kStickerRight)) return second ? CSize(32, 29) : CSize(30, 43);
  return second ? CSize(29, 32) : CSize(43, 30);
}

int CTkDockingPaneTargetWnd::PartOfDirection(int direction) {
  switch (direction) {
    case kDockLeft:
      return kStickerLeft;
    case kDockRight:
      return kStickerRight;
    case kDockTop:
      return kStickerTop;
    default:
      return kStickerBottom;
  }
}

BOOL CTkDockingPaneTargetWnd::CreateSticker(CWnd* owner, CPoint origin) {
  CSize size = GetStickerSize(m_parts, m_style);
  LPCWSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
  CRect rect(origin, size);
  if (!CreateEx(WS_EX_TOOLWINDOW, windowClass, L"", WS_POPUP, rect, owner, 0)) return FALSE;
  HRGN region = m_pTracker != nullptr ? m_pTracker->GetStickerRegion(m_parts) : nullptr;
  if (region != nullptr) {
    // The window takes the region it is given; the tracker keeps its own.
    HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(copy, region, nullptr, RGN_COPY);
    ::SetWindowRgn(m_hWnd, copy, FALSE);
  }
  ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return TRUE;
}

CImageList* CTkDockingPaneTargetWnd::Images(UINT bitmapId) {
  auto found = m_images.find(bitmapId);
  if (found != m_images.end()) return found->second.get();
  // The green of the cells is transparent in the list.
  auto images = std::make_unique<CImageList>();
  CBitmap bitmap;
  int cellSize = kCellSize[m_style];
  if (!GetToolkitResourceLoader()->LoadBitmap(bitmap, bitmapId) ||
      !images->Create(cellSize, cellSize, ILC_COLOR24 | ILC_MASK, 12, 0) || images->Add(&bitmap, kStickerMask) < 0)
    images.reset();
  CImageList* result = images.get();
  m_images[bitmapId] = std::move(images);
  return result;
}

CRect CTkDockingPaneTargetWnd::PartRect(int part) const {
  if (!(m_parts & kStickerCompound)) {
    const StickerPlace& place = kPlaces[m_style][1 + PartIndex(part)];
    return CRect(0, 0, place.cx, place.cy);
  }
  const StickerPlace& place = part == 0 ? kPlaces[m_style][0] : kPlaces[m_style][1 + PartIndex(part)];
  return CRect(place.x, place.y, place.x + place.cx, place.y + place.cy);
}

void CTkDockingPaneTargetWnd::DrawPart(CDC* pDC, int part, BOOL highlighted, UINT arrowsBitmap) {
  CRect rect = PartRect(part);
  UINT bitmapId = arrowsBitmap;
  int cell;
  if (part == 0) {
    // The compound sticker's background square.
    bitmapId = m_style == 1 ? kStickerStyle1Bitmap : kStickerBackgroundBitmap;
    cell = m_style == 1 && highlighted ? 1 : 0;
  } else {
    int index = PartIndex(part);
    cell = m_style == 1 ? (part == kStickerCentre ? 10 : 2 + 2 * index + (highlighted ? 1 : 0))
                        : 2 * index + (highlighted ? 1 : 0);
  }
  CImageList* images = Images(bitmapId);
  if (images != nullptr) images->Draw(pDC, cell, rect.TopLeft(), ILD_NORMAL);
}

void CTkDockingPaneTargetWnd::DrawSticker(CDC* pDC, int highlighted) {
  UINT arrows = ArrowsBitmapOfScheme(m_style);
  // The second style marks the centre by its background, not by the square.
  if (m_parts & kStickerCompound) DrawPart(pDC, 0, m_style == 1 && highlighted == kStickerCentre, arrows);
  for (int part : kPartOrder) {
    if (!(m_parts & part)) continue;
    BOOL lit = highlighted == part && !(m_style == 1 && part == kStickerCentre);
    DrawPart(pDC, part, lit, arrows);
  }
}

int CTkDockingPaneTargetWnd::HitTest(CPoint screenPoint) {
  if (m_hWnd == nullptr) return 0;
  CPoint point = screenPoint;
  ScreenToClient(&point);
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point)) return 0;
  CStickerCanvas canvas(client.Size());
  if (!canvas.IsValid()) return 0;
  UINT shapes = m_style == 1 ? kStickerStyle1Bitmap : kStickerArrowsBitmap;
  for (int part : kPartOrder) {
    if (!(m_parts & part)) continue;
    // The centre counts wherever the background square shows.
    if (part == kStickerCentre) DrawPart(canvas.DC(), 0, FALSE, shapes);
    else DrawPart(canvas.DC(), part, FALSE, shapes);
    if (canvas.IsLit(point.x, point.y)) return part;
  }
  return 0;
}

void CTkDockingPaneTargetWnd::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(&client);
  CTkOffscreenDC dc(paint.GetSafeHdc(), client.left, client.top, client.right, client.bottom);
  dc.FillSolidRect(&client, RGB(0, 0, 0));
  DrawSticker(&dc, m_highlighted);
}

HRGN MakeStickerRegion(CTkDockingPaneTargetWnd* sticker) {
  CSize size = CTkDockingPaneTargetWnd::GetStickerSize(sticker->m_parts, sticker->m_style);
  CStickerCanvas canvas(size);
  if (!canvas.IsValid()) return nullptr;
  sticker->DrawSticker(canvas.DC(), 0);
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < size.cy; ++y) {
    int x = 0;
    while (x < size.cx) {
      while (x < size.cx && !canvas.IsLit(x, y)) ++x;
      int start = x;
      while (x < size.cx && canvas.IsLit(x, y)) ++x;
      if (x > start) {
        HRGN run = ::CreateRectRgn(start, y, x, y + 1);
        ::CombineRgn(region, region, run, RGN_OR);
        ::DeleteObject(run);
      }
    }
  }
  return region;
}
