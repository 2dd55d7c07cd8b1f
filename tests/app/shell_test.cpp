// The shell's classes in-process: the view switch, the command gates, the
// device check, the snapshot file type, the document's picture names and
// folders, and the start page's drawing and layout.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app_message.h"
#include "box_probe.h"
#include "device/physical_drives.h"
#include "engine_ui.h"
#include "file_type_access.h"
#include "main_frame.h"
#include "picture.h"
#include "program_folder.h"
#include "program_ui.h"
#include "scan_control.h"
#include "shell_app.h"
#include "shell_document.h"
#include "shell_resources.h"
#include "start_view.h"
#include "test_app.h"
#include "wizard_views.h"

namespace {

// A frame with the results page and a second page, as start-up leaves them.
class WizardFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Wizard", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
    CCreateContext context;
    for (int page = 0; page < 5; ++page) {
      views[page] = page == kResultsPage ? static_cast<CView*>(new CThirdView_HDD) : new CSecondView_HDD;
      const UINT id = page == 0 ? AFX_IDW_PANE_FIRST : AFX_IDW_PANE_FIRST + page;
      ASSERT_TRUE(views[page]->Create(nullptr, nullptr, WS_CHILD | WS_BORDER | (page == 0 ? WS_VISIBLE : 0),
                                      CRect(0, 0, 0, 0), frame, id, &context));
    }
    frame->SetActiveView(views[0], FALSE);
    std::memcpy(saved, WizardViews, sizeof saved);
    std::memcpy(WizardViews, views, sizeof views);
  }
  void TearDown() override {
    std::memcpy(WizardViews, saved, sizeof saved);
    frame->DestroyWindow();
  }
  static UINT IdOf(CView* view) { return static_cast<UINT>(::GetDlgCtrlID(view->GetSafeHwnd())); }

  CFrameWnd* frame = nullptr;
  CView* views[5] = {};
  CView* saved[5] = {};
};

TEST_F(WizardFixture, SwitchViewHandsTheVisibleIdOn) {
  EXPECT_EQ(views[0], SwitchWizardView(frame, views, kResultsPage));
  EXPECT_EQ(views[kResultsPage], frame->GetActiveView());
  EXPECT_EQ(AFX_IDW_PANE_FIRST, IdOf(views[kResultsPage]));
  EXPECT_EQ(static_cast<UINT>(AFX_IDW_PANE_FIRST + kResultsPage), IdOf(views[0]));
  EXPECT_TRUE(views[kResultsPage]->GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(views[0]->GetStyle() & WS_VISIBLE);

  // Back to the start page: it takes 59648 again, the results page the id it had.
  EXPECT_EQ(views[kResultsPage], SwitchWizardView(frame, views, kStartPage));
  EXPECT_EQ(AFX_IDW_PANE_FIRST, IdOf(views[0]));
  EXPECT_EQ(static_cast<UINT>(AFX_IDW_PANE_FIRST + kResultsPage), IdOf(views[kResultsPage]));
}

TEST_F(WizardFixture, SwitchToTheVisibleViewChangesNothing) {
  EXPECT_EQ(views[0], SwitchWizardView(frame, views, kStartPage));
  EXPECT_EQ(AFX_IDW_PANE_FIRST, IdOf(views[0]));
  EXPECT_EQ(views[0], frame->GetActiveView());
  frame->SetActiveView(nullptr, FALSE);
  EXPECT_EQ(nullptr, SwitchWizardView(frame, views, kResultsPage));
  EXPECT_EQ(static_cast<UINT>(AFX_IDW_PANE_FIRST + kResultsPage), IdOf(views[kResultsPage]));
}

TEST_F(WizardFixture, ResultColumnsByMode) {
  CThirdView_HDD* results = ResultsView();
  ASSERT_NE(nullptr, results);
  auto columns = [results] { return static_cast<int>(results->FoundFiles.GetHeaderCtrl()->SendMessage(HDM_GETITEMCOUNT)); };
  EXPECT_EQ(0, columns());
  results->InsertModeColumns(true);
  EXPECT_EQ(3, columns());
  results->DeleteAllColumns();
  results->InsertModeColumns(false);
  EXPECT_EQ(6, columns());
  results->DeleteAllColumns();
  EXPECT_EQ(0, columns());
}

// The gate table: for each mode and step, the menu's state (-1: left as it
// is) and whether the bar button passes its click on.
struct GateCase {
  const char* name;
  CommandGate gate;
  UINT id;
  int menu;
  bool bar;
};

const GateCase kGateCases[] = {
    // Recover Selected: menu needs the results; the bar runs on every page in Raw Scan.
    {"recover advance step four", {kAdvanceScan, 0, 1, 1}, ID_RECOVER_SELECTED, 1, false},
    {"recover advance step three only", {kAdvanceScan, 1, 0, 1}, ID_RECOVER_SELECTED, 0, false},
    {"recover standard step three", {kStandardScan, 1, 0, 1}, ID_RECOVER_SELECTED, 1, false},
    {"recover raw before results", {kRawScan, 0, 0, 1}, ID_RECOVER_SELECTED, 0, false},
    {"bar recover raw on any page", {kRawScan, 0, 0, 1}, ID_BAR_RECOVER, -1, true},
    {"bar recover standard without results", {kStandardScan, 0, 0, 1}, ID_BAR_RECOVER, -1, false},
    {"bar recover advance step four", {kAdvanceScan, 0, 1, 1}, ID_BAR_RECOVER, -1, true},
    // Save and the views follow the results.
    {"save raw step three", {kRawScan, 1, 0, 1}, ID_SAVE_SNAPSHOT, 1, false},
    {"bar save raw step three", {kRawScan, 1, 0, 1}, ID_BAR_SAVE, -1, true},
    {"bar save advance step three", {kAdvanceScan, 1, 0, 1}, ID_BAR_SAVE, -1, false},
    {"icons at start", {kAdvanceScan, 0, 0, 0}, ID_VIEW_ICONS, 0, false},
    {"details standard results", {kStandardScan, 1, 0, 1}, ID_VIEW_DETAILS_MODE, 1, false},
    {"filters raw results", {kRawScan, 1, 0, 1}, ID_FILE_FILTERS, 1, false},
    // Load: before and after a mode was chosen.
    {"load before a mode", {kAdvanceScan, 0, 0, 0}, ID_LOAD_SNAPSHOT, 0, false},
    {"load after a mode", {kRawScan, 0, 0, 1}, ID_LOAD_SNAPSHOT, 1, false},
    {"bar load before a mode", {kAdvanceScan, 0, 0, 0}, ID_BAR_LOAD, -1, false},
    {"bar load after a mode", {kStandardScan, 0, 0, 1}, ID_BAR_LOAD, -1, true},
    // Find: never in Raw Scan.
    {"find raw results", {kRawScan, 1, 0, 1}, ID_FIND_FILES, 0, false},
    {"bar find raw results", {kRawScan, 1, 0, 1}, ID_BAR_FIND, -1, false},
    {"find standard results", {kStandardScan, 1, 0, 1}, ID_FIND_FILES, 1, false},
    {"bar find advance step four", {kAdvanceScan, 0, 1, 1}, ID_BAR_FIND, -1, true},
    // Settings: disabled in Raw Scan, else left alone.
    {"settings raw", {kRawScan, 1, 0, 1}, ID_SETTINGS, 0, false},
    {"settings advance", {kAdvanceScan, 0, 0, 0}, ID_SETTINGS, -1, false},
    {"bar setting raw", {kRawScan, 0, 0, 1}, ID_BAR_SETTING, -1, false},
    {"bar setting standard", {kStandardScan, 0, 0, 1}, ID_BAR_SETTING, -1, true},
    // Drive Information: left alone in Raw Scan.
    {"drive info raw", {kRawScan, 0, 0, 1}, ID_DRIVE_INFORMATION, -1, false},
    {"drive info standard before results", {kStandardScan, 0, 0, 1}, ID_DRIVE_INFORMATION, 0, false},
    {"drive info advance results", {kAdvanceScan, 0, 1, 1}, ID_DRIVE_INFORMATION, 1, false},
    {"bar help always", {kRawScan, 0, 0, 0}, ID_BAR_HELP, -1, true},
    {"unknown id", {kStandardScan, 1, 1, 1}, 40000, -1, false},
};

TEST(CommandGates, MenuAndBarFollowModeAndStep) {
  for (const GateCase& c : kGateCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.menu, MenuCommandEnabled(c.id, c.gate));
    EXPECT_EQ(c.bar, BarCommandPasses(c.id, c.gate));
  }
}

// A frame with command bars and the results page, for the commands that
// act on the list.
TEST_F(WizardFixture, IconsEndsInSmallIconView) {
  auto* main = new CMainFrame;
  ASSERT_TRUE(main->Create(nullptr, L"Mulvara", WS_OVERLAPPEDWINDOW, CRect(0, 0, 850, 625)));
  CListCtrl& list = ResultsView()->FoundFiles;
  list.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
  // Disabled commands are not run: the results of a Standard Scan are current.
  ScanMode = kStandardScan;
  main->StepThreeActive = 1;
  struct {
    UINT id;
    DWORD view;
  } cases[] = {{ID_VIEW_LIST_MODE, LVS_LIST}, {ID_VIEW_ICONS, LVS_SMALLICON}, {ID_VIEW_DETAILS_MODE, LVS_REPORT}};
  for (const auto& c : cases) {
    main->SendMessage(WM_COMMAND, c.id);
    EXPECT_EQ(c.view, list.GetStyle() & LVS_TYPEMASK) << c.id;
    EXPECT_TRUE(list.GetStyle() & LVS_AUTOARRANGE);
  }
  // Without results the commands stay disabled and do nothing.
  main->StepThreeActive = 0;
  main->SendMessage(WM_COMMAND, ID_VIEW_LIST_MODE);
  EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), list.GetStyle() & LVS_TYPEMASK);
  // An id outside the router's table does nothing.
  main->RouteMainCommand(40000);
  main->DestroyWindow();
  ScanMode = kAdvanceScan;
}

TEST(HelpCommand, MissingHelpFileIsReported) {
  WCHAR temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::u16string saved = ProgramFolder;
  // A folder without "Mulvara.chm".
  ProgramFolder = reinterpret_cast<const char16_t*>(temp);
  ::DeleteFileW((CString(temp) + L"Mulvara.chm").GetString());
  SetEngineUi(&TheProgramUi());
  CMainFrame frame;
  int boxes = 0;
  BoxProbe::Run(
      [&] {
        frame.ShowHelpFile();
        return 0;
      },
      [&](HWND box, int) {
        ++boxes;
        Click(box, IDOK);
      });
  SetEngineUi(nullptr);
  ProgramFolder = saved;
  EXPECT_GE(boxes, 1);
  EXPECT_EQ(u"Mulvara.chm not found", GetAppMessage().text);
  EXPECT_EQ(2, GetAppMessage().kind);
}

struct DriveCase {
  const char* name;
  const char* models[2];
  int removable[2];
  int slots;
  bool connected;
};

const DriveCase kDriveCases[] = {
    {"usb and removable", {"USB Device", ""}, {1, 0}, 1, true},
    {"usb not removable", {"USB Device", ""}, {0, 0}, 1, false},
    {"removable card reader", {"Generic Card Reader", ""}, {1, 0}, 1, false},
    {"lower case model", {"usb device", ""}, {1, 0}, 1, true},
    {"two matches", {"USB Device", "USB DEVICE"}, {1, 1}, 2, true},
    {"behind an empty reader", {"Media missing or not inserted", "USB Device"}, {1, 1}, 2, true},
    {"slot beyond the count", {"Generic", "USB Device"}, {0, 1}, 1, false},
};

TEST(DeviceCheck, RemovableUsbDeviceAmongTheSlots) {
  for (const DriveCase& c : kDriveCases) {
    SCOPED_TRACE(c.name);
    std::memset(PhysicalDriveTable, 0, sizeof PhysicalDriveTable);
    for (int i = 0; i < 2; ++i) {
      std::strcpy(PhysicalDriveTable[i].model, c.models[i]);
      PhysicalDriveTable[i].removable = c.removable[i];
    }
    PhysicalSlotCount = c.slots;
    EXPECT_EQ(c.connected, UsbDeviceConnected());
  }
}

TEST(DeviceCheck, WithoutDeviceTheDialogShowsAndTheResultIsZero) {
  std::memset(PhysicalDriveTable, 0, sizeof PhysicalDriveTable);
  PhysicalSlotCount = 0;
  bool seen = false;
  int result = -1;
  {
    Watcher watcher([&seen] {
      HWND dialog = WaitForDialog(L"Device Not Found");
      seen = dialog != nullptr;
      if (dialog != nullptr) ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    result = CheckDeviceConnected();
  }
  EXPECT_TRUE(seen);
  EXPECT_EQ(0, result);
  std::strcpy(PhysicalDriveTable[0].model, "USB Device");
  PhysicalDriveTable[0].removable = 1;
  PhysicalSlotCount = 1;
  EXPECT_EQ(1, CheckDeviceConnected());
  PhysicalSlotCount = 0;
}

CString ReadDefault(LPCWSTR key) {
  WCHAR value[512] = {};
  LONG size = sizeof value;
  if (RegQueryValueW(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) return L"<missing>";
  return value;
}

TEST(FileTypeAccess, WriteRefusesMissingArguments) {
  const CString key = KeyOfThisTest(L"Mulvara.Test");
  struct {
    HKEY root;
    LPCWSTR subkey;
    LPCWSTR value;
    LPCWSTR text;
  } bad[] = {{nullptr, key, L"", L"x"}, {HKEY_CLASSES_ROOT, nullptr, L"", L"x"}, {HKEY_CLASSES_ROOT, L"", L"", L"x"},
             {HKEY_CLASSES_ROOT, key, nullptr, L"x"}, {HKEY_CLASSES_ROOT, key, L"", nullptr}};
  for (const auto& b : bad) {
    ::SetLastError(0);
    EXPECT_FALSE(CGCFileTypeAccess::WriteRegistryString(b.root, b.subkey, b.value, b.text));
    EXPECT_EQ(static_cast<DWORD>(E_INVALIDARG), ::GetLastError());
  }
  // An empty value name is the key's default value.
  EXPECT_TRUE(CGCFileTypeAccess::WriteRegistryString(HKEY_CLASSES_ROOT, key, L"", L"default text"));
  EXPECT_EQ(CString(L"default text"), ReadDefault(key));
  RegDeleteKeyW(HKEY_CLASSES_ROOT, key);
}

TEST(FileTypeAccess, RegistersTypeWithoutExtensionAndTwiceAlike) {
  const CString progId = KeyOfThisTest(L"Mulvara.TestDocument");
  const CString extension = KeyOfThisTest(L"wrxtest");
  CGCFileTypeAccess access;
  access.SetProgId(progId);
  access.SetDefaultIcon(L"C:\\Program Files\\Mulvara\\Mulvara.exe,1");
  access.SetProgIdOpenCommand(SnapshotOpenCommand(L"C:\\Program Files\\Mulvara\\Mulvara.exe"));
  EXPECT_TRUE(access.RegisterAll());
  EXPECT_EQ(CString(L"<missing>"), ReadDefault(L"." + extension));
  EXPECT_EQ(CString(L""), ReadDefault(progId));
  access.SetExtension(extension);
  access.SetExtensionOpenCommand(SnapshotOpenCommand(L"C:\\Program Files\\Mulvara\\Mulvara.exe"));
  for (int round = 0; round < 2; ++round) {
    EXPECT_TRUE(access.RegisterAll());
    EXPECT_EQ(progId, ReadDefault(L"." + extension));
    EXPECT_EQ(CString(L"C:\\Program Files\\Mulvara\\Mulvara.exe,1"), ReadDefault(progId + L"\\DefaultIcon"));
    // Quoted: the blank in "Program Files" cannot cut the path short.
    const CString command = L"\"C:\\Program Files\\Mulvara\\Mulvara.exe\" \"%0\"";
    EXPECT_EQ(command, ReadDefault(progId + L"\\shell\\open\\command"));
    EXPECT_EQ(command, ReadDefault(L"." + extension + L"\\shell\\open\\command"));
  }
  for (LPCWSTR tail : {L"\\shell\\open\\command", L"\\shell\\open", L"\\shell", L"\\DefaultIcon", L""}) {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, progId + tail);
    if (std::wcscmp(tail, L"\\DefaultIcon") != 0) RegDeleteKeyW(HKEY_CLASSES_ROOT, L"." + extension + tail);
  }
}

// The endings are tried in the table's order, so "bmp" answers for ".wbmp".
TEST(Document, ImageTypeByEnding) {
  struct {
    LPCWSTR name;
    int code;
  } cases[] = {{L"PHOTO.JPEG", 3}, {L"a.jpg", 3},   {L"x.jpe", 0},   {L"b.WBMP", 1}, {L"c.bmp", 1},
               {L"scan.TIFF", 6},  {L"d.ppm", 14},  {L"e.ras", 15},  {L"notes.txt", 0}, {L"bmp", 1},
               {L"f.jp2", 11},     {L"g.jpc", 12},  {L"h.emf", 10},  {L"", 0}};
  for (const auto& c : cases) EXPECT_EQ(c.code, GetImageTypeFromName(c.name)) << static_cast<LPCWSTR>(c.name);
}

TEST(Document, LogicalOrder) {
  struct {
    LPCWSTR a;
    LPCWSTR b;
    int sign;
  } cases[] = {{L"slide2.png", L"slide10.png", -1}, {L"Slide10", L"slide9", 1}, {L"abc", L"ABC", 0},
               {L"a", L"ab", -1},                   {L"img007", L"img7", 0},    {L"b1", L"a2", 1}};
  for (const auto& c : cases) {
    const int r = CompareLogical(c.a, c.b);
    EXPECT_EQ(c.sign, r > 0 ? 1 : (r < 0 ? -1 : 0)) << static_cast<LPCWSTR>(c.a) << " " << static_cast<LPCWSTR>(c.b);
  }
}

// A first-element pivot recursed once per name on input already in order;
// the sort must take such a folder in stride.
TEST(Document, SortsTwentyThousandSortedNamesInLogicalOrder) {
  CStringArray names;
  for (int i = 0; i < 20000; ++i) {
    CString name;
    name.Format(L"slide%d.png", i);
    names.Add(name);
  }
  SortImageNames(names);
  ASSERT_EQ(20000, names.GetSize());
  for (int i = 0; i < 20000; ++i) {
    CString expected;
    expected.Format(L"slide%d.png", i);
    ASSERT_EQ(expected, names[i]) << i;
  }
}

CString MakeTempFolder(LPCWSTR name) {
  WCHAR temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  CString folder = CString(temp) + KeyOfThisTest(name);
  ::CreateDirectoryW(folder, nullptr);
  return folder;
}

void Touch(const CString& path) {
  HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ::CloseHandle(file);
}

TEST(Document, ImageFolderKeepsPicturesInOrderAndDeleteKeepsSubfolders) {
  const CString folder = MakeTempFolder(L"mulvara_images");
  for (LPCWSTR name : {L"Slide10.PNG", L"slide2.png", L"readme.txt", L"Photo.JPEG", L"a.jpe"}) Touch(folder + L"\\" + name);
  ::CreateDirectoryW(folder + L"\\sub.png", nullptr);
  Touch(folder + L"\\sub.png\\inner.png");

  CEx_StyleDoc document;
  document.LoadImageFolder(folder);
  ASSERT_EQ(3, document.ImageNames.GetSize());
  EXPECT_EQ(CString(L"photo.jpeg"), document.ImageNames[0]);
  EXPECT_EQ(CString(L"slide2.png"), document.ImageNames[1]);
  EXPECT_EQ(CString(L"slide10.png"), document.ImageNames[2]);
  EXPECT_EQ(-1, document.CurrentImage);
  // Not a real picture: it stays loaded as an invalid one.
  document.SelectImage(1);
  ASSERT_NE(nullptr, document.CurrentPicture);
  EXPECT_FALSE(document.CurrentPicture->IsValid());
  document.SelectImage(7);
  EXPECT_EQ(nullptr, document.CurrentPicture);

  document.DeleteFolderFiles(folder);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder + L"\\slide2.png"));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder + L"\\readme.txt"));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder + L"\\sub.png\\inner.png"));
  // An empty folder names no drive root: nothing is deleted.
  document.DeleteFolderFiles(L"");
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(folder + L"\\sub.png\\inner.png"));
  ::DeleteFileW(folder + L"\\sub.png\\inner.png");
  ::RemoveDirectoryW(folder + L"\\sub.png");
  ::RemoveDirectoryW(folder);
}

TEST(Document, DatabaseFailsCleanlyWithoutEngine) {
  AfxDaoInit();
  CDaoDatabase database;
  SCODE scode = S_OK;
  try {
    database.Open(L"C:\\nowhere\\missing.mdb");
  } catch (CDaoException* e) {
    scode = e->m_scode;
    e->Delete();
  }
  EXPECT_TRUE(FAILED(scode));
  EXPECT_FALSE(database.IsOpen());

  CDaoException e;
  e.m_scode = static_cast<SCODE>(0x80040154);
  EXPECT_EQ(CString(L"ERROR:CDaoException\n\nSCODE_CODE      =340\nSCODE_FACILITY  =4\nSCODE_SEVERITY  =1\n"
                    L"ResultFromScode =-2147221164\n"),
            DaoExceptionText(&e));
}

// A memory bitmap filled with one colour, drawn into by the smooth drawers.
class Canvas {
 public:
  Canvas(int w, int h, COLORREF fill) {
    dc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, w, h};
    HBRUSH brush = ::CreateSolidBrush(fill);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
  }
  ~Canvas() {
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

TEST(SmoothDrawing, PointsAndLevelLines) {
  const COLORREF white = RGB(255, 255, 255), colour = RGB(172, 168, 153);
  {
    Canvas canvas(10, 10, white);
    DrawSmoothLine(canvas.dc, 4, 4, 4, 4, colour);
    int set = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) set += ::GetPixel(canvas.dc, x, y) != white;
    EXPECT_EQ(1, set);
    EXPECT_EQ(colour, ::GetPixel(canvas.dc, 4, 4));
  }
  {
    Canvas canvas(20, 10, white);
    DrawSmoothLine(canvas.dc, 2, 5, 17, 5, colour);
    for (int x = 2; x <= 17; ++x) {
      EXPECT_EQ(colour, ::GetPixel(canvas.dc, x, 5)) << x;
      EXPECT_EQ(white, ::GetPixel(canvas.dc, x, 6)) << x;
    }
    EXPECT_EQ(white, ::GetPixel(canvas.dc, 1, 5));
    EXPECT_EQ(white, ::GetPixel(canvas.dc, 18, 5));
  }
  {
    // The round frame's corners stay inside its rectangle and touch its edges.
    Canvas canvas(120, 120, white);
    DrawRoundFrame(canvas.dc, 10, 10, 110, 110, 40, 40, colour);
    EXPECT_NE(white, ::GetPixel(canvas.dc, 60, 10));
    EXPECT_NE(white, ::GetPixel(canvas.dc, 10, 60));
    EXPECT_EQ(white, ::GetPixel(canvas.dc, 11, 11));
    int outside = 0;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 120; ++x)
        if (x < 10 || y < 10 || x > 111 || y > 111) outside += ::GetPixel(canvas.dc, x, y) != white;
    EXPECT_EQ(0, outside);
  }
}

TEST(StartPage, ModeButtonsAtWidth800) {
  const ModeButtonLayout layout = LayoutModeButtons(800, 500);
  EXPECT_EQ(56, layout.standardLeft);
  EXPECT_EQ(289, layout.advanceLeft);
  EXPECT_EQ(521, layout.rawLeft);
  EXPECT_EQ(((500 / 2) + 174) / 2 + 43, layout.top);
}

}  // namespace

TEST(StartPage, LinesTakeASmallerArialOnlyWhenTheyDoNotFit) {
  // Arial's stand-in may draw wider than the pictures' rooms were sized for.
  CFont arial;
  arial.CreateFont(16, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  HDC dc = ::CreateCompatibleDC(nullptr);
  const WCHAR text[] = L"Please select recovery mode to perform iPod recovery.";
  HGDIOBJ old = ::SelectObject(dc, arial.GetSafeHandle());
  SIZE natural = {};
  ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &natural);
  ::SelectObject(dc, old);
  struct Case {
    int width;
    bool smaller;    // a smaller font comes back
    int maxHeight;   // its height at most
    bool fits;       // the text fits the width in it
  } cases[] = {
      {natural.cx + 10, false, 16, true},
      {natural.cx, false, 16, true},
      {natural.cx * 15 / 16, true, 15, true},
      {natural.cx / 4, true, 11, false},  // never below two thirds
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    HFONT font = FitFontToWidth(dc, arial, text, c.width);
    EXPECT_EQ(font != nullptr, c.smaller);
    LOGFONTW shape = {};
    ::GetObjectW(font != nullptr ? font : arial.GetSafeHandle(), sizeof shape, &shape);
    EXPECT_LE(abs(static_cast<int>(shape.lfHeight)), c.maxHeight);
    EXPECT_GE(abs(static_cast<int>(shape.lfHeight)), 10);
    old = ::SelectObject(dc, font != nullptr ? font : arial.GetSafeHandle());
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    ::SelectObject(dc, old);
    EXPECT_EQ(size.cx <= c.width, c.fits);
    if (font != nullptr) ::DeleteObject(font);
  }
  ::DeleteDC(dc);
}
