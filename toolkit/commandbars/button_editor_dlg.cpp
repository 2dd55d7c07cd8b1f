#include "button_editor_dlg.h"

#include <algorithm>

#include "icon_image.h"
#include "image_manager.h"
#include "private_messages.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

namespace {

const UINT kToolBarId = 0xE800;
const UINT kMoveBarId = 0xE801;
const int kImageSize = 16;
const int kButtonSize = 23;
const int kToolImageCount = 12;
const int kTipLength = 80;

const UINT kToolButtons[kToolImageCount] = {
    ID_TK_EDITOR_PENCIL, ID_TK_EDITOR_FILL, ID_TK_EDITOR_UNDO,      ID_TK_EDITOR_REDO,
    ID_TK_EDITOR_PICK,   ID_TK_EDITOR_LINE, ID_TK_EDITOR_COPY,      ID_TK_EDITOR_PASTE,
    ID_TK_EDITOR_RECTANGLE, ID_TK_EDITOR_ELLIPSE, ID_TK_EDITOR_CLEAR, ID_TK_EDITOR_IMPORT};
const UINT kMoveButtons[] = {ID_TK_EDITOR_MOVE_LEFT, ID_TK_EDITOR_MOVE_DOWN, ID_TK_EDITOR_MOVE_UP,
                             ID_TK_EDITOR_MOVE_RIGHT};

struct Swatch {
  int column;
  int row;
  COLORREF color;
  UINT id;
};

const Swatch kSwatches[CTkButtonEditorDlg::kSwatchCount] = {
    {0, 0, RGB(0, 0, 0), 9450},       {1, 0, RGB(128, 128, 128), 9465}, {2, 0, RGB(128, 0, 0), 9458},
    {3, 0, RGB(128, 128, 0), 9460},   {4, 0, RGB(0, 128, 0), 9461},     {5, 0, RGB(0, 128, 128), 9462},
    {6, 0, RGB(0, 0, 128), 9455},     {7, 0, RGB(128, 0, 128), 9472},   {0, 1, RGB(255, 255, 255), 9489},
    {1, 1, RGB(192, 192, 192), 9481}, {2, 1, RGB(255, 0, 0), 9466},     {3, 1, RGB(255, 255, 0), 9476},
    {4, 1, RGB(0, 255, 0), 9477},     {5, 1, RGB(0, 255, 255), 9478},   {6, 1, RGB(0, 0, 255), 9463},
    {7, 1, RGB(255, 0, 255), 9474}};

const int kSwatchSide = 11;
const int kSwatchPitch = 13;

// The tool and move pictures: with alpha where the common controls draw
// it, else masked on silver.
BOOL LoadEditorImages(CImageList& list) {
  if (IsComCtl32Version6()) {
    if (HBITMAP bitmap = LoadAlphaBitmapResource(IDB_TK_EDITOR_ALPHA_IMAGES)) {
      const BOOL made = list.Create(kImageSize, kImageSize, ILC_COLOR32 | ILC_MASK, 16, 0) &&
                        ::ImageList_Add(list, bitmap, nullptr) >= 0;
      ::DeleteObject(bitmap);
      if (made) return TRUE;
      list.DeleteImageList();
    }
  }
  CBitmap bitmap;
  if (!GetToolkitResourceLoader()->LoadBitmap(bitmap, IDB_TK_EDITOR_IMAGES)) return FALSE;
  if (!list.Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 16, 0)) return FALSE;
  return ::ImageList_AddMasked(list, static_cast<HBITMAP>(bitmap.GetSafeHandle()), RGB(192, 192, 192)) >= 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CTkButtonEditorDlg, CDialog)

BEGIN_MESSAGE_MAP(CTkButtonEditorDlg, CDialog)
  ON_COMMAND_RANGE(ID_TK_EDITOR_PENCIL, ID_TK_EDITOR_ELLIPSE, OnTool)
  ON_UPDATE_COMMAND_UI_RANGE(ID_TK_EDITOR_PENCIL, ID_TK_EDITOR_ELLIPSE, OnUpdateTool)
  ON_COMMAND(ID_TK_EDITOR_UNDO, OnUndo)
  ON_UPDATE_COMMAND_UI(ID_TK_EDITOR_UNDO, OnUpdateUndo)
  ON_COMMAND(ID_TK_EDITOR_REDO, OnRedo)
  ON_UPDATE_COMMAND_UI(ID_TK_EDITOR_REDO, OnUpdateRedo)
  ON_COMMAND(ID_TK_EDITOR_CLEAR, OnClear)
  ON_COMMAND(ID_TK_EDITOR_COPY, OnCopy)
  ON_COMMAND(ID_TK_EDITOR_PASTE, OnPaste)
  ON_COMMAND(ID_TK_EDITOR_IMPORT, OnImport)
  ON_COMMAND_RANGE(ID_TK_EDITOR_MOVE_LEFT, ID_TK_EDITOR_MOVE_RIGHT, OnMove)
  ON_NOTIFY_RANGE(NM_CLICK, IDS_TK_COLOR_FIRST, IDS_TK_COLOR_LAST, OnPickerClick)
  ON_NOTIFY_RANGE(NM_CLICK, IDC_TK_EDITOR_TRANSPARENT, IDC_TK_EDITOR_CUSTOM_COLOR, OnPickerClick)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
  ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

CTkButtonEditorDlg::CTkButtonEditorDlg(CWnd* pParent) {
  m_pParentWnd = pParent;
  if (LPCDLGTEMPLATEW dialogTemplate = GetToolkitResourceLoader()->LoadDialogTemplate(IDD_TK_BUTTON_EDITOR))
    InitModalIndirect(dialogTemplate, pParent);
  m_preview.SetDialog(this);
}

void CTkButtonEditorDlg::SetPicture(const CTkIconHandle& handle) {
  if (handle.IsEmpty()) return;
  const CSize size = handle.GetExtent();
  if (size.cx <= 0 || size.cy <= 0) return;
  auto* picture = new CTkButtonEditorImage;
  if (!picture->Create(size.cx, size.cy, handle.IsAlpha())) {
    delete picture;
    return;
  }
  if (handle.IsAlpha()) {
    picture->CopyPixelsFrom(handle.GetBitmap());
    picture->FixTransparentPixels();
  } else {
    CDC dc;
    if (dc.Attach(::CreateCompatibleDC(nullptr))) {
      HGDIOBJ old = ::SelectObject(dc.m_hDC, picture->GetHandle());
      ::DrawIconEx(dc.m_hDC, 0, 0, handle.GetIcon(), size.cx, size.cy, 0, nullptr, DI_NORMAL);
      ::SelectObject(dc.m_hDC, old);
    }
  }
  SetPictureSize(size.cx, size.cy);
  m_canvas.SetPicture(picture);
}

void CTkButtonEditorDlg::SetPictureSize(int width, int height) {
  m_nPictureWidth = std::max(1, width);
  m_nPictureHeight = std::max(1, height);
  m_canvas.SetPictureSize(m_nPictureWidth, m_nPictureHeight);
  m_preview.SetPictureSize(m_nPictureWidth, m_nPictureHeight);
}

void CTkButtonEditorDlg::GetPicture(CTkIconHandle& handle) const {
  const CTkButtonEditorImage* picture = const_cast<CTkButtonEditorDlg*>(this)->m_canvas.GetPicture();
  if (picture == nullptr) return;
  ::GdiFlush();
  if (picture->m_bAlpha) {
    if (HBITMAP copy = CopyAlphaBitmap(picture->GetHandle())) handle.AttachBitmap(copy);
    return;
  }
  const int width = picture->GetWidth();
  const int height = picture->GetHeight();
  CTkButtonEditorImage* masked = picture->Clone();
  if (masked == nullptr) return;
  HIMAGELIST list = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1);
  if (list != nullptr) {
    ::ImageList_AddMasked(list, masked->GetHandle(), kEditorTransparentColor);
    if (::ImageList_GetImageCount(list) == 1) handle.AttachIcon(::ImageList_GetIcon(list, 0, ILD_NORMAL));
    ::ImageList_Destroy(list);
  }
  delete masked;
}

BOOL CTkButtonEditorDlg::CreateBar(CToolBar& bar, CImageList& images, UINT placeId, UINT barId, const UINT* ids,
                                   int count, int firstImage) {
  CWnd* place = GetDlgItem(placeId);
  if (place == nullptr) return FALSE;
  CRect rect;
  place->GetWindowRect(rect);
  ScreenToClient(rect);
  rect.OffsetRect(-7, -4);
  if (!bar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), barId))
    return FALSE;
  bar.SetOwner(this);
  bar.SetSizes(CSize(kButtonSize, kButtonSize), CSize(kImageSize, kImageSize));
  if (LoadEditorImages(images)) {
    for (int i = 0; i < firstImage; ++i) images.Remove(0);
    bar.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.GetSafeHandle()));
  }
  bar.SetButtons(ids, count);
  // Rows of four.
  for (int i = 3; i < count - 1; i += 4) {
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    bar.SendMessage(TB_GETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    info.fsState |= TBSTATE_WRAP;
    bar.SendMessage(TB_SETBUTTONINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
  }
  bar.SendMessage(TB_AUTOSIZE);
  CSize size(0, 0);
  for (int i = 0; i < bar.GetCount(); ++i) {
    CRect item;
    bar.GetItemRect(i, item);
    size.cx = std::max(size.cx, item.right);
    size.cy = std::max(size.cy, item.bottom);
  }
  // Above the group box that frames it, which would paint over it.
  ::SetWindowPos(bar.m_hWnd, HWND_TOP, rect.left, rect.top, size.cx, size.cy, SWP_NOACTIVATE);
  return TRUE;
}

BOOL CTkButtonEditorDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CreateBar(m_toolBar, m_toolImages, IDC_TK_EDITOR_TOOLS_PLACE, kToolBarId, kToolButtons, kToolImageCount, 0);
  CreateBar(m_moveBar, m_moveImages, IDC_TK_EDITOR_MOVE_PLACE, kMoveBarId, kMoveButtons, 4, kToolImageCount);
  if (CWnd* grid = GetDlgItem(IDC_TK_EDITOR_COLORS_PLACE)) {
    CRect place;
    grid->GetWindowRect(place);
    ScreenToClient(place);
    for (int i = 0; i < kSwatchCount; ++i) {
      const Swatch& swatch = kSwatches[i];
      const CRect rect(CPoint(place.left + kSwatchPitch * swatch.column, place.top - 4 + kSwatchPitch * swatch.row),
                       CSize(kSwatchSide, kSwatchSide));
      m_swatches[i].SetColor(swatch.color);
      m_swatches[i].Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, rect, this, swatch.id);
    }
  }
  m_transparentSwatch.SetColor(kEditorTransparentColor);
  m_transparentSwatch.SubclassDlgItem(IDC_TK_EDITOR_TRANSPARENT, this);
  m_customSwatch.SetColor(RGB(255, 255, 255));
  m_customSwatch.SubclassDlgItem(IDC_TK_EDITOR_CUSTOM_COLOR, this);
  SelectPicker(&m_swatches[0]);
  m_canvas.AttachToDialog(this, IDC_TK_EDITOR_CANVAS);
  if (m_preview.SubclassDlgItem(IDC_TK_EDITOR_PREVIEW, this)) m_preview.ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return TRUE;
}

void CTkButtonEditorDlg::SetTool(int tool) {
  if (tool < kToolPencil || tool > kToolEllipse) return;
  // Picking remembers the tool to come back to, also when picked twice.
  if (m_nTool != kToolPick) m_nPreviousTool = m_nTool;
  m_nTool = tool;
}

COLORREF CTkButtonEditorDlg::GetCurrentColor() const {
  return m_pSelected != nullptr ? m_pSelected->GetColor() : RGB(0, 0, 0);
}

void CTkButtonEditorDlg::PickColor(COLORREF color) {
  m_customSwatch.SetColor(color);
  SelectPicker(&m_customSwatch);
  m_nTool = m_nPreviousTool;
}

void CTkButtonEditorDlg::SelectPicker(CTkImageEditorPicker* picker) {
  if (picker == nullptr || picker == m_pSelected) return;
  if (m_pSelected != nullptr) m_pSelected->SetSelected(FALSE);
  m_pSelected = picker;
  picker->SetSelected(TRUE);
}

void CTkButtonEditorDlg::RedrawPicture() {
  if (m_preview.GetSafeHwnd() != nullptr) m_preview.Invalidate(FALSE);
}

void CTkButtonEditorDlg::OnTool(UINT id) { SetTool(static_cast<int>(id - ID_TK_EDITOR_PENCIL)); }

void CTkButtonEditorDlg::OnUpdateTool(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(static_cast<int>(pCmdUI->m_nID - ID_TK_EDITOR_PENCIL) == m_nTool);
}

void CTkButtonEditorDlg::OnUndo() { m_canvas.Undo(); }

void CTkButtonEditorDlg::OnUpdateUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_canvas.CanUndo()); }

void CTkButtonEditorDlg::OnRedo() { m_canvas.Redo(); }

void CTkButtonEditorDlg::OnUpdateRedo(CCmdUI* pCmdUI) { pCmdUI->Enable(m_canvas.CanRedo()); }

void CTkButtonEditorDlg::OnClear() { m_canvas.Clear(); }

void CTkButtonEditorDlg::OnCopy() { m_canvas.Copy(); }

void CTkButtonEditorDlg::OnPaste() { m_canvas.Paste(); }

void CTkButtonEditorDlg::OnImport() {
  CString filter;
  GetToolkitResourceLoader()->LoadString(filter, IDS_TK_PICTURE_FILTER);
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, filter, this);
  if (dialog.DoModal() != IDOK) return;
  m_canvas.ImportFile(dialog.GetPathName());
}

void CTkButtonEditorDlg::OnMove(UINT id) {
  switch (id) {
    case ID_TK_EDITOR_MOVE_LEFT: m_canvas.MovePicture(-1, 0); break;
    case ID_TK_EDITOR_MOVE_RIGHT: m_canvas.MovePicture(1, 0); break;
    case ID_TK_EDITOR_MOVE_UP: m_canvas.MovePicture(0, -1); break;
    default: m_canvas.MovePicture(0, 1); break;
  }
}

void CTkButtonEditorDlg::OnPickerClick(UINT id, NMHDR*, LRESULT* pResult) {
  if (pResult != nullptr) *pResult = 0;
  if (id == IDC_TK_EDITOR_CUSTOM_COLOR) {
    CColorDialog dialog(m_customSwatch.GetColor(), 0, this);
    dialog.DoModal();
    // A cancelled dialog hands back the colour it was given.
    m_customSwatch.SetColor(dialog.GetColor());
    SelectPicker(&m_customSwatch);
    return;
  }
  if (id == IDC_TK_EDITOR_TRANSPARENT) {
    SelectPicker(&m_transparentSwatch);
    return;
  }
  for (int i = 0; i < kSwatchCount; ++i)
    if (kSwatches[i].id == id) SelectPicker(&m_swatches[i]);
}

BOOL CTkButtonEditorDlg::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  const UINT id = static_cast<UINT>(pNMHDR->idFrom);
  CString text;
  if (id == 0 || !GetToolkitResourceLoader()->LoadString(text, id)) return FALSE;
  const int newline = text.Find(L'\n');
  if (newline < 0) return FALSE;
  const CString tip = text.Mid(newline + 1).Left(kTipLength - 1);
  if (pNMHDR->code == TTN_NEEDTEXTW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    lstrcpynW(info->szText, tip, kTipLength);
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    // The 8-bit buffer holds 80 characters with its terminator.
    const int written = ::WideCharToMultiByte(CP_ACP, 0, tip, -1, info->szText, kTipLength, nullptr, nullptr);
    info->szText[written > 0 ? std::min(written, kTipLength) - 1 : 0] = '\0';
  }
  if (pResult != nullptr) *pResult = 0;
  ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
  return TRUE;
}

LRESULT CTkButtonEditorDlg::OnKickIdle(WPARAM, LPARAM) {
  SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  return 0;
}
