// Mulvara.exe started as the user starts it, found by its process id: the
// frame and start page, the device check, snapshots named on the command
// line and the exit question.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr UINT kStatusBarId = 59393;
constexpr UINT kVisibleViewId = 59648;
// The results page holds its pane, the pane the found-file list.
constexpr UINT kResultsPane = 1;
constexpr UINT kResultsList = 165;
constexpr DWORD kWait = 30000;

std::wstring Widen(const char* text) {
  std::wstring wide;
  for (const char* p = text; *p != 0; ++p) wide += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return wide;
}

// Unix paths reach Windows programs through drive Z:.
std::wstring WindowsPath(const std::string& path) {
  std::wstring wide = Widen(path.c_str());
  if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  return wide;
}

std::wstring ImagesFolder() {
  const char* folder = std::getenv("MULVARA_TEST_IMAGES");
  return folder != nullptr ? WindowsPath(folder) : L"";
}

std::wstring TempFolder() {
  const char* folder = std::getenv("MULVARA_TEST_TMP");
  std::wstring path = folder != nullptr ? WindowsPath(folder) : L".";
  path += L"\\program_test_" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

// A program run with its output collected.
int RunAndCapture(const std::wstring& commandLine, std::string& output) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!::CreatePipe(&read, &write, &inherit, 0)) return -1;
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW start = {};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = write;
  start.hStdError = write;
  PROCESS_INFORMATION process = {};
  std::wstring line = commandLine;
  if (!::CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process)) {
    ::CloseHandle(read);
    ::CloseHandle(write);
    return -1;
  }
  ::CloseHandle(write);
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  ::CloseHandle(read);
  ::WaitForSingleObject(process.hProcess, kWait);
  DWORD code = 1;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

struct Found {
  DWORD pid;
  LPCWSTR title;
  bool frame;  // with the status bar
  HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Found*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !::IsWindowVisible(window)) return TRUE;
  WCHAR title[256] = {};
  ::GetWindowTextW(window, title, 256);
  if (std::wcscmp(title, search->title) != 0) return TRUE;
  if (search->frame != (::GetDlgItem(window, kStatusBarId) != nullptr)) return TRUE;
  search->window = window;
  return FALSE;
}

HWND FindOf(DWORD pid, LPCWSTR title, bool frame) {
  Found search = {pid, title, frame, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.window;
}

// Waits for a visible top-level window of the process.
HWND WaitFor(DWORD pid, LPCWSTR title, bool frame, DWORD timeout = kWait) {
  for (DWORD waited = 0; waited < timeout; waited += 50) {
    if (HWND window = FindOf(pid, title, frame)) return window;
    ::Sleep(50);
  }
  return nullptr;
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout = kWait) {
  for (DWORD waited = 0; waited < timeout; waited += 50) {
    if (condition()) return true;
    ::Sleep(50);
  }
  return condition();
}

// One run of the program; ended at the end of the test whatever happened.
class Program {
 public:
  Program(const std::wstring& tail, bool withDevice) {
    const std::wstring device = L"Z:" + ImagesFolder().substr(2) + L"\\usb_fat32_mbr.img";
    ::SetEnvironmentVariableW(L"MULVARA_IMAGE_DEVICES", withDevice ? device.c_str() : nullptr);
    std::wstring line = L"\"" + WindowsPath(MULVARA_PROGRAM) + L"\"";
    if (!tail.empty()) line += L" " + tail;
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    started = ::CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process);
    ::SetEnvironmentVariableW(L"MULVARA_IMAGE_DEVICES", nullptr);
  }
  ~Program() {
    if (!started) return;
    if (::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(process.hProcess, 99);
    ::WaitForSingleObject(process.hProcess, kWait);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  DWORD Pid() const { return process.dwProcessId; }
  HWND Frame() { return WaitFor(Pid(), L"Mulvara", true); }
  bool Ended(DWORD timeout, DWORD* code) {
    if (::WaitForSingleObject(process.hProcess, timeout) != WAIT_OBJECT_0) return false;
    ::GetExitCodeProcess(process.hProcess, code);
    return true;
  }

  BOOL started = FALSE;
  PROCESS_INFORMATION process = {};
};

// A window anywhere below parent with that text.
HWND FindDescendant(HWND parent, LPCWSTR text) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    WCHAR title[128] = {};
    ::GetWindowTextW(child, title, 128);
    if (std::wcscmp(title, text) == 0) return child;
    if (HWND found = FindDescendant(child, text)) return found;
  }
  return nullptr;
}

// A window anywhere below parent with that id (the splitters hold the
// results page's tree and list).
HWND DescendantById(HWND parent, UINT id) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (static_cast<UINT>(::GetDlgCtrlID(child)) == id) return child;
    if (HWND found = DescendantById(child, id)) return found;
  }
  return nullptr;
}

HWND VisibleView(HWND frame) { return ::GetDlgItem(frame, kVisibleViewId); }

int ColumnCount(HWND list) {
  return static_cast<int>(::SendMessageW(reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0)),
                                         HDM_GETITEMCOUNT, 0, 0));
}

std::wstring ClassesRootDefault(LPCWSTR key) {
  WCHAR value[1024] = {};
  LONG size = sizeof value;
  if (::RegQueryValueW(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) return L"<missing>";
  return value;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(Program, StartsWithTheFrameAndTheStartPage) {
  Program program(L"", true);
  ASSERT_TRUE(program.started);
  HWND frame = program.Frame();
  ASSERT_NE(nullptr, frame);
  RECT rect = {};
  ::GetWindowRect(frame, &rect);
  EXPECT_EQ(850, rect.right - rect.left);
  EXPECT_EQ(625, rect.bottom - rect.top);
  const LONG style = ::GetWindowLongW(frame, GWL_STYLE);
  EXPECT_EQ(0, style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_NE(nullptr, ::GetDlgItem(frame, kStatusBarId));
  EXPECT_NE(nullptr, FindDescendant(frame, L"Menu Bar"));
  HWND view = VisibleView(frame);
  ASSERT_NE(nullptr, view);
  for (UINT id : {131u, 132u, 133u, 32822u, 32823u, 32824u, 32825u, 32826u, 32829u})
    EXPECT_NE(nullptr, ::GetDlgItem(view, id)) << id;
  EXPECT_EQ(nullptr, FindOf(program.Pid(), L"Device Not Found", false));

  // The snapshot type opens with the program, its path quoted.
  const std::wstring command = ClassesRootDefault(L".wrx\\shell\\open\\command");
  EXPECT_EQ(L'"', command[0]) << command;
  EXPECT_TRUE(EndsWith(command, L"Mulvara.exe\" \"%0\"")) << command;
  EXPECT_EQ(L"Tarnwick.Document", ClassesRootDefault(L".wrx"));
  const std::wstring typeCommand = ClassesRootDefault(L"Tarnwick.Document\\shell\\open\\command");
  EXPECT_EQ(L'"', typeCommand[0]) << typeCommand;
  EXPECT_TRUE(EndsWith(ClassesRootDefault(L"Tarnwick.Document\\DefaultIcon"), L"Mulvara.exe,1"));
}

TEST(Program, WithoutDeviceTellsOnceThenShowsTheFrame) {
  Program program(L"", false);
  ASSERT_TRUE(program.started);
  HWND notFound = WaitFor(program.Pid(), L"Device Not Found", false);
  ASSERT_NE(nullptr, notFound);
  ::PostMessageW(notFound, WM_COMMAND, IDOK, 0);
  HWND frame = program.Frame();
  ASSERT_NE(nullptr, frame);
  EXPECT_TRUE(WaitUntil([&] { return FindOf(program.Pid(), L"Device Not Found", false) == nullptr; }));
  EXPECT_NE(nullptr, VisibleView(frame));
}

// Snapshots saved by the harness from the sample FAT32 volume.
class CommandLineSnapshot : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    folder = new std::wstring(TempFolder());
    const std::wstring harness = L"\"" + WindowsPath(MULVARA_HARNESS) + L"\" ";
    const std::wstring image = ImagesFolder() + L"\\fat32_s1.img";
    std::string output;
    scanCode = RunAndCapture(harness + L"scan \"" + image + L"\" --save \"" + *folder + L"\\std\"", output);
    // Entries right in the root: one slash in their path.
    rootEntries = 0;
    size_t start = 0;
    while (start < output.size()) {
      size_t end = output.find('\n', start);
      if (end == std::string::npos) end = output.size();
      const std::string line = output.substr(start, end - start);
      const size_t tab = line.find('\t');
      if (tab != std::string::npos && (line.compare(0, 4, "file") == 0 || line.compare(0, 6, "folder") == 0)) {
        const std::string path = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
        if (path.find('/', 1) == std::string::npos) ++rootEntries;
      }
      start = end + 1;
    }
    std::string rawOutput;
    rawCode = RunAndCapture(harness + L"raw \"" + image + L"\" --types all --save \"" + *folder + L"\\raw\"", rawOutput);
  }
  static void TearDownTestSuite() {
    for (LPCWSTR name : {L"\\STD.wrx", L"\\RAW.wrx", L"\\wrong.wrx"}) {
      ::SetFileAttributesW((*folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW((*folder + name).c_str());
    }
    ::RemoveDirectoryW(folder->c_str());
    delete folder;
  }

  // Runs the program on a snapshot and waits for its frame.
  static HWND Results(Program& program) {
    HWND frame = program.Frame();
    if (frame == nullptr) return nullptr;
    HWND list = nullptr;
    WaitUntil([&] {
      HWND view = VisibleView(frame);
      HWND pane = view != nullptr ? ::GetDlgItem(view, kResultsPane) : nullptr;
      list = pane != nullptr ? DescendantById(pane, kResultsList) : nullptr;
      return list != nullptr;
    });
    return list;
  }

  static std::wstring* folder;
  static int scanCode;
  static int rawCode;
  static int rootEntries;
};

std::wstring* CommandLineSnapshot::folder = nullptr;
int CommandLineSnapshot::scanCode = -1;
int CommandLineSnapshot::rawCode = -1;
int CommandLineSnapshot::rootEntries = 0;

TEST_F(CommandLineSnapshot, StandardSnapshotQuotedMixedCaseAndReadOnly) {
  ASSERT_EQ(0, scanCode);
  ASSERT_GT(rootEntries, 0);
  // The harness saved "STD.wrx"; the shell hands a quoted path in any case.
  const std::wstring path = *folder + L"\\STD.wrx";
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));
  // Read-only: a snapshot on a locked medium still loads.
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  for (const std::wstring& typed : {L"\"" + path + L"\"", L"\"" + *folder + L"\\Std.WRX\""}) {
    SCOPED_TRACE(std::string(typed.begin(), typed.end()));
    Program program(typed, true);
    HWND list = Results(program);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(6, ColumnCount(list));
    EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == rootEntries; }))
        << ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) << " rows, " << rootEntries << " in the root";
    EXPECT_EQ(nullptr, FindOf(program.Pid(), L"Mulvara", false));  // no message
  }
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The results page's tree is built from the snapshot, and the frame's
// Find Files, File Filters and Recover Selected open the results dialogs.
TEST_F(CommandLineSnapshot, ResultsTreeAndCommands) {
  ASSERT_EQ(0, scanCode);
  Program program(L"\"" + *folder + L"\\STD.wrx\"", true);
  HWND list = Results(program);
  ASSERT_NE(nullptr, list);
  HWND tree = DescendantById(::GetDlgItem(VisibleView(program.Frame()), kResultsPane), 162);
  ASSERT_NE(nullptr, tree);
  EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(tree, TVM_GETCOUNT, 0, 0) > 1; }));
  HWND frame = program.Frame();
  const struct {
    UINT command;
    LPCWSTR caption;
    UINT close;
  } commands[] = {{32785, L"Find File(s)", IDCANCEL}, {32786, L"File Filters", IDCANCEL},
                  {32777, L"Recover Selected", IDOK}};
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    ::PostMessageW(frame, WM_COMMAND, c.command, 0);
    HWND dialog = WaitFor(program.Pid(), c.caption, false);
    ASSERT_NE(nullptr, dialog);
    ::PostMessageW(dialog, WM_COMMAND, c.close, 0);
    EXPECT_TRUE(WaitUntil([&] { return FindOf(program.Pid(), c.caption, false) == nullptr; }));
  }
}

TEST_F(CommandLineSnapshot, RawSnapshotHasThreeColumns) {
  ASSERT_EQ(0, rawCode);
  Program program(L"\"" + *folder + L"\\RAW.wrx\"", true);
  HWND list = Results(program);
  ASSERT_NE(nullptr, list);
  EXPECT_EQ(3, ColumnCount(list));
}

// The results page names the snapshot's scan mode under the list.
TEST_F(CommandLineSnapshot, ResultsPageShowsTheSnapshotsScanMode) {
  const struct {
    const wchar_t* file;
    const int* code;
    const wchar_t* mode;
  } cases[] = {{L"STD.wrx", &scanCode, L"Standard Scan"}, {L"RAW.wrx", &rawCode, L"Raw Scan"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file, c.file + std::wcslen(c.file)));
    ASSERT_EQ(0, *c.code);
    Program program(L"\"" + *folder + L"\\" + c.file + L"\"", true);
    ASSERT_NE(nullptr, Results(program));
    HWND modeText = DescendantById(::GetDlgItem(VisibleView(program.Frame()), kResultsPane), 61482);
    ASSERT_NE(nullptr, modeText);
    std::wstring shown;
    EXPECT_TRUE(WaitUntil([&] {
      wchar_t text[256] = {};
      ::GetWindowTextW(modeText, text, 256);
      shown = text;
      return shown.find(L"Selected Mode") == 0 && shown.find(c.mode) != std::wstring::npos;
    })) << std::string(shown.begin(), shown.end());
    EXPECT_TRUE(::IsWindowVisible(modeText));
  }
}

TEST_F(CommandLineSnapshot, WrongFirstLetterIsInvalidAndTheStartPageStays) {
  const std::wstring path = *folder + L"\\wrong.wrx";
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, "a\0junk", 6, &written, nullptr);  // lower case 'a' is no mode
  ::CloseHandle(file);
  Program program(L"\"" + path + L"\"", true);
  HWND message = WaitFor(program.Pid(), L"Mulvara", false);
  ASSERT_NE(nullptr, message);
  ::PostMessageW(message, WM_COMMAND, IDOK, 0);
  HWND frame = program.Frame();
  ASSERT_NE(nullptr, frame);
  HWND view = VisibleView(frame);
  ASSERT_NE(nullptr, view);
  EXPECT_NE(nullptr, ::GetDlgItem(view, 131));  // still the start page
}

TEST(Program, ExitAsksAndEndsWithCodeZeroKeepingThePlacement) {
  POINT moved = {};
  {
    Program program(L"", true);
    HWND frame = program.Frame();
    ASSERT_NE(nullptr, frame);
    ::SetWindowPos(frame, nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT rect = {};
    ::GetWindowRect(frame, &rect);
    moved = {rect.left, rect.top};

    // No: the program runs on.
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    HWND question = WaitFor(program.Pid(), L"Mulvara", false);
    ASSERT_NE(nullptr, question);
    ::PostMessageW(question, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(WaitUntil([&] { return FindOf(program.Pid(), L"Mulvara", false) == nullptr; }));
    DWORD code = 1;
    EXPECT_FALSE(program.Ended(500, &code));

    // Yes: the process ends itself with 0.
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    question = WaitFor(program.Pid(), L"Mulvara", false);
    ASSERT_NE(nullptr, question);
    ::PostMessageW(question, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(program.Ended(kWait, &code));
    EXPECT_EQ(0u, code);
  }
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER,
                                           L"Software\\Local AppWizard-Generated Applications\\Mulvara", 0,
                                           KEY_READ, &key));
  WCHAR name[256];
  bool commandBars = false;
  for (DWORD i = 0;; ++i) {
    DWORD size = 256;
    if (::RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (std::wcsncmp(name, L"CommandBars", 11) == 0) commandBars = true;
  }
  ::RegCloseKey(key);
  EXPECT_TRUE(commandBars);

  // The next start comes up where the frame was left.
  Program again(L"", true);
  HWND frame = again.Frame();
  ASSERT_NE(nullptr, frame);
  RECT rect = {};
  EXPECT_TRUE(WaitUntil([&] {
    ::GetWindowRect(frame, &rect);
    return rect.left == moved.x && rect.top == moved.y;
  }));
}

}  // namespace
