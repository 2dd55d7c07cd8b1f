#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "dib_canvas.h"
#include "draw_helpers.h"
#include "header_control.h"
#include "popup_bar.h"
#include "window_hooks.h"
#include "test_app.h"
#include "toolkit_resources.h"

namespace {

// A report list that counts the item clicks its header sends it.
class ClickCountingList : public CListCtrl {
 public:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    const NMHEADERW* notify = reinterpret_cast<NMHEADERW*>(lParam);
    if (notify->hdr.code == HDN_ITEMCLICKW) clicks.push_back({notify->iItem, notify->iButton});
    return CListCtrl::OnNotify(wParam, lParam, pResult);
  }
  std::vector<std::pair<int, int>> clicks;
};

// What the context menu showed, read while it is open.
struct MenuSeen {
  BOOL shown = FALSE;
  UINT ascending = 0;
  UINT descending = 0;
  UINT alignLeft = 0;
  UINT alignRight = 0;
};
MenuSeen seen;

// Reads the header's context menu, a popup bar, and closes it.
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  CTkMouseTracker* tracker = GetMouseTracker();
  if (tracker->m_trackedBars.empty()) return;
  CWnd* window = CWnd::FromHandlePermanent(tracker->m_trackedBars.back()->GetTrackedWindow());
  if (window == nullptr || !window->IsKindOf(RUNTIME_CLASS(CTkPopupBar)) || !window->IsWindowVisible()) return;
  CTkControls* controls = static_cast<CTkPopupBar*>(window)->GetControls();
  auto checked = [controls](UINT command) -> UINT {
    CTkControl* control = controls->FindControl(0, command, FALSE, TRUE);
    return control != nullptr && control->GetChecked() ? 1 : 0;
  };
  seen.shown = TRUE;
  seen.ascending = checked(ID_TK_HEADER_SORT_ASCENDING);
  seen.descending = checked(ID_TK_HEADER_SORT_DESCENDING);
  seen.alignLeft = checked(ID_TK_HEADER_ALIGN_LEFT);
  seen.alignRight = checked(ID_TK_HEADER_ALIGN_RIGHT);
  ::KillTimer(nullptr, id);
  tracker->CloseTrackedBars();
}

// A report list whose header is subclassed as the results page does it.
class HeaderTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeList(0); }
  void TearDown() override {
    header.UnsubclassWindow();
    parent.DestroyWindow();
    PumpPending();
  }
  void MakeList(DWORD extraStyle) {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Header test", WS_POPUP | WS_VISIBLE,
                                CRect(100, 100, 620, 340), nullptr, 0));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | extraStyle, CRect(0, 0, 500, 220), &parent, 165));
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 150, 0);
    list.InsertColumn(1, L"", LVCFMT_RIGHT, 120, 1);
    list.InsertColumn(2, L"Modification Time", LVCFMT_LEFT, 150, 2);
    ASSERT_TRUE(header.SubclassWindow(::GetDlgItem(list.m_hWnd, 0)));
  }
  CRect ItemRect(int item) {
    CRect rect;
    header.GetItemRect(item, &rect);
    return rect;
  }
  void DrawHeader(DibCanvas& canvas) {
    canvas.Fill(RGB(1, 2, 3));
    header.GetHeaderTheme()->DrawHeader(&canvas.dc, &header);
  }

  CWnd parent;
  ClickCountingList list;
  CTkHeaderCtrl header;
};

// The bounding box of the pixels inside a rectangle that match; empty
// (left > right) when none does.
template <class Match>
CRect InkBox(const DibCanvas& canvas, const CRect& area, Match match) {
  CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      if (!match(canvas.Pixel(x, y))) continue;
      box.left = std::min<LONG>(box.left, x);
      box.top = std::min<LONG>(box.top, y);
      box.right = std::max<LONG>(box.right, x + 1);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  return box;
}

CRect InkBox(const DibCanvas& canvas, const CRect& area, COLORREF a, COLORREF b) {
  return InkBox(canvas, area, [&](COLORREF pixel) { return pixel == a || pixel == b; });
}

int CountInRow(const DibCanvas& canvas, int y, int left, int right, COLORREF color) {
  int count = 0;
  for (int x = left; x < right; ++x) count += canvas.Pixel(x, y) == color ? 1 : 0;
  return count;
}

TEST_F(HeaderTest, SortArrowOutlinesPointUpOrDownRightOfTheText) {
  CTkHeaderCtrlTheme* theme = header.GetHeaderTheme();
  ASSERT_NE(nullptr, theme);
  CRect client;
  header.GetClientRect(&client);
  DibCanvas canvas(client.Width(), client.Height());
  // Column 1 has no text: the arrow starts the margin and the gap from its left.
  const CRect item = ItemRect(1);
  const CRect inside(item.left + 3, 2, item.right - 3, client.bottom - 2);
  for (BOOL ascending : {TRUE, FALSE}) {
    header.SetSortImage(1, ascending);
    DrawHeader(canvas);
    CRect box = InkBox(canvas, inside, theme->m_clrHighlight, theme->m_clrShadow);
    ASSERT_EQ(9, box.Width()) << ascending;
    ASSERT_EQ(8, box.Height()) << ascending;
    // Right-aligned empty text ends where the arrow's room begins.
    EXPECT_EQ(item.right - 6 - 28 + 10, box.left) << ascending;
    const int base = ascending ? box.bottom - 1 : box.top;
    const int apex = ascending ? box.top : box.bottom - 1;
    EXPECT_GE(CountInRow(canvas, base, box.left, box.right, ascending ? theme->m_clrHighlight : theme->m_clrShadow), 7);
    EXPECT_EQ(1, CountInRow(canvas, apex, box.left, box.right, theme->m_clrHighlight) +
                     CountInRow(canvas, apex, box.left, box.right, theme->m_clrShadow));
    // The left side is in shadow, the right side in highlight when pointing down.
    const int middle = (box.top + box.bottom) / 2;
    EXPECT_GE(CountInRow(canvas, middle, box.left, box.left + 4, theme->m_clrShadow), 1) << ascending;
    EXPECT_GE(CountInRow(canvas, middle, box.left + 5, box.right, theme->m_clrHighlight), 1) << ascending;
  }
  header.SetSortImage(-1, TRUE);
  DrawHeader(canvas);
  CRect none = InkBox(canvas, inside, theme->m_clrHighlight, theme->m_clrShadow);
  EXPECT_GT(none.left, none.right);
}

TEST_F(HeaderTest, PressedTextMovesAndNarrowColumnsCutTheirText) {
  CTkHeaderCtrlTheme* theme = header.GetHeaderTheme();
  CRect client;
  header.GetClientRect(&client);
  DibCanvas canvas(client.Width(), client.Height());
  CTkObjectSelector font(canvas.dc.GetSafeHdc(), reinterpret_cast<HGDIOBJ>(header.SendMessage(WM_GETFONT)));
  const COLORREF white = RGB(255, 255, 255);
  auto textInk = [&](int item, UINT state) {
    canvas.Fill(white);
    CTkHeaderDrawRecord record;
    record.pDC = &canvas.dc;
    record.nItem = item;
    record.rcItem = ItemRect(item);
    record.nState = state;
    record.item.mask = HDI_TEXT | HDI_FORMAT | HDI_WIDTH;
    record.item.pszText = record.text;
    record.item.cchTextMax = 256;
    header.GetItem(item, &record.item);
    canvas.dc.SetTextColor(RGB(0, 0, 0));
    canvas.dc.SetBkMode(TRANSPARENT);
    theme->DrawItemContent(record, &header);
    return InkBox(canvas, client, [&](COLORREF pixel) { return pixel != white; });
  };
  CRect normal = textInk(0, 0);
  CRect pressed = textInk(0, 1);
  ASSERT_LT(normal.left, normal.right);
  EXPECT_EQ(normal.left + 1, pressed.left);
  EXPECT_EQ(normal.top + 1, pressed.top);
  EXPECT_NEAR(ItemRect(0).left + 6, normal.left, 2);  // the text margin, and the glyph's own bearing

  const CSize full = canvas.dc.GetTextExtent(CString(L"Modification Time"));
  HDITEMW width = {};
  width.mask = HDI_WIDTH;
  width.cxy = full.cx / 2 + 12;
  header.SetItem(2, &width);
  CRect cut = textInk(2, 0);
  const CRect item = ItemRect(2);
  EXPECT_LT(cut.left, cut.right);
  EXPECT_LE(cut.right, item.right - 6);
  EXPECT_LT(cut.Width(), full.cx);
  // As the sort column it gives up 28 more pixels to the arrow (left
  // out here, so that only the text is measured).
  width.cxy = full.cx + 12 + 10;
  header.SetItem(2, &width);
  header.SetSortImage(2, TRUE);
  const int flags = theme->m_nFlags;
  theme->m_nFlags = 0;
  CRect sorted = textInk(2, 0);
  theme->m_nFlags = flags;
  EXPECT_LT(sorted.left, sorted.right);
  EXPECT_LE(sorted.right, ItemRect(2).right - 6 - 28);
}

TEST_F(HeaderTest, SortCommandsSendOneRightButtonClickOnlyForANewDirection) {
  header.SetSortImage(1, TRUE);
  header.m_ptLastRClick = ItemRect(1).CenterPoint();
  header.SendMessage(WM_COMMAND, ID_TK_HEADER_SORT_ASCENDING);
  EXPECT_TRUE(list.clicks.empty());

  header.SendMessage(WM_COMMAND, ID_TK_HEADER_SORT_DESCENDING);
  ASSERT_EQ(1u, list.clicks.size());
  EXPECT_EQ(std::make_pair(1, 1), list.clicks[0]);
  BOOL ascending = TRUE;
  EXPECT_EQ(1, header.GetSortColumn(&ascending));
  EXPECT_FALSE(ascending);

  // Another column: that one is sorted the asked way.
  header.m_ptLastRClick = ItemRect(2).CenterPoint();
  header.SendMessage(WM_COMMAND, ID_TK_HEADER_SORT_ASCENDING);
  ASSERT_EQ(2u, list.clicks.size());
  EXPECT_EQ(std::make_pair(2, 1), list.clicks[1]);
  EXPECT_EQ(2, header.GetSortColumn(&ascending));
  EXPECT_TRUE(ascending);

  // Off the items nothing is sent.
  header.m_ptLastRClick = CPoint(499, 5);
  header.SendMessage(WM_COMMAND, ID_TK_HEADER_SORT_DESCENDING);
  EXPECT_EQ(2u, list.clicks.size());
}

TEST_F(HeaderTest, AlignmentCommandsChangeOnlyTheAlignmentBits) {
  LVCOLUMNW column = {};
  column.mask = LVCF_FMT;
  column.fmt = LVCFMT_RIGHT | LVCFMT_BITMAP_ON_RIGHT;
  list.SetColumn(2, &column);
  list.GetColumn(2, &column);
  const int before = column.fmt;
  header.m_ptLastRClick = ItemRect(2).CenterPoint();
  header.SendMessage(WM_COMMAND, ID_TK_HEADER_ALIGN_CENTER);
  list.GetColumn(2, &column);
  EXPECT_EQ((before & ~LVCFMT_JUSTIFYMASK) | LVCFMT_CENTER, column.fmt);
  header.SendMessage(WM_COMMAND, ID_TK_HEADER_ALIGN_LEFT);
  list.GetColumn(2, &column);
  EXPECT_EQ(before & ~LVCFMT_JUSTIFYMASK, column.fmt);
}

TEST_F(HeaderTest, RightClickMenuShowsTheSortAndAlignmentOfTheItem) {
  header.SetSortImage(1, TRUE);
  seen = MenuSeen();
  UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &ReadAndCloseMenu);
  CPoint point = ItemRect(1).CenterPoint();
  header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
  ::KillTimer(nullptr, timer);
  EXPECT_TRUE(seen.shown);
  EXPECT_TRUE(seen.ascending);
  EXPECT_FALSE(seen.descending);
  EXPECT_TRUE(seen.alignRight);  // column 1 is right-aligned
  EXPECT_FALSE(seen.alignLeft);
  EXPECT_EQ(point, header.m_ptLastRClick);
  PumpPending();
  EXPECT_TRUE(list.clicks.empty());  // closed without a choice

  // Off the items: no menu, nothing sent.
  seen = MenuSeen();
  header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(499, 5));
  EXPECT_FALSE(seen.shown);
  EXPECT_EQ(CPoint(499, 5), header.m_ptLastRClick);
}

class NoSortHeaderTest : public HeaderTest {
 protected:
  void SetUp() override { MakeList(LVS_NOSORTHEADER); }
};

TEST_F(NoSortHeaderTest, KeepsTheStandardRightClick) {
  seen = MenuSeen();
  header.m_ptLastRClick = CPoint(-7, -7);
  CPoint point = ItemRect(1).CenterPoint();
  UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &ReadAndCloseMenu);
  header.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
  ::KillTimer(nullptr, timer);
  EXPECT_FALSE(seen.shown);
  EXPECT_EQ(CPoint(-7, -7), header.m_ptLastRClick);
}

TEST_F(HeaderTest, BoldFontComesFromTheGlobalSettings) {
  header.SetFontBold(TRUE);
  LOGFONTW font = {};
  ::GetObjectW(reinterpret_cast<HGDIOBJ>(header.SendMessage(WM_GETFONT)), sizeof font, &font);
  EXPECT_GE(font.lfWeight, FW_BOLD);
  header.SetFontBold(FALSE);
  ::GetObjectW(reinterpret_cast<HGDIOBJ>(header.SendMessage(WM_GETFONT)), sizeof font, &font);
  EXPECT_LT(font.lfWeight, FW_BOLD);
}

}  // namespace
