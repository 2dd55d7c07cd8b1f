// CDriveTreeCtrl: the wizard's drive and partition trees. The engine fills
// them; each drive, volume and partition item carries its number as item
// data. A check state sits in the state-image bits without a state image
// list, so bold text is the only visible mark of a checked item.
#pragma once

#include <string>

#include "framework.h"

class CDriveTreeCtrl : public CTreeCtrl {
 public:
  // Item data of an item that stands for no drive, volume or partition.
  static const DWORD_PTR kNoNumber = static_cast<DWORD_PTR>(-1);

  CDriveTreeCtrl() = default;

  // The seven icons as the normal image list, and the three cursors.
  void LoadImages();

  // One item per backslash-terminated component, each found or added under
  // the previous one; the last carries drive as its data. Then "My
  // Computer" and its branches are checked and expanded.
  void AddPath(const std::string& path, int drive);
  // A top-level item and, when child is not empty, a child of it; a child
  // "Partition N" carries the PartitionTable index N - 1.
  void AddDiskItem(const CString& top, const CString& child);
  void ExpandRoot();
  HTREEITEM FindOrAddItem(const CString& text, HTREEITEM parent);

  // The number an item carries; kNoNumber for group nodes.
  DWORD_PTR ItemNumber(HTREEITEM item) const;

  // Check state: 0 unchecked, 1 checked, 2 partly, -1 none.
  int GetCheckState(HTREEITEM item) const;
  BOOL IsBold(HTREEITEM item) const { return (GetItemState(item, TVIS_BOLD) & TVIS_BOLD) != 0; }
  void CheckItem(HTREEITEM item);
  void UncheckItem(HTREEITEM item);
  void CheckBranch(HTREEITEM item);
  void UncheckBranch(HTREEITEM item);
  int AreAllChildrenChecked(HTREEITEM item) const;
  void UpdateAncestorsChecks(HTREEITEM item);
  void UpdateAncestorsBold(HTREEITEM item);

  CImageList Images;
  HCURSOR ButtonCursor = nullptr;
  HCURSOR ItemCursor = nullptr;
  HCURSOR PressCursor = nullptr;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  int ImageFor(const CString& text, HTREEITEM parent) const;
  void SetCursorFor(UINT flags, bool pressing);
};

// Writes the drive selection for the item (the selected drive, the drive
// kind, the range to scan, the row and the mode text) and returns its text.
CString UpdateDriveSelection(CDriveTreeCtrl& tree, HTREEITEM item);

// The drive trees' seven item icons, in image order, added to a list.
void AddDriveTreeIcons(CImageList& images);
// The image of a top-level item by the drive type of its text ("X:\"); 5
// for anything else.
int DriveTypeImage(const CString& text);
