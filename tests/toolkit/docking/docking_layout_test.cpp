// The manager and its layout in a real frame: sharing space, docking,
// directions, purging, the frame's layout pass and the start-up sequence.
#include <gtest/gtest.h>

#include <typeinfo>

#include "docking_fixtures.h"
#include "docking_pane_gradient_themes.h"

namespace {

struct DistributeCase {
  const char* name;
  std::vector<int> preferred;  // -1 stands for the client node
  std::vector<int> minimum;
  int width;
  BOOL hideClient;
  int clientPreferred;
  std::vector<int> widths;
};

TEST(DockingLayout, DistributeSizesSharesByPreferenceAndLimits) {
  const DistributeCase cases[] = {
      {"fits exactly", {100, 300}, {0, 0}, 404, FALSE, 0, {100, 300}},
      {"halved", {100, 300}, {0, 0}, 204, FALSE, 0, {50, 150}},
      {"minimum fixes a share", {100, 300}, {120, 0}, 204, FALSE, 0, {120, 80}},
      {"shortfall off the last fixed", {100, 300}, {150, 100}, 204, FALSE, 0, {150, 50}},
      {"client takes the rest", {100, -1}, {0, 0}, 404, FALSE, 0, {100, 300}},
      {"client left of a pane", {-1, 80}, {0, 0}, 304, FALSE, 0, {220, 80}},
      {"hidden client without size", {100, -1}, {0, 0}, 404, TRUE, 0, {100, 300}},
      {"hidden client keeps its size", {100, -1}, {0, 0}, 304, TRUE, 50, {200, 100}},
  };
  for (const DistributeCase& c : cases) {
    SCOPED_TRACE(c.name);
    DockingFixture f;
    f.site.m_bHideClient = c.hideClient;
    std::vector<CTkDockingPaneNode*> list;
    for (size_t i = 0; i < c.preferred.size(); ++i) {
      if (c.preferred[i] < 0) {
        CTkDockingPaneNode* client = f.Layout()->m_pClient;
        client->DockingCX = client->DockingCY = c.clientPreferred;
        list.push_back(client);
        continue;
      }
      CTkDockingPaneObject* pane = f.MakePane(static_cast<int>(i) + 1);
      pane->DockingCX = c.preferred[i];
      pane->m_minTrackSize.x = c.minimum[i];
      list.push_back(pane);
    }
    std::vector<CRect> rects =
        CTkDockingPaneSplitGroup::PlaceNodes(&f.site, list, CRect(0, 0, c.width, 50), TRUE, FALSE);
    ASSERT_EQ(c.widths.size(), rects.size());
    for (size_t i = 0; i < rects.size(); ++i) EXPECT_EQ(c.widths[i], rects[i].Width()) << "node " << i;
  }
}

TEST(DockingLayout, ShortfallShrinksTheLastFixedNode) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1);
  CTkDockingPaneObject* b = f.MakePane(2);
  a->DockingCX = 100;
  a->m_minTrackSize.x = 150;
  b->DockingCX = 300;
  b->m_minTrackSize.x = 100;
  int total = 0;
  int extra = 0;
  CTkDockingPaneSplitGroup::DistributeSizes(&f.site, {a, b}, CRect(0, 0, 204, 10), TRUE, FALSE, total, extra);
  EXPECT_EQ(-150, a->m_layoutLength);
  EXPECT_EQ(-50, b->m_layoutLength);
  EXPECT_EQ(0, extra);
}

TEST(DockingLayout, DockPaneOnAFreshLayout) {
  {
    DockingFixture f;
    EXPECT_EQ("H[C]", DescribeNode(f.Top()));
    CTkDockingPaneObject* pane = f.MakePane(1);
    f.site.DockPane(pane, kDockLeft);
    EXPECT_EQ("H[T(1),C]", DescribeNode(f.Top()));
    f.site.DockPane(f.MakePane(2), kDockRight);
    EXPECT_EQ("H[T(1),C,T(2)]", DescribeNode(f.Top()));
  }
  {
    DockingFixture f;
    f.site.DockPane(f.MakePane(1), kDockTop);
    EXPECT_EQ("V[T(1),H[C]]", DescribeNode(f.Top()));
    f.site.DockPane(f.MakePane(2), kDockBottom);
    EXPECT_EQ("V[T(1),H[C],T(2)]", DescribeNode(f.Top()));
  }
}

TEST(DockingLayout, DockPaneNextToANeighbour) {
  DockingFixture f;
  CTkDockingPaneObject* first = f.MakePane(1);
  f.site.DockPane(first, kDockLeft);
  // Next to a pane means next to its container, never inside it.
  f.site.DockPane(f.MakePane(2), kDockBottom, first);
  EXPECT_EQ("H[V[T(1),T(2)],C]", DescribeNode(f.Top()));
  f.site.DockPane(f.MakePane(3), kDockTop, f.site.FindPane(2));
  EXPECT_EQ("H[V[T(1),T(3),T(2)],C]", DescribeNode(f.Top()));

  // A closed neighbour counts as absent: the pane goes to the frame edge.
  CTkDockingPaneObject* closed = f.MakePane(4);
  f.site.DockPane(f.MakePane(5), kDockRight, closed);
  EXPECT_EQ("H[V[T(1),T(3),T(2)],C,T(5)]", DescribeNode(f.Top()));
}

TEST(DockingLayout, PaneDirectionFollowsThePlaceBesideTheClient) {
  DockingFixture f;
  CTkDockingPaneObject* right = f.MakePane(1);
  CTkDockingPaneObject* top = f.MakePane(2);
  CTkDockingPaneObject* left = f.MakePane(3);
  f.site.DockPane(right, kDockRight);
  f.site.DockPane(top, kDockTop);
  f.site.DockPane(left, kDockLeft);
  EXPECT_EQ(kDockRight, f.site.GetPaneDirection(right));
  EXPECT_EQ(kDockTop, f.site.GetPaneDirection(top));
  EXPECT_EQ(kDockLeft, f.site.GetPaneDirection(left));
  CTkDockingPaneObject* closed = f.MakePane(4);
  EXPECT_EQ(kDockLeft, f.site.GetPaneDirection(closed));
}

TEST(DockingLayout, PurgeUnusedDropsOrphansAndShortensChains) {
  DockingFixture f;
  CTkDockingPaneArrangement* layout = f.Layout();
  CTkDockingPaneObject* pane = f.MakePane(1);
  f.site.DockPane(pane, kDockLeft);
  // A container nothing refers to.
  auto* orphan = static_cast<CTkDockingPaneTabbedContainer*>(f.site.CreatePaneNode(kNodeTabbedContainer, layout));
  f.Top()->InsertPane(orphan, nullptr, TRUE);
  // A chain of single-child groups around the pane's container.
  CTkDockingPaneNode* container = pane->GetContainer();
  auto* outer = static_cast<CTkDockingPaneSplitGroup*>(f.site.CreatePaneNode(kNodeSplitGroup, layout));
  auto* inner = static_cast<CTkDockingPaneSplitGroup*>(f.site.CreatePaneNode(kNodeSplitGroup, layout));
  f.Top()->ReplacePane(container, outer);
  outer->Init(inner, FALSE, f.frame);
  inner->Init(container, TRUE, f.frame);
  f.site.RecordPaneHolders();
  ASSERT_EQ("H[V[H[T(1)]],C,T()]", DescribeNode(f.Top()));
  size_t before = layout->m_nodes.size();
  layout->PurgeUnused();
  EXPECT_EQ("H[V[T(1)],C]", DescribeNode(f.Top()));
  EXPECT_EQ(before - 2, layout->m_nodes.size());
}

TEST(DockingLayout, ViewGetsWhatBarsAndPanesLeave) {
  DockingFixture f(30);
  EXPECT_EQ(CRect(0, 30, 600, 400), f.ViewRect());
  CTkDockingPaneObject* pane = f.MakePane(1);
  pane->DockingCX = 150;
  f.site.DockPane(pane, kDockLeft);
  f.Relayout();
  EXPECT_EQ(CRect(154, 30, 600, 400), f.ViewRect());
  CRect container;
  ::GetWindowRect(pane->GetContainer()->GetPaneHwnd(), &container);
  f.frame->ScreenToClient(&container);
  EXPECT_EQ(CRect(0, 30, 150, 400), container);
  EXPECT_TRUE(f.site.IsLaidOut());
  EXPECT_TRUE(::IsWindowVisible(pane->m_hwndChild));
  EXPECT_EQ(pane->GetContainer()->GetPaneHwnd(), ::GetParent(pane->m_hwndChild));
}

TEST(DockingLayout, QueryPassMovesNoWindow) {
  DockingFixture f;
  CTkDockingPaneObject* pane = f.MakePane(1);
  pane->DockingCX = 100;
  f.site.DockPane(pane, kDockLeft);
  f.Relayout();
  HWND container = pane->GetContainer()->GetPaneHwnd();
  CRect before;
  ::GetWindowRect(container, &before);
  CRect paneBefore;
  ::GetWindowRect(pane->m_hwndChild, &paneBefore);
  CRect client(0, 0, 300, 200);
  CRect left;
  f.frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left, &client);
  EXPECT_EQ(CRect(104, 0, 300, 200), left);
  CRect after;
  ::GetWindowRect(container, &after);
  EXPECT_EQ(before, after);
  ::GetWindowRect(pane->m_hwndChild, &after);
  EXPECT_EQ(paneBefore, after);
}

TEST(DockingLayout, StartUpAndExitSequenceOfTheMainFrame) {
  for (BOOL install : {FALSE, TRUE}) {
    SCOPED_TRACE(install ? "installed" : "never installed");
    DockingFixture f(0, install);
    f.site.SetPaneTheme(2);
    EXPECT_EQ(nullptr, f.site.FindPane(4001));
    f.site.ClosePane(f.site.FindPane(4001));
    EXPECT_TRUE(f.frame->notes.empty());
    CTkDockingPaneArrangement* layout = f.site.CreateLayout();
    ASSERT_NE(nullptr, layout);
    EXPECT_EQ("H[C]", DescribeNode(layout->m_pTopContainer));
    EXPECT_TRUE(layout->m_bSnapshot);
    layout->InternalRelease();
    EXPECT_EQ(install, f.site.GetSafeHwnd() != nullptr);
    f.Relayout();
    EXPECT_EQ(CRect(0, 0, 600, 400), f.ViewRect());
  }
}

TEST(DockingLayout, InstallOnceAndThemeNumbers) {
  DockingFixture f;
  CTkDockingPaneArrangement* layout = f.Layout();
  HWND window = f.site.GetSafeHwnd();
  EXPECT_TRUE(f.site.InstallInFrame(f.frame));
  EXPECT_EQ(layout, f.Layout());
  EXPECT_EQ(window, f.site.GetSafeHwnd());
  EXPECT_FALSE(::IsWindowVisible(window));

  // Every number makes the class of its theme; unknown ones make theme 0.
  const std::type_info* classes[] = {
      &typeid(CTkDockingPaneTheme0), &typeid(CTkDockingPaneTheme1), &typeid(CTkDockingPaneTheme2),
      &typeid(CTkDockingPaneTheme3), &typeid(CTkDockingPaneTheme4), &typeid(CTkDockingPaneTheme5),
      &typeid(CTkDockingPaneTheme6), &typeid(CTkDockingPaneTheme7), &typeid(CTkDockingPaneTheme8),
      &typeid(CTkDockingPaneTheme9)};
  EXPECT_EQ(0, f.site.m_stickerStyle);
  for (int theme : {0, 1, 2, 3, 4, 5, 6, 7, 8, 12, 9}) {
    f.site.SetPaneTheme(theme);
    CTkDockingPanePainter* painter = f.site.GetPaintManager();
    const std::type_info& expected = theme <= 9 ? *classes[theme] : typeid(CTkDockingPaneTheme0);
    EXPECT_TRUE(typeid(*painter) == expected) << "theme " << theme << ": " << typeid(*painter).name();
    EXPECT_EQ(theme, painter->m_theme);
    // Only theme 9 brings the second sticker style, which then stays.
    EXPECT_EQ(theme == 9 ? 1 : 0, f.site.m_stickerStyle) << "theme " << theme;
  }
  f.site.SetPaneTheme(2);
  EXPECT_EQ(1, f.site.m_stickerStyle);
}

TEST(DockingLayout, UnknownNodeTypesMakeNothing) {
  DockingFixture f;
  for (int type : {6, -1})
    EXPECT_EQ(nullptr, f.site.CreatePaneNode(type, f.Layout())) << type;
  // A floating frame and a strip are made, and live in their layout's
  // node list.
  CTkDockingPaneNode* frame = f.site.CreatePaneNode(kNodeMiniFrame, f.Layout());
  ASSERT_NE(nullptr, dynamic_cast<CTkDockingPaneMiniWnd*>(frame));
  EXPECT_EQ(frame, f.Layout()->m_nodes.back());
  CTkDockingPaneNode* strip = f.site.CreatePaneNode(kNodeHiddenStrip, f.Layout());
  ASSERT_NE(nullptr, dynamic_cast<CTkDockingPaneHiddenStrip*>(strip));
  EXPECT_EQ(strip, f.Layout()->m_nodes.back());
}

// A thread already in the multithreaded apartment keeps it after a
// manager came and went.
DWORD WINAPI ManagerOnMultithreadedThread(LPVOID parameter) {
  auto* results = static_cast<HRESULT*>(parameter);
  results[0] = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  {
    CTkDockingPaneSite site;
    results[1] = site.IsOleInitialized() ? S_OK : E_FAIL;
  }
  // Still initialised: a second initialisation only counts up.
  results[2] = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(results[2])) ::CoUninitialize();
  ::CoUninitialize();
  return 0;
}

TEST(DockingManager, LeavesAnotherApartmentAlone) {
  HRESULT results[3] = {E_FAIL, E_FAIL, E_FAIL};
  HANDLE thread = ::CreateThread(nullptr, 0, ManagerOnMultithreadedThread, results, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 20000));
  ::CloseHandle(thread);
  EXPECT_EQ(S_OK, results[0]);
  EXPECT_EQ(E_FAIL, results[1]) << "OLE cannot start in a multithreaded apartment";
  EXPECT_EQ(S_FALSE, results[2]);
}

}  // namespace
