// What the folder tree shows beyond its marks: deleted folders in red,
// checked ones in bold, and its cursors over an item's parts.
#include <gtest/gtest.h>

#include "results_fixture.h"
#include "results_resources.h"

namespace {

void Repaint(CWnd& window) {
  window.Invalidate();
  window.UpdateWindow();
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

struct LabelInk {
  int red = 0;        // pixels of the deleted colour
  int rightmost = -1;  // the last column with any ink
};

LabelInk InkOf(CFolderTreeCtrl& tree, HTREEITEM item) {
  CRect label;
  tree.GetItemRect(item, &label, TRUE);
  label.right = label.left + 120;
  LabelInk ink;
  HDC dc = ::GetDC(tree.m_hWnd);
  for (int y = label.top; y < label.bottom; ++y)
    for (int x = label.left; x < label.right; ++x) {
      const COLORREF c = ::GetPixel(dc, x, y);
      if (GetRValue(c) > 200 && GetGValue(c) < 80 && GetBValue(c) < 80) ++ink.red;
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 600 && x > ink.rightmost) ink.rightmost = x;
    }
  ::ReleaseDC(tree.m_hWnd, dc);
  return ink;
}

HTREEITEM ChildNamed(CFolderTreeCtrl& tree, HTREEITEM parent, LPCWSTR name) {
  for (HTREEITEM c = tree.GetChildItem(parent); c != nullptr; c = tree.GetNextSiblingItem(c))
    if (tree.GetItemText(c) == name) return c;
  return nullptr;
}

}  // namespace

TEST(FolderTreeLook, DeletedFoldersRedAndCheckedOnesBold) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  CFolderTreeCtrl& tree = panes.tree;
  const HTREEITEM root = tree.RootItem();
  tree.Expand(root, TVE_EXPAND);
  const HTREEITEM deleted = ChildNamed(tree, root, L"OldPhotos");
  const HTREEITEM music = ChildNamed(tree, root, L"Music");
  ASSERT_NE(deleted, nullptr);
  ASSERT_NE(music, nullptr);
  // The focus elsewhere: a selected item would keep the control's colours.
  panes.list.SetFocus();
  Repaint(tree);
  EXPECT_GT(InkOf(tree, deleted).red, 5);
  const LabelInk plain = InkOf(tree, music);
  EXPECT_EQ(plain.red, 0);
  tree.ToggleCheckOfItem(music);
  ASSERT_EQ(tree.GetCheckState(music), 1);
  Repaint(tree);
  EXPECT_GT(InkOf(tree, music).rightmost, plain.rightmost) << "bold text is wider";
  tree.ToggleCheckOfItem(music);
  Repaint(tree);
  EXPECT_EQ(InkOf(tree, music).rightmost, plain.rightmost);
}

TEST(FolderTreeLook, CursorsOverAnItemsParts) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  CFolderTreeCtrl& tree = panes.tree;
  const HTREEITEM music = ChildNamed(tree, tree.RootItem(), L"Music");
  ASSERT_NE(music, nullptr);
  CRect row;
  tree.GetItemRect(music, &row, FALSE);
  const HINSTANCE module = ::GetModuleHandleW(nullptr);
  const struct {
    UINT hit;
    UINT cursorId;
  } parts[] = {{TVHT_ONITEMSTATEICON, IDC_HAND_CURSOR},
               {TVHT_ONITEMBUTTON, IDC_TREE_EXPAND_CURSOR},
               {TVHT_ONITEMLABEL, IDC_TREE_ITEM_CURSOR}};
  for (const auto& part : parts) {
    SCOPED_TRACE(part.cursorId);
    const HCURSOR expected = ::LoadCursorW(module, MAKEINTRESOURCEW(part.cursorId));
    ASSERT_NE(expected, nullptr);
    CPoint at(-1, row.CenterPoint().y);
    for (int x = row.left; x < row.right && at.x < 0; ++x) {
      UINT flags = 0;
      if (tree.HitTest(CPoint(x, at.y), &flags) == music && (flags & part.hit) != 0) at.x = x;
    }
    ASSERT_GE(at.x, 0);
    ::SetCursor(nullptr);
    tree.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(::GetCursor(), expected);
  }
  // Beside the items the control keeps its own cursor.
  CRect client;
  tree.GetClientRect(&client);
  EXPECT_EQ(tree.CursorAt(CPoint(client.right - 2, client.bottom - 2), FALSE), nullptr);
}
