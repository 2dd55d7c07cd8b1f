#include "office_preview_windows.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

int closeRequests = 0;

LRESULT CALLBACK CountCloses(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ++closeRequests;
    return 0;  // an instance with unsaved work stays open
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window of an Office frame class in this process, which the
// preview pane did not start.
HWND MakeOfficeWindow(const wchar_t* className) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = CountCloses;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  ::RegisterClassW(&windowClass);
  return ::CreateWindowW(className, L"Document1", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

}  // namespace

TEST(OfficePreviewWindows, AnInstanceThePaneDidNotStartSurvives) {
  const struct {
    const wchar_t* className;
    bool noteOwnProcess;  // the pane may never end this program itself
  } cases[] = {{L"OMain", false}, {L"XlMain", false}, {L"PP12FrameClass", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.noteOwnProcess);
    closeRequests = 0;
    HWND office = MakeOfficeWindow(c.className);
    ASSERT_NE(office, nullptr);
    EXPECT_EQ(OfficeWindowProcesses().count(::GetCurrentProcessId()), 1u);
    if (c.noteOwnProcess) NoteStartedOfficeProcess(::GetCurrentProcessId());
    // Noting what is new since now notes nothing: the window was there.
    NoteStartedOfficeProcesses(OfficeWindowProcesses());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CloseOfficePreviewWindows(), 0);
    PumpMessages();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(::IsWindow(office));
    EXPECT_EQ(closeRequests, 0);
    ::DestroyWindow(office);
  }
}

TEST(OfficePreviewWindows, AStartedInstanceThatIsGoneIsForgotten) {
  // A process id that no longer runs: the close returns at once.
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  wchar_t command[] = L"cmd.exe /c exit 0";
  ASSERT_TRUE(::CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &child));
  ASSERT_EQ(::WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
  NoteStartedOfficeProcess(child.dwProcessId);
  ::CloseHandle(child.hThread);
  ::CloseHandle(child.hProcess);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(CloseOfficePreviewWindows(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}
