// Views: CView draws its document in a frame; CScrollView scrolls a
// larger drawing; CListView and CTreeView are views that are a list or
// tree control.
#pragma once

#include "frame_wnd.h"
#include "list_ctrl.h"
#include "ole_drop_target.h"
#include "tree_ctrl.h"

class CDocument;
struct CPrintInfo;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
 public:
  ~CView() override;
  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnPrepareDC(CDC*, CPrintInfo* = nullptr) {}
  // Printing is not part of this program: the view draws as on screen and
  // the print commands do nothing.
  virtual void OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }
  virtual BOOL OnPreparePrinting(CPrintInfo*) { return FALSE; }
  BOOL DoPreparePrinting(CPrintInfo*) { return FALSE; }
  afx_msg void OnFilePrint() {}
  afx_msg void OnFilePrintPreview() {}
  // The active view takes the focus.
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT, CFrameWnd*) {}
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  // A COleDropTarget registered on the view hands its drags here; by
  // default nothing is accepted.
  virtual DROPEFFECT OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
  virtual DROPEFFECT OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
  virtual BOOL OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

  CDocument* m_pDocument = nullptr;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  void PostNcDestroy() override { delete this; }
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()
};

class CScrollView : public CView {
  DECLARE_DYNAMIC(CScrollView)
 public:
  void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = CSize(0, 0),
                      const SIZE& sizeLine = CSize(0, 0));
  CPoint GetScrollPosition() const;
  void ScrollToPosition(POINT pt);
  CSize GetTotalSize() const { return m_totalLog; }
  void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

 protected:
  void UpdateBars();
  void ScrollBy(int nBar, int delta);
  void ScrollFromBar(int nBar, UINT nSBCode, UINT nPos);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  DECLARE_MESSAGE_MAP()

  int m_nMapMode = MM_TEXT;
  CSize m_totalLog;
  CSize m_pageDev;
  CSize m_lineDev;
};

// A view that is a system control of class lpszClass.
class CCtrlView : public CView {
  DECLARE_DYNAMIC(CCtrlView)
 public:
  CCtrlView(LPCWSTR lpszClass, DWORD dwStyle) : m_strClass(lpszClass), m_dwDefaultStyle(dwStyle) {}
  void OnDraw(CDC*) override {}

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg void OnPaint() { Default(); }
  DECLARE_MESSAGE_MAP()

  CString m_strClass;
  DWORD m_dwDefaultStyle;
};

class CListView : public CCtrlView {
  DECLARE_DYNCREATE(CListView)
 public:
  CListView() : CCtrlView(WC_LISTVIEWW, 0) {}
  BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, CCreateContext* pContext = nullptr) override {
    return CCtrlView::Create(lpszClassName, lpszWindowName != nullptr ? lpszWindowName : L"ListView", dwStyle, rect,
                             pParentWnd, nID, pContext);
  }
  // The view is the control: CListCtrl adds no data to CWnd, so the view
  // can be used as one.
  CListCtrl& GetListCtrl() const { return *reinterpret_cast<CListCtrl*>(const_cast<CListView*>(this)); }
};

class CTreeView : public CCtrlView {
  DECLARE_DYNCREATE(CTreeView)
 public:
  CTreeView() : CCtrlView(WC_TREEVIEWW, 0) {}
  // As for CListView: CTreeCtrl adds no data to CWnd.
  CTreeCtrl& GetTreeCtrl() const { return *reinterpret_cast<CTreeCtrl*>(const_cast<CTreeView*>(this)); }
};
