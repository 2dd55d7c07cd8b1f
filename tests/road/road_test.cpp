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
std::wstring programPath;
int failures = 0;

void Screenshot(const std::string& name);

[[noreturn]] void Fail(const std::string& what) {
  std::printf("FAIL: %s\n", what.c_str());
  std::fflush(stdout);
  // The screen as it was, to see what stood in the way.
  Screenshot("failure");
  if (programProcess != nullptr) ::TerminateProcess(programProcess, 3);
  std::exit(1);
}

void Note(const std::string& what) {
  std::printf("%s\n", what.c_str());
  std::fflush(stdout);
}

void WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, const std::string& what) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeoutMs) Fail("timed out waiting for " + what);
    ::Sleep(50);
  }
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
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
  ::Sleep(30);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, input, sizeof(INPUT));
}

void ClickWindow(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  ClickScreen({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void ClickControl(int id, const std::string& name) {
  HWND control = nullptr;
  WaitFor([&] { return (control = VisibleControl(id)) != nullptr && ::IsWindowEnabled(control); }, 20000,
          name + " shown and enabled");
  ClickWindow(control);
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

HWND WaitDialog(const wchar_t* caption) {
  HWND dialog = nullptr;
  WaitFor([&] { return (dialog = ProgramDialog(caption)) != nullptr; }, 20000,
          "the dialog \"" + Narrow(caption) + "\"");
  ::Sleep(300);  // painted
  return dialog;
}

void AnswerDialog(HWND dialog, int button, const std::string& name) {
  HWND target = ::GetDlgItem(dialog, button);
  if (target == nullptr) Fail("no button " + name);
  ClickWindow(target);
  WaitFor([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, 10000, name + " closing the dialog");
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
  ::Sleep(400);
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

const wchar_t kModeNames[3][9] = {L"Standard", L"Advance", L"Raw"};

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

HWND DriveTree() { return VisibleControl(kDriveTree); }
HWND PartitionTree() { return VisibleControl(kPartitionTree); }

void StartProgram() {
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
  }, 60000, "the main window");
  ::SetForegroundWindow(mainWindow);
  WaitFor([] { return VisibleControl(kStandardButton) != nullptr; }, 20000, "the start page");
}

void EndProgram() {
  ::PostMessageW(mainWindow, WM_CLOSE, 0, 0);
  if (HWND exitQuestion = nullptr; (::Sleep(500), exitQuestion = ProgramDialog(L"Mulvara")) != nullptr)
    AnswerDialog(exitQuestion, IDYES, "Yes to exit");
  if (::WaitForSingleObject(programProcess, 20000) != WAIT_OBJECT_0) ::TerminateProcess(programProcess, 0);
  ::CloseHandle(programProcess);
  programProcess = nullptr;
}

void RestartProgram() {
  EndProgram();
  StartProgram();
}

// Clicks the mode's button on the start page and waits for the drive page.
void ChooseMode(int mode) {
  const int buttons[3] = {kStandardButton, kAdvanceButton, kRawButton};
  ClickControl(buttons[mode], "the mode button");
  // The drive page lists the drives first: slow on a loaded machine.
  WaitFor([] { return DriveTree() != nullptr; }, 60000, "the drive page");
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

void ReportLaterSteps(int mode) {
  std::printf("SKIP %s: checking \"Root\", the recovery into a folder and the comparison with the manifest come "
              "with the results browser; the road ends on the results page here.\n",
              Narrow(kModeNames[mode]).c_str());
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
  const DWORD start = ::GetTickCount();
  while (!ScanRunning() && ::GetTickCount() - start < 3000) ::Sleep(20);
  if (ScanRunning()) {
    Screenshot(name);
  } else {
    Note("NOTE " + name + ": the scan was over before it could be seen");
  }
}

// The file-system step's volume whose text begins with prefix, clicked, and
// its Next: the volume's scan ends on the results page.
void ScanFoundVolume(const std::string& name, const wchar_t* prefix) {
  WaitFor([] { return FileSystemTree() != nullptr; }, 300000, name + ": the file-system page");
  HWND tree = FileSystemTree();
  std::wstring volumeText;
  HTREEITEM volume =
      FindTreeItem(tree, [prefix](const std::wstring& t) { return StartsWith(t, prefix); }, &volumeText);
  if (volume == nullptr) Fail(name + ": the file-system page lists no volume");
  ClickTreeItem(tree, volume, Narrow(volumeText));
  ::Sleep(300);
  const std::wstring texts = PageTexts();
  if (texts.find(L" MB") == std::wstring::npos) Fail(name + ": the form shows no size: " + Narrow(texts));
  Screenshot("10_file_system_page_" + name);
  ClickControl(kNext, "Next on the file-system page");
  WaitFor(ResultsShown, 300000, name + ": the results page after the volume's scan");
  Note("PASS " + name + ": " + Narrow(volumeText) + " scanned");
}

// Next on page 2 with the mode's choice made: the scan runs and ends on the
// results page (Advance through the file-system page).
void RunScan(int mode) {
  const std::string name = Narrow(kModeNames[mode]);
  ClickControl(kNext, "Next on page 2");
  if (mode == 2) {
    HWND types = WaitDialog(L"File Types");
    Screenshot("07_file_types");
    // 1 MB, chosen with the keyboard from the dropped list.
    HWND sizes = ::GetDlgItem(types, 1105);
    if (sizes == nullptr) Fail("File Types has no size list");
    ClickWindow(sizes);
    ::Sleep(300);
    INPUT keys[4] = {};
    for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_HOME;
    keys[2].ki.wVk = keys[3].ki.wVk = VK_RETURN;
    keys[1].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
    WaitFor([&] { return ::SendMessageW(sizes, CB_GETCURSEL, 0, 0) == 0; }, 10000, "1 MB chosen");
    if (TextOf(sizes) != L"1 MB") Fail("the first size is not 1 MB: " + Narrow(TextOf(sizes)));
    AnswerDialog(types, IDOK, "OK of File Types");
  }
  ShotWhileScanning("08_page2_scanning_" + name);
  if (mode == 1) {
    ScanFoundVolume(name, L"FAT32 @");
  } else if (mode == 0) {
    // The Standard Scan's hint over the results.
    HWND hint = WaitDialog(L"Mulvara");
    if (!ResultsShown()) Fail(name + ": the hint came before the results page");
    Screenshot("09_results_hint_" + name);
    AnswerDialog(hint, IDOK, "OK of the hint");
  }
  WaitFor(ResultsShown, 300000, name + ": the results page");
  Screenshot("11_results_" + name);
  Note("PASS " + name + ": the scan ended on the results page");
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
    WaitFor([] { return VisibleControl(kNext) != nullptr && DriveTree() == nullptr; }, 20000,
            "page 2 for the logical drive");
    if (PartitionTree() != nullptr) Fail("the partition tree is shown for a logical drive");
    Screenshot("03_page2_logical_drive");
    ClickControl(kBack, "Back on page 2");
    WaitFor([] { return DriveTree() != nullptr; }, 20000, "the drive page after Back");
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
  WaitFor([] { return PartitionTree() != nullptr; }, 60000, "page 2 after the partition search");
  HWND tree = PartitionTree();
  std::wstring itemText;
  HTREEITEM item = mode == 1 ? FindTreeItem(tree, [](const std::wstring& t) { return StartsWith(t, L"Hard Disk"); }, &itemText)
                             : FindTreeItem(tree, [](const std::wstring& t) { return t == L"Partition 1"; }, &itemText);
  if (item == nullptr) Fail(name + ": page 2 lists no " + (mode == 1 ? "disk" : "\"Partition 1\""));
  ClickTreeItem(tree, item, Narrow(itemText));
  ::Sleep(300);
  const std::wstring texts = PageTexts();
  // The partition starts at sector 2048 of the image.
  if (texts.find(L"2048") == std::wstring::npos && mode != 1)
    Fail(name + ": the pane does not show the partition's first sector: " + Narrow(texts));
  Screenshot(std::string("06_page2_") + name);
  Note("PASS " + name + ": page 2 reached, " + Narrow(itemText) + " selected");
  RunScan(mode);
  ReportLaterSteps(mode);
  // The results page has no way back yet: the next mode starts afresh.
  RestartProgram();
}

bool SearchRunning() { return VisibleControl(kStop) != nullptr && DriveTree() != nullptr; }

HWND WaitQuestion() { return WaitDialog(L"Mulvara"); }

// Stop on the large disk without a partition table.
void StopCases() {
  ChooseMode(0);
  std::wstring diskText;
  auto startSearch = [&] {
    WaitFor([] { return DriveTree() != nullptr && ::IsWindowEnabled(DriveTree()); }, 20000, "the idle drive page");
    ClickTreeItem(DriveTree(), DiskItem(1, &diskText), "the large disk");
    ClickControl(kNext, "Next");
    WaitFor(SearchRunning, 20000, "the partition search");
  };

  // No leaves the search running.
  startSearch();
  Screenshot("07_search_running");
  HWND bar = VisibleControl(61457);
  ClickControl(kStop, "Stop");
  HWND question = WaitQuestion();
  Screenshot("08_stop_question");
  const LRESULT before = ::SendMessageW(bar, PBM_GETPOS, 0, 0);
  AnswerDialog(question, IDNO, "No");
  WaitFor([&] { return ::SendMessageW(bar, PBM_GETPOS, 0, 0) > before; }, 30000, "the search going on after No");
  if (!SearchRunning()) Fail("No ended the search");
  Note("PASS Stop, No: the search goes on");

  // Yes reaches page 2 with the disk listed.
  ClickControl(kStop, "Stop");
  AnswerDialog(WaitQuestion(), IDYES, "Yes");
  WaitFor([] { return PartitionTree() != nullptr; }, 30000, "page 2 after Yes");
  if (FindTreeItem(PartitionTree(), [](const std::wstring& t) { return StartsWith(t, L"Hard Disk"); }) == nullptr)
    Fail("page 2 lists no disk after Stop");
  Note("PASS Stop, Yes: page 2 after the worker ended");

  // Stop at random moments, answers at random, and two quick presses.
  std::srand(25);
  for (int round = 0; round < 8; ++round) {
    ClickControl(kBack, "Back on page 2");
    startSearch();
    ::Sleep(std::rand() % 700);
    if (!SearchRunning()) Fail("the search ended before Stop in round " + std::to_string(round));
    HWND stop = VisibleControl(kStop);
    ClickWindow(stop);
    if (round % 3 == 1) ClickWindow(stop);  // a second press at once
    HWND asked = WaitQuestion();
    if (round % 2 == 0) {
      AnswerDialog(asked, IDNO, "No");
      ::Sleep(std::rand() % 300);
      ClickControl(kStop, "Stop again");
      asked = WaitQuestion();
    }
    AnswerDialog(asked, IDYES, "Yes");
    WaitFor([] { return PartitionTree() != nullptr; }, 30000, "page 2 after Yes in round " + std::to_string(round));
    if (ProgramDialog(L"Mulvara") != nullptr) Fail("a second question after two presses");
  }
  Note("PASS Stop at random moments: 8 rounds, none hung");
}

// An Advance Scan of the large disk stopped with Yes in its sweep: the
// volume reconstruction runs on what was found and the file-system page
// shows it (nothing: the disk is empty, and the page says so).
void StopAdvanceScan() {
  ClickControl(kStartOver, "start-over on page 2");
  WaitFor([] { return VisibleControl(kStandardButton) != nullptr; }, 20000, "the start page");
  ChooseMode(1);
  std::wstring diskText;
  ClickTreeItem(DriveTree(), DiskItem(1, &diskText), "the large disk");
  ClickControl(kNext, "Next");
  WaitFor(SearchRunning, 20000, "the partition search");
  ClickControl(kStop, "Stop of the search");
  AnswerDialog(WaitQuestion(), IDYES, "Yes");
  WaitFor([] { return PartitionTree() != nullptr; }, 30000, "page 2 after the search");
  HWND tree = PartitionTree();
  std::wstring itemText;
  HTREEITEM disk = FindTreeItem(tree, [](const std::wstring& t) { return StartsWith(t, L"Hard Disk"); }, &itemText);
  if (disk == nullptr) Fail("page 2 lists no disk");
  ClickTreeItem(tree, disk, Narrow(itemText));
  ClickControl(kNext, "Next on page 2");
  WaitFor(ScanRunning, 20000, "the Advance sweep");
  HWND bar = VisibleControl(61457);
  WaitFor([&] { return ::SendMessageW(bar, PBM_GETPOS, 0, 0) > 0 || PageTexts().find(L"Reading Sector") != std::wstring::npos; },
          60000, "the sweep's progress");
  Screenshot("12_page2_scanning_Advance_large");
  // No first: the sweep goes on.
  ClickControl(kStop, "Stop of the sweep");
  HWND question = WaitQuestion();
  Screenshot("13_stop_scan_question");
  AnswerDialog(question, IDNO, "No");
  const std::wstring before = PageTexts();
  WaitFor([&] { return PageTexts() != before; }, 30000, "the sweep going on after No");
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) {
    std::printf("usage: road_test <Mulvara.exe> <out folder> <partitioned image> <large image>\n");
    return 2;
  }
  outFolder = argv[2];
  // The large disk: sparse, no partition table, enough cylinders that the
  // search lasts while Stop is pressed.
  HANDLE large = ::CreateFileW(argv[4], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (large == INVALID_HANDLE_VALUE) Fail("cannot make the large disk image");
  LARGE_INTEGER size;
  size.QuadPart = 400LL << 30;
  ::SetFilePointerEx(large, size, nullptr, FILE_BEGIN);
  ::SetEndOfFile(large);
  ::CloseHandle(large);
  ::CreateDirectoryW(outFolder.c_str(), nullptr);
  std::wstring devices = std::wstring(argv[3]) + L";" + argv[4];
  for (int more = 5; more < argc; ++more) devices += std::wstring(L";") + argv[more];
  ::SetEnvironmentVariableW(L"MULVARA_IMAGE_DEVICES", devices.c_str());
  programPath = argv[1];
  StartProgram();
  Screenshot("01_start_page");

  for (int mode = 0; mode < 3; ++mode) DriveMode(mode);
  StopCases();
  StopAdvanceScan();

  EndProgram();
  Note(failures == 0 ? "road test passed up to the results page" : "road test failed");
  return failures == 0 ? 0 : 1;
}
