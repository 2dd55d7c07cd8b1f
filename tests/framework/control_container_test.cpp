// The ActiveX control container, over a stand-in control of this program.
#include <gtest/gtest.h>

#include <optional>

#include "control_standin.h"
#include "framework.h"
#include "test_app.h"
#include "test_resources.h"

namespace {

// {5B0E7A51-3C1D-4E8F-9A26-7D4C1B2E9F03}
const CLSID kStandInClass = {0x5b0e7a51, 0x3c1d, 0x4e8f, {0x9a, 0x26, 0x7d, 0x4c, 0x1b, 0x2e, 0x9f, 0x03}};
const BYTE kStringArgument[] = {VT_BSTR, 0};

class ControlContainer : public ::testing::Test {
 protected:
  void SetUp() override {
    ::OleInitialize(nullptr);
    StandInControl::calls.clear();
    StandInControl::invoked.clear();
    StandInControl::raiseText.clear();
    StandInControl::keysTranslated.clear();
    StandInControl::keysReceived.clear();
    StandInControl::initNewResult = S_OK;
    registration.emplace(kStandInClass);
    ASSERT_TRUE(registration->ok());
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300)));
  }
  void TearDown() override {
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) frame->DestroyWindow();
    PumpPending();
    EXPECT_EQ(StandInControl::live, 0);
    registration.reset();
    ::OleUninitialize();
  }

  std::optional<StandInControl::Registration> registration;
  CFrameWnd* frame = nullptr;
};

TEST_F(ControlContainer, ActivatesInPlaceMovesAndEndsInReverse) {
  CWnd control;
  ASSERT_TRUE(control.CreateControl(kStandInClass, L"", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 70), frame, 182));
  StandInControl* made = StandInControl::last;
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(StandInControl::calls, (std::vector<std::string>{"InitNew", "SetClientSite", "InPlaceActivate"}));
  // The control's own window is the wrapper's, with the wrapper's id.
  EXPECT_EQ(control.GetSafeHwnd(), made->window);
  EXPECT_EQ(CWnd::FromHandlePermanent(made->window), &control);
  EXPECT_EQ(control.GetDlgCtrlID(), 182);
  EXPECT_TRUE(control.IsWindowVisible());
  EXPECT_EQ(ChildRect(frame, &control), CRect(10, 20, 110, 70));

  control.MoveWindow(5, 6, 200, 100);
  EXPECT_EQ(CRect(made->objectRect), CRect(5, 6, 205, 106));
  EXPECT_EQ(ChildRect(frame, &control), CRect(5, 6, 205, 106));

  const HWND window = control.GetSafeHwnd();
  StandInControl::calls.clear();
  EXPECT_TRUE(control.DestroyWindow());
  EXPECT_EQ(StandInControl::calls,
            (std::vector<std::string>{"InPlaceDeactivate", "Close", "SetClientSite(null)"}));
  EXPECT_EQ(StandInControl::live, 0);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(control.GetSafeHwnd(), nullptr);
  // Only the container's own references were left, and it let them go last.
  EXPECT_EQ(StandInControl::siteReferencesLeft, 1u);
  EXPECT_EQ(StandInControl::frameReferencesLeft, 1u);
}

TEST_F(ControlContainer, ControlThatRefusesInitNewStillActivates) {
  // Wine's media player answers E_FAIL to InitNew and works.
  StandInControl::initNewResult = E_FAIL;
  CWnd control;
  EXPECT_TRUE(control.CreateControl(kStandInClass, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), frame, 7));
  StandInControl::initNewResult = S_OK;
  EXPECT_EQ(StandInControl::calls, (std::vector<std::string>{"InitNew", "SetClientSite", "InPlaceActivate"}));
  EXPECT_NE(control.GetSafeHwnd(), nullptr);
  control.DestroyWindow();
}

TEST_F(ControlContainer, ParentTakesTheControlWithIt) {
  CWnd control;
  ASSERT_TRUE(control.CreateControl(kStandInClass, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), frame, 7));
  frame->DestroyWindow();
  frame = nullptr;
  EXPECT_EQ(StandInControl::live, 0);
  EXPECT_EQ(control.GetSafeHwnd(), nullptr);
}

TEST_F(ControlContainer, UnknownClassIsRefused) {
  const CLSID unknown = {0x5b0e7a52, 0x3c1d, 0x4e8f, {0x9a, 0x26, 0x7d, 0x4c, 0x1b, 0x2e, 0x9f, 0x03}};
  CWnd control;
  EXPECT_FALSE(control.CreateControl(unknown, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), frame, 7));
  EXPECT_EQ(control.GetSafeHwnd(), nullptr);
}

TEST_F(ControlContainer, InvokeHelperReachesTheControlsDispatch) {
  CWnd control;
  ASSERT_TRUE(control.CreateControl(kStandInClass, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), frame, 7));
  BOOL answer = FALSE;
  control.InvokeHelper(207, DISPATCH_METHOD, VT_BOOL, &answer, kStringArgument, L"C:\\paper.pdf");
  EXPECT_TRUE(answer);
  ASSERT_EQ(StandInControl::invoked.size(), 1u);
  EXPECT_EQ(StandInControl::invoked[0].first, 207);
  EXPECT_EQ(StandInControl::invoked[0].second, L"C:\\paper.pdf");

  StandInControl::raiseText = L"The file is damaged";
  CString description;
  try {
    control.InvokeHelper(207, DISPATCH_METHOD, VT_BOOL, &answer, kStringArgument, L"x");
  } catch (COleDispatchException* e) {
    description = e->m_strDescription;
    e->Delete();
  }
  EXPECT_EQ(description, L"The file is damaged");
  control.DestroyWindow();

  // A wrapper without a control raises instead of calling anything.
  SCODE code = S_OK;
  try {
    control.InvokeHelper(207, DISPATCH_METHOD, VT_BOOL, &answer, kStringArgument, L"x");
  } catch (COleException* e) {
    code = e->m_sc;
    e->Delete();
  }
  EXPECT_EQ(code, E_UNEXPECTED);
  EXPECT_EQ(StandInControl::invoked.size(), 2u);
}

TEST_F(ControlContainer, KeysReachTheControlBeforeTheDialogAroundIt) {
  // A dialog moves the focus on Tab and the arrow keys; inside a control
  // those keys are the control's.
  CDialog dialog;
  ASSERT_TRUE(dialog.Create(IDD_TEST_SETTINGS));
  dialog.ShowWindow(SW_SHOW);
  CWnd control;
  ASSERT_TRUE(control.CreateControl(kStandInClass, L"", WS_CHILD | WS_VISIBLE, CRect(10, 60, 110, 110), &dialog, 7));
  const struct {
    UINT key;
    bool taken;
  } cases[] = {{VK_TAB, true}, {VK_RIGHT, true}, {VK_DOWN, true}, {'A', false}, {VK_F5, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    StandInControl::keysTranslated.clear();
    StandInControl::keysReceived.clear();
    control.SetFocus();
    ::PostMessageW(control.GetSafeHwnd(), WM_KEYDOWN, c.key, 1);
    MSG peeked;
    while (::PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE)) TheTestApp().PumpMessage();
    EXPECT_EQ(StandInControl::keysTranslated, std::vector<UINT>{c.key});
    // A key the control took is not dispatched again; the rest go on.
    EXPECT_EQ(StandInControl::keysReceived, c.taken ? std::vector<UINT>{} : std::vector<UINT>{c.key});
  }
  control.DestroyWindow();
  dialog.DestroyWindow();
}

}  // namespace
