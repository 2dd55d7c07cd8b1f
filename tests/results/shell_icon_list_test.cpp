// The shell's icons and type names come from the name alone.
#include <gtest/gtest.h>

#include "shell_icon_list.h"

namespace {

TEST(ShellIconList, SystemImageListsHoldTheIconsItHandsOut) {
  CShellIconList shell;
  for (BOOL bSmall : {TRUE, FALSE}) {
    SCOPED_TRACE(bSmall ? "small" : "large");
    HIMAGELIST images = shell.GetSystemImageList(bSmall);
    ASSERT_NE(images, nullptr);
    // The shell adds icons to its list as they are first asked for.
    const int folder = shell.GetFolderIconIndex(bSmall);
    const int file = shell.GetFileIconIndex(L"notes.txt", bSmall);
    const int count = ImageList_GetImageCount(images);
    EXPECT_GE(folder, 0);
    EXPECT_LT(folder, count);
    EXPECT_GE(file, 0);
    EXPECT_LT(file, count);
    EXPECT_NE(folder, file);
  }
  int cxSmall = 0, cySmall = 0, cxLarge = 0, cyLarge = 0;
  ImageList_GetIconSize(shell.GetSystemImageList(TRUE), &cxSmall, &cySmall);
  ImageList_GetIconSize(shell.GetSystemImageList(FALSE), &cxLarge, &cyLarge);
  EXPECT_LT(cxSmall, cxLarge);
}

// Found names exist nowhere, may carry paths of another disk and any case:
// only the extension counts.
TEST(ShellIconList, NamesThatExistNowhereGetTheirExtensionsIconAndType) {
  CShellIconList shell;
  struct Case {
    LPCWSTR name;
    LPCWSTR sameKind;
  } cases[] = {
      {L"report.txt", L"Q:\\never\\made\\OTHER.TXT"},
      {L"holiday.jpg", L"\\\\server\\gone\\x.JPG"},
      {L"picture.bmp", L"..\\..\\a.Bmp"},
      {L"NOEXTENSION", L"another"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << CString(c.name).ToAnsi());
    const int index = shell.GetFileIconIndex(c.name, TRUE);
    EXPECT_GE(index, 0);
    EXPECT_EQ(index, shell.GetFileIconIndex(c.sameKind, TRUE));
    EXPECT_EQ(shell.GetFileTypeName(c.name), shell.GetFileTypeName(c.sameKind));
  }
  // Some registered types have no type name of their own; these always do.
  EXPECT_FALSE(shell.GetFileTypeName(L"Q:\\never\\a.txt").IsEmpty());
  EXPECT_FALSE(shell.GetFileTypeName(L"Q:\\never\\NOEXTENSION").IsEmpty());
  EXPECT_NE(shell.GetFileTypeName(L"a.txt"), shell.GetFileTypeName(L"a.zip"));
}

}  // namespace
