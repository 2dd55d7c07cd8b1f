#include "tool_bar.h"

#include <algorithm>

#include "dialog.h"
#include "module_state.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

const int kSeparatorWidth = 8;
// Room the control keeps around a picture inside its button.
const CSize kButtonMargin(7, 7);
// The background of classic tool-bar pictures, drawn transparent.
const COLORREF kPictureBackground = RGB(192, 192, 192);

// Reads and writes one button's state by index: separators share id 0
// and a command may have several buttons.
BYTE GetButtonState(HWND hWnd, int nIndex) {
  TBBUTTONINFOW info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_STATE;
  if (::SendMessageW(hWnd, TB_GETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info)) == -1)
    return 0;
  return info.fsState;
}

void SetButtonState(HWND hWnd, int nIndex, BYTE mask, BYTE bits) {
  BYTE state = GetButtonState(hWnd, nIndex);
  BYTE changed = static_cast<BYTE>((state & ~mask) | (bits & mask));
  if (changed == state) return;
  TBBUTTONINFOW info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_BYINDEX | TBIF_STATE;
  info.fsState = changed;
  ::SendMessageW(hWnd, TB_SETBUTTONINFOW, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&info));
}

// The update-UI request for one button of a tool bar.
class CToolCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    SetButtonState(m_pOther->m_hWnd, static_cast<int>(m_nIndex), TBSTATE_ENABLED, bOn ? TBSTATE_ENABLED : 0);
  }
  void SetCheck(int nCheck) override {
    BYTE bits = nCheck == 1 ? TBSTATE_CHECKED : nCheck == 2 ? TBSTATE_INDETERMINATE : 0;
    SetButtonState(m_pOther->m_hWnd, static_cast<int>(m_nIndex), TBSTATE_CHECKED | TBSTATE_INDETERMINATE, bits);
  }
  // Buttons show pictures only.
  void SetText(LPCWSTR) override {}
};

}  // namespace

BOOL AfxReadToolBarResource(LPCWSTR lpszResourceName, CSize& sizeImage, std::vector<UINT>& items) {
  items.clear();
  HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
  HRSRC resource = ::FindResourceW(module, lpszResourceName, RT_TOOLBAR);
  if (resource == nullptr) return FALSE;
  HGLOBAL loaded = ::LoadResource(module, resource);
  const WORD* data = loaded != nullptr ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
  DWORD size = ::SizeofResource(module, resource);
  if (data == nullptr || size < 4 * sizeof(WORD) || data[0] != 1) return FALSE;
  WORD count = data[3];
  if ((4 + static_cast<DWORD>(count)) * sizeof(WORD) > size) return FALSE;
  sizeImage = CSize(data[1], data[2]);
  items.assign(data + 4, data + 4 + count);
  return TRUE;
}

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CToolBar::~CToolBar() {
  // The control goes before the picture well it draws from, and with this
  // object still whole, so the frame forgets the bar.
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder),
                  nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  SetBorders(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
  // The control's styles share the low word with the bar's CBRS_* bits:
  // the bar keeps its own, the window gets the control's.
  m_dwStyle = dwStyle & CBRS_ALL;
  DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
  if (!CWnd::Create(TOOLBARCLASSNAMEW, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

BOOL CToolBar::PreCreateWindow(CREATESTRUCTW& cs) {
  // Not CControlBar's: it would take the control's styles for bar bits.
  if (!CWnd::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CLIPSIBLINGS | WS_CHILD;
  return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCWSTR lpszResourceName) {
  if (m_hWnd == nullptr) return FALSE;
  CSize sizeImage;
  std::vector<UINT> items;
  if (!AfxReadToolBarResource(lpszResourceName, sizeImage, items)) return FALSE;
  if (items.empty() || sizeImage.cx <= 0 || sizeImage.cy <= 0) return FALSE;
  int images = static_cast<int>(std::count_if(items.begin(), items.end(), [](UINT id) { return id != ID_SEPARATOR; }));
  CImageList well;
  if (!CreateImageWell(well, lpszResourceName, sizeImage, images)) return FALSE;
  SetSizes(sizeImage + kButtonMargin, sizeImage);
  SetImageWell(well);
  return SetButtons(items.data(), static_cast<int>(items.size()));
}

BOOL CToolBar::LoadBitmap(LPCWSTR lpszResourceName) {
  CImageList well;
  if (!CreateImageWell(well, lpszResourceName, m_sizeImage, 1)) return FALSE;
  SetImageWell(well);
  return TRUE;
}

BOOL CToolBar::CreateImageWell(CImageList& well, LPCWSTR lpszResourceName, CSize sizeImage, int nImages) {
  if (sizeImage.cx <= 0 || sizeImage.cy <= 0) return FALSE;
  CBitmap bitmap;
  BITMAP info;
  if (!bitmap.LoadBitmap(lpszResourceName) || !bitmap.GetBitmap(&info)) return FALSE;
  if (info.bmHeight < sizeImage.cy || info.bmWidth / sizeImage.cx < std::max(nImages, 1)) return FALSE;
  if (!well.Create(sizeImage.cx, sizeImage.cy, ILC_COLOR24 | ILC_MASK, info.bmWidth / sizeImage.cx, 0)) return FALSE;
  if (well.Add(&bitmap, kPictureBackground) == -1) {
    well.DeleteImageList();
    return FALSE;
  }
  return TRUE;
}

void CToolBar::SetImageWell(CImageList& well) {
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(static_cast<HIMAGELIST>(well)));
  m_imageWell.DeleteImageList();
  m_imageWell.Attach(well.Detach());
  Invalidate();
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr)) return FALSE;
  for (int n = GetCount(); n > 0; --n) SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(n - 1));
  std::vector<TBBUTTON> buttons(static_cast<size_t>(nIDCount));
  int image = 0;
  for (int i = 0; i < nIDCount; ++i) {
    TBBUTTON& button = buttons[static_cast<size_t>(i)];
    button.idCommand = static_cast<int>(lpIDArray[i]);
    if (lpIDArray[i] == ID_SEPARATOR) {
      button.fsStyle = TBSTYLE_SEP;
      button.iBitmap = kSeparatorWidth;
    } else {
      button.fsStyle = TBSTYLE_BUTTON;
      button.fsState = TBSTATE_ENABLED;
      button.iBitmap = image++;
    }
  }
  if (nIDCount > 0 &&
      !SendMessage(TB_ADDBUTTONSW, static_cast<WPARAM>(nIDCount), reinterpret_cast<LPARAM>(buttons.data())))
    return FALSE;
  WrapForOrientation((m_dwStyle & CBRS_ORIENT_VERT) == 0);
  return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeButton = sizeButton;
  m_sizeImage = sizeImage;
  if (m_hWnd == nullptr) return;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
  Invalidate();
}

UINT CToolBar::GetItemID(int nIndex) const {
  TBBUTTON button = {};
  if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&button))) return ID_SEPARATOR;
  return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : static_cast<UINT>(button.idCommand);
}

void CToolBar::WrapForOrientation(BOOL bHorz) {
  BOOL changed = FALSE;
  for (int i = 0, count = GetCount(); i < count; ++i) {
    BYTE wrap = !bHorz && i + 1 < count ? TBSTATE_WRAP : 0;
    if ((GetButtonState(m_hWnd, i) & TBSTATE_WRAP) == wrap) continue;
    SetButtonState(m_hWnd, i, TBSTATE_WRAP, wrap);
    changed = TRUE;
  }
  if (changed) SendMessage(TB_AUTOSIZE);
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  WrapForOrientation(bHorz);
  // The buttons as the control places them, plus the bar's borders.
  CSize content(0, 0);
  for (int i = 0, count = GetCount(); i < count; ++i) {
    CRect item;
    if (!SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
    content.cx = std::max<LONG>(content.cx, item.right);
    content.cy = std::max<LONG>(content.cy, item.bottom);
  }
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, bHorz);
  CSize size(content.cx + inside.left - inside.right, content.cy + inside.top - inside.bottom);
  if (bStretch && bHorz) size.cx = 32767;
  if (bStretch && !bHorz) size.cy = 32767;
  return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateButtons(pTarget, bDisableIfNoHndler);
}

LRESULT CToolBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  CWnd* pParent = GetParent();
  if (pParent != nullptr && !pParent->IsFrameWnd() && pParent->IsKindOf(RUNTIME_CLASS(CDialog))) {
    if (GetStyle() & WS_VISIBLE) UpdateButtons(pParent, static_cast<BOOL>(wParam));
    return 0;
  }
  return CControlBar::OnIdleUpdateCmdUI(wParam, lParam);
}

void CToolBar::UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = GetItemID(static_cast<int>(state.m_nIndex));
    if (state.m_nID == ID_SEPARATOR) continue;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
}

void CToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) {
  if (m_hWnd == nullptr || ((dwOldStyle ^ dwNewStyle) & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) == 0) return;
  // Borders and orientation live in the non-client area and the layout.
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (CFrameWnd* pFrame = GetDockingFrame()) pFrame->DelayRecalcLayout();
}

void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CRect rect(lpncsp->rgrc[0]);
  CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_VERT) == 0);
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  lpncsp->rgrc[0] = rect;
}

void CToolBar::OnNcPaint() { EraseNonClient(); }
