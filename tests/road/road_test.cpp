// The road test: starts Mulvara.exe with image devices and drives its real
// windows with real input, the pointer moved and clicked at the centre of a
// control found by its id or of a tree item whose rectangle, hit test and
// text it asks of the program's own tree through memory allocated in the
// program's process. Dialogs are found by caption and answered; every wait
// is on a condition with a timeout. Each page and dialog passed is saved as
// a PNG screenshot in the output folder.
//
// road_test <Mulvara.exe> <out folder> <partitioned image> <large image without table>
//           [more images...]
// The images are the program's image devices, the drive tree's disks in
// that order (DiskItem 0 is the partitioned image, 1 the large one, 2 the
// Advance road disk, 3 the Raw road disk).
#include <windows.h>
#include <commctrl.h>

#include <zlib.h>

#include "road_files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

DWORD programPid = 0;
HANDLE programProcess = nullptr;
HWND mainWindow = nullptr;
std::wstring outFolder;
std::wstring workFolder;
std::wstring programPath;
std::wstring harnessPath;
std::vector<std::wstring> images;
int failures = 0;

void Screenshot(const std::string& name);
void ReportScreen();

[[noreturn]] void Fail(const std::string& what) {
  std::printf("FAIL: %s\n", what.c_str());
  // The screen as it was, to see what stood in the way.
  ReportScreen();
  std::fflush(stdout);
  Screenshot("failure");
  if (programProcess != nullptr) ::TerminateProcess(programProcess, 3);
  std::exit(1);
}

void Note(const std::string& what) {
  std::printf("%s\n", what.c_str());
  std::fflush(stdout);
}

// Polls the condition until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(20);
  }
  return true;
}

// The machines are shared and slow at times: every step gets minutes.
constexpr DWORD kStepTimeout = 120000;
constexpr DWORD kScanTimeout = 600000;

void WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, const std::string& what) {
  if (!WaitUntil(condition, timeoutMs)) Fail("timed out after " + std::to_string(timeoutMs / 1000) + " s waiting for " + what);
}

// Memory in the program's process for the tree's messages.
class RemoteBuffer {
 public:
  explicit RemoteBuffer(size_t size) : m_size(size) {
    m_at = ::VirtualAllocEx(programProcess, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (m_at == nullptr) Fail("VirtualAllocEx");
  }
  ~RemoteBuffer() { ::VirtualFreeEx(programProcess, m_at, 0, MEM_RELEASE); }
  void* at(size_t offset = 0) const { return static_cast<char*>(m_at) + offset; }
  void Write(const void* data, size_t size, size_t offset = 0) {
    SIZE_T done = 0;
    if (!::WriteProcessMemory(programProcess, at(offset), data, size, &done) || done != size) Fail("WriteProcessMemory");
  }
  void Read(void* data, size_t size, size_t offset = 0) {
    SIZE_T done = 0;
    if (!::ReadProcessMemory(programProcess, at(offset), data, size, &done) || done != size) Fail("ReadProcessMemory");
  }

 private:
  void* m_at;
  size_t m_size;
};

struct FindChild {
  int id;
  HWND found;
};

BOOL CALLBACK FindVisibleChild(HWND child, LPARAM p) {
  auto* s = reinterpret_cast<FindChild*>(p);
  if (::GetDlgCtrlID(child) == s->id && ::IsWindowVisible(child)) {
    s->found = child;
    return FALSE;
  }
  return TRUE;
}

// The visible descendant of the main window with the id.
HWND VisibleControl(int id) {
  FindChild search = {id, nullptr};
  ::EnumChildWindows(mainWindow, FindVisibleChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  ::SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

void ClickScreen(POINT at) {
  ::SetCursorPos(at.x, at.y);
  WaitFor([&] {
    POINT now = {};
    return ::GetCursorPos(&now) && now.x == at.x && now.y == at.y;
  }, kStepTimeout, "the pointer at " + std::to_string(at.x) + "," + std::to_string(at.y));
  // Press and release carry the point themselves: a pointer move reported
  // late cannot carry the click elsewhere, nor out of the button between
  // press and release.
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input[2] = {};
  for (INPUT& event : input) {
    event.type = INPUT_MOUSE;
    event.mi.dx = (at.x * 65536 + width - 1) / width;
    event.mi.dy = (at.y * 65536 + height - 1) / height;
  }
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  ::SendInput(2, input, sizeof(INPUT));
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM p) {
  if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(p) = true;
    return FALSE;
  }
  return TRUE;
}

// A window and its visible children have nothing left to paint.
bool Painted(HWND window) {
  if (::GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  ::EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

// Whether the window's top-level window is the active one of its thread:
// no modal state is up over it and no activation is on its way. A focus
// change between press and release takes the capture from a button, and
// the click is lost.
bool InActiveWindow(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) &&
         info.hwndActive == ::GetAncestor(window, GA_ROOT);
}

void WaitInActiveWindow(HWND window, const std::string& name) {
  WaitFor([&] { return InActiveWindow(window); }, kStepTimeout, name + " in the active window");
}

// The window's centre, once the window is enabled, in the active window,
// and is what lies under that point (nothing covers it, and it is where its
// rectangle says).
POINT ClickableCentre(HWND window, const std::string& name) {
  POINT centre = {};
  WaitFor([&] {
    RECT rect;
    if (!::IsWindowVisible(window) || !::IsWindowEnabled(window) || !InActiveWindow(window) ||
        !::GetWindowRect(window, &rect))
      return false;
    centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return ::WindowFromPoint(centre) == window;
  }, kStepTimeout, name + " enabled and uncovered in the active window");
  return centre;
}

void ClickWindow(HWND window, const std::string& name) { ClickScreen(ClickableCentre(window, name)); }

void ClickControl(int id, const std::string& name) {
  HWND control = nullptr;
  WaitFor([&] { return (control = VisibleControl(id)) != nullptr && ::IsWindowEnabled(control); }, kStepTimeout,
          name + " shown and enabled");
  ClickWindow(control, name);
}

// Every item of a tree, with its text, through a buffer in the program.
struct TreeItem {
  HTREEITEM item;
  std::wstring text;
};
std::vector<TreeItem> TreeItems(HWND tree) {
  std::vector<TreeItem> items;
  RemoteBuffer buffer(sizeof(TVITEMW) + 1024);
  std::function<void(HTREEITEM)> walk = [&](HTREEITEM first) {
    for (HTREEITEM item = first; item != nullptr;
         item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      TVITEMW tv = {};
      tv.mask = TVIF_TEXT | TVIF_HANDLE;
      tv.hItem = item;
      tv.pszText = static_cast<LPWSTR>(buffer.at(sizeof(TVITEMW)));
      tv.cchTextMax = 500;
      buffer.Write(&tv, sizeof tv);
      ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.at()));
      wchar_t text[501] = {};
      buffer.Read(text, 1000, sizeof(TVITEMW));
      items.push_back({item, text});
      walk(reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))));
    }
  };
  walk(reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
  return items;
}

HTREEITEM FindTreeItem(HWND tree, const std::function<bool(const std::wstring&)>& match, std::wstring* text = nullptr) {
  for (const TreeItem& item : TreeItems(tree))
    if (match(item.text)) {
      if (text != nullptr) *text = item.text;
      return item.item;
    }
  return nullptr;
}

// Clicks the item's label, after asking the tree where it is and checking
// that its hit test names the item.
void ClickTreeItem(HWND tree, HTREEITEM item, const std::string& name) {
  WaitInActiveWindow(tree, name);
  ::SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RemoteBuffer buffer(sizeof(RECT) + sizeof(TVHITTESTINFO));
  RECT rect = {};
  *reinterpret_cast<HTREEITEM*>(&rect) = item;
  buffer.Write(&rect, sizeof rect);
  if (!::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.at()))) Fail("no rectangle for " + name);
  buffer.Read(&rect, sizeof rect);
  POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  TVHITTESTINFO hit = {};
  hit.pt = centre;
  buffer.Write(&hit, sizeof hit, sizeof(RECT));
  ::SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(buffer.at(sizeof(RECT))));
  buffer.Read(&hit, sizeof hit, sizeof(RECT));
  if (hit.hItem != item) Fail("hit test at the centre of " + name + " names another item");
  ::ClientToScreen(tree, &centre);
  ClickScreen(centre);
}

struct CaptionSearch {
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK FindProgramDialog(HWND window, LPARAM p) {
  auto* s = reinterpret_cast<CaptionSearch*>(p);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != programPid || window == mainWindow || !::IsWindowVisible(window)) return TRUE;
  wchar_t text[128] = {};
  ::GetWindowTextW(window, text, 128);
  if (std::wstring(text) == s->caption) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

// A top-level window of the program with the caption, other than the frame.
HWND ProgramDialog(const wchar_t* caption) {
  CaptionSearch search = {caption, nullptr};
  ::EnumWindows(FindProgramDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The dialog with the caption, shown, enabled and painted.
HWND WaitDialog(const wchar_t* caption) {
  HWND dialog = nullptr;
  WaitFor([&] {
    return (dialog = ProgramDialog(caption)) != nullptr && ::IsWindowEnabled(dialog) && Painted(dialog);
  }, kStepTimeout, "the dialog \"" + Narrow(caption) + "\"");
  return dialog;
}

void AnswerDialog(HWND dialog, int button, const std::string& name) {
  HWND target = ::GetDlgItem(dialog, button);
  if (target == nullptr) Fail("no button " + name);
  ClickWindow(target, name);
  WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, kStepTimeout, name + " closing the dialog");
}

BOOL CALLBACK FindUnpaintedTopLevel(HWND window, LPARAM p) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid == programPid && ::IsWindowVisible(window) && !Painted(window)) {
    *reinterpret_cast<bool*>(p) = true;
    return FALSE;
  }
  return TRUE;
}

bool ProgramPainted() {
  bool unpainted = false;
  ::EnumWindows(FindUnpaintedTopLevel, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

std::string Describe(HWND window) {
  wchar_t cls[64] = {};
  ::GetClassNameW(window, cls, 64);
  RECT rect = {};
  ::GetWindowRect(window, &rect);
  std::string text = Narrow(TextOf(window));
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return Narrow(cls) + " id " + std::to_string(::GetDlgCtrlID(window)) + " \"" + text + "\" (" +
         std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom) + ")" + (::IsWindowEnabled(window) ? "" : " disabled");
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  if (::IsWindowVisible(child)) std::printf("    %s\n", Describe(child).c_str());
  return TRUE;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  if (pid != programPid || !::IsWindowVisible(window)) return TRUE;
  std::printf("  window %s\n", Describe(window).c_str());
  ::EnumChildWindows(window, PrintChild, 0);
  return TRUE;
}

// What the program shows: its visible windows and their visible controls.
void ReportScreen() {
  if (programPid == 0) return;
  std::printf("On screen:\n");
  ::EnumWindows(PrintTopLevel, 0);
}

// A PNG file of 24-bit pixels, rows top-down in RGB order.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<unsigned char>& rgbRows) {
  std::vector<unsigned char> raw;
  raw.reserve(static_cast<size_t>(height) * (width * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    const unsigned char* row = &rgbRows[static_cast<size_t>(y) * width * 3];
    raw.insert(raw.end(), row, row + width * 3);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return false;
  packed.resize(packedSize);
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (out == nullptr) return false;
  auto be32 = [](uint32_t v) {
    return std::vector<unsigned char>{static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
                                      static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)};
  };
  auto chunk = [&](const char* type, const std::vector<unsigned char>& data) {
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    const std::vector<unsigned char> length = be32(static_cast<uint32_t>(data.size()));
    const std::vector<unsigned char> crc = be32(crc32(0, body.data(), static_cast<uInt>(body.size())));
    std::fwrite(length.data(), 1, 4, out);
    std::fwrite(body.data(), 1, body.size(), out);
    std::fwrite(crc.data(), 1, 4, out);
  };
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::fwrite(kSignature, 1, 8, out);
  std::vector<unsigned char> header = be32(width);
  const std::vector<unsigned char> h = be32(height);
  header.insert(header.end(), h.begin(), h.end());
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter choice, no interlace
  chunk("IHDR", header);
  chunk("IDAT", packed);
  chunk("IEND", {});
  return std::fclose(out) == 0;
}

// The whole screen as NAME.png in the output folder.
void Screenshot(const std::string& name) {
  // Taken once the program's windows are drawn; a window that keeps
  // repainting is taken as it stands.
  if (mainWindow != nullptr && !WaitUntil([] { return ProgramPainted(); }, 10000))
    Note("NOTE " + name + ": a window was still painting");
  HDC screen = ::GetDC(nullptr);
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  ::GdiFlush();
  ::SelectObject(memory, old);
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const unsigned char* from = static_cast<const unsigned char*>(bits) + y * stride;
    unsigned char* to = &rgb[static_cast<size_t>(y) * width * 3];
    for (int x = 0; x < width; ++x) {
      to[3 * x] = from[3 * x + 2];
      to[3 * x + 1] = from[3 * x + 1];
      to[3 * x + 2] = from[3 * x];
    }
  }
  const std::wstring path = outFolder + L"\\" + std::wstring(name.begin(), name.end()) + L".png";
  if (!WritePng(path, width, height, rgb)) Note("could not write the screenshot " + name);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
}

const wchar_t kModeNames[3][9] = {L"Standard", L"Advance", L"Raw"};

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

// Ids of the program's windows.
enum {
  kStandardButton = 131,
  kRawButton = 132,
  kAdvanceButton = 133,
  kDriveTree = 156,
  kPartitionTree = 162,
  kNext = 159,
  kBack = 160,
  kStop = 132,
  kStartOver = 61481,
};


HWND DriveTree() { return VisibleControl(kDriveTree); }
HWND PartitionTree() { return VisibleControl(kPartitionTree); }

// The frame's placement as the program stored it when it last ended. It
// restores that placement as the last step of its start, and until then
// the start page's buttons may still move under the pointer.
bool StoredPlacement(WINDOWPLACEMENT* placement) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Local AppWizard-Generated Applications\\Mulvara\\Settings", 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  struct {
    DWORD reserved;
    WINDOWPLACEMENT placement;
  } record = {};
  DWORD type = 0, size = sizeof record;
  const bool read = ::RegQueryValueExW(key, L"Window Position", nullptr, &type, reinterpret_cast<BYTE*>(&record),
                                       &size) == ERROR_SUCCESS &&
                    type == REG_BINARY && size == sizeof record;
  ::RegCloseKey(key);
  if (read) *placement = record.placement;
  return read;
}

// The start page takes a mode's click once the frame stands where it will
// stay and the mode buttons are shown and enabled.
bool StartPageReady(const WINDOWPLACEMENT* stored) {
  if (::IsIconic(mainWindow) || !::IsWindowVisible(mainWindow)) return false;
  if (stored != nullptr) {
    WINDOWPLACEMENT now = {};
    now.length = sizeof now;
    if (!::GetWindowPlacement(mainWindow, &now) || !::EqualRect(&now.rcNormalPosition, &stored->rcNormalPosition))
      return false;
  }
  for (int id : {kStandardButton, kAdvanceButton, kRawButton}) {
    HWND button = VisibleControl(id);
    if (button == nullptr || !::IsWindowEnabled(button)) return false;
  }
  return true;
}

void StartProgram() {
  WINDOWPLACEMENT stored = {};
  const bool placed = StoredPlacement(&stored);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::wstring command = L"\"" + programPath + L"\"";
  if (!::CreateProcessW(programPath.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
    Fail("cannot start the program");
  ::CloseHandle(info.hThread);
  programPid = info.dwProcessId;
  programProcess = info.hProcess;
  mainWindow = nullptr;
  WaitFor([] {
    HWND found = ::FindWindowW(nullptr, L"Mulvara");
    DWORD pid = 0;
    if (found != nullptr) ::GetWindowThreadProcessId(found, &pid);
    if (pid != programPid || !::IsWindowVisible(found)) return false;
    mainWindow = found;
    return true;
  }, kStepTimeout, "the main window");
  ::SetForegroundWindow(mainWindow);
  WaitFor([&] { return StartPageReady(placed ? &stored : nullptr); }, kStepTimeout,
          placed ? "the start page in the frame's stored placement" : "the start page");
}

void EndProgram() {
  ::PostMessageW(mainWindow, WM_CLOSE, 0, 0);
  HWND exitQuestion = nullptr;
  WaitFor([&] {
    return (exitQuestion = ProgramDialog(L"Mulvara")) != nullptr ||
           ::WaitForSingleObject(programProcess, 0) == WAIT_OBJECT_0;
  }, kStepTimeout, "the exit question");
  if (exitQuestion != nullptr) AnswerDialog(WaitDialog(L"Mulvara"), IDYES, "Yes to exit");
  if (::WaitForSingleObject(programProcess, kStepTimeout) != WAIT_OBJECT_0) Fail("the program did not end after Yes");
  ::CloseHandle(programProcess);
  programProcess = nullptr;
  programPid = 0;
  mainWindow = nullptr;
}

void RestartProgram() {
  EndProgram();
  StartProgram();
}

const int kModeTextId = 61482;

// The mode text the visible page shows ("Selected Mode : ...").
std::wstring ShownModeText() {
  HWND text = VisibleControl(kModeTextId);
  return text != nullptr ? TextOf(text) : L"";
}

// Whether the page names the chosen mode.
bool ShowsMode(int mode) {
  const std::wstring shown = ShownModeText();
  return StartsWith(shown, L"Selected Mode") && shown.find(std::wstring(kModeNames[mode]) + L" Scan") != std::wstring::npos;
}

// Waits for the page to name the chosen mode; a page that goes on naming
// another one fails with what it shows.
void WaitForMode(int mode, const std::string& where) {
  if (!WaitUntil([mode] { return ShowsMode(mode); }, kStepTimeout))
    Fail(where + " shows \"" + Narrow(ShownModeText()) + "\", not " + Narrow(kModeNames[mode]) + " Scan");
}

// Clicks the mode's button on the start page and waits for the drive page
// naming the mode.
void ChooseMode(int mode) {
  const int buttons[3] = {kStandardButton, kAdvanceButton, kRawButton};
  ClickControl(buttons[mode], "the " + Narrow(kModeNames[mode]) + " button");
  // The drive page lists the drives first: slow on a loaded machine.
  WaitFor([] { return DriveTree() != nullptr; }, kStepTimeout, "the drive page");
  WaitForMode(mode, "the drive page");
}

// The "Hard Disk N " item of the disk'th image device (0 first).
HTREEITEM DiskItem(int disk, std::wstring* text) {
  std::vector<TreeItem> disks;
  for (const TreeItem& item : TreeItems(DriveTree()))
    if (StartsWith(item.text, L"Hard Disk ")) disks.push_back(item);
  if (static_cast<int>(disks.size()) <= disk) Fail("the drive tree lists " + std::to_string(disks.size()) + " disks");
  *text = disks[disk].text;
  return disks[disk].item;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM p) {
  if (::IsWindowVisible(child)) {
    wchar_t cls[32] = {};
    ::GetClassNameW(child, cls, 32);
    if (std::wstring(cls) == L"Static") *reinterpret_cast<std::wstring*>(p) += TextOf(child) + L"|";
  }
  return TRUE;
}

// The pane texts on the current page, joined.
std::wstring PageTexts() {
  std::wstring all;
  ::EnumChildWindows(mainWindow, CollectStaticText, reinterpret_cast<LPARAM>(&all));
  return all;
}

BOOL CALLBACK FindVisibleList(HWND child, LPARAM p) {
  wchar_t cls[32] = {};
  ::GetClassNameW(child, cls, 32);
  if (std::wstring(cls) == L"SysListView32" && ::IsWindowVisible(child)) {
    *reinterpret_cast<HWND*>(p) = child;
    return FALSE;
  }
  return TRUE;
}

// The results page: the only page with a list.
bool ResultsShown() {
  HWND list = nullptr;
  ::EnumChildWindows(mainWindow, FindVisibleList, reinterpret_cast<LPARAM>(&list));
  return list != nullptr;
}

// The file-system step's tree: id 156 as the drive tree, under its own root.
HWND FileSystemTree() {
  HWND tree = VisibleControl(kDriveTree);
  if (tree == nullptr) return nullptr;
  std::vector<TreeItem> items = TreeItems(tree);
  return !items.empty() && items[0].text == L"File System" ? tree : nullptr;
}

bool ScanRunning() { return VisibleControl(kStop) != nullptr && PartitionTree() != nullptr; }

// After Next on page 2: a screenshot of the scanning page when the scan
// lasts long enough to be seen.
void ShotWhileScanning(const std::string& name) {
  if (WaitUntil(ScanRunning, 3000)) {
    Screenshot(name);
  } else {
    Note("NOTE " + name + ": the scan was over before it could be seen");
  }
}

// The file-system step's volume whose text begins with prefix, clicked, and
// its Next: the volume's scan ends on the results page.
std::wstring ScanFoundVolume(const std::string& name, const wchar_t* prefix) {
  WaitFor([] { return FileSystemTree() != nullptr; }, kScanTimeout, name + ": the file-system page");
  HWND tree = FileSystemTree();
  std::wstring volumeText;
  HTREEITEM volume =
      FindTreeItem(tree, [prefix](const std::wstring& t) { return StartsWith(t, prefix); }, &volumeText);
  if (volume == nullptr) Fail(name + ": the file-system page lists no volume");
  ClickTreeItem(tree, volume, Narrow(volumeText));
  WaitFor([] { return PageTexts().find(L" MB") != std::wstring::npos; }, kStepTimeout,
          name + ": the form showing the volume's size");
  Screenshot("10_file_system_page_" + name);
  ClickControl(kNext, "Next on the file-system page");
  WaitFor(ResultsShown, kScanTimeout, name + ": the results page after the volume's scan");
  Note("PASS " + name + ": " + Narrow(volumeText) + " scanned");
  return volumeText;
}

// Next on page 2 with the mode's choice made: the scan runs and ends on the
// results page (Advance through the file-system page).
std::wstring RunScan(int mode) {
  const std::string name = Narrow(kModeNames[mode]);
  ClickControl(kNext, "Next on page 2");
  if (mode == 2) {
    HWND types = WaitDialog(L"File Types");
    Screenshot("07_file_types");
    // 1 MB, chosen with the keyboard from the dropped list.
    HWND sizes = ::GetDlgItem(types, 1105);
    if (sizes == nullptr) Fail("File Types has no size list");
    ClickWindow(sizes, "the size list");
    WaitFor([&] { return ::SendMessageW(sizes, CB_GETDROPPEDSTATE, 0, 0) != 0; }, kStepTimeout,
            "the size list dropped");
    INPUT keys[4] = {};
    for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_HOME;
    keys[2].ki.wVk = keys[3].ki.wVk = VK_RETURN;
    keys[1].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
    WaitFor([&] { return ::SendMessageW(sizes, CB_GETCURSEL, 0, 0) == 0; }, kStepTimeout, "1 MB chosen");
    if (TextOf(sizes) != L"1 MB") Fail("the first size is not 1 MB: " + Narrow(TextOf(sizes)));
    AnswerDialog(types, IDOK, "OK of File Types");
  }
  ShotWhileScanning("08_page2_scanning_" + name);
  std::wstring volume;
  if (mode == 1) {
    volume = ScanFoundVolume(name, L"FAT32 @");
  } else if (mode == 0) {
    // The Standard Scan's hint over the results.
    HWND hint = WaitDialog(L"Mulvara");
    if (!ResultsShown()) Fail(name + ": the hint came before the results page");
    Screenshot("09_results_hint_" + name);
    AnswerDialog(hint, IDOK, "OK of the hint");
  }
  WaitFor(ResultsShown, kScanTimeout, name + ": the results page");
  WaitForMode(mode, "the results page");
  Screenshot("11_results_" + name);
  Note("PASS " + name + ": the scan ended on the results page, \"" + Narrow(ShownModeText().substr(0, 40)) + "...\"");
  return volume;
}

// The results page's folder tree and list.
enum { kResultsTree = 162, kRecoverSelected = 32822, kDestinationPath = 3231 };
HWND ResultsList() {
  HWND list = nullptr;
  ::EnumChildWindows(mainWindow, FindVisibleList, reinterpret_cast<LPARAM>(&list));
  return list;
}
HWND ResultsTree() { return ResultsShown() ? VisibleControl(kResultsTree) : nullptr; }

int TreeCheckState(HWND tree, HTREEITEM item) {
  return static_cast<int>(::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK) >> 12);
}

int ListCheckState(HWND list, int row) {
  return static_cast<int>(::SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12);
}

// Clicks the check box of a tree item: the middle of the points left of
// its label that the tree's hit test calls its state icon.
void ClickTreeCheckBox(HWND tree, HTREEITEM item, const std::string& name) {
  WaitInActiveWindow(tree, name);
  ::SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RemoteBuffer buffer(sizeof(RECT) + sizeof(TVHITTESTINFO));
  RECT rect = {};
  *reinterpret_cast<HTREEITEM*>(&rect) = item;
  buffer.Write(&rect, sizeof rect);
  if (!::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.at()))) Fail("no rectangle for " + name);
  buffer.Read(&rect, sizeof rect);
  const int y = (rect.top + rect.bottom) / 2;
  int first = -1, last = -1;
  for (int x = rect.left; x >= 0; --x) {
    TVHITTESTINFO hit = {};
    hit.pt = {x, y};
    buffer.Write(&hit, sizeof hit, sizeof(RECT));
    ::SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(buffer.at(sizeof(RECT))));
    buffer.Read(&hit, sizeof hit, sizeof(RECT));
    const bool onBox = hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON) != 0;
    if (onBox && last < 0) last = x;
    if (onBox) first = x;
    if (!onBox && last >= 0) break;
  }
  if (last < 0) Fail(name + " has no check box");
  POINT at = {(first + last) / 2, y};
  ::ClientToScreen(tree, &at);
  ClickScreen(at);
}

std::wstring ListText(HWND list, int row) {
  RemoteBuffer buffer(sizeof(LVITEMW) + 1024);
  LVITEMW item = {};
  item.iSubItem = 0;
  item.pszText = static_cast<LPWSTR>(buffer.at(sizeof(LVITEMW)));
  item.cchTextMax = 500;
  buffer.Write(&item, sizeof item);
  ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(buffer.at()));
  wchar_t text[501] = {};
  buffer.Read(text, 1000, sizeof(LVITEMW));
  return text;
}

int ListRow(HWND list, const std::wstring& text) {
  const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row)
    if (ListText(list, row) == text) return row;
  return -1;
}

// Clicks the check box of a list row, found as the tree's.
void ClickListCheckBox(HWND list, int row, const std::string& name) {
  WaitInActiveWindow(list, name);
  ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
  RemoteBuffer buffer(sizeof(RECT) + sizeof(LVHITTESTINFO));
  RECT rect = {};
  rect.left = LVIR_BOUNDS;
  buffer.Write(&rect, sizeof rect);
  if (!::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(buffer.at()))) Fail("no rectangle for " + name);
  buffer.Read(&rect, sizeof rect);
  const int y = (rect.top + rect.bottom) / 2;
  int first = -1, last = -1;
  for (int x = rect.left < 0 ? 0 : rect.left; x < rect.left + 100; ++x) {
    LVHITTESTINFO hit = {};
    hit.pt = {x, y};
    buffer.Write(&hit, sizeof hit, sizeof(RECT));
    ::SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(buffer.at(sizeof(RECT))));
    buffer.Read(&hit, sizeof hit, sizeof(RECT));
    const bool onBox = hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON) != 0;
    if (onBox && first < 0) first = x;
    if (onBox) last = x;
    if (!onBox && first >= 0) break;
  }
  if (first < 0) Fail(name + " has no check box");
  POINT at = {(first + last) / 2, y};
  ::ClientToScreen(list, &at);
  ClickScreen(at);
}

void SendKey(WORD vk, wchar_t unicode, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = unicode;
  input.ki.dwFlags = (unicode != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
  ::SendInput(1, &input, sizeof(INPUT));
}

// Types the text with real key strokes into the focused field, a key at a
// time once the field shows the one before: a long burst of input loses
// keys under Wine.
void TypeInto(HWND field, const std::wstring& text) {
  // Whatever the field held, selected and typed over.
  SendKey(VK_END, 0, false);
  SendKey(VK_END, 0, true);
  SendKey(VK_SHIFT, 0, false);
  SendKey(VK_HOME, 0, false);
  SendKey(VK_HOME, 0, true);
  SendKey(VK_SHIFT, 0, true);
  for (size_t i = 0; i < text.size(); ++i) {
    SendKey(0, text[i], false);
    SendKey(0, text[i], true);
    WaitFor([&] { return TextOf(field) == text.substr(0, i + 1); }, kStepTimeout,
            "\"" + Narrow(text.substr(0, i + 1)) + "\" typed, the field shows \"" + Narrow(TextOf(field)) + "\"");
  }
}

BOOL CALLBACK FindAnyProgramWindow(HWND window, LPARAM p) {
  auto* s = reinterpret_cast<CaptionSearch*>(p);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(window, &pid);
  wchar_t text[128] = {};
  ::GetWindowTextW(window, text, 128);
  if (pid == programPid && window != mainWindow && std::wstring(text) == s->caption) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

// A top-level window of the program with the caption, shown or not.
HWND AnyProgramWindow(const wchar_t* caption) {
  CaptionSearch search = {caption, nullptr};
  ::EnumWindows(FindAnyProgramWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found = {};
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(path);
      } else {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(path.c_str());
      }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(folder.c_str());
}

// The folder made anew and empty.
std::wstring NewFolder(const std::wstring& name) {
  const std::wstring folder = workFolder + L"\\" + name;
  RemoveTree(folder);
  if (!::CreateDirectoryW(folder.c_str(), nullptr)) Fail("cannot make the folder " + Narrow(folder));
  return folder;
}

// Recover Selected with the checked files: the new folder typed into the
// chooser, then the Saving dialog, which closes by itself.
void RecoverChecked(const std::wstring& destination, const std::string& name) {
  ClickControl(kRecoverSelected, "Recover Selected");
  HWND chooser = WaitDialog(L"Recover Selected");
  HWND path = ::GetDlgItem(chooser, kDestinationPath);
  if (path == nullptr) Fail(name + ": Recover Selected says \"" + Narrow(PageTexts()) + "\" instead of asking for a folder");
  ClickWindow(path, "the chooser's folder field");
  const DWORD thread = ::GetWindowThreadProcessId(chooser, nullptr);
  WaitFor([&] {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(thread, &info) && info.hwndFocus == path;
  }, kStepTimeout, "the focus in the chooser's folder field");
  TypeInto(path, destination);
  WaitFor([&] { return Painted(chooser); }, kStepTimeout, "the chooser painted");
  Screenshot("15_chooser_" + name);
  AnswerDialog(chooser, IDOK, "OK of the chooser");
  // The run is over once the program's thread answers a message while no
  // Saving dialog exists and the frame takes input again: between the
  // chooser and the Saving dialog the thread answers nothing.
  bool shot = false;
  auto finished = [&] {
    if (HWND refused = ProgramDialog(L"Recover Selected"))
      if (::GetDlgItem(refused, kDestinationPath) == nullptr) Fail(name + ": the program refused the folder");
    HWND saving = ProgramDialog(L"Saving");
    if (saving != nullptr && !shot && Painted(saving)) {
      Screenshot("16_saving_" + name);
      // Kept only when the dialog was still there after the picture.
      shot = ProgramDialog(L"Saving") == saving;
    }
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer) != 0 &&
           AnyProgramWindow(L"Saving") == nullptr && ::IsWindowEnabled(mainWindow);
  };
  WaitFor(finished, kScanTimeout, name + ": the Saving dialog closing by itself");
  if (!shot) Note("NOTE " + name + ": the Saving dialog closed before it could be taken");
  Screenshot("17_results_after_recovery_" + name);
}

// Runs the harness with the arguments; its output and exit status.
int RunHarness(const std::wstring& arguments, std::string& output) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!::CreatePipe(&read, &write, &inherit, 0)) Fail("CreatePipe");
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW start = {};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = write;
  start.hStdError = write;
  PROCESS_INFORMATION process = {};
  std::wstring line = L"\"" + harnessPath + L"\" " + arguments;
  if (!::CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &start, &process))
    Fail("cannot start the harness");
  ::CloseHandle(write);
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  ::CloseHandle(read);
  if (::WaitForSingleObject(process.hProcess, kScanTimeout) != WAIT_OBJECT_0) Fail("the harness did not end");
  DWORD code = 1;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// The harness's recovery of the image the mode scanned, as the road chose
// it: Standard the partition at sector 2048 (only the paths given, when
// any), Advance the found volume the road picked, Raw the partition's
// carved files of every type at 1 MB.
FileTree HarnessRecovery(int mode, const std::wstring& volume, const std::wstring& folderName,
                         const std::vector<std::wstring>& paths = {}) {
  const std::wstring image = images[mode == 1 ? 2 : mode == 2 ? 3 : 0];
  const std::wstring destination = NewFolder(folderName);
  std::wstring arguments;
  if (mode == 0) {
    arguments = L"recover " + Quoted(image) + L" " + Quoted(destination) + L" --partition 2048";
    for (const std::wstring& path : paths) arguments += L" --path " + Quoted(L"/" + path);
  } else if (mode == 1) {
    std::string listing;
    RunHarness(L"advance " + Quoted(image) + L" --type fat32", listing);
    // "volume N LABEL ...": the one whose label the road's item shows.
    int number = 0;
    size_t start = 0;
    while (start < listing.size() && number == 0) {
      size_t end = listing.find('\n', start);
      if (end == std::string::npos) end = listing.size();
      const std::string line = listing.substr(start, end - start);
      start = end + 1;
      if (line.compare(0, 7, "volume\t") != 0) continue;
      const size_t tab = line.find('\t', 7);
      const std::string label = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
      if (!label.empty() && Narrow(volume).compare(0, label.size(), label) == 0) number = std::stoi(line.substr(7, tab - 7));
    }
    if (number == 0) Fail("the harness finds no volume \"" + Narrow(volume) + "\":\n" + listing);
    arguments = L"advance " + Quoted(image) + L" --type fat32 --volume " + std::to_wstring(number) + L" --recover " + Quoted(destination);
  } else {
    arguments = L"raw " + Quoted(image) + L" --partition 2048 --types all --size 1 --extract " + Quoted(destination);
  }
  std::string output;
  const int code = RunHarness(arguments, output);
  if (code != 0 && code != 3) Fail("the harness failed (" + std::to_string(code) + "): " + Narrow(arguments) + "\n" + output);
  return ReadFileTree(destination);
}

std::wstring ManifestOf(int mode) {
  if (mode == 0) {
    const std::wstring& image = images[0];
    return image.substr(0, image.find_last_of(L"\\/") + 1) + L"road_standard.manifest";
  }
  const std::wstring& image = images[mode == 1 ? 2 : 3];
  return image.substr(0, image.size() - 4) + L".manifest";
}

void Compare(const std::string& what, const std::string& faults) {
  if (!faults.empty()) Fail(what + ":\n" + faults);
}

// Clicks the item's check box and waits for the tree to show the other state.
void ToggleTreeCheck(HWND tree, HTREEITEM item, const std::string& name) {
  const int before = TreeCheckState(tree, item);
  ClickTreeCheckBox(tree, item, name);
  WaitFor([&] { return TreeCheckState(tree, item) != before; }, kStepTimeout,
          name + (before == 1 ? " checked" : " unchecked"));
}

// "Root" checked, every file recovered into a new folder, and the folder
// compared with the manifest and with the harness's recovery.
void RecoverAndCompare(int mode, const std::wstring& volume) {
  const std::string name = Narrow(kModeNames[mode]);
  HWND tree = ResultsTree();
  if (tree == nullptr) Fail(name + ": no folder tree on the results page");
  std::wstring rootText;
  HTREEITEM root = FindTreeItem(tree, [](const std::wstring& t) { return t == L"Root" || t == L"ROOT"; }, &rootText);
  if (root == nullptr) Fail(name + ": the folder tree has no \"Root\"");
  ToggleTreeCheck(tree, root, name + ": \"Root\"");
  Screenshot("14_root_checked_" + name);

  const std::wstring destination = NewFolder(std::wstring(kModeNames[mode]) + L"_program");
  RecoverChecked(destination, name);
  const FileTree recovered = ReadFileTree(destination);
  if (recovered.empty()) Fail(name + ": nothing was recovered");
  Compare(name + ": the program's recovery against the harness's",
          CompareTrees(recovered, HarnessRecovery(mode, volume, std::wstring(kModeNames[mode]) + L"_harness")));

  std::string error;
  const std::vector<ManifestEntry> manifest = ReadManifest(ManifestOf(mode), &error);
  if (!error.empty()) Fail(error);
  if (mode == 2) {
    const std::wstring& image = images[3];
    const FileTree samples = ReadFileTree(image.substr(0, image.find_last_of(L"\\/") + 1) + L"raw-samples");
    if (samples.size() != manifest.size()) Fail("the Raw samples and the manifest differ");
    Compare(name + ": the carved files against the samples", CompareCarvedWithSamples(recovered, samples, 1 << 20));
  } else {
    Compare(name + ": the recovery against the manifest",
            CompareWithManifest(recovered, manifest, mode == 1 ? NameRules::Advance : NameRules::Standard));
  }
  Note("PASS " + name + ": " + std::to_string(recovered.size()) + " files recovered as the harness recovers them and as the manifest lists them");
}

// The second Standard pass on the same results: "Root" unchecked, one
// folder and one root file checked in the list, and exactly those recovered.
void RecoverListSelection() {
  HWND tree = ResultsTree();
  HTREEITEM root = FindTreeItem(tree, [](const std::wstring& t) { return t == L"Root"; });
  ToggleTreeCheck(tree, root, "\"Root\"");
  HWND list = ResultsList();
  // A live folder and a live file of the root, as the list shows them.
  const std::wstring folder = L"Documents", file = L"A Long File Name.txt";
  int rows[2] = {ListRow(list, folder), ListRow(list, file)};
  if (rows[0] < 0 || rows[1] < 0) Fail("the root's list shows no \"Documents\" or \"A Long File Name.txt\"");
  for (int row : rows) {
    const int state = ListCheckState(list, row);
    if (state == 0) Fail("the list's row " + std::to_string(row) + " has no check box");
    ClickListCheckBox(list, row, Narrow(ListText(list, row)));
    WaitFor([&] { return ListCheckState(list, row) != state; }, kStepTimeout, Narrow(ListText(list, row)) + " checked");
  }
  Screenshot("18_list_selection_Standard");
  const std::wstring destination = NewFolder(L"Standard_selection_program");
  RecoverChecked(destination, "Standard_selection");
  const FileTree recovered = ReadFileTree(destination);
  Compare("Standard, the list's selection against the harness's recovery of the two paths",
          CompareTrees(recovered, HarnessRecovery(0, L"", L"Standard_selection_harness", {folder, file})));
  // Exactly the folder's files and the file, as the whole recovery had them.
  const FileTree whole = ReadFileTree(workFolder + L"\\Standard_program");
  FileTree expected;
  for (const auto& [path, bytes] : whole)
    if (path == file || path.compare(0, folder.size() + 1, folder + L"/") == 0) expected[path] = bytes;
  Compare("Standard, the list's selection against the whole recovery's files", CompareTrees(recovered, expected));
  Note("PASS Standard: the checked folder and root file recovered, " + std::to_string(recovered.size()) + " files, nothing else");
}

// Page 2's item for the whole disk.
HTREEITEM PartitionDiskItem(HWND tree, std::wstring* text = nullptr) {
  return FindTreeItem(tree, [](const std::wstring& t) { return StartsWith(t, L"Hard Disk"); }, text);
}

// Clicks a page-2 item and waits until the tree has it selected and the
// pane shows what `shown` asks for: only then does Next go in, to a page
// that has taken the click and filled its pane.
void SelectPartitionItem(HWND tree, HTREEITEM item, const std::string& name,
                         const std::function<bool()>& shown = [] { return true; }) {
  ClickTreeItem(tree, item, name);
  WaitFor([&] {
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)) == item && shown();
  }, kStepTimeout, name + " selected with its values in the pane");
}

// One mode's road up to page 2 on the partitioned image.
void DriveMode(int mode) {
  const std::string name = Narrow(kModeNames[mode]);
  ChooseMode(mode);
  if (mode == 0) {
    std::wstring letterText;
    HTREEITEM letter = FindTreeItem(DriveTree(), [](const std::wstring& t) { return StartsWith(t, L"Logical Drives "); },
                                    &letterText);
    if (letter == nullptr) Fail("no logical drive item");
    ClickTreeItem(DriveTree(), letter, Narrow(letterText));
    Screenshot("02_drive_page_letter");
    // The logical drive goes to page 2 at once, the tree hidden.
    ClickControl(kNext, "Next");
    WaitFor([] { return VisibleControl(kNext) != nullptr && DriveTree() == nullptr; }, kStepTimeout,
            "page 2 for the logical drive");
    if (PartitionTree() != nullptr) Fail("the partition tree is shown for a logical drive");
    Screenshot("03_page2_logical_drive");
    ClickControl(kBack, "Back on page 2");
    WaitFor([] { return DriveTree() != nullptr; }, kStepTimeout, "the drive page after Back");
  }
  std::wstring diskText;
  // Advance and Raw scan their own road disks where the harness made them.
  const int roadDisk = mode == 1 ? 2 : mode == 2 ? 3 : 0;
  int disks = 0;
  for (const TreeItem& listed : TreeItems(DriveTree()))
    if (StartsWith(listed.text, L"Hard Disk ")) ++disks;
  HTREEITEM disk = DiskItem(roadDisk < disks ? roadDisk : 0, &diskText);
  ClickTreeItem(DriveTree(), disk, Narrow(diskText));
  if (mode == 0) Screenshot("04_drive_page_disk");
  ClickControl(kNext, "Next");
  HWND choice = WaitDialog(L"Please Select");
  if (mode == 0) Screenshot("05_please_select");
  AnswerDialog(choice, IDOK, "OK of Please Select");
  WaitFor([] { return PartitionTree() != nullptr; }, kStepTimeout, "page 2 after the partition search");
  HWND tree = PartitionTree();
  std::wstring itemText;
  HTREEITEM item = mode == 1 ? PartitionDiskItem(tree, &itemText)
                             : FindTreeItem(tree, [](const std::wstring& t) { return t == L"Partition 1"; }, &itemText);
  if (item == nullptr) Fail(name + ": page 2 lists no " + (mode == 1 ? "disk" : "\"Partition 1\""));
  // The partition starts at sector 2048 of the image.
  SelectPartitionItem(tree, item, name + ": " + Narrow(itemText),
                      [mode] { return mode == 1 || PageTexts().find(L"2048") != std::wstring::npos; });
  Screenshot(std::string("06_page2_") + name);
  Note("PASS " + name + ": page 2 reached, " + Narrow(itemText) + " selected");
  const std::wstring volume = RunScan(mode);
  RecoverAndCompare(mode, volume);
  if (mode == 0) RecoverListSelection();
  // Each mode starts afresh.
  RestartProgram();
}

// Stop is pressed at random moments of the search: this is the moment,
// not a wait for anything.
void PressMomentLater(int ms) { ::Sleep(static_cast<DWORD>(ms)); }

bool SearchRunning() { return VisibleControl(kStop) != nullptr && DriveTree() != nullptr; }

HWND WaitQuestion() { return WaitDialog(L"Mulvara"); }

// The large disk picked on the idle drive page and its partition search
// started with Next.
void StartLargeDiskSearch() {
  WaitFor([] { return DriveTree() != nullptr && ::IsWindowEnabled(DriveTree()); }, kStepTimeout, "the idle drive page");
  std::wstring diskText;
  ClickTreeItem(DriveTree(), DiskItem(1, &diskText), "the large disk");
  ClickControl(kNext, "Next");
  WaitFor(SearchRunning, kStepTimeout, "the partition search");
}

// The stop question answered with Yes: page 2 once the worker has ended.
void AnswerStopYes(HWND question, const std::string& when) {
  AnswerDialog(question, IDYES, "Yes");
  WaitFor([] { return PartitionTree() != nullptr; }, kStepTimeout, "page 2 after Yes " + when);
}

// Stop on the large disk without a partition table.
void StopCases() {
  ChooseMode(0);

  // No leaves the search running.
  StartLargeDiskSearch();
  Screenshot("07_search_running");
  HWND bar = VisibleControl(61457);
  ClickControl(kStop, "Stop");
  HWND question = WaitQuestion();
  Screenshot("08_stop_question");
  const LRESULT before = ::SendMessageW(bar, PBM_GETPOS, 0, 0);
  AnswerDialog(question, IDNO, "No");
  WaitFor([&] { return ::SendMessageW(bar, PBM_GETPOS, 0, 0) > before; }, kStepTimeout, "the search going on after No");
  if (!SearchRunning()) Fail("No ended the search");
  Note("PASS Stop, No: the search goes on");

  // Yes reaches page 2 with the disk listed.
  ClickControl(kStop, "Stop");
  AnswerStopYes(WaitQuestion(), "to the search");
  if (PartitionDiskItem(PartitionTree()) == nullptr) Fail("page 2 lists no disk after Stop");
  Note("PASS Stop, Yes: page 2 after the worker ended");

  // Stop at random moments, answers at random, and two quick presses.
  std::srand(25);
  for (int round = 0; round < 8; ++round) {
    ClickControl(kBack, "Back on page 2");
    StartLargeDiskSearch();
    PressMomentLater(std::rand() % 700);
    if (!SearchRunning()) Fail("the search ended before Stop in round " + std::to_string(round));
    HWND stop = VisibleControl(kStop);
    const POINT stopAt = ClickableCentre(stop, "Stop");
    ClickScreen(stopAt);
    if (round % 3 == 1) ClickScreen(stopAt);  // a second press at once, whatever the button's state
    HWND asked = WaitQuestion();
    if (round % 2 == 0) {
      AnswerDialog(asked, IDNO, "No");
      PressMomentLater(std::rand() % 300);
      ClickControl(kStop, "Stop again");
      asked = WaitQuestion();
    }
    AnswerStopYes(asked, "in round " + std::to_string(round));
    if (ProgramDialog(L"Mulvara") != nullptr) Fail("a second question after two presses");
  }
  Note("PASS Stop at random moments: 8 rounds, none hung");
}

// An Advance Scan of the large disk stopped with Yes in its sweep: the
// volume reconstruction runs on what was found and the file-system page
// shows it (nothing: the disk is empty, and the page says so).
void StopAdvanceScan() {
  ClickControl(kStartOver, "start-over on page 2");
  WaitFor([] { return VisibleControl(kStandardButton) != nullptr; }, kStepTimeout, "the start page");
  ChooseMode(1);
  StartLargeDiskSearch();
  ClickControl(kStop, "Stop of the search");
  AnswerStopYes(WaitQuestion(), "to the search");
  HWND tree = PartitionTree();
  std::wstring itemText;
  HTREEITEM disk = PartitionDiskItem(tree, &itemText);
  if (disk == nullptr) Fail("page 2 lists no disk");
  SelectPartitionItem(tree, disk, Narrow(itemText));
  ClickControl(kNext, "Next on page 2");
  WaitFor(ScanRunning, kStepTimeout, "the Advance sweep");
  HWND bar = VisibleControl(61457);
  WaitFor([&] { return ::SendMessageW(bar, PBM_GETPOS, 0, 0) > 0 || PageTexts().find(L"Reading Sector") != std::wstring::npos; },
          kStepTimeout, "the sweep's progress");
  Screenshot("12_page2_scanning_Advance_large");
  // No first: the sweep goes on.
  ClickControl(kStop, "Stop of the sweep");
  HWND question = WaitQuestion();
  Screenshot("13_stop_scan_question");
  AnswerDialog(question, IDNO, "No");
  const std::wstring before = PageTexts();
  WaitFor([&] { return PageTexts() != before; }, kStepTimeout, "the sweep going on after No");
  if (!ScanRunning()) Fail("No ended the sweep");
  ClickControl(kStop, "Stop of the sweep");
  AnswerDialog(WaitQuestion(), IDYES, "Yes");
  // Nothing was found: the page's message, over the file-system page.
  HWND message = WaitDialog(L"Mulvara");
  if (FileSystemTree() == nullptr) Fail("the message came before the file-system page");
  Screenshot("14_file_system_page_nothing_found");
  AnswerDialog(message, IDOK, "OK of the message");
  Note("PASS Advance Stop, Yes: the file-system page with what was found");
}

// A path given as Z:/... with Windows separators.
std::wstring WindowsPath(std::wstring path) {
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 9) {
    std::printf("usage: road_test <Mulvara.exe> <mulvara-harness.exe> <out folder> <work folder> <partitioned image> "
                "<large image> <Advance image> <Raw image>\n");
    return 2;
  }
  programPath = WindowsPath(argv[1]);
  harnessPath = WindowsPath(argv[2]);
  outFolder = WindowsPath(argv[3]);
  workFolder = WindowsPath(argv[4]);
  for (int i = 5; i < argc; ++i) images.push_back(WindowsPath(argv[i]));
  // The large disk: sparse, no partition table, enough cylinders that the
  // search lasts while Stop is pressed.
  HANDLE large = ::CreateFileW(images[1].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (large == INVALID_HANDLE_VALUE) Fail("cannot make the large disk image");
  LARGE_INTEGER size;
  size.QuadPart = 400LL << 30;
  ::SetFilePointerEx(large, size, nullptr, FILE_BEGIN);
  ::SetEndOfFile(large);
  ::CloseHandle(large);
  ::CreateDirectoryW(outFolder.c_str(), nullptr);
  ::CreateDirectoryW(workFolder.c_str(), nullptr);
  std::wstring devices = images[0];
  for (size_t more = 1; more < images.size(); ++more) devices += L";" + images[more];
  ::SetEnvironmentVariableW(L"MULVARA_IMAGE_DEVICES", devices.c_str());
  StartProgram();
  Screenshot("01_start_page");

  for (int mode = 0; mode < 3; ++mode) DriveMode(mode);
  StopCases();
  StopAdvanceScan();

  EndProgram();
  Note(failures == 0 ? "road test passed" : "road test failed");
  return failures == 0 ? 0 : 1;
}
