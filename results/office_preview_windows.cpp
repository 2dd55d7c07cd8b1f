#include "office_preview_windows.h"

#include <map>
#include <vector>

namespace {

// Word, PowerPoint 97 to 2007, Excel: in the order they are closed.
const wchar_t* const kOfficeClasses[] = {L"OMain",          L"PP97FrameClass", L"PP9FrameClass", L"PP10FrameClass",
                                         L"PP11FrameClass", L"PP12FrameClass", L"XlMain"};

std::set<DWORD>& StartedProcesses() {
  static std::set<DWORD> started;
  return started;
}

struct WindowSearch {
  const wchar_t* className;
  std::vector<std::pair<HWND, DWORD>> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  wchar_t name[64] = {};
  if (::GetClassNameW(window, name, 64) > 0 && wcscmp(name, search->className) == 0) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    search->found.push_back({window, process});
  }
  return TRUE;
}

std::vector<std::pair<HWND, DWORD>> WindowsOfClass(const wchar_t* className) {
  WindowSearch search{className, {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Asks the instance to close, then ends it only when it will not: it is
// the pane's own and holds the preview file.
bool CloseInstance(DWORD processId, const std::vector<HWND>& windows) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  if (process == nullptr) return true;  // gone already
  bool ended = false;
  for (int attempt = 0; attempt < kOfficeCloseTries && !ended; ++attempt) {
    for (HWND window : windows)
      if (::IsWindow(window)) ::PostMessageW(window, WM_CLOSE, 0, 0);
    ended = ::WaitForSingleObject(process, kOfficeCloseWaitMs) == WAIT_OBJECT_0;
  }
  if (!ended && ::TerminateProcess(process, 1))
    ended = ::WaitForSingleObject(process, kOfficeCloseWaitMs) == WAIT_OBJECT_0;
  ::CloseHandle(process);
  return ended;
}

}  // namespace

std::set<DWORD> OfficeWindowProcesses() {
  std::set<DWORD> processes;
  for (const wchar_t* className : kOfficeClasses)
    for (const auto& window : WindowsOfClass(className)) processes.insert(window.second);
  return processes;
}

void NoteStartedOfficeProcesses(const std::set<DWORD>& before) {
  for (DWORD process : OfficeWindowProcesses())
    if (before.count(process) == 0) NoteStartedOfficeProcess(process);
}

void NoteStartedOfficeProcess(DWORD processId) {
  // This program is never one to end.
  if (processId != 0 && processId != ::GetCurrentProcessId()) StartedProcesses().insert(processId);
}

int CloseOfficePreviewWindows() {
  int closed = 0;
  std::set<DWORD>& started = StartedProcesses();
  for (const wchar_t* className : kOfficeClasses) {
    std::map<DWORD, std::vector<HWND>> ours;
    for (const auto& window : WindowsOfClass(className))
      if (started.count(window.second) != 0) ours[window.second].push_back(window.first);
    // One round per instance: an instance that cannot be ended is left.
    for (const auto& instance : ours) {
      if (CloseInstance(instance.first, instance.second)) ++closed;
      started.erase(instance.first);
    }
  }
  return closed;
}
