// CToolBar: a control bar over the common-controls tool bar, loaded from a
// tool-bar resource and the bitmap of the same id. Its buttons follow the
// commands' update handlers at idle time.
#pragma once

#include <vector>

#include "frame_wnd.h"
#include "image_list.h"

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCEW(241)
#endif

// Reads a tool-bar resource: WORD version (1), image width and height,
// item count, then the items' command ids (0 for a separator). FALSE when
// it is missing, of another version, or shorter than its count says.
BOOL AfxReadToolBarResource(LPCWSTR lpszResourceName, CSize& sizeImage, std::vector<UINT>& items);

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)
 public:
  ~CToolBar() override;
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  // dwCtrlStyle: TBSTYLE_* of the control; dwStyle: window and CBRS_* styles.
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                UINT nID = AFX_IDW_TOOLBAR);

  // Buttons, sizes and pictures from the resource and the bitmap of the
  // same name. On failure the bar keeps what it had.
  BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEW(nIDResource)); }
  BOOL LoadToolBar(LPCWSTR lpszResourceName);
  // Pictures side by side, each of the current image size.
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEW(nIDResource)); }
  BOOL LoadBitmap(LPCWSTR lpszResourceName);
  // One button per id, 0 a separator; buttons take the pictures in order.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  void SetSizes(SIZE sizeButton, SIZE sizeImage);

  int GetCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
  // The index of the button with that command, or -1.
  int CommandToIndex(UINT nIDFind) const {
    return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, nIDFind));
  }
  // The command of button nIndex: ID_SEPARATOR for separators and for an
  // index past the end.
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const {
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect));
  }

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  // The buttons' check and enable states from pTarget's update handlers.
  void UpdateButtons(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
  void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

  CSize m_sizeButton{23, 22};
  CSize m_sizeImage{16, 15};

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  // A bar in a dialog takes its states from the dialog's handlers.
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // A picture well from bitmap lpszResourceName holding at least nImages
  // pictures of sizeImage; FALSE when it is missing or too small.
  static BOOL CreateImageWell(CImageList& well, LPCWSTR lpszResourceName, CSize sizeImage, int nImages);
  void SetImageWell(CImageList& well);
  // A vertical bar is a column: every button but the last wraps.
  void WrapForOrientation(BOOL bHorz);

  CImageList m_imageWell;
};
