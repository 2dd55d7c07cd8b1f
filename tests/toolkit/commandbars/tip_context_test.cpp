// Tool records and the window rule of tips, without the pointer.
#include <gtest/gtest.h>

#include <cstdlib>

#include "test_app.h"
#include "tip_context.h"

namespace {

TEST(ToolInfo, FilledByItsSize) {
  struct Case {
    UINT size;
    LPCWSTR title;
    bool block;
  };
  const Case cases[] = {{kToolInfoSize, L"Title", false},
                        {kExtendedToolInfoSize, L"Title", true},
                        {kExtendedToolInfoSize, L"", false},
                        {kToolInfoSize - 4, L"Title", false}};
  for (const Case& c : cases) {
    TTTOOLINFOW info = {};
    info.cbSize = c.size;
    TipTextBlock block = {nullptr, nullptr};
    info.lParam = reinterpret_cast<LPARAM>(&block);
    const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
    FillToolInfo(&info, window, 1, 2, 3, 4, 7, L"Text", c.title, L"Description");
    if (c.size < kToolInfoSize) {
      EXPECT_EQ(nullptr, info.lpszText);
      continue;
    }
    EXPECT_EQ(window, info.hwnd) << c.size;
    EXPECT_EQ(7u, info.uId);
    EXPECT_EQ(CRect(1, 2, 3, 4), CRect(info.rect));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ(L"Text", info.lpszText);
    EXPECT_EQ(c.block, block.title != nullptr) << c.size;
    if (c.block) {
      EXPECT_STREQ(L"Title", block.title);
      EXPECT_STREQ(L"Description", block.description);
    }
    std::free(info.lpszText);
    std::free(block.title);
    std::free(block.description);
  }
}

// A child that shares its parent's tools.
class SharingChild : public CWnd {
 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    if (message == WM_TK_SHARESPARENTTIPS) {
      *pResult = 1;
      return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
  }
};

TEST(ToolInfo, ChildrenThatAskShareTheirParentsTools) {
  // Topmost: other test programs' windows share the screen.
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), L"Parent", WS_POPUP | WS_VISIBLE, CRect(50, 50, 350, 250),
                              nullptr, 0));
  SharingChild sharing;
  CWnd plain;
  ASSERT_TRUE(sharing.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1));
  ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(150, 0, 250, 100), &parent, 2));
  PumpPending();
  EXPECT_EQ(parent.m_hWnd, CTkToolTipCtrl::WindowFromPointForTips(POINT{100, 100}));
  EXPECT_EQ(plain.m_hWnd, CTkToolTipCtrl::WindowFromPointForTips(POINT{250, 100}));
  parent.DestroyWindow();
}

}  // namespace
