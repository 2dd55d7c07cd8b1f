// One docking pane: an application window shown with a title, an icon, a
// tab colour and size limits, held by a tabbed container or closed.
#pragma once

#include "docking_pane_node.h"

class CTkImageIcon;

class CTkDockingPaneObject : public CCmdTarget, public CTkDockingPaneNode {
 public:
  explicit CTkDockingPaneObject(CTkDockingPaneArrangement* arrangement);
  ~CTkDockingPaneObject() override = default;

  virtual void SetFocus();
  virtual CString GetTitle() const;
  virtual CString GetTabCaption() const;
  virtual CTkImageIcon* GetIcon(int width) const;
  virtual COLORREF GetTabColor() const;
  virtual void CopyFrom(const CTkDockingPaneObject* other);

  void GetMinMaxInfo(MINMAXINFO* pInfo) override;
  void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams) override;
  void OnFocusChanged() override;
  void SetParentContainer(CTkDockingPaneNode* pParent) override;
  BOOL DoPropExchange(CTkPropExchange* pPX) override;
  CTkDockingPaneNode* Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD flags) override;
  BOOL IsHidden() override;

  BOOL HasFocus() const;
  void ShowWindow(BOOL bShow);
  void Close();
  void Hide();
  CWnd* GetPaneDockingSite() const;
  BOOL IsClosed() const { return m_pParent == nullptr; }
  BOOL IsSelected() const;
  DWORD GetOptions() const;
  // The tabbed container the pane is in, or NULL when it is closed.
  CTkDockingPaneNode* GetContainer() const { return m_pParent; }

  HWND m_hwndChild = nullptr;
  int m_id = 0;
  int m_iconId = -1;
  CString m_title;
  DWORD m_options = 0;
  DWORD m_tag = 0;
  CPoint m_minTrackSize{0, 0};
  CPoint m_maxTrackSize{32000, 32000};
  COLORREF m_tabColor = static_cast<COLORREF>(-1);
  DWORD m_helpId = 0;
};
