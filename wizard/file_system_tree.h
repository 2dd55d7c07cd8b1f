// CFileSystemTree: the tree of the Advance Scan's file-system step, one item
// per rebuilt volume under a "File System" root. Its visible-row numbering
// is shared with the drive tree and the file-type tree.
#pragma once

#include "framework.h"

class CFileSystemForm;

class CFileSystemTree : public CTreeCtrl {
 public:
  CFileSystemTree() = default;

  // TVI_ROOT or no item gives -1; otherwise the number of visible items
  // from this one back to the top, minus 2, so the first top item is -1
  // and the row below it 0.
  static int GetVisibleRowIndex(const CTreeCtrl& tree, HTREEITEM item);
  int GetVisibleRowIndex(HTREEITEM item) const { return GetVisibleRowIndex(*this, item); }

  CImageList Images;
  CImageList StateImages;
  HCURSOR ButtonCursor = nullptr;
  HCURSOR ItemCursor = nullptr;
  HCURSOR PressCursor = nullptr;

  // The drive trees' icons as item images, the check marks as state
  // images, and the three cursors.
  void SetupImages();
  // At the top level the image follows the drive type of the text, below
  // it every item shows image 5; the item goes last under its parent.
  HTREEITEM InsertVolumeItem(const CString& text, HTREEITEM parent);
  // A rebuilt volume: under the first top item when parent is TVI_ROOT.
  HTREEITEM AddVolumeItem(const CString& text, HTREEITEM parent);
  // The item's visible row becomes the frame's selected row.
  void RecordSelection(HTREEITEM item);
  // The root (or an empty text) only sets the form's captions for the
  // chosen type; a volume's item picks the volume and shows its values.
  void SelectVolume(HTREEITEM item);

  // The step's information form; null until the step makes it.
  CFileSystemForm* Form = nullptr;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void IgnoreTreeKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  void SetCursorFor(UINT flags, bool pressing) const;
};
