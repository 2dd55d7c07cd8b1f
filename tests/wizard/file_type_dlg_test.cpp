// "File Types" over the "Raw.dat" beside the test program: the size kept
// between openings, the marks the tree shows against the engine's model,
// and OK refusing an empty choice.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine_state.h"
#include "engine_ui.h"
#include "file_type_dlg.h"
#include "program_folder.h"
#include "raw/raw_lists.h"
#include "placement_check.h"
#include "test_app.h"
#include "wizard_resources.h"
#include "wizard_state.h"

namespace {

class MessageRecorder : public EngineUi {
 public:
  void ShowAppMessage(int kind, const std::u16string& text) override { messages.push_back({kind, text}); }
  struct Message {
    int kind;
    std::u16string text;
  };
  std::vector<Message> messages;
};

class FileTypes : public testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    SetEngineUi(&recorder);
  }
  void TearDown() override {
    SetEngineUi(nullptr);
    ProgramFolder.clear();
    ResetEngineState();
  }

  // The dialog without its modal loop, so the test can reach into it.
  static void Open(CFileTypeDlg& dialog) {
    ASSERT_TRUE(dialog.Create(IDD_FILE_TYPES));
    dialog.ShowWindow(SW_SHOW);
    PumpPending();
  }

  // A left click at a point of an item, through the tree's own handling.
  static void Click(CFileTypeTree& tree, HTREEITEM item, UINT area) {
    tree.EnsureVisible(item);
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(item, &label, TRUE));
    // The first point left of the label's start that lies in the area.
    CPoint point(label.left + 4, label.CenterPoint().y);
    UINT flags = 0;
    for (int x = label.left + 4; x >= 0; --x) {
      point.x = x;
      if (tree.HitTest(point, &flags) == item && (flags & area)) break;
    }
    ASSERT_EQ(item, tree.HitTest(point, &flags));
    ASSERT_TRUE(flags & area) << "flags " << flags;
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  }

  // Every item's shown mark and bold equal the model's.
  static void ExpectShownAsModel(const CFileTypeTree& tree, const FileTypeTree& model) {
    for (FileTypeTree::Item item = 0; item < model.ItemCount(); ++item) {
      HTREEITEM shown = tree.TreeItem(item);
      ASSERT_NE(nullptr, shown);
      EXPECT_EQ(model.State(item), tree.ShownState(shown)) << "item " << item;
      EXPECT_EQ(model.IsBold(item), (tree.GetItemState(shown, TVIS_BOLD) & TVIS_BOLD) != 0) << "item " << item;
    }
  }

  MessageRecorder recorder;
};

TEST_F(FileTypes, TheSizeChosenIsKeptForTheNextOpening) {
  struct Step {
    int choose;  // entry index, -1 to cancel
    const wchar_t* shownBefore;
    int limitAfter;
  };
  const Step steps[] = {{-1, L"3 MB", 3}, {19, L"3 MB", 20}, {0, L"20 MB", 1}, {-1, L"1 MB", 1}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.choose);
    CString shown;
    int entries = 0;
    INT_PTR result = 0;
    {
      CFileTypeDlg dialog;
      Watcher watcher([&] {
        HWND hDlg = WaitForDialog(L"File Types");
        if (hDlg == nullptr) return;
        HWND combo = ::GetDlgItem(hDlg, IDC_FILE_SIZE_COMBO);
        entries = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
        WCHAR text[32] = {};
        ::GetWindowTextW(combo, text, 32);
        shown = text;
        if (step.choose < 0) {
          ::SendMessageW(::GetDlgItem(hDlg, IDCANCEL), BM_CLICK, 0, 0);
        } else {
          ::SendMessageW(combo, CB_SETCURSEL, step.choose, 0);
          ::SendMessageW(::GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
        }
      });
      result = dialog.DoModal();
    }
    EXPECT_EQ(CString(step.shownBefore), shown);
    EXPECT_EQ(20, entries);
    EXPECT_EQ(step.choose < 0 ? IDCANCEL : IDOK, result);
    EXPECT_EQ(step.limitAfter, CarveSizeLimitMB);
  }
  EXPECT_GT(SignatureCount, 0u);
  EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(FileTypes, ClicksOnTheMarksChangeTheModelAndEveryShownMarkFollows) {
  CFileTypeDlg dialog;
  Open(dialog);
  CFileTypeTree& tree = dialog.TypeTree;
  const FileTypeTree& model = dialog.Model;
  ASSERT_EQ(CString(L"File Types"), tree.GetItemText(tree.GetRootItem()));
  ASSERT_GE(model.Children(FileTypeTree::kRoot).size(), 2u);
  ExpectShownAsModel(tree, model);
  EXPECT_EQ(FileTypeTree::kChecked, tree.ShownState(tree.GetRootItem()));
  // Shell icons: folders for the root and the categories, the extension's
  // own for each type (whatever the prefix's shell makes of it).
  const int folder = tree.ShellIcons.GetFolderIconIndex(TRUE);
  for (FileTypeTree::Item item = 0; item < model.ItemCount(); ++item) {
    const CString text = reinterpret_cast<const wchar_t*>(model.Text(item).c_str());
    const bool extension = model.Parent(item) > 0 && text[0] == L'.';
    int image = -2, selected = -2;
    tree.GetItemImage(tree.TreeItem(item), image, selected);
    EXPECT_EQ(extension ? tree.ShellIcons.GetFileIconIndex(text, TRUE) : folder, image) << "item " << item;
    EXPECT_EQ(image, selected);
  }

  // A category with at least two extensions.
  FileTypeTree::Item category = -1;
  for (FileTypeTree::Item c : model.Children(FileTypeTree::kRoot))
    if (model.Children(c).size() >= 2) category = c;
  ASSERT_GE(category, 0);
  const std::vector<FileTypeTree::Item> extensions = model.Children(category);
  HTREEITEM categoryItem = tree.TreeItem(category);
  HTREEITEM root = tree.GetRootItem();

  // The category's button opens it; its marks stay.
  Click(tree, categoryItem, TVHT_ONITEMBUTTON);
  EXPECT_TRUE(tree.GetItemState(categoryItem, TVIS_EXPANDED) & TVIS_EXPANDED);
  EXPECT_EQ(FileTypeTree::kChecked, tree.ShownState(categoryItem));

  struct Case {
    const char* name;
    HTREEITEM item;
    UINT area;
    int category, root, first;
  };
  HTREEITEM first = tree.TreeItem(extensions[0]);
  const Case cases[] = {
      {"one extension off", first, TVHT_ONITEMSTATEICON, FileTypeTree::kPartlyChecked,
       FileTypeTree::kPartlyChecked, FileTypeTree::kUnchecked},
      {"a label click only selects", first, TVHT_ONITEMLABEL, FileTypeTree::kPartlyChecked,
       FileTypeTree::kPartlyChecked, FileTypeTree::kUnchecked},
      {"the partly checked category off", categoryItem, TVHT_ONITEMSTATEICON, FileTypeTree::kUnchecked,
       FileTypeTree::kPartlyChecked, FileTypeTree::kUnchecked},
      {"one extension back on", first, TVHT_ONITEMSTATEICON, FileTypeTree::kPartlyChecked,
       FileTypeTree::kPartlyChecked, FileTypeTree::kChecked},
      {"the partly checked root off", root, TVHT_ONITEMSTATEICON, FileTypeTree::kUnchecked,
       FileTypeTree::kUnchecked, FileTypeTree::kUnchecked},
      {"the root on", root, TVHT_ONITEMSTATEICON, FileTypeTree::kChecked, FileTypeTree::kChecked,
       FileTypeTree::kChecked},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Click(tree, c.item, c.area);
    EXPECT_EQ(c.category, tree.ShownState(categoryItem));
    EXPECT_EQ(c.root, tree.ShownState(root));
    EXPECT_EQ(c.first, tree.ShownState(first));
    ExpectShownAsModel(tree, model);
  }
  // The label click selected the item and recorded it.
  EXPECT_EQ(tree.GetItemText(root), SelectedTreeText);
}

TEST_F(FileTypes, SpaceTogglesThroughTheModel) {
  CFileTypeDlg dialog;
  Open(dialog);
  CFileTypeTree& tree = dialog.TypeTree;
  HTREEITEM category = tree.GetChildItem(tree.GetRootItem());
  tree.SelectItem(category);
  tree.SetFocus();
  for (int expected : {FileTypeTree::kUnchecked, FileTypeTree::kChecked}) {
    tree.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    tree.SendMessage(WM_CHAR, L' ', 0);
    tree.SendMessage(WM_KEYUP, VK_SPACE, 0);
    PumpPending();
    EXPECT_EQ(expected, dialog.Model.State(tree.ModelItem(category)));
    ExpectShownAsModel(tree, dialog.Model);
  }
  EXPECT_EQ(category, LastTreeItem);
}

TEST_F(FileTypes, OkWithNothingCheckedShowsTheMessageAndStaysOpen) {
  CFileTypeDlg dialog;
  Open(dialog);
  Click(dialog.TypeTree, dialog.TypeTree.GetRootItem(), TVHT_ONITEMSTATEICON);
  ASSERT_EQ(FileTypeTree::kUnchecked, dialog.TypeTree.ShownState(dialog.TypeTree.GetRootItem()));
  dialog.SendMessage(WM_COMMAND, IDOK);
  ASSERT_EQ(1u, recorder.messages.size());
  EXPECT_EQ(2, recorder.messages[0].kind);
  EXPECT_EQ(u"Please select a file types and then \r\nclick [Next] to continue with recovery.",
            recorder.messages[0].text);
  EXPECT_TRUE(dialog.IsWindowVisible());
  EXPECT_EQ(0u, SignatureCount);
  EXPECT_EQ(3, CarveSizeLimitMB);
  dialog.DestroyWindow();
}

TEST_F(FileTypes, WithoutRawDatOnlyTheRootShowsAndOkRefuses) {
  WCHAR temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  ProgramFolder = reinterpret_cast<const char16_t*>((std::wstring(temp) + L"no_raw_dat_here\\").c_str());
  CFileTypeDlg dialog;
  Open(dialog);
  EXPECT_EQ(1, dialog.Model.ItemCount());
  EXPECT_EQ(1u, dialog.TypeTree.GetCount());
  EXPECT_EQ(nullptr, dialog.TypeTree.GetChildItem(dialog.TypeTree.GetRootItem()));
  dialog.SendMessage(WM_COMMAND, IDOK);
  EXPECT_EQ(1u, recorder.messages.size());
  EXPECT_TRUE(dialog.IsWindowVisible());
  dialog.DestroyWindow();
}

// The dialog lies over its owner's centre and wholly on the screen, also
// when the owner stands at an edge or is smaller than the dialog.
TEST_F(FileTypes, OpensCentredOnItsOwnerAndWhollyOnTheScreen) {
  std::unique_ptr<CFileTypeDlg> dialog;
  ExpectPlacedOverOwners(
      [&](HWND owner) {
        dialog = std::make_unique<CFileTypeDlg>(CWnd::FromHandle(owner));
        return dialog->Create(IDD_FILE_TYPES, CWnd::FromHandle(owner)) ? dialog->m_hWnd : nullptr;
      },
      [&] {
        dialog->DestroyWindow();
        dialog.reset();
      });
}

}  // namespace
