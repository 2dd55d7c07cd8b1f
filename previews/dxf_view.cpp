#include "dxf_view.h"

#include <string>

#include "dxf_header.h"
#include "preview_state.h"
#include "progress_dialog.h"
#include "scan_control.h"
#include "shell_document.h"

IMPLEMENT_DYNCREATE(CDFXView, CView)

BEGIN_MESSAGE_MAP(CDxfDrawCtrl, CStatic)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MBUTTONUP()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDFXView, CView)
  ON_WM_SIZE()
  ON_WM_MOUSEWHEEL()
  ON_WM_CREATE()
END_MESSAGE_MAP()

void CDxfDrawCtrl::OnPaint() {
  CPaintDC dc(this);
  if (Drawing == nullptr) return;
  if (Drawing->HasDrawing()) {
    Drawing->Paint(dc.GetSafeHdc());
  } else {
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc.GetSafeHdc(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  }
}

void CDxfDrawCtrl::OnButtonDown(CPoint point) {
  SetCapture();
  LastX = point.x;
  LastY = point.y;
  Dragging = 1;
  Default();
}

void CDxfDrawCtrl::OnButtonUp() {
  ::ReleaseCapture();
  Dragging = 0;
  Default();
}

void CDxfDrawCtrl::OnMouseMove(UINT, CPoint point) {
  if (Dragging != 0 && Drawing != nullptr && Drawing->HasDrawing()) {
    CClientDC dc(this);
    DxfViewProperties properties;
    if (dc.PtVisible(point) && Drawing->GetViewProperties(&properties) &&
        properties.zoom * properties.scale != 0) {
      const double k = 1 / (properties.zoom * properties.scale);
      properties.originX -= (point.x - LastX) * k;
      properties.originY += (point.y - LastY) * k;
      Drawing->SetViewProperties(&properties);
      RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      LastX = point.x;
      LastY = point.y;
    }
  }
  Default();
}

CDFXView::CDFXView() {
  Drawing.Load();
  Surface.Drawing = &Drawing;
}

CDFXView::~CDFXView() {
  if (Drawing.HasDrawing()) Drawing.Destroy();
  if (Surface.GetSafeHwnd() != nullptr) Surface.DestroyWindow();
  Drawing.Unload();
}

int CDFXView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  Surface.Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BLACKRECT, CRect(100, 0, 700, 200), this, kDxfSurfaceId);
  CEx_StyleDoc* document = PreviewDocument(GetDocument());
  const CString path = document != nullptr ? document->PreviewPath : CString();
  if (Drawing.HasDrawing()) Drawing.Destroy();
  if (!Drawing.Create()) {
    PreviewLoadedFlag() = 0;
    return 0;
  }
  PreviewLoadedFlag() = LoadDrawing(path);
  return 0;
}

int CDFXView::LoadDrawing(const CString& path) {
  CProgressDialog progress(0);
  progress.Create(this);
  progress.SetRange(0, 100);
  progress.ShowWindow(SW_SHOW);
  HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
  int loaded = 0;
  if (file != INVALID_HANDLE_VALUE) {
    BYTE head[kDxfHeaderTest] = {};
    DWORD read = 0;
    if (!::ReadFile(file, head, sizeof head, &read, nullptr)) read = 0;
    // Files found by the Raw Scan are never shown.
    if (LooksLikeDxf(head, read) && ScanMode != kRawScan) {
      try {
        loaded = Drawing.LoadFile(path.ToAnsi().c_str(), progress.GetSafeHwnd()) ? 1 : 0;
      } catch (...) {
        loaded = 0;
      }
    }
  }
  progress.DestroyWindow();
  if (loaded != 0) {
    CRect client;
    Surface.GetClientRect(&client);
    Drawing.InitView(0, 0, client.Width(), client.Height());
    Drawing.ZoomExtents();
    Surface.ShowWindow(SW_SHOW);
    RepaintSurface();
  }
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  return loaded;
}

void CDFXView::RepaintSurface() {
  Surface.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDFXView::OnSize(UINT, int, int) {
  Default();
  if (Surface.GetSafeHwnd() == nullptr) return;
  CRect client;
  GetClientRect(&client);
  Surface.MoveWindow(&client);
  // A resize always returns to the whole drawing.
  Drawing.InitView(0, 0, client.Width(), client.Height());
  Drawing.ZoomExtents();
  RepaintSurface();
}

BOOL CDFXView::OnMouseWheel(UINT, short zDelta, CPoint) {
  if (Drawing.HasDrawing()) {
    Drawing.SetZoom(Drawing.GetZoom() * (zDelta > 0 ? 1.5 : 0.6666666666666666));
    RepaintSurface();
  }
  return static_cast<BOOL>(Default());
}
