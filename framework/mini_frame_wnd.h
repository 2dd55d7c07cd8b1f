// A frame with a small caption: floating tool windows owned by a main
// frame, or a child frame inside one.
#pragma once

#include "frame_wnd.h"

// Mini-frame styles, in the class-specific low word of the window style.
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
 public:
  CMiniFrameWnd() = default;

  BOOL Create(LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = nullptr, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
  // The window class of mini frames: double clicks, arrow cursor, button face.
  static LPCWSTR GetWindowClass();

  // The caption drawn active: the window itself is active, or, with
  // MFS_SYNCACTIVE, its owner is.
  BOOL m_bActive = FALSE;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
