#include "task_panel_fixture.h"

#include <string>

LRESULT PanelOwner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != TaskPanelOwnerMessage) return CWnd::WindowProc(message, wParam, lParam);
  PanelNote note{wParam, lParam};
  if (wParam == kTaskNotifyExpanding) {
    auto* request = reinterpret_cast<TaskPanelExpandRequest*>(lParam);
    note.group = request->group;
    note.expanded = request->expanded;
  }
  notes.push_back(note);
  if (onNote) onNote(wParam, lParam);
  auto answer = answers.find(wParam);
  return answer != answers.end() ? answer->second : 0;
}

int PanelOwner::Count(WPARAM code) const {
  int count = 0;
  for (const PanelNote& note : notes) count += note.code == code ? 1 : 0;
  return count;
}

PanelFixture::PanelFixture(int width, int height, int mode) {
  RECT frame = {0, 0, width, height};
  ::AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
  owner.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"Task panel", WS_POPUP | WS_BORDER | WS_VISIBLE,
                 30, 30, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr);
  panel.SetAnimationMode(1);
  panel.m_panelMode = mode;
  panel.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, width, height), &owner, 100);
  owner.SetForegroundWindow();
  owner.UpdateWindow();
}

PanelFixture::~PanelFixture() {
  panel.DestroyWindow();
  owner.DestroyWindow();
}

CTkTaskPanelGroup* PanelFixture::AddGroup(LPCWSTR caption, int links, int type) {
  CTkTaskPanelGroup* group = panel.AddGroup(caption);
  for (int i = 0; i < links; ++i) {
    std::wstring text = std::wstring(caption) + L" " + std::to_wstring(i);
    group->AddItem(text.c_str(), type, -1, i + 1);
  }
  return group;
}

CPoint PanelFixture::CentreOf(CTkTaskPanelItem* item) const { return item->GetHitRect().CenterPoint(); }

void PanelFixture::Send(UINT message, CPoint point, WPARAM flags) {
  panel.SendMessage(message, flags, MAKELPARAM(point.x, point.y));
}

void PanelFixture::Click(CTkTaskPanelItem* item) {
  CPoint point = CentreOf(item);
  Send(WM_MOUSEMOVE, point);
  Send(WM_LBUTTONDOWN, point, MK_LBUTTON);
  Send(WM_LBUTTONUP, point);
}

void PanelFixture::SettleAnimation() {
  WaitFor([this] { return !panel.IsAnimating(); });
}
