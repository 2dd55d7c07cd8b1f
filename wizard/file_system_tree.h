// CFileSystemTree: the tree of the Advance Scan's file-system step, one item
// per rebuilt volume under a "File System" root. Its visible-row numbering
// is shared with the drive tree and the file-type tree.
#pragma once

#include "framework.h"

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
};
