// The found-file list empties the preview on the paint after the wizard
// went back, once, and not on any other paint.
#include <gtest/gtest.h>

#include "found_file_list_ctrl.h"
#include "results_fixture.h"

namespace {

TEST(PreviewReset, TheNextPaintEmptiesThePreviewOnce) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat16_s1"));
  int emptied = 0;
  panes.list.ShowEmptyPreview = [&] { ++emptied; };
  auto paint = [&] {
    panes.list.Invalidate(TRUE);
    panes.list.UpdateWindow();
  };
  PreviewResetPending = 0;
  paint();
  EXPECT_EQ(emptied, 0);
  PreviewResetPending = 1;
  paint();
  EXPECT_EQ(emptied, 1);
  EXPECT_EQ(PreviewResetPending, 0);
  paint();
  EXPECT_EQ(emptied, 1);
  // Without a preview to empty the flag is still taken.
  panes.list.ShowEmptyPreview = nullptr;
  PreviewResetPending = 1;
  paint();
  EXPECT_EQ(PreviewResetPending, 0);
}

}  // namespace
