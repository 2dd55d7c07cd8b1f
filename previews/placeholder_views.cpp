#include "placeholder_views.h"

#include "preview_state.h"
#include "shell_resources.h"

IMPLEMENT_DYNAMIC(CNoticeCardView, CView)
IMPLEMENT_DYNCREATE(CCorrupted_NoPreview_View, CNoticeCardView)
IMPLEMENT_DYNCREATE(CLargeFileView, CNoticeCardView)

UINT PlaceholderCardFor(int noFileSelected, int previewSupported, int previewLoaded) {
  if (noFileSelected != 0) return IDB_CARD_SELECT_FILE;
  if (previewSupported == 0 && previewLoaded != 0) return IDB_CARD_NOT_AVAILABLE;
  return IDB_CARD_CORRUPTED;
}

void CNoticeCardView::OnDraw(CDC* pDC) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(CardId()), RT_BITMAP);
  HBITMAP card = static_cast<HBITMAP>(
      ::LoadImageW(module, MAKEINTRESOURCEW(CardId()), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (card == nullptr) return;
  BITMAP info = {};
  ::GetObjectW(card, sizeof info, &info);
  HDC memory = ::CreateCompatibleDC(pDC->GetSafeHdc());
  HGDIOBJ old = ::SelectObject(memory, card);
  CRect client;
  GetClientRect(&client);
  // Integer halves: a view smaller than the card shows its middle.
  const int x = client.Width() / 2 - info.bmWidth / 2;
  const int y = client.Height() / 2 - info.bmHeight / 2;
  ::BitBlt(pDC->GetSafeHdc(), x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(card);
}

UINT CCorrupted_NoPreview_View::CardId() const {
  return PlaceholderCardFor(NoFileSelectedFlag(), PreviewSupportedFlag(), PreviewLoadedFlag());
}

UINT CLargeFileView::CardId() const { return IDB_CARD_TOO_LARGE; }
