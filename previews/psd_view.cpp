#include "psd_view.h"

#include "preview_state.h"
#include "shell_document.h"

IMPLEMENT_DYNCREATE(CPSDViewView, CView)

BEGIN_MESSAGE_MAP(CPSDViewView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CPSDViewView::~CPSDViewView() {
  if (m_picture != nullptr) ::DeleteObject(m_picture);
}

int CPSDViewView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  CRect client;
  GetClientRect(&client);
  Frame.Create(L"", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME, client, this, kPsdFrameId);
  CEx_StyleDoc* document = PreviewDocument(GetDocument());
  LoadResult = Reader.Load(document != nullptr ? static_cast<LPCWSTR>(document->PreviewPath) : L"");
  if (LoadResult == 0) {
    PictureWidth = Reader.GetWidth();
    PictureHeight = Reader.GetHeight();
    m_picture = Reader.DetachBitmap();
    Invalidate();
  }
  // A file that made no picture is reported, so that the pane shows its
  // card instead of an empty frame.
  PreviewLoadedFlag() = LoadResult == 0 && m_picture != nullptr ? 1 : 0;
  Frame.ShowWindow(SW_SHOW);
  return 0;
}

void CPSDViewView::OnSize(UINT, int, int) {
  Default();
  if (Frame.GetSafeHwnd() == nullptr) return;
  CRect client;
  GetClientRect(&client);
  Frame.MoveWindow(0, 0, client.Width(), client.Height());
}

void CPSDViewView::OnDraw(CDC* pDC) {
  if (LoadResult != 0 || Frame.GetSafeHwnd() == nullptr || m_picture == nullptr) return;
  CDC memory;
  if (!memory.CreateCompatibleDC(pDC)) return;
  HGDIOBJ old = ::SelectObject(memory.GetSafeHdc(), m_picture);
  CRect client;
  GetClientRect(&client);
  pDC->StretchBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, PictureWidth, PictureHeight, SRCCOPY);
  ::SelectObject(memory.GetSafeHdc(), old);
}
