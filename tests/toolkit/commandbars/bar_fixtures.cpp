#include <gtest/gtest.h>

#include "bar_fixtures.h"

#include "test_painter.h"
#include "../test_resources.h"
#include "tool_bar.h"

std::vector<std::string>* lifetimeLog = nullptr;

BEGIN_MESSAGE_MAP(RecordingFrame, CFrameWnd)
ON_MESSAGE(WM_CMDBARS_NOTIFY, OnNotify)
ON_MESSAGE(WM_CMDBARS_RBUTTONUP, OnRightButtonUp)
ON_MESSAGE(WM_CMDBARS_SELCHANGE, OnSelectionChange)
ON_MESSAGE(WM_CMDBARS_HOTCONTROL, OnHotControl)
ON_MESSAGE(WM_CMDBARS_CREATECONTROL, OnCreateControl)
ON_MESSAGE(WM_CMDBARS_CONTROLCREATED, OnControlCreated)
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetPrompt)
ON_MESSAGE(WM_POPMESSAGESTRING, OnIdlePrompt)
ON_COMMAND_RANGE(kCmdEnabled, kCmdText, OnCommandRange)
ON_COMMAND_RANGE(kCmdPlain, kCmdPlain, OnCommandRange)
ON_COMMAND(kCmdDestroy, OnDestroyCommand)
ON_UPDATE_COMMAND_UI(kCmdEnabled, OnUpdateEnabled)
ON_UPDATE_COMMAND_UI(kCmdDisabled, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(kCmdChecked, OnUpdateChecked)
ON_UPDATE_COMMAND_UI(kCmdText, OnUpdateText)
END_MESSAGE_MAP()

RecordingFrame* RecordingFrame::Make(int width, int height) {
  auto* frame = new RecordingFrame;
  if (!frame->Create(nullptr, L"Command bar test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 40 + width, 40 + height))) {
    delete frame;
    return nullptr;
  }
  frame->SetForegroundWindow();
  return frame;
}

LRESULT RecordingFrame::OnNotify(WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<ControlNotifyInfo*>(lParam);
  events.push_back("notify " + std::to_string(wParam) + " " + std::to_string(info->hdr.code) + " " +
                   std::to_string(info->hdr.idFrom));
  return notifyAnswer;
}

LRESULT RecordingFrame::OnRightButtonUp(WPARAM, LPARAM lParam) {
  events.push_back("rbuttonup " + std::to_string(reinterpret_cast<CTkControl*>(lParam)->GetID()));
  return rightButtonAnswer;
}

LRESULT RecordingFrame::OnSelectionChange(WPARAM, LPARAM) {
  ++selectionChanges;
  return 0;
}

LRESULT RecordingFrame::OnHotControl(WPARAM wParam, LPARAM) {
  auto* control = reinterpret_cast<CTkControl*>(wParam);
  if (recordHot) events.push_back(control != nullptr ? "hot " + std::to_string(control->GetID()) : "hot none");
  return 0;
}

LRESULT RecordingFrame::OnCreateControl(WPARAM, LPARAM lParam) {
  auto* info = reinterpret_cast<ControlCreateInfo*>(lParam);
  events.push_back("create " + std::to_string(info->nID) + " at " + std::to_string(info->nPosition));
  if (info->nID != kCmdText) return 0;
  info->strCaption = L"Renamed";
  info->nStyle = kButtonCaption;
  return 1;
}

LRESULT RecordingFrame::OnControlCreated(WPARAM, LPARAM lParam) {
  auto* info = reinterpret_cast<ControlCreateInfo*>(lParam);
  events.push_back("created " + std::to_string(info->pControl->GetID()));
  return 0;
}

LRESULT RecordingFrame::OnSetPrompt(WPARAM, LPARAM lParam) {
  const CString text(reinterpret_cast<LPCWSTR>(lParam));
  if (recordPrompts) events.push_back("prompt " + std::string(text.GetString(), text.GetString() + text.GetLength()));
  return 0;
}

LRESULT RecordingFrame::OnIdlePrompt(WPARAM, LPARAM) {
  if (recordPrompts) events.push_back("idle prompt");
  return 0;
}

void RecordingFrame::OnCommandRange(UINT id) { events.push_back("command " + std::to_string(id)); }

void RecordingFrame::OnDestroyCommand() {
  events.push_back("destroy");
  CTkCommandBar* bar = barToRelease;
  CTkCommandBars* commandBars = commandBarsToRelease;
  barToRelease = nullptr;
  commandBarsToRelease = nullptr;
  DestroyWindow();
  if (bar != nullptr) bar->InternalRelease();
  if (commandBars != nullptr) commandBars->InternalRelease();
}

void BarWindowTest::SetUp() {
  // Controls measure themselves; the painter only has to exist.
  SetCurrentBarPainter(new TestPainter);
  frame = RecordingFrame::Make();
  ASSERT_NE(nullptr, frame);
  frameWindow = frame->m_hWnd;
  commandBars = new TestCommandBars;
  commandBars->SetFrame(frame);
  bar = new CTkCommandBar;
  bar->SetCommandBars(commandBars);
  bar->SetPosition(kBarTop);
  bar->InternalAddRef();
  commandBars->AppendBar(bar);
  ASSERT_TRUE(bar->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"Bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30),
                            frame, 0xE900 + 50));
  PumpPending();
}

void BarWindowTest::TearDown() {
  if (bar != nullptr) bar->InternalRelease();
  if (commandBars != nullptr) commandBars->InternalRelease();
  // A test may have destroyed the frame, which deletes it.
  if (::IsWindow(frameWindow)) frame->DestroyWindow();
  PumpPending();
  ReleaseCurrentBarPainter();
}

FixedControl* BarWindowTest::AddFixed(UINT id, int width, int height) {
  auto* control = new FixedControl(width, height);
  bar->GetControls()->AddControl(control, id);
  return control;
}

void BarWindowTest::Layout() {
  CClientDC dc(bar);
  DWORD flags = kLayoutHorzDock | kLayoutCommit;
  const CSize size = bar->GetControls()->CalcDynamicSize(&dc, 32767, flags, CRect(2, 2, 2, 2));
  bar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  PumpPending();
}

CPoint BarWindowTest::CentreOf(int index) const { return bar->GetControl(index)->GetRect().CenterPoint(); }

CPoint BarWindowTest::ScreenPoint(CPoint client) const {
  bar->ClientToScreen(&client);
  return client;
}

BOOL CreateFrameCommandBars(CFrameWnd* frame, UINT menuId, CTkCommandBars*& bars) {
  bars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
  bars->SetFrame(frame);
  bars->CreateDockBars();
  return bars->CreateMenuBar(L"Menu Bar", menuId) != nullptr;
}

CTkToolBar* AddTestToolBar(CFrameWnd* frame, CTkCommandBars* bars, UINT id, DWORD dockFlags) {
  auto* bar = static_cast<CTkToolBar*>(bars->CreateToolBar(L"Tools", id, FALSE));
  if (bar == nullptr) return nullptr;
  bar->EnableDocking(dockFlags);
  bar->LoadToolBar(IDR_TK_TEST_TOOLBAR, TRUE);
  bar->SetBarID(id);
  frame->RecalcLayout();
  return bar;
}

void ToolBarFieldTest::SetUp() {
  frame = RecordingFrame::Make(500, 300);
  ASSERT_NE(nullptr, frame);
  ASSERT_TRUE(CreateFrameCommandBars(frame, IDM_TK_TEST_TOOLS, bars));
  toolBar = AddTestToolBar(frame, bars, 0xE900 + 1, CBRS_ALIGN_ANY);
  ASSERT_NE(nullptr, toolBar);
  other = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 200, 100, 20, frame->m_hWnd,
                            nullptr, nullptr, nullptr);
}

void ToolBarFieldTest::TearDown() {
  if (bars != nullptr) bars->InternalRelease();
  frame->DestroyWindow();
  PumpPending();
}

void ToolBarFieldTest::Relayout() {
  frame->RecalcLayout();
  toolBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  PumpPending();
}

void ToolBarFieldTest::FocusOther() {
  ::SetFocus(other);
  startCount = GetMouseTracker()->m_suppressCount;
}

BEGIN_MESSAGE_MAP(BarsTestFrame, CTkFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

int BarsTestFrame::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
  if (!CreateFrameCommandBars(this, IDM_TK_TEST_TOOLS, m_pCommandBars)) return -1;
  return 0;
}
