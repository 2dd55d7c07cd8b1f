// The file-system step: the form's sizes and rows for a volume picked from
// the Advance Scan's found volumes.
#include <gtest/gtest.h>

#include "advance/advance_lists.h"
#include "engine_state.h"
#include "file_system_form.h"
#include "file_system_tree.h"
#include "test_app.h"
#include "volumes/boot_params.h"
#include "wizard_state.h"
#include "wizard_test_frame.h"

namespace {

class FileSystemStep : public testing::Test {
 protected:
  void SetUp() override { ResetEngineState(); }
  void TearDown() override {
    FreeAdvanceScanLists();
    ResetEngineState();
  }

  static FoundVolumeValues Values(uint32_t cluster0, uint32_t spc, uint32_t end) {
    FoundVolumeValues values = {};
    values.cluster0Sector = cluster0;
    values.sectorsPerCluster = spc;
    values.endSector = end;
    values.mftStart = cluster0 + 8 * spc;
    values.mftMirrStart = cluster0 + 16 * spc;
    return values;
  }

  static CString Row(CFileSystemForm& form, int row) { return WindowText(form.ValueStatics[row]); }
  static CString Caption(CFileSystemForm& form, int row) { return WindowText(form.CaptionStatics[row]); }
};

TEST_F(FileSystemStep, TheSizeIsTheVolumeInMegabytesOrUnknownWithoutAnEnd) {
  struct Case {
    uint32_t first, end;
    const wchar_t* text;
  };
  const Case cases[] = {
      {63, 2097215, L"1024 MB"},
      {63, 0, L"Unknown"},
      {0, 2047, L"0 MB"},
      {2048, 0xFFFFFFFFu, L"2097150 MB"},
  };
  for (const Case& c : cases) EXPECT_EQ(CString(c.text), FoundVolumeSizeText(c.first, c.end)) << c.first;
}

TEST_F(FileSystemStep, APickedVolumeFillsTheRowsOfItsFileSystem) {
  WizardTestFrame frame;
  CFileSystemForm& form = *static_cast<CFileSystemForm*>(frame.AddPane(RUNTIME_CLASS(CFileSystemForm)));
  EXPECT_FALSE(form.IsWindowEnabled());
  AddFoundVolume(kFat32, Values(63, 8, 2097215), 11);
  AddFoundVolume(kNtfs, Values(4096, 8, 0), 22);

  struct Case {
    const char* name;
    TreeItem item;
    uint32_t index;
    bool firstRowShown;
    const wchar_t* rows[5];
    const wchar_t* sizeCaption;
  };
  const Case cases[] = {
      {"FAT32", 11, 1, false, {L"", L"63", L"8", L"1024 MB", L""}, L"File System Size     :"},
      {"NTFS", 22, 2, true, {L"4096", L"8", L"4160", L"4224", L"Unknown"}, L"File System Size     :"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.index, PickFoundVolumeByItem(c.item));
    EXPECT_EQ(c.index, PartitionParameters.foundVolumeIndex);
    form.ShowPickedVolume();
    EXPECT_EQ(c.firstRowShown, form.ValueStatics[0].IsWindowVisible() != FALSE);
    EXPECT_EQ(c.firstRowShown, form.CaptionStatics[0].IsWindowVisible() != FALSE);
    for (int row = 0; row < 5; ++row) EXPECT_EQ(CString(c.rows[row]), Row(form, row)) << "row " << row + 1;
    EXPECT_EQ(CString(c.sizeCaption), Caption(form, c.firstRowShown ? 4 : 3));
  }

  // The root or an unknown item picks nothing: the form keeps its values.
  EXPECT_EQ(0u, PickFoundVolumeByItem(33));
  EXPECT_EQ(2u, PartitionParameters.foundVolumeIndex);
  form.ShowCaptionsForType(kFat16);
  EXPECT_EQ(CString(L"File System Start    :"), Caption(form, 1));
  for (int row = 0; row < 5; ++row) EXPECT_EQ(CString(), Row(form, row));
}

TEST_F(FileSystemStep, ClicksInTheTreePickTheVolumeOrOnlySetTheCaptions) {
  WizardTestFrame frame;
  CFileSystemForm& form = *static_cast<CFileSystemForm*>(frame.AddPane(RUNTIME_CLASS(CFileSystemForm)));
  CFileSystemTree tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                          CRect(0, 0, WizardTestFrame::kTreeWidth, 300), &frame, 156));
  frame.tree.ShowWindow(SW_HIDE);
  tree.SetupImages();
  tree.Form = &form;
  // As the volume reconstruction adds them.
  HTREEITEM root = tree.InsertVolumeItem(L"File System", TVI_ROOT);
  HTREEITEM first = tree.AddVolumeItem(L"FAT32 @ 63", TVI_ROOT);
  HTREEITEM second = tree.AddVolumeItem(L"FAT16 @ 4096", TVI_ROOT);
  AddFoundVolume(kFat32, Values(63, 8, 2097215), reinterpret_cast<TreeItem>(first));
  AddFoundVolume(kFat16, Values(4096, 4, 0), reinterpret_cast<TreeItem>(second));
  tree.Expand(root, TVE_EXPAND);
  EXPECT_EQ(root, tree.GetParentItem(second));
  int image = -1, selected = -1;
  tree.GetItemImage(root, image, selected);
  EXPECT_EQ(5, image);

  auto click = [&](HTREEITEM item) {
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(item, &label, TRUE));
    const CPoint at = label.CenterPoint();
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  };
  PartitionParameters.chosenType = kFat32;
  click(second);
  EXPECT_EQ(2u, PartitionParameters.foundVolumeIndex);
  EXPECT_EQ(kFat16, PartitionParameters.scannedType);
  EXPECT_EQ(4096u, PartitionParameters.cluster0Sector);
  EXPECT_EQ(1, WizardFrame().SelectedTreeRow);
  EXPECT_EQ(CString(L"4096"), Row(form, 1));
  EXPECT_EQ(CString(L"Unknown"), Row(form, 3));
  EXPECT_EQ(second, tree.GetSelectedItem());

  // The root: captions only, the picked volume stays, and its row refuses Next.
  click(root);
  EXPECT_EQ(-1, WizardFrame().SelectedTreeRow);
  EXPECT_EQ(2u, PartitionParameters.foundVolumeIndex);
  EXPECT_EQ(4096u, PartitionParameters.cluster0Sector);
  EXPECT_EQ(CString(L"File System Start    :"), Caption(form, 1));
  for (int row = 0; row < 5; ++row) EXPECT_EQ(CString(), Row(form, row));

  click(first);
  EXPECT_EQ(1u, PartitionParameters.foundVolumeIndex);
  EXPECT_EQ(0, WizardFrame().SelectedTreeRow);
  EXPECT_EQ(CString(L"1024 MB"), Row(form, 3));
  WizardFrame() = WizardFrameState();
}

}  // namespace
