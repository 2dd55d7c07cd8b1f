#include "thumb_view.h"

#include "picture.h"
#include "shell_document.h"

IMPLEMENT_DYNCREATE(CThumbView, CListView)

namespace {

constexpr int kCellWidth = 160;
constexpr int kCellHeight = 120;

}  // namespace

CRect ThumbnailPlacement(UINT width, UINT height) {
  const float ratio = static_cast<float>(height) / static_cast<float>(width);
  if (ratio > 0.75f) {
    const int w = static_cast<int>(kCellHeight / ratio);
    const int x = (kCellWidth - w) / 2;
    return CRect(x, 0, x + w, kCellHeight);
  }
  const int h = static_cast<int>(ratio * kCellWidth);
  const int y = (kCellHeight - h) / 2;
  return CRect(0, y, kCellWidth, y + h);
}

BOOL CThumbView::Create(LPCWSTR lpszClassName, LPCWSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID, CCreateContext* pContext) {
  return CListView::Create(lpszClassName, L"ListView",
                           dwStyle | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS | LVS_SINGLESEL, rect, pParentWnd, nID,
                           pContext);
}

void CThumbView::OnInitialUpdate() {
  CListView::OnInitialUpdate();
  m_images.DeleteImageList();
  m_images.Create(kCellWidth, kCellHeight, ILC_COLOR24, 0, 1);
  ListView_SetImageList(GetSafeHwnd(), m_images.GetSafeHandle(), LVSIL_NORMAL);
}

void CThumbView::LoadThumbnails(CEx_StyleDoc& document) {
  HWND list = GetSafeHwnd();
  if (list == nullptr) return;
  m_images.DeleteImageList();
  m_images.Create(kCellWidth, kCellHeight, ILC_COLOR24, 0, 1);
  ListView_SetImageList(list, m_images.GetSafeHandle(), LVSIL_NORMAL);
  ListView_DeleteAllItems(list);

  const int count = static_cast<int>(document.ImageNames.GetSize());
  m_images.SetImageCount(static_cast<UINT>(count));
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < count; ++i) {
    WCHAR number[16];
    wsprintfW(number, L"%d", i + 1);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = number;
    item.iImage = i;
    ListView_InsertItem(list, &item);
  }
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, TRUE);

  HBRUSH black = ::CreateSolidBrush(RGB(0, 0, 0));
  HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
  const RECT cell = {0, 0, kCellWidth, kCellHeight};
  for (int i = 0; i < count; ++i) {
    CString path;
    path.Format(L"%s\\%s", static_cast<LPCWSTR>(document.ImageFolder),
                static_cast<LPCWSTR>(document.ImageNames[i]));
    const int format = GetImageTypeFromName(path);
    if (format == 0) continue;
    CPicture picture(path, format);
    if (!picture.IsValid() || picture.GetWidth() == 0 || picture.GetHeight() == 0) continue;
    const CRect place = ThumbnailPlacement(picture.GetWidth(), picture.GetHeight());
    if (!::IsWindow(list)) break;
    HDC screen = ::GetDC(list);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kCellWidth, kCellHeight);
    ::ReleaseDC(list, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::FillRect(memory, &cell, white);
    picture.Draw(memory, place);
    ::FrameRect(memory, &cell, black);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ImageList_Replace(m_images.GetSafeHandle(), i, bitmap, nullptr);
    ::DeleteObject(bitmap);
    ListView_RedrawItems(list, i, i);
  }
  ::DeleteObject(black);
  ::DeleteObject(white);
  if (::IsWindow(list)) ::InvalidateRect(list, nullptr, TRUE);
}
