#include "media_views.h"

#include <vfw.h>

#include "preview_state.h"
#include "shell_document.h"

IMPLEMENT_DYNCREATE(CAviView, CView)
IMPLEMENT_DYNCREATE(CMyMedia, CView)

BEGIN_MESSAGE_MAP(CAviView, CView)
  ON_WM_CREATE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMyMedia, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr UINT kPlayerId = 185;

CString PreviewPathOf(CView* view) {
  CEx_StyleDoc* document = PreviewDocument(view->GetDocument());
  return document != nullptr ? document->PreviewPath : CString();
}

}  // namespace

int CAviView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  const CString path = PreviewPathOf(this);
  // A file the MCI window cannot open shows as its own state there.
  m_mciWindow = ::MCIWndCreateW(m_hWnd, AfxGetInstanceHandle(), WS_CHILD | WS_VISIBLE | MCIWNDF_NOMENU, path);
  if (m_mciWindow != nullptr) ::SendMessageW(m_mciWindow, MCI_PLAY, 0, 0);
  return 1;
}

// The MCI window is a child: by the time the view object is deleted the
// window has gone with the view's, so the playback ends here.
void CAviView::OnDestroy() {
  CloseMciWindow();
  CView::OnDestroy();
}

CAviView::~CAviView() { CloseMciWindow(); }

void CAviView::CloseMciWindow() {
  const HWND window = m_mciWindow;
  m_mciWindow = nullptr;
  if (window == nullptr || !::IsWindow(window)) return;
  ::SendMessageW(window, MCI_STOP, 0, 0);
  ::SendMessageW(window, WM_CLOSE, 0, 0);
}

int CMyMedia::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  const CString path = PreviewPathOf(this);
  // A player that cannot be made raises at the first call below, and ends
  // like one that refuses the file.
  m_player.Create(L"aa", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(40, 200, 100, 200), this, kPlayerId);
  try {
    m_player.SetURL(path);
    m_player.GetOpenState();
    m_player.GetPlayState();
    m_player.GetStatus();
  } catch (CException* e) {
    e->Delete();
    PreviewLoadedFlag() = 0;
  }
  return 1;
}

void CMyMedia::OnSize(UINT, int, int) {
  Default();
  if (m_player.GetSafeHwnd() == nullptr) return;
  CRect client;
  GetClientRect(&client);
  m_player.MoveWindow(&client, TRUE);
  m_player.Invalidate(TRUE);
}

// The player is a child control: it must hear close while it still exists,
// before the view's window takes it along.
void CMyMedia::OnDestroy() {
  ClosePlayer();
  CView::OnDestroy();
}

CMyMedia::~CMyMedia() { ClosePlayer(); }

void CMyMedia::ClosePlayer() {
  if (m_player.GetSafeHwnd() == nullptr) return;
  try {
    m_player.Close();
  } catch (CException* e) {
    e->Delete();
  }
  m_player.DestroyWindow();
}
