// A dialog that paints a skin bitmap as its background: a DIB section from
// the program's resources. Without it the dialog erases as usual.
#pragma once

#include "framework.h"

class CDialogSkin {
 public:
  explicit CDialogSkin(UINT nIDBitmap);
  CDialogSkin(const CDialogSkin&) = delete;
  CDialogSkin& operator=(const CDialogSkin&) = delete;

  BOOL IsLoaded() const { return m_bitmap.GetSafeHandle() != nullptr; }
  // Copies the bitmap at (0, 0) in its own size; FALSE when there is none.
  BOOL Paint(CDC* pDC);

 private:
  CBitmap m_bitmap;
};

class CSkinnedDialog : public CDialog {
 public:
  CSkinnedDialog(UINT nIDTemplate, UINT nIDSkin, CWnd* pParent) : CDialog(nIDTemplate, pParent), m_skin(nIDSkin) {}

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  CDialogSkin m_skin;
};
