#include "button_editor_controls.h"

#include "button_editor_canvas.h"
#include "button_editor_dlg.h"
#include "color_scheme.h"
#include "draw_helpers.h"
#include "icon_image.h"

namespace {

const COLORREF kLightGrey = RGB(235, 235, 235);

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  ::SetBkColor(dc, color);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Frame(HDC dc, const CRect& rect, COLORREF color) {
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FrameRect(dc, rect, brush);
  ::DeleteObject(brush);
}

// Top and left in one colour, bottom and right in another.
void Frame3D(HDC dc, const CRect& rect, COLORREF topLeft, COLORREF bottomRight) {
  FillSolid(dc, CRect(rect.left, rect.top, rect.right - 1, rect.top + 1), topLeft);
  FillSolid(dc, CRect(rect.left, rect.top, rect.left + 1, rect.bottom - 1), topLeft);
  FillSolid(dc, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), bottomRight);
  FillSolid(dc, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), bottomRight);
}

}  // namespace

IMPLEMENT_DYNAMIC(CTkImageEditorPicker, CStatic)

BEGIN_MESSAGE_MAP(CTkImageEditorPicker, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CTkImageEditorPicker::SetColor(COLORREF color) {
  m_color = color;
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

void CTkImageEditorPicker::SetSelected(BOOL selected) {
  m_bSelected = selected;
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

void CTkImageEditorPicker::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(client);
  const HDC dc = paint.m_hDC;
  if (m_color == kEditorTransparentColor) {
    FillSolid(dc, client, RGB(255, 255, 255));
    const CPoint centre = client.CenterPoint();
    FillSolid(dc, CRect(client.left, client.top, centre.x, centre.y), kLightGrey);
    FillSolid(dc, CRect(centre.x, centre.y, client.right, client.bottom), kLightGrey);
  } else {
    FillSolid(dc, client, m_color);
  }
  if (m_bSelected) {
    Frame(dc, client, RGB(0, 0, 0));
    client.DeflateRect(1, 1);
    Frame(dc, client, RGB(255, 255, 255));
    client.DeflateRect(1, 1);
    Frame(dc, client, RGB(0, 0, 0));
  } else {
    Frame(dc, client, GetColorScheme()->GetColor(COLOR_3DDKSHADOW));
  }
}

BOOL CTkImageEditorPicker::OnEraseBkgnd(CDC*) { return TRUE; }

void CTkImageEditorPicker::OnLButtonUp(UINT, CPoint point) {
  CRect client;
  GetClientRect(client);
  CWnd* parent = GetParent();
  if (!client.PtInRect(point) || parent == nullptr) return;
  NMHDR header = {};
  header.hwndFrom = m_hWnd;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  header.code = static_cast<UINT>(NM_CLICK);
  parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

IMPLEMENT_DYNAMIC(CTkButtonEditorPreview, CStatic)

BEGIN_MESSAGE_MAP(CTkButtonEditorPreview, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CTkButtonEditorPreview::OnPaint() {
  CPaintDC paint(this);
  CRect client;
  GetClientRect(client);
  if (client.IsRectEmpty()) return;
  CDC memory;
  CBitmap buffer;
  if (!memory.CreateCompatibleDC(&paint) || !buffer.CreateCompatibleBitmap(&paint, client.Width(), client.Height()))
    return;
  CBitmap* oldBuffer = memory.SelectObject(&buffer);
  const HDC dc = memory.m_hDC;
  CTkColorScheme* colors = GetColorScheme();
  const COLORREF face = colors->GetColor(COLOR_BTNFACE);
  FillSolid(dc, client, face);
  const CTkButtonEditorImage* picture = m_pDialog != nullptr ? m_pDialog->GetCanvas().GetPicture() : nullptr;
  const int width = picture != nullptr ? picture->GetWidth() : m_nPictureWidth;
  const int height = picture != nullptr ? picture->GetHeight() : m_nPictureHeight;
  CRect place(10, (client.Height() - height) / 2, 10 + width, (client.Height() - height) / 2 + height);
  CRect frame = place;
  frame.InflateRect(3, 3);
  Frame3D(dc, frame, RGB(255, 255, 255), colors->GetColor(COLOR_BTNSHADOW));
  frame.InflateRect(1, 1);
  Frame3D(dc, frame, face, colors->GetColor(COLOR_3DDKSHADOW));
  if (picture != nullptr) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const COLORREF color = picture->GetPixel(x, y);
        COLORREF shown = color == kEditorTransparentColor ? face : color;
        if (picture->m_bAlpha) {
          const int alpha = picture->GetAlpha(x, y);
          auto blend = [alpha](int back, int channel) { return back - alpha * (back - channel) / 255; };
          shown = RGB(blend(GetRValue(face), GetRValue(color)), blend(GetGValue(face), GetGValue(color)),
                      blend(GetBValue(face), GetBValue(color)));
        }
        ::SetPixelV(dc, place.left + x, place.top + y, shown);
      }
    }
  }
  paint.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(oldBuffer);
}

BOOL CTkButtonEditorPreview::OnEraseBkgnd(CDC*) { return TRUE; }
