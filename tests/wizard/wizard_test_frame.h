// A top-level window holding a drive tree on the left and one of the
// wizard's panes on the right, as the wizard pages place them, and an
// engine interface that fills the tree through the engine's own calls.
#pragma once

#include "drive_tree_ctrl.h"
#include "engine_ui.h"
#include "framework.h"

class WizardTestFrame : public CWnd {
 public:
  WizardTestFrame();
  ~WizardTestFrame() override;

  // A pane of the given runtime class, made as the pages make theirs.
  CView* AddPane(CRuntimeClass* paneClass);

  CDriveTreeCtrl tree;
  CView* pane = nullptr;

  static const int kTreeWidth = 200;
  static const int kWidth = 960;
  static const int kHeight = 600;
};

// Routes the drive tree calls of the enumeration and the partition search
// to a tree; "Please Select" answers with a fixed choice.
class TreeFillingUi : public EngineUi {
 public:
  explicit TreeFillingUi(CDriveTreeCtrl& tree, int choice = 0) : m_tree(tree), m_choice(choice) {}
  void AddDriveTreePath(const std::string& path, int drive) override { m_tree.AddPath(path, drive); }
  void ExpandDriveTree() override { m_tree.ExpandRoot(); }
  void AddDiskItem(const std::u16string& top, const std::u16string& child) override {
    m_tree.AddDiskItem(reinterpret_cast<const wchar_t*>(top.c_str()),
                       reinterpret_cast<const wchar_t*>(child.c_str()));
  }
  void ExpandPartitionTree() override { m_tree.ExpandRoot(); }
  int AskPartitionChoice() override { return m_choice; }

 private:
  CDriveTreeCtrl& m_tree;
  int m_choice;
};

// The first item whose text is text, anywhere in the tree.
HTREEITEM FindItem(const CTreeCtrl& tree, const CString& text, HTREEITEM from = TVI_ROOT);
CString WindowText(CWnd& wnd);
