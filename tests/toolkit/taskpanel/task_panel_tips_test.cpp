// Tool tips of the panel: the hot item's tooltip with its caption as the
// title, none without a hot item or a text or while bars track the mouse,
// and a tip shown when the real pointer rests on a link.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tip_context.h"
#include "window_hooks.h"
#include "task_panel_fixture.h"

namespace {

struct HitResult {
  INT_PTR id;
  CRect rect;
  CString text, title, description;
};

HitResult AskTool(const CTkTaskPanel& panel, CPoint point) {
  TipTextBlock block = {nullptr, nullptr};
  TTTOOLINFOW info = {};
  info.cbSize = kExtendedToolInfoSize;
  info.lParam = reinterpret_cast<LPARAM>(&block);
  HitResult result;
  result.id = panel.OnToolHitTest(point, &info);
  result.rect = info.rect;
  if (info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKW) {
    result.text = info.lpszText;
    std::free(info.lpszText);
  }
  if (block.title != nullptr) result.title = block.title;
  if (block.description != nullptr) result.description = block.description;
  std::free(block.title);
  std::free(block.description);
  return result;
}

TEST(TaskPanelTips, TheHotItemsTooltipWithItsCaptionAsTitle) {
  PanelFixture f;
  CTkTaskPanelGroup* group = f.AddGroup(L"Tasks", 2);
  group->SetId(40);
  group->SetTooltip(L"Things to do");
  CTkTaskPanelGroupItem* tipped = group->GetItemAt(0);
  tipped->SetTooltip(L"Looks for deleted files");
  CTkTaskPanelGroupItem* plain = group->GetItemAt(1);
  struct Case {
    const char* name;
    CTkTaskPanelItem* hover;  // null: the mouse left the panel
    int suppress;
    INT_PTR id;
    LPCWSTR text, title;
  } cases[] = {
      {"link", tipped, 0, 1, L"Looks for deleted files", L"Tasks 0"},
      {"caption", group, 0, 40, L"Things to do", L"Tasks"},
      {"link without a tooltip", plain, 0, -1, L"", L""},
      {"no hot item", nullptr, 0, -1, L"", L""},
      {"bars suppress the mouse", tipped, 1, -1, L"", L""},
  };
  for (const Case& c : cases) {
    CPoint point = c.hover != nullptr ? f.CentreOf(c.hover) : CPoint(2, 390);
    f.Send(WM_MOUSEMOVE, point);
    if (c.hover == nullptr) f.panel.SendMessage(WM_MOUSELEAVE);
    ASSERT_EQ(c.hover, f.panel.GetHotItem()) << c.name;
    GetMouseTracker()->m_suppressCount = c.suppress;
    HitResult hit = AskTool(f.panel, point);
    GetMouseTracker()->m_suppressCount = 0;
    EXPECT_EQ(c.id, hit.id) << c.name;
    if (c.id == -1) continue;
    EXPECT_EQ(c.hover->GetHitRect(), hit.rect) << c.name;
    EXPECT_STREQ(c.text, hit.text) << c.name;
    EXPECT_STREQ(c.title, hit.title) << c.name;
    EXPECT_STREQ(c.text, hit.description) << c.name;
  }
}

TEST(TaskPanelTips, RestingPointerOnALinkShowsItsTip) {
  PanelFixture f;
  CTkTaskPanelGroupItem* link = f.AddGroup(L"Tasks", 1)->GetItemAt(0);
  link->SetTooltip(L"Looks for deleted files");
  f.panel.UpdateWindow();
  CPoint point = f.CentreOf(link);
  f.panel.ClientToScreen(&point);
  // The tip context asks before the panel handles the move: the first move
  // makes the link hot, the next one finds its tool.
  ::SetCursorPos(point.x - 3, point.y);
  ASSERT_TRUE(WaitFor([&] { return f.panel.GetHotItem() == link; }));
  ::SetCursorPos(point.x, point.y);
  CTkTipContext* tips = f.panel.m_pTipContext;
  auto shown = [tips] { return tips->GetTipWindow() != nullptr && tips->GetTipWindow()->IsWindowVisible(); };
  ASSERT_TRUE(WaitFor(shown, 5000));
  WCHAR text[80] = {};
  TTTOOLINFOW info = {};
  info.cbSize = kToolInfoSize;
  info.lpszText = text;
  ASSERT_TRUE(::SendMessageW(tips->GetTipWindow()->GetSafeHwnd(), TTM_GETCURRENTTOOLW, 0,
                             reinterpret_cast<LPARAM>(&info)));
  EXPECT_STREQ(L"Looks for deleted files", text);
  ::SetCursorPos(1000, 900);
}

}  // namespace
