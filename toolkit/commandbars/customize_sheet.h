// The "Customize" sheet of a frame's command bars. While it runs the bars
// are in customize mode: commands are dragged onto bars, controls moved
// and removed, and a right click on a control opens a menu of changes.
// The rest of the frame gets no mouse or keyboard input meanwhile.
#pragma once

#include "framework.h"
#include "property_sheet.h"

class CTkCommandBars;
class CTkControl;
class CTkCustomizeCommandsPage;
class CTkCustomizeToolbarsPage;
class CTkImageManager;
class CTkPopupBar;

class CTkCustomizeSheet : public CPropertySheet {
  DECLARE_DYNAMIC(CTkCustomizeSheet)
 public:
  CTkCustomizeSheet(CTkCommandBars* commandBars, UINT initialPage = 0);
  ~CTkCustomizeSheet() override;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // 2 at once while another customize sheet runs.
  INT_PTR DoModal() override;
  BOOL OnInitDialog() override;

  // With the toolkit's template for the page when there is one.
  void AddCustomizePage(CPropertyPage* page);
  void ShowContextMenu(CPoint screenPoint);
  // The sheet that runs now, none when none does.
  static CTkCustomizeSheet* GetRunningSheet();

  CTkCommandBars* GetCommandBars() const { return m_pCommandBars; }
  CWnd* GetFrame() const { return m_pFrame; }
  CTkCustomizeToolbarsPage* GetToolbarsPage() const { return m_pToolbarsPage; }
  CTkCustomizeCommandsPage* GetCommandsPage() const { return m_pCommandsPage; }
  CTkPopupBar* GetContextMenu() const { return m_pContextMenu; }

  // Fills the palette popup the first time it shows.
  afx_msg LRESULT OnPopupShowing(WPARAM wParam, LPARAM lParam);
  // The input filters of a running sheet: TRUE lets the message through.
  BOOL FilterMouse(UINT message, HWND hWnd);
  BOOL FilterKeyboard();

 protected:
  void BuildContextMenu();
  // The customize selection when it may be changed here.
  CTkControl* Selection() const;
  void Changed(CTkControl* control);
  afx_msg void OnReset();
  afx_msg void OnDelete();
  afx_msg void OnResetImage();
  afx_msg void OnCopyImage();
  afx_msg void OnPasteImage();
  afx_msg void OnEditImage();
  afx_msg void OnUpdatePasteImage(CCmdUI* pCmdUI);
  afx_msg void OnStyle(UINT id);
  afx_msg void OnBeginGroup();
  afx_msg void OnUpdateReset(CCmdUI* pCmdUI);
  afx_msg void OnUpdateDelete(CCmdUI* pCmdUI);
  afx_msg void OnUpdateName(CCmdUI* pCmdUI);
  afx_msg void OnUpdateImage(CCmdUI* pCmdUI);
  afx_msg void OnUpdateResetImage(CCmdUI* pCmdUI);
  afx_msg void OnUpdateStyle(CCmdUI* pCmdUI);
  afx_msg void OnUpdateBeginGroup(CCmdUI* pCmdUI);
  afx_msg LRESULT OnControlNotify(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSysKeyDown(UINT key, UINT repeat, UINT flags);
  DECLARE_MESSAGE_MAP()

  CTkCustomizeToolbarsPage* m_pToolbarsPage;
  CTkCustomizeCommandsPage* m_pCommandsPage;
  CWnd* m_pFrame;
  CTkCommandBars* m_pCommandBars;
  CTkPopupBar* m_pContextMenu = nullptr;
  CTkImageManager* m_pPaletteImages = nullptr;
};
