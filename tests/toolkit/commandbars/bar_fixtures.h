// What the command-bar tests share: controls of a fixed size (layouts do
// not depend on fonts), buttons that press like tool-bar buttons, a frame
// that records what the bars send it, and a bar window inside it.
#pragma once

#include <string>
#include <vector>

#include "command_bars.h"
#include "frame_window.h"
#include "popup_bar.h"
#include "pump_until.h"
#include "test_app.h"

// The commands the test frame handles.
enum TestCommand : UINT {
  kCmdEnabled = 2001,   // update handler enables
  kCmdDisabled = 2002,  // update handler disables
  kCmdChecked = 2003,   // update handler checks
  kCmdText = 2004,      // update handler sets the text
  kCmdNoHandler = 2005, // nobody handles it
  kCmdPlain = 2006,     // a command handler, no update handler
  kCmdDestroy = 2007,   // the handler destroys the frame and releases the bar
};

// A control of a fixed size; a click presses it as a tool-bar button does.
class FixedControl : public CTkControlButton {
 public:
  explicit FixedControl(int width = 20, int height = 20) : m_size(width, height) {}
  CSize GetSize(CDC*) override { return m_size; }
  void OnClick(BOOL, CPoint) override {
    ++clicks;
    if (pressOnClick) TrackButtonPress();
  }
  void OnLButtonUp(CPoint) override { ++leftUps; }
  void OnRButtonUp(CPoint) override { ++rightUps; }
  void OnMouseHover() override {
    ++hovers;
    CTkControlButton::OnMouseHover();
  }
  void ExecuteCommand() override {
    ++executions;
    CTkControlButton::ExecuteCommand();
  }

  CSize m_size;
  BOOL pressOnClick = TRUE;
  int clicks = 0;
  int leftUps = 0;
  int rightUps = 0;
  int hovers = 0;
  int executions = 0;
};

// Where objects that a test watches record their end, when set.
extern std::vector<std::string>* lifetimeLog;

// Command bars whose active menu is the test's to choose, and whose bar
// array the test fills.
class TestCommandBars : public CTkCommandBars {
 public:
  ~TestCommandBars() override {
    if (lifetimeLog != nullptr) lifetimeLog->push_back("command bars deleted");
  }
  UINT GetActiveMenuId() override { return activeMenuId; }
  using CTkCommandBars::AppendBar;
  UINT activeMenuId = 0;
};

// A frame that records the messages and commands the bars send it.
class RecordingFrame : public CFrameWnd {
 public:
  static RecordingFrame* Make(int width = 400, int height = 200);

  std::vector<std::string> events;
  // Answers to WM_CMDBARS_NOTIFY and WM_CMDBARS_RBUTTONUP.
  LRESULT notifyAnswer = 0;
  LRESULT rightButtonAnswer = 0;
  int selectionChanges = 0;
  // Highlights and their prompts follow the real pointer; tests that want
  // them say so.
  bool recordHot = false;
  bool recordPrompts = false;
  int checkedState = 1;
  CString text = L"Updated";
  // Released by the destroying command.
  CTkCommandBar* barToRelease = nullptr;
  CTkCommandBars* commandBarsToRelease = nullptr;

 protected:
  afx_msg LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnRightButtonUp(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSelectionChange(WPARAM, LPARAM);
  afx_msg LRESULT OnHotControl(WPARAM wParam, LPARAM);
  // Renames the control made for kCmdText; records the others.
  afx_msg LRESULT OnCreateControl(WPARAM, LPARAM lParam);
  afx_msg LRESULT OnControlCreated(WPARAM, LPARAM lParam);
  // Status-bar prompts, recorded as "prompt TEXT" and "idle prompt".
  afx_msg LRESULT OnSetPrompt(WPARAM, LPARAM lParam);
  afx_msg LRESULT OnIdlePrompt(WPARAM, LPARAM);
  void OnCommandRange(UINT id);
  void OnDestroyCommand();
  void OnUpdateEnabled(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(checkedState); }
  void OnUpdateText(CCmdUI* pCmdUI) { pCmdUI->SetText(text); }
  DECLARE_MESSAGE_MAP()
};

// A frame with command bars and one bar window along its top.
class BarWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A fixed control laid out in a row with the others.
  FixedControl* AddFixed(UINT id, int width = 20, int height = 20);
  // Lays the controls out in one row and sizes the bar to them.
  void Layout();
  CPoint CentreOf(int index) const;
  // The point in screen coordinates.
  CPoint ScreenPoint(CPoint client) const;

  RecordingFrame* frame = nullptr;
  HWND frameWindow = nullptr;
  TestCommandBars* commandBars = nullptr;
  CTkCommandBar* bar = nullptr;
};

class CTkToolBar;

// Command bars on a test frame, made in the order a program's frame makes
// them: dock bars, then the menu bar from the menu resource. FALSE when
// the menu bar cannot be made; bars is set either way, for the frame to
// release.
BOOL CreateFrameCommandBars(CFrameWnd* frame, UINT menuId, CTkCommandBars*& bars);
// A tool bar with the test tool-bar resource's buttons, docked by the
// flags given, and the frame laid out again.
CTkToolBar* AddTestToolBar(CFrameWnd* frame, CTkCommandBars* bars, UINT id, DWORD dockFlags);

// A frame with command bars and the test tool bar, and a plain edit window
// that holds the focus until a field in the bar takes it.
class ToolBarFieldTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Relayout();
  // The focus goes to the other window; the tracker's count is noted.
  void FocusOther();

  RecordingFrame* frame = nullptr;
  CTkCommandBars* bars = nullptr;
  CTkToolBar* toolBar = nullptr;
  HWND other = nullptr;
  int startCount = 0;
};

// A frame whose command bars CreateFrameCommandBars makes over the test
// tool menu.
class BarsTestFrame : public CTkFrameWnd {
 public:
  CTkCommandBars* Bars() const { return m_pCommandBars; }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  DECLARE_MESSAGE_MAP()
};

