#include "file_system_tree.h"

int CFileSystemTree::GetVisibleRowIndex(const CTreeCtrl& tree, HTREEITEM item) {
  if (item == nullptr || item == TVI_ROOT) return -1;
  int count = 0;
  for (HTREEITEM at = item; at != nullptr; at = tree.GetPrevVisibleItem(at)) ++count;
  return count - 2;
}
