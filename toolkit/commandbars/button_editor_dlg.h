// "Button Editor": edits one button picture pixel by pixel. The caller
// hands in the control's image (or only a size), runs the dialog modally
// and on OK takes the edited picture back.
#pragma once

#include "framework.h"
#include "button_editor_canvas.h"
#include "button_editor_controls.h"

class CTkIconHandle;

class CTkButtonEditorDlg : public CDialog {
  DECLARE_DYNAMIC(CTkButtonEditorDlg)
 public:
  static const int kSwatchCount = 16;

  explicit CTkButtonEditorDlg(CWnd* pParent = nullptr);
  ~CTkButtonEditorDlg() override = default;

  // An empty handle changes nothing.
  void SetPicture(const CTkIconHandle& handle);
  void SetPictureSize(int width, int height);
  // Nothing when the picture is empty.
  void GetPicture(CTkIconHandle& handle) const;

  BOOL OnInitDialog() override;

  int GetTool() const { return m_nTool; }
  void SetTool(int tool);
  COLORREF GetCurrentColor() const;
  // The picked colour goes to the custom-colour swatch, which is selected,
  // and the tool used before picking comes back.
  void PickColor(COLORREF color);
  void SelectPicker(CTkImageEditorPicker* picker);
  CTkImageEditorPicker* GetSelectedPicker() const { return m_pSelected; }
  CTkImageEditorPicker& GetSwatch(int index) { return m_swatches[index]; }
  CTkImageEditorPicker& GetCustomSwatch() { return m_customSwatch; }
  CTkImageEditorPicker& GetTransparentSwatch() { return m_transparentSwatch; }
  CTkButtonEditorCanvas& GetCanvas() { return m_canvas; }
  CTkButtonEditorPreview& GetPreview() { return m_preview; }
  CToolBar& GetToolBar() { return m_toolBar; }
  CToolBar& GetMoveBar() { return m_moveBar; }
  void RedrawPicture();

 protected:
  afx_msg void OnTool(UINT id);
  afx_msg void OnUpdateTool(CCmdUI* pCmdUI);
  afx_msg void OnUndo();
  afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
  afx_msg void OnRedo();
  afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
  afx_msg void OnClear();
  afx_msg void OnCopy();
  afx_msg void OnPaste();
  afx_msg void OnImport();
  afx_msg void OnMove(UINT id);
  afx_msg void OnPickerClick(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL CreateBar(CToolBar& bar, CImageList& images, UINT placeId, UINT barId, const UINT* ids, int count,
                 int firstImage);

  CStatic m_toolsPlace;
  CStatic m_movePlace;
  CToolBar m_toolBar;
  CImageList m_toolImages;
  CToolBar m_moveBar;
  CImageList m_moveImages;
  CTkImageEditorPicker m_swatches[kSwatchCount];
  CTkImageEditorPicker m_customSwatch;
  CTkImageEditorPicker m_transparentSwatch;
  CTkButtonEditorCanvas m_canvas;
  CTkButtonEditorPreview m_preview;
  CTkImageEditorPicker* m_pSelected = nullptr;
  int m_nTool = kToolPencil;
  int m_nPreviousTool = kToolPencil;
  int m_nPictureWidth = 16;
  int m_nPictureHeight = 16;
};
