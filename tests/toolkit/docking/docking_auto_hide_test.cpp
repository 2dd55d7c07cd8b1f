// Auto-hide strips and the windows panes slide out in: hiding and bringing
// back, the strips' bands and tab groups, sliding out and in, the mouse,
// resizing, persistence, and windows still closing when a layout goes.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "docking_fixtures.h"
#include "prop_exchange.h"
#include "registry_key_test.h"
#include "tab_painter.h"
#include "tab_shape.h"
#include "test_app.h"

namespace {

CTkDockingPaneHiddenStrip* StripOf(DockingFixture& f, int side) {
  return static_cast<CTkDockingPaneHiddenStrip*>(f.Layout()->m_strips[side]);
}

CRect RectInFrame(DockingFixture& f, CWnd* wnd) {
  CRect rect;
  wnd->GetWindowRect(&rect);
  f.frame->ScreenToClient(&rect);
  return rect;
}

// A pane docked on a side and auto-hidden there.
CTkDockingPaneObject* HiddenPane(DockingFixture& f, int id, int side) {
  CTkDockingPaneObject* pane = f.MakePane(id, L"Hidden\nTab");
  f.site.DockPane(pane, side);
  f.Relayout();
  f.site.HidePane(pane);
  f.Relayout();
  return pane;
}

// Shows the pane and waits until it has slid out completely.
CTkDockingPaneAutoHideWnd* SlideOut(DockingFixture& f, CTkDockingPaneObject* pane) {
  int done = f.CountActions(kActionSlidOut);
  f.site.ShowPane(pane, FALSE);
  if (!PumpUntil([&] { return f.CountActions(kActionSlidOut) > done; })) return nullptr;
  auto* strip = static_cast<CTkDockingPaneHiddenStrip*>(pane->GetContainer()->GetParentNode());
  return strip->m_pAutoHideWnd;
}

CPoint TabCenter(CTkDockingPaneHiddenStrip* strip, int group, int tab) {
  return strip->m_tabGroups[group]->GetTab(tab)->m_rect.CenterPoint();
}

TEST(DockingAutoHide, HidingMovesPanesToTheStripOfTheirSideAndBack) {
  for (int side : {kDockLeft, kDockRight, kDockTop, kDockBottom}) {
    SCOPED_TRACE(side);
    DockingFixture f;
    CTkDockingPaneObject* pane = f.MakePane(1, L"Alpha");
    f.site.DockPane(pane, side);
    f.Relayout();
    CTkDockingPaneNode* docked = pane->GetContainer();
    f.site.HidePane(pane);
    f.Relayout();
    CTkDockingPaneHiddenStrip* strip = StripOf(f, side);
    ASSERT_NE(nullptr, strip);
    EXPECT_EQ("S" + std::to_string(side) + "{T(1)}", DescribeNode(strip));
    EXPECT_TRUE(pane->IsHidden());
    EXPECT_EQ(side, f.site.GetPaneDirection(pane));
    EXPECT_FALSE(::IsWindowVisible(pane->GetContainer()->GetPaneHwnd()));
    // The docked container stays behind as the pane's way back.
    EXPECT_EQ(docked, f.site.GetPaneHolder(pane, FALSE));
    // The band is cut off the client area on the strip's side.
    int thickness = strip->GetThickness();
    EXPECT_GT(thickness, 10);
    CRect band = RectInFrame(f, strip);
    CRect view = f.ViewRect();
    CRect client(0, 0, 600, 400);
    CRect expectedBand = client;
    CRect expectedView = client;
    switch (side) {
      case kDockLeft: expectedBand.right = thickness, expectedView.left = thickness; break;
      case kDockRight: expectedBand.left = 600 - thickness, expectedView.right = 600 - thickness; break;
      case kDockTop: expectedBand.bottom = thickness, expectedView.top = thickness; break;
      default: expectedBand.top = 400 - thickness, expectedView.bottom = 400 - thickness; break;
    }
    EXPECT_EQ(expectedBand, band);
    EXPECT_EQ(expectedView, view);

    // Back where it was docked; the emptied strip loses its window.
    ASSERT_TRUE(f.site.ToggleDocking(pane->GetContainer()));
    EXPECT_FALSE(pane->IsHidden());
    EXPECT_EQ(docked, pane->GetContainer());
    f.Relayout();
    EXPECT_EQ(nullptr, strip->GetSafeHwnd());
    EXPECT_TRUE(::IsWindowVisible(docked->GetPaneHwnd()));
  }
}

TEST(DockingAutoHide, PanesOfOneContainerShareOneGroup) {
  struct {
    const char* name;
    BOOL wholeContainers;
    int hides;  // how many of the two panes are hidden one by one
  } cases[] = {{"whole containers", TRUE, 1}, {"pane by pane", FALSE, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DockingFixture f;
    f.site.m_bHideWholeContainers = c.wholeContainers;
    CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
    CTkDockingPaneObject* b = f.MakePane(2, L"Beta");
    f.site.DockPane(a, kDockLeft);
    f.site.AttachPane(b, a);
    f.Relayout();
    f.site.HidePane(a);
    if (c.hides == 2) {
      EXPECT_EQ("S0{T(1)}", DescribeNode(StripOf(f, kDockLeft)));
      f.site.HidePane(b);
    }
    EXPECT_EQ("S0{T(1,2)}", DescribeNode(StripOf(f, kDockLeft)));
    // A pane that may not auto-hide stays docked.
    CTkDockingPaneObject* pinned = f.MakePane(3, L"Pinned");
    pinned->m_options = kPaneNoAutoHide;
    CTkDockingPaneObject* d = f.MakePane(4, L"Delta");
    f.site.DockPane(d, kDockRight);
    f.site.AttachPane(pinned, d);
    f.site.HidePane(d->GetContainer());
    EXPECT_EQ("S1{T(4)}", DescribeNode(StripOf(f, kDockRight)));
    EXPECT_FALSE(pinned->IsHidden());
  }
}

TEST(DockingAutoHide, AutoHideButtonHidesAndBringsBack) {
  DockingFixture f;
  CTkDockingPaneObject* pane = f.MakePane(1, L"Alpha");
  f.site.DockPane(pane, kDockRight);
  f.Relayout();
  auto* docked = static_cast<CTkDockingPaneTabbedContainer*>(pane->GetContainer());
  CTkDockingPaneCaptionButton* button = docked->FindCaptionButton(kButtonAutoHide);
  ASSERT_TRUE(button->IsVisible());
  // Refused: nothing moves.
  f.frame->vetoedActions = {kActionPinning};
  docked->OnCaptionButtonClick(button);
  EXPECT_FALSE(pane->IsHidden());
  EXPECT_EQ(0, f.CountActions(kActionPinned));
  f.frame->vetoedActions.clear();
  int width = docked->m_paneRect.Width();
  docked->OnCaptionButtonClick(button);
  EXPECT_TRUE(pane->IsHidden());
  EXPECT_EQ(1, f.CountActions(kActionPinned));
  EXPECT_EQ(width, pane->DockingCX);
  // In the strip the button shows the lying pin and brings the pane back.
  f.Relayout();
  auto* hidden = static_cast<CTkDockingPaneTabbedContainer*>(pane->GetContainer());
  ASSERT_NE(nullptr, SlideOut(f, pane));
  EXPECT_EQ(3, hidden->FindCaptionButton(kButtonAutoHide)->m_state);
  hidden->OnCaptionButtonClick(hidden->FindCaptionButton(kButtonAutoHide));
  EXPECT_FALSE(pane->IsHidden());
  EXPECT_EQ(docked, pane->GetContainer());
  EXPECT_EQ(nullptr, StripOf(f, kDockRight)->m_pAutoHideWnd);
}

// Widths of the auto-hide window as it moves, while it is shown.
std::vector<int>* g_extents = nullptr;
BOOL g_vertical = FALSE;

LRESULT CALLBACK WatchSlides(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_WINDOWPOSCHANGED && g_extents != nullptr &&
      dynamic_cast<CTkDockingPaneAutoHideWnd*>(CWnd::FromHandlePermanent(message->hwnd)) != nullptr &&
      ::IsWindowVisible(message->hwnd)) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(message->lParam);
    if (!(pos->flags & SWP_NOSIZE)) {
      int extent = g_vertical ? pos->cy : pos->cx;
      if (g_extents->empty() || g_extents->back() != extent) g_extents->push_back(extent);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(DockingAutoHide, SlidesOutInEightSteps) {
  struct {
    const char* name;
    int side;
    int minTrack;
    std::vector<int> extents;
  } cases[] = {
      {"docked width 200", kDockLeft, 0, {25, 51, 76, 102, 127, 153, 178, 204}},
      {"minimum track 300", kDockLeft, 300, {38, 76, 114, 152, 190, 228, 266, 304}},
      {"right strip", kDockRight, 0, {25, 51, 76, 102, 127, 153, 178, 204}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DockingFixture f;
    CTkDockingPaneObject* pane = HiddenPane(f, 1, c.side);
    pane->DockingCX = 200;
    pane->m_minTrackSize.x = c.minTrack;
    std::vector<int> extents;
    g_extents = &extents;
    g_vertical = FALSE;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, WatchSlides, nullptr, GetCurrentThreadId());
    CTkDockingPaneAutoHideWnd* window = SlideOut(f, pane);
    UnhookWindowsHookEx(hook);
    g_extents = nullptr;
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(c.extents, extents);
    EXPECT_EQ(1, f.CountActions(kActionSlidingOut));
    // A child of the frame over the docked area, beside the strip.
    EXPECT_TRUE(window->GetStyle() & WS_CHILD);
    EXPECT_EQ(f.frame->GetSafeHwnd(), ::GetParent(window->GetSafeHwnd()));
    CRect rect = RectInFrame(f, window);
    int thickness = StripOf(f, c.side)->GetThickness();
    if (c.side == kDockLeft) EXPECT_EQ(thickness, rect.left);
    else EXPECT_EQ(600 - thickness, rect.right);
    EXPECT_EQ(CRect(0, 0, 600, 400).Height(), rect.Height());
    // The container lives in the window, without its tab strip.
    auto* container = static_cast<CTkDockingPaneTabbedContainer*>(pane->GetContainer());
    EXPECT_EQ(window->GetSafeHwnd(), ::GetParent(container->GetSafeHwnd()));
    EXPECT_EQ(window, container->GetDockingSite());
    EXPECT_FALSE(container->IsTabsVisible());
    EXPECT_TRUE(::IsWindowVisible(container->GetSafeHwnd()));
    EXPECT_EQ(c.extents.back() - 4, RectInFrame(f, container).Width());
  }
}

TEST(DockingAutoHide, RightToLeftFramesSlideFromTheMirroredSide) {
  DockingFixture f;
  f.frame->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
  f.Relayout();
  CTkDockingPaneObject* pane = HiddenPane(f, 1, kDockLeft);
  CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockLeft);
  CTkDockingPaneAutoHideWnd* window = SlideOut(f, pane);
  ASSERT_NE(nullptr, window);
  CRect band;
  CRect rect;
  CRect frame;
  strip->GetWindowRect(&band);
  window->GetWindowRect(&rect);
  f.frame->GetClientRect(&frame);
  f.frame->ClientToScreen(&frame);
  frame.NormalizeRect();
  // The left strip lies along the right edge on the screen, and the
  // window comes out of it leftwards.
  EXPECT_EQ(frame.right, band.right);
  EXPECT_EQ(band.left, rect.right);
  EXPECT_EQ(164, rect.Width());
  EXPECT_TRUE(window->GetExStyle() & WS_EX_LAYOUTRTL);
}

TEST(DockingAutoHide, StripGroupsAndBands) {
  DockingFixture f;
  // Two containers in the bottom strip: two panes and three panes.
  CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
  f.site.DockPane(a, kDockBottom);
  f.site.AttachPane(f.MakePane(2, L"Beta"), a);
  CTkDockingPaneObject* c = f.MakePane(3, L"Gamma");
  f.site.DockPane(c, kDockBottom);
  f.site.AttachPane(f.MakePane(4, L"Delta"), c);
  f.site.AttachPane(f.MakePane(5, L"Epsilon"), c);
  f.Relayout();
  f.site.HidePane(a);
  f.site.HidePane(c);
  // A left and a top strip as well.
  HiddenPane(f, 6, kDockLeft);
  HiddenPane(f, 7, kDockTop);
  f.Relayout();
  CTkDockingPaneHiddenStrip* bottom = StripOf(f, kDockBottom);
  ASSERT_EQ("S3{T(1,2),T(3,4,5)}", DescribeNode(bottom));
  ASSERT_EQ(2u, bottom->m_tabGroups.size());
  CTkDockingPaneStripTabs* first = bottom->m_tabGroups[0].get();
  CTkDockingPaneStripTabs* second = bottom->m_tabGroups[1].get();
  EXPECT_EQ(2, first->GetTabCount());
  EXPECT_EQ(3, second->GetTabCount());
  CRect margin = f.site.GetPaintManager()->m_pAutoHideTabPainter->GetAppearance()->GetHeaderMargin();
  int step = first->GetTabsLength() + margin.left + margin.right + 8;
  EXPECT_EQ(first->m_rect.left + step, second->m_rect.left);
  EXPECT_EQ(first->GetTab(0)->m_rect.left + step, second->GetTab(0)->m_rect.left);
  // Tabs of a bottom strip face up: the tab set's top position.
  EXPECT_EQ(kTabTop, first->GetStripPosition());
  EXPECT_EQ(a, bottom->HitTestTab(TabCenter(bottom, 0, 0)));
  EXPECT_EQ(c, bottom->HitTestTab(TabCenter(bottom, 1, 0)));

  // The left strip runs the frame's height; its tabs begin below the top
  // strip's band, and the top strip begins right of the left one.
  CTkDockingPaneHiddenStrip* left = StripOf(f, kDockLeft);
  CTkDockingPaneHiddenStrip* top = StripOf(f, kDockTop);
  int thickness = left->GetThickness();
  EXPECT_EQ(CRect(0, 0, thickness, 400), RectInFrame(f, left));
  EXPECT_EQ(thickness, RectInFrame(f, top).left);
  EXPECT_EQ(thickness, left->m_tabGroups[0]->m_rect.top);
  EXPECT_LE(thickness, left->m_tabGroups[0]->GetTab(0)->m_rect.top);
  EXPECT_EQ(CRect(thickness, thickness, 600, 400 - thickness), f.ViewRect());
}

TEST(DockingAutoHide, FrameLayoutAndVetoesOfSlidingOut) {
  DockingFixture f;
  CTkDockingPaneObject* pane = HiddenPane(f, 1, kDockLeft);
  CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockLeft);
  // A refused slide-out shows nothing.
  f.frame->vetoedActions = {kActionSlidingOut};
  f.site.ShowPane(pane, FALSE);
  EXPECT_EQ(nullptr, strip->m_pAutoHideWnd);
  f.frame->vetoedActions.clear();
  CTkDockingPaneAutoHideWnd* window = SlideOut(f, pane);
  ASSERT_NE(nullptr, window);
  HWND hwnd = window->GetSafeHwnd();
  // A layout asked for before it slid out has run with it: the idle pass
  // leaves the window alone.
  TheTestApp().OnIdle(0);
  EXPECT_EQ(window, strip->m_pAutoHideWnd);
  // A vetoed close keeps the window through a layout pass.
  f.frame->vetoedActions = {kActionSlidingIn};
  f.Relayout();
  EXPECT_EQ(window, strip->m_pAutoHideWnd);
  EXPECT_EQ(0, f.CountActions(kActionSlidIn));
  // Resizing the frame closes it, after asking.
  f.frame->vetoedActions.clear();
  CRect frameRect;
  f.frame->GetWindowRect(&frameRect);
  f.frame->SetWindowPos(nullptr, 0, 0, frameRect.Width() + 40, frameRect.Height(), SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(nullptr, strip->m_pAutoHideWnd);
  EXPECT_EQ(2, f.CountActions(kActionSlidingIn));
  EXPECT_EQ(1, f.CountActions(kActionSlidIn));
  // The container is back with the frame, hidden.
  EXPECT_EQ(f.frame, pane->GetContainer()->GetDockingSite());
  EXPECT_EQ(f.frame->GetSafeHwnd(), ::GetParent(pane->GetContainer()->GetPaneHwnd()));
  EXPECT_FALSE(::IsWindowVisible(pane->GetContainer()->GetPaneHwnd()));
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hwnd); }));
}

// A delayed close keeps nothing it could reach freed through, and a layout
// that goes away takes windows still closing with it.
TEST(DockingAutoHide, DelayedCloseOutlivesNothingItRefersTo) {
  struct {
    const char* name;
    std::function<void(DockingFixture&)> away;
  } cases[] = {
      {"nothing goes away", [](DockingFixture&) {}},
      {"layout freed", [](DockingFixture& f) { f.Layout()->Free(); }},
      {"layout loaded",
       [](DockingFixture& f) {
         CMemFile file;
         {
           CArchive ar(&file, CArchive::store);
           CTkDockingPaneArrangement* fresh = f.site.CreateLayout();
           fresh->Serialize(ar);
           fresh->InternalRelease();
         }
         file.SeekToBegin();
         CArchive ar(&file, CArchive::load);
         CTkPropExchangeArchive px(ar);
         EXPECT_TRUE(f.Layout()->DoPropExchange(&px));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DockingFixture f;
    CTkDockingPaneObject* pane = HiddenPane(f, 1, kDockLeft);
    CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockLeft);
    CTkDockingPaneAutoHideWnd* window = SlideOut(f, pane);
    ASSERT_NE(nullptr, window);
    HWND hwnd = window->GetSafeHwnd();
    strip->CloseAutoHideWindow(TRUE);
    EXPECT_EQ(nullptr, strip->m_pAutoHideWnd);
    EXPECT_EQ(nullptr, window->m_pContainer);
    EXPECT_EQ(nullptr, window->m_pStrip);
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(f.frame, pane->GetContainer()->GetDockingSite());
    c.away(f);
    // The window goes: at once with its layout, else by its own timer.
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hwnd); }, 1000));
    // Timers of the window would fire within this time.
    PumpUntil([] { return false; }, 150);
  }
}

TEST(DockingAutoHide, RightClickOnATabAsksForAMenu) {
  DockingFixture f;
  CTkDockingPaneObject* pane = HiddenPane(f, 1, kDockLeft);
  CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockLeft);
  CPoint point = TabCenter(strip, 0, 0);
  size_t notes = f.frame->notes.size();
  strip->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
  ASSERT_EQ(notes + 1, f.frame->notes.size());
  EXPECT_EQ(static_cast<WPARAM>(kNotifyContextMenu), f.frame->notes.back().code);
  EXPECT_EQ(nullptr, strip->m_pAutoHideWnd);
  (void)pane;
}

// Data dragged over a strip's tab slides that tab's pane out, unless the
// painter's setting is off or the frame refuses; the strip takes no drop.
TEST(DockingAutoHide, DraggingDataOverATabSlidesItsPaneOut) {
  struct {
    const char* name;
    BOOL showOnDragOver;
    std::vector<int> vetoed;
    bool shown;
  } cases[] = {
      {"shown", TRUE, {}, true},
      {"the painter's setting off", FALSE, {}, false},
      {"sliding out refused", TRUE, {kActionSlidingOut}, false},
  };
  const DROPEFFECT none = DROPEFFECT_NONE;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DockingFixture f;
    CTkDockingPaneObject* a = HiddenPane(f, 1, kDockBottom);
    CTkDockingPaneObject* b = HiddenPane(f, 2, kDockBottom);
    CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockBottom);
    ASSERT_EQ("S3{T(1),T(2)}", DescribeNode(strip));
    COleDropTarget* target = strip->m_pDropTarget;
    ASSERT_EQ(strip->GetSafeHwnd(), target->GetRegisteredWindow());
    f.site.GetPaintManager()->m_pAutoHideTabPainter->m_bSelectOnDragOver = c.showOnDragOver;
    f.frame->vetoedActions = c.vetoed;
    IDataObject* dragged = nullptr;
    ASSERT_TRUE(SUCCEEDED(::OleGetClipboard(&dragged)));
    COleDataObject data;
    data.Attach(dragged);

    EXPECT_EQ(none, target->OnDragEnter(strip, &data, MK_LBUTTON, TabCenter(strip, 0, 0)));
    EXPECT_EQ(none, target->OnDragOver(strip, &data, MK_LBUTTON, TabCenter(strip, 0, 0)));
    if (!c.shown) {
      EXPECT_EQ(nullptr, strip->m_pAutoHideWnd);
      EXPECT_EQ(0, f.CountActions(kActionSlidOut));
      continue;
    }
    ASSERT_NE(nullptr, strip->m_pAutoHideWnd);
    EXPECT_EQ(a, strip->GetShownPane());
    ASSERT_TRUE(PumpUntil([&] { return f.CountActions(kActionSlidOut) == 1; }));
    CTkDockingPaneAutoHideWnd* window = strip->m_pAutoHideWnd;
    EXPECT_TRUE(window->IsWindowVisible());
    CRect slid;
    window->GetWindowRect(&slid);
    EXPECT_EQ(a->DockingCY + 4, slid.Height());

    // Further along the same tab, or past the last tab, nothing changes.
    CRect last = strip->m_tabGroups[1]->GetTab(0)->m_rect;
    for (CPoint point : {TabCenter(strip, 0, 0) + CPoint(2, 0), CPoint(last.right + 10, last.CenterPoint().y)})
      EXPECT_EQ(none, target->OnDragOver(strip, &data, MK_LBUTTON, point));
    EXPECT_EQ(window, strip->m_pAutoHideWnd);
    EXPECT_EQ(1, f.CountActions(kActionSlidingOut));
    // The other group's tab: its pane takes the first one's place.
    EXPECT_EQ(none, target->OnDragOver(strip, &data, MK_LBUTTON, TabCenter(strip, 1, 0)));
    EXPECT_EQ(b, strip->GetShownPane());
    EXPECT_EQ(1, f.CountActions(kActionSlidIn));
    target->OnDragLeave(strip);
    EXPECT_FALSE(target->OnDrop(strip, &data, DROPEFFECT_COPY, TabCenter(strip, 1, 0)));
    EXPECT_EQ(b, strip->GetShownPane());
  }
}

// The node numbers of a saved layout by their keys.
class DockingAutoHidePersistence : public RegistryKeyTest {
 protected:
  DockingAutoHidePersistence() : RegistryKeyTest(L"Software\\Mulvara Toolkit Tests\\AutoHide") {}
  static CString Node(int i) {
    CString path;
    path.Format(L"Layout\\Pane-%d", i);
    return path;
  }
  DWORD Read(LPCWSTR path, LPCWSTR name) {
    HKEY key;
    DWORD value = 0;
    if (RegOpenKeyExW(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
      value = 0;
    RegCloseKey(key);
    return value;
  }
  void Write(LPCWSTR path, LPCWSTR name, DWORD value) {
    HKEY key;
    RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
  }
  void Remove(LPCWSTR path, LPCWSTR name) {
    HKEY key;
    if (RegOpenKeyExW(parent, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
  }
  void Save(CTkDockingPaneArrangement* layout) {
    CTkPropExchangeRegistry px(FALSE, parent, L"Layout");
    EXPECT_TRUE(layout->DoPropExchange(&px));
  }
  BOOL Load(CTkDockingPaneArrangement* layout) {
    CTkPropExchangeRegistry px(TRUE, parent, L"Layout");
    return layout->DoPropExchange(&px);
  }
};

// Two panes docked left, one hidden on the right, one at the bottom.
void BuildHiddenLayout(DockingFixture& f) {
  CTkDockingPaneObject* a = f.MakePane(101, L"Alpha");
  f.site.DockPane(a, kDockLeft);
  f.site.AttachPane(f.MakePane(102, L"Beta"), a);
  HiddenPane(f, 103, kDockRight);
  HiddenPane(f, 104, kDockBottom);
}

void ExpectSameStrips(DockingFixture& f, CTkDockingPaneArrangement* loaded) {
  EXPECT_EQ(DescribeNode(f.Top()), DescribeNode(loaded->m_pTopContainer));
  EXPECT_EQ(nullptr, loaded->m_strips[kDockLeft]);
  EXPECT_EQ("S1{T(103)}", DescribeNode(loaded->m_strips[kDockRight]));
  EXPECT_EQ("S3{T(104)}", DescribeNode(loaded->m_strips[kDockBottom]));
  for (const PaneHolderEntry& entry : loaded->m_panes) {
    if (entry.pane->m_id < 103) continue;
    SCOPED_TRACE(entry.pane->m_id);
    EXPECT_TRUE(entry.pane->IsHidden());
    // The way back is a container of the docked tree.
    ASSERT_NE(nullptr, entry.dockingHolder);
    EXPECT_TRUE(loaded->m_pTopContainer->ContainsPane(entry.dockingHolder));
  }
}

TEST_F(DockingAutoHidePersistence, StripsRoundTrip) {
  DockingFixture f;
  BuildHiddenLayout(f);
  Save(f.Layout());
  CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
  EXPECT_TRUE(Load(loaded));
  ExpectSameStrips(f, loaded);
  loaded->InternalRelease();

  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    f.Layout()->Serialize(ar);
  }
  file.SeekToBegin();
  loaded = f.site.CreateLayout();
  {
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive px(ar);
    EXPECT_TRUE(loaded->DoPropExchange(&px));
  }
  ExpectSameStrips(f, loaded);
  loaded->InternalRelease();
}

TEST_F(DockingAutoHidePersistence, StripStoresThatMustNotLoad) {
  DockingFixture f;
  BuildHiddenLayout(f);
  Save(f.Layout());
  int count = static_cast<int>(Read(L"Layout\\Summary", L"Panes"));
  int right = 0, bottom = 0, pane101 = 0, tabs101 = 0;
  for (int i = 1; i <= count; ++i) {
    DWORD type = Read(Node(i), L"Type");
    if (type == kNodeHiddenStrip && Read(Node(i), L"Direction") == kDockRight) right = i;
    if (type == kNodeHiddenStrip && Read(Node(i), L"Direction") == kDockBottom) bottom = i;
    if (type == kNodePane && Read(Node(i), L"ID") == 101) pane101 = i;
  }
  for (int i = 1; i <= count; ++i)
    if (Read(Node(i), L"Type") == kNodeTabbedContainer && static_cast<int>(Read(Node(i), L"Pane-1")) == pane101)
      tabs101 = i;
  int top = static_cast<int>(Read(L"Layout\\Summary", L"TopContainer"));
  ASSERT_TRUE(right && bottom && pane101 && tabs101 && top);
  int rightTabs = static_cast<int>(Read(Node(right), L"Pane-1"));
  struct {
    const char* name;
    std::function<void()> change;
  } cases[] = {
      {"no direction", [&] { Remove(Node(right), L"Direction"); }},
      {"direction out of range", [&] { Write(Node(right), L"Direction", 7); }},
      {"two strips on one side", [&] { Write(Node(bottom), L"Direction", kDockRight); }},
      {"strip lists a pane", [&] { Write(Node(right), L"Pane-1", pane101); }},
      {"strip lists a group", [&] { Write(Node(right), L"Pane-1", top); }},
      {"strip lists a docked container", [&] { Write(Node(right), L"Pane-1", tabs101); }},
      {"strip lists its container twice",
       [&] {
         Write(Node(right), L"Panes", 2);
         Write(Node(right), L"Pane-2", rightTabs);
       }},
      {"container in two strips", [&] { Write(Node(bottom), L"Pane-1", rightTabs); }},
      {"reference past the end", [&] { Write(Node(right), L"Pane-1", count + 5); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Save(f.Layout());
    c.change();
    CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
    EXPECT_FALSE(Load(loaded));
    loaded->InternalRelease();
  }
  Save(f.Layout());
  CTkDockingPaneArrangement* loaded = f.site.CreateLayout();
  EXPECT_TRUE(Load(loaded));
  loaded->InternalRelease();
}

// The tests below follow the real pointer and the timers.

TEST(DockingAutoHidePointer, SlidesInAfterThePointerLeavesAndOutWhenItComesBack) {
  DockingFixture f;
  CTkDockingPaneObject* pane = HiddenPane(f, 1, kDockLeft);
  CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockLeft);
  ::SetCursorPos(1000, 900);
  f.frame->SetActiveWindow();
  f.frame->view.SetFocus();
  CTkDockingPaneAutoHideWnd* window = SlideOut(f, pane);
  ASSERT_NE(nullptr, window);
  HWND hwnd = window->GetSafeHwnd();
  DWORD out = GetTickCount();
  ASSERT_TRUE(PumpUntil([&] { return f.CountActions(kActionSlidingIn) > 0; }));
  DWORD asked = GetTickCount();
  ASSERT_TRUE(PumpUntil([&] { return f.CountActions(kActionSlidIn) > 0; }));
  DWORD closed = GetTickCount();
  EXPECT_GE(asked - out, 450u);
  EXPECT_LE(asked - out, 1500u);
  EXPECT_GE(closed - asked, 100u);
  EXPECT_LE(closed - asked, 700u);
  EXPECT_EQ(nullptr, strip->m_pAutoHideWnd);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hwnd); }));

  // Coming back while it slides in sends it out again.
  window = SlideOut(f, pane);
  ASSERT_NE(nullptr, window);
  int slidOut = f.CountActions(kActionSlidOut);
  ASSERT_TRUE(PumpUntil([&] { return window->m_bSlidingIn; }));
  CRect band;
  strip->GetWindowRect(&band);
  ::SetCursorPos(band.CenterPoint().x, band.CenterPoint().y);
  ASSERT_TRUE(PumpUntil([&] { return f.CountActions(kActionSlidOut) > slidOut; }));
  EXPECT_EQ(window, strip->m_pAutoHideWnd);
  EXPECT_FALSE(window->m_bSlidingIn);
  ::SetCursorPos(1000, 900);
}

TEST(DockingAutoHidePointer, FocusOrAVetoKeepsItOut) {
  for (bool veto : {false, true}) {
    SCOPED_TRACE(veto ? "veto" : "focus");
    DockingFixture f;
    CTkDockingPaneObject* pane = HiddenPane(f, 1, kDockLeft);
    CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockLeft);
    ::SetCursorPos(1000, 900);
    f.frame->SetActiveWindow();
    if (veto) f.frame->vetoedActions = {kActionSlidingIn};
    CTkDockingPaneAutoHideWnd* window = SlideOut(f, pane);
    ASSERT_NE(nullptr, window);
    if (veto) {
      f.frame->view.SetFocus();
      // Asked again and again, refused each time.
      EXPECT_TRUE(PumpUntil([&] { return f.CountActions(kActionSlidingIn) >= 2; }));
    } else {
      ::SetFocus(pane->m_hwndChild);
      EXPECT_FALSE(PumpUntil([&] { return f.CountActions(kActionSlidingIn) > 0; }, 1500));
    }
    EXPECT_EQ(window, strip->m_pAutoHideWnd);
    EXPECT_FALSE(window->m_bSlidingIn);
    EXPECT_EQ(0, f.CountActions(kActionSlidIn));
    EXPECT_TRUE(window->IsWindowVisible());
  }
}

// WM_MOUSEHOVER messages that reached a window.
HWND g_hoverWatched = nullptr;
int g_hovers = 0;

LRESULT CALLBACK WatchHovers(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && message->hwnd == g_hoverWatched && message->message == WM_MOUSEHOVER) ++g_hovers;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(DockingAutoHidePointer, HoverOnlyInTheActiveApplicationClicksAlways) {
  DockingFixture f;
  CTkDockingPaneObject* a = HiddenPane(f, 1, kDockBottom);
  CTkDockingPaneObject* b = HiddenPane(f, 2, kDockBottom);
  CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockBottom);
  ASSERT_EQ("S3{T(1),T(2)}", DescribeNode(strip));
  g_hoverWatched = strip->GetSafeHwnd();
  g_hovers = 0;
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, WatchHovers, nullptr, GetCurrentThreadId());

  // Another application in front: a hover slides nothing out.
  HWND other = ::CreateWindowExW(0, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE, 700, 600, 100, 60, nullptr, nullptr,
                                 nullptr, nullptr);
  ::SetForegroundWindow(other);
  ::SetActiveWindow(other);
  CPoint tab = TabCenter(strip, 0, 0);
  strip->ClientToScreen(&tab);
  ::SetCursorPos(tab.x - 2, tab.y);
  PumpPending();
  ::SetCursorPos(tab.x, tab.y);
  EXPECT_TRUE(PumpUntil([] { return g_hovers > 0; }));
  PumpPending();
  EXPECT_EQ(0, f.CountActions(kActionSlidingOut));
  EXPECT_EQ(nullptr, strip->m_pAutoHideWnd);
  // A click does.
  CPoint client = TabCenter(strip, 0, 0);
  strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
  ASSERT_NE(nullptr, strip->m_pAutoHideWnd);
  EXPECT_EQ(a, strip->GetShownPane());
  CTkDockingPaneAutoHideWnd* window = strip->m_pAutoHideWnd;
  // A click on the shown pane's tab only focuses it.
  strip->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
  EXPECT_EQ(window, strip->m_pAutoHideWnd);
  EXPECT_EQ(1, f.CountActions(kActionSlidingOut));
  EXPECT_TRUE(a->HasFocus());
  ::DestroyWindow(other);

  // With the frame active a hover on the other tab shows its pane.
  ::SetForegroundWindow(f.frame->GetSafeHwnd());
  f.frame->SetActiveWindow();
  tab = TabCenter(strip, 1, 0);
  strip->ClientToScreen(&tab);
  ::SetCursorPos(tab.x - 2, tab.y);
  PumpPending();
  ::SetCursorPos(tab.x, tab.y);
  EXPECT_TRUE(PumpUntil([&] { return strip->GetShownPane() == b; }));
  UnhookWindowsHookEx(hook);
  g_hoverWatched = nullptr;
  ::SetCursorPos(1000, 900);
}

TEST(DockingAutoHidePointer, ResizingByTheBand) {
  struct {
    const char* name;
    BOOL tracker;
    bool finish;  // released (tracker) or moved (live) before Esc
    int width;
    int dockingCX;
  } cases[] = {
      {"tracker cancelled", TRUE, false, 164, 160},
      {"tracker released", TRUE, true, 224, 220},
      {"live ended by Esc", FALSE, true, 224, 220},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DockingFixture f;
    f.site.m_bResizeWithTracker = c.tracker;
    CTkDockingPaneObject* pane = HiddenPane(f, 1, kDockLeft);
    CTkDockingPaneHiddenStrip* strip = StripOf(f, kDockLeft);
    CTkDockingPaneAutoHideWnd* window = SlideOut(f, pane);
    ASSERT_NE(nullptr, window);
    CRect rect;
    window->GetWindowRect(&rect);
    ASSERT_EQ(164, rect.Width());
    CPoint press(rect.right - 2, rect.top + 100);
    ::SetCursorPos(press.x, press.y);
    PumpPending();
    CPoint moved(press.x + 60 - rect.left, press.y - rect.top);
    if (c.finish) window->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(moved.x, moved.y));
    if (c.finish && c.tracker) window->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(moved.x, moved.y));
    else window->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    CPoint client(press.x - rect.left, press.y - rect.top);
    window->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    PumpPending();
    window->GetWindowRect(&rect);
    EXPECT_EQ(c.width, rect.Width());
    EXPECT_EQ(c.dockingCX, pane->DockingCX);
    EXPECT_FALSE(window->m_bResizing);
    // Shown again, the pane comes out as wide as it was left.
    strip->CloseAutoHideWindow(FALSE);
    window = SlideOut(f, pane);
    ASSERT_NE(nullptr, window);
    window->GetWindowRect(&rect);
    EXPECT_EQ(c.width, rect.Width());
  }
  ::SetCursorPos(1000, 900);
}

}  // namespace
