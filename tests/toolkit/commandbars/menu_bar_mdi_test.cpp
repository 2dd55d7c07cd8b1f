// The menu bar in an MDI frame: the maximized child's icon and buttons in
// the bar, the child's menu in place of the frame's, and a frame that
// never gets its native menu back.
#include <gtest/gtest.h>

#include <vector>

#include "command_bars.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "bar_fixtures.h"
#include "test_app.h"
#include "../test_resources.h"
#include "tool_bar.h"

namespace {

class BarsMDIFrame : public CMDIFrameWnd {
 public:
  ~BarsMDIFrame() override {
    if (m_pCommandBars != nullptr) m_pCommandBars->InternalRelease();
  }
  CTkCommandBars* Bars() const { return m_pCommandBars; }
  CTkMenuBar* MenuBar() const { return m_pCommandBars->GetMenuBar(); }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!CreateFrameCommandBars(this, IDM_TK_TEST_TOOLS, m_pCommandBars)) return -1;
    return 0;
  }
  DECLARE_MESSAGE_MAP()

  CTkCommandBars* m_pCommandBars = nullptr;
};

BEGIN_MESSAGE_MAP(BarsMDIFrame, CMDIFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

BarsMDIFrame* MakeMDIFrame() {
  auto* frame = new BarsMDIFrame;
  if (!frame->Create(nullptr, L"MDI test", WS_POPUP | WS_VISIBLE, CRect(40, 40, 560, 360), nullptr,
                     MAKEINTRESOURCEW(IDM_TK_TEST_TOOLS)))
    return nullptr;
  frame->RecalcLayout();
  return frame;
}

CMDIChildWnd* MakeChild(BarsMDIFrame* frame, DWORD style = WS_OVERLAPPEDWINDOW) {
  auto* child = new CMDIChildWnd;
  if (!child->Create(nullptr, L"Child", WS_CHILD | WS_VISIBLE | style, CFrameWnd::rectDefault, frame)) return nullptr;
  return child;
}

// The ids of the MDI child controls in the bar, in their order.
std::vector<UINT> ChildControlIds(CTkMenuBar* menuBar) {
  std::vector<UINT> ids;
  for (int i = 0; i < menuBar->GetControlCount(); ++i) {
    const UINT id = menuBar->GetControl(i)->GetID();
    if (id >= CTkMenuBar::kMDICloseId && id <= CTkMenuBar::kMDISystemMenuId) ids.push_back(id);
  }
  return ids;
}

// The refresh the menu bar posts itself after a child changes.
bool PumpUntilChildControls(CTkMenuBar* menuBar, bool present) {
  return PumpUntil([&] { return !ChildControlIds(menuBar).empty() == present; }, 5000);
}

TEST(MenuBarMDI, MaximizedChildButtonsFollowItsStyleAndTheBarFlags) {
  const DWORD defaults = kMenuBarDockFlags;
  struct Case {
    DWORD childStyle;
    DWORD barFlags;
    std::vector<UINT> ids;
  } cases[] = {
      {WS_OVERLAPPEDWINDOW, defaults, {9405, 9404, 9403}},
      {WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, defaults, {9404, 9403}},
      {WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, defaults, {9405, 9403}},
      {WS_OVERLAPPEDWINDOW, defaults | kDockSystemMenuIcon, {9406, 9405, 9404, 9403}},
      {WS_OVERLAPPEDWINDOW, defaults | kDockNoMinimizeBox | kDockNoRestoreBox | kDockNoCloseBox, {}},
  };
  for (const Case& c : cases) {
    BarsMDIFrame* frame = MakeMDIFrame();
    ASSERT_NE(nullptr, frame);
    CTkMenuBar* menuBar = frame->MenuBar();
    menuBar->EnableDocking(c.barFlags);
    CMDIChildWnd* child = MakeChild(frame, c.childStyle);
    ASSERT_NE(nullptr, child);
    child->MDIMaximize();
    menuBar->RefreshMDIButtons();
    EXPECT_EQ(c.ids, ChildControlIds(menuBar)) << std::hex << c.childStyle << " " << c.barFlags;
    if (!c.ids.empty()) {
      // The system-menu icon leads the bar; the buttons end it.
      EXPECT_EQ(c.ids.front() == 9406 ? 0 : menuBar->GetControlCount() - static_cast<int>(c.ids.size()),
                menuBar->GetControls()->FindControl(c.ids.front())->GetIndex());
      EXPECT_EQ(menuBar->GetControlCount() - 1, menuBar->GetControls()->FindControl(9403)->GetIndex());
    }
    child->MDIRestore();
    menuBar->RefreshMDIButtons();
    EXPECT_TRUE(ChildControlIds(menuBar).empty());
    frame->DestroyWindow();
  }
}

TEST(MenuBarMDI, ChildChangesRefreshTheButtonsLater) {
  BarsMDIFrame* frame = MakeMDIFrame();
  ASSERT_NE(nullptr, frame);
  CTkMenuBar* menuBar = frame->MenuBar();
  CMDIChildWnd* child = MakeChild(frame);
  ASSERT_NE(nullptr, child);
  child->MDIMaximize();
  EXPECT_TRUE(PumpUntilChildControls(menuBar, true));
  BOOL maximized = FALSE;
  EXPECT_EQ(child->m_hWnd, menuBar->GetActiveMDIChild(&maximized));
  EXPECT_TRUE(maximized);
  // The restore button sends its command to the child.
  CTkControl* restore = menuBar->GetControls()->FindControl(CTkMenuBar::kMDIRestoreId);
  ASSERT_NE(nullptr, restore);
  restore->ExecuteCommand();
  EXPECT_FALSE(child->IsZoomed());
  EXPECT_TRUE(PumpUntilChildControls(menuBar, false));
  frame->DestroyWindow();
}

// The system-menu control shows a copy of the child's icon: removing the
// control must leave the child's own icon alive.
TEST(MenuBarMDI, SystemMenuIconIsACopyTheChildKeepsItsOwn) {
  BarsMDIFrame* frame = MakeMDIFrame();
  ASSERT_NE(nullptr, frame);
  CTkMenuBar* menuBar = frame->MenuBar();
  menuBar->EnableDocking(kMenuBarDockFlags | kDockSystemMenuIcon);
  CMDIChildWnd* child = MakeChild(frame);
  ASSERT_NE(nullptr, child);
  HICON own = static_cast<HICON>(::CopyImage(::LoadIconW(nullptr, IDI_WARNING), IMAGE_ICON, 32, 32, 0));
  ASSERT_NE(nullptr, own);
  child->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(own));
  child->MDIMaximize();
  menuBar->RefreshMDIButtons();
  auto* systemMenu =
      dynamic_cast<CTkControlMDISystemMenu*>(menuBar->GetControls()->FindControl(CTkMenuBar::kMDISystemMenuId));
  ASSERT_NE(nullptr, systemMenu);
  ASSERT_NE(nullptr, systemMenu->GetIcon());
  EXPECT_NE(own, systemMenu->GetIcon());
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(systemMenu->GetIcon(), &info));
  BITMAP mask = {};
  ::GetObjectW(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(16, mask.bmWidth);
  ::DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  // Its popup holds the child's system commands.
  CTkCommandBar* popup = systemMenu->GetCommandBar();
  ASSERT_NE(nullptr, popup);
  CTkControl* close = popup->GetControls()->FindControl(SC_CLOSE);
  ASSERT_NE(nullptr, close);
  EXPECT_TRUE(close->IsKindOf(RUNTIME_CLASS(CTkControlMDISysCommand)));
  EXPECT_FALSE(close->GetCaption().IsEmpty());

  child->MDIRestore();
  menuBar->RefreshMDIButtons();
  EXPECT_EQ(nullptr, menuBar->GetControls()->FindControl(CTkMenuBar::kMDISystemMenuId));
  ICONINFO still = {};
  EXPECT_TRUE(::GetIconInfo(own, &still));
  if (still.hbmMask != nullptr) ::DeleteObject(still.hbmMask);
  if (still.hbmColor != nullptr) ::DeleteObject(still.hbmColor);
  frame->DestroyWindow();
  ::DestroyIcon(own);
}

TEST(MenuBarMDI, ChildMenusReplaceTheBarsControlsAndTheFrameStaysWithoutAMenu) {
  BarsMDIFrame* frame = MakeMDIFrame();
  ASSERT_NE(nullptr, frame);
  CTkMenuBar* menuBar = frame->MenuBar();
  EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
  EXPECT_EQ(IDM_TK_TEST_TOOLS, frame->Bars()->GetActiveMenuId()) << "no child: the default menu";

  // A child made from a resource brings its menu when it is activated.
  auto* child = new CMDIChildWnd;
  ASSERT_TRUE(child->LoadFrame(IDM_TK_TEST_CHILD, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, frame));
  child->MDIActivate();
  EXPECT_EQ(IDM_TK_TEST_CHILD, frame->Bars()->GetActiveMenuId());
  EXPECT_EQ(IDM_TK_TEST_CHILD, menuBar->GetCurrentMenuId());
  ASSERT_GT(menuBar->GetControlCount(), 1);
  EXPECT_EQ(CString(L"&File"), menuBar->GetControl(0)->GetCaption());
  EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));

  // Whatever reaches the MDI client, shown or hidden, the frame gets no menu.
  for (BOOL visible : {TRUE, FALSE}) {
    menuBar->SetVisible(visible);
    ::SendMessageW(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(child->m_hMenuShared), 0);
    EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd)) << visible;
  }
  menuBar->SetVisible(TRUE);

  // The last child gone, the bar shows the frame's menu again.
  child->DestroyWindow();
  EXPECT_EQ(nullptr, frame->MDIGetActive());
  EXPECT_EQ(IDM_TK_TEST_TOOLS, menuBar->GetCurrentMenuId());
  EXPECT_EQ(CString(L"&Tools"), menuBar->GetControl(0)->GetCaption());
  EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
  frame->DestroyWindow();
}

}  // namespace
