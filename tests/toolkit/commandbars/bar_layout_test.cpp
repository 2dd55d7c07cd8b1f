// The command bars' layout between runs: what the save writes to the
// profile, that a rebuilt frame gets every bar back in its place, the
// scaling of places saved on another screen, and where the controls data
// goes, also when writing it fails.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bar_layout.h"
#include "dock_bar.h"
#include "layout_fixture.h"
#include "menu_bar.h"
#include "new_toolbar_dialog.h"
#include "test_app.h"

namespace {

const int kAbsent = 0x5EED;

class BarLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetRegistryKey(KeyOfThisTest(L"Mulvara Layout Tests"));
    profile = CString(L"Layout-") + CString(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // Each test starts from an empty profile of its own.
    HKEY key = app.GetAppRegistryKey();
    ASSERT_NE(nullptr, key);
    ::RegCloseKey(key);
  }
  void TearDown() override {
    for (LayoutFrame* frame : frames)
      if (frame->GetSafeHwnd() != nullptr) frame->DestroyWindow();
    for (const CString& path : files) {
      ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(path);
    }
  }
  LayoutFrame* Frame(bool customizing) {
    LayoutFrame* frame = LayoutFrame::Make(customizing);
    if (frame != nullptr) frames.push_back(frame);
    return frame;
  }
  int Int(LPCWSTR section, LPCWSTR key) {
    return static_cast<int>(app.GetProfileInt(Section(section), key, kAbsent));
  }
  CString Section(LPCWSTR suffix) { return profile + suffix; }
  std::vector<BYTE> Binary(LPCWSTR key) {
    BYTE* data = nullptr;
    UINT size = 0;
    std::vector<BYTE> bytes;
    if (app.GetProfileBinary(Section(L"-Controls"), key, &data, &size) && data != nullptr)
      bytes.assign(data, data + size);
    delete[] data;
    return bytes;
  }

  // Tests run side by side in one prefix: the controls file's name is the
  // test's own too.
  CString profile;
  TestApp& app = TheTestApp();
  std::vector<LayoutFrame*> frames;
  std::vector<CString> files;
};

CRect ScreenRect(CWnd* window) {
  CRect rect;
  window->GetWindowRect(&rect);
  return rect;
}

std::vector<CTkToolBar*> Entries(CTkDockBar* dockBar) {
  std::vector<CTkToolBar*> entries;
  for (int i = 0; i < dockBar->GetEntryCount(); ++i) entries.push_back(dockBar->GetBarAt(i));
  return entries;
}

// Writes what the screen shows of a rectangle as a BMP, for looking at.
void SaveScreenShot(const CRect& rect, const std::wstring& name) {
  const char* folder = std::getenv("MULVARA_SHOT_DIR");
  if (folder == nullptr) return;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = rect.Width();
  info.bmiHeader.biHeight = rect.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, rect.Width(), rect.Height(), screen, rect.left, rect.top, SRCCOPY);
  ::SelectObject(memory, old);
  const DWORD stride = ((static_cast<DWORD>(rect.Width()) * 3 + 3) & ~3u);
  const DWORD size = stride * static_cast<DWORD>(rect.Height());
  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + size;
  std::wstring path(folder, folder + std::strlen(folder));
  path += L"\\" + name;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, &header, sizeof header, &written, nullptr);
  ::WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
  ::WriteFile(file, bits, size, &written, nullptr);
  ::CloseHandle(file);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
}

int OwnControls(CTkCommandBar* bar) {
  int count = 0;
  for (int i = 0; i < bar->GetControlCount(); ++i)
    if (!bar->GetControl(i)->IsTemporary()) ++count;
  return count;
}

void Settle(LayoutFrame* frame) {
  frame->RecalcLayout();
  frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpPending();
}

TEST_F(BarLayoutTest, RebuiltFrameGetsEveryBarBackInItsPlace) {
  LayoutFrame* saved = Frame(true);
  ASSERT_NE(nullptr, saved);
  CTkCommandBars* bars = saved->Bars();
  ASSERT_TRUE(bars->DockCommandBarAt(saved->Standard(), kBarLeft));
  ASSERT_TRUE(bars->FloatCommandBar(saved->Format()));
  saved->Format()->SetWindowPos(nullptr, 620, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  saved->ShowControlBar(saved->Status(), FALSE, FALSE);
  Settle(saved);
  CRect shot = ScreenRect(saved);
  const CRect floatingBefore = ScreenRect(saved->Format());
  shot.UnionRect(&shot, &floatingBefore);
  shot.InflateRect(8, 8);
  SaveScreenShot(shot, L"layout_before_save.bmp");
  const CRect standardPlace = ScreenRect(saved->Standard());
  const CRect menuPlace = ScreenRect(saved->Bars()->GetMenuBar());

  bars->SaveCommandBarsLayout(profile, TRUE);

  // Only what differs from the defaults is written.
  EXPECT_EQ(3, Int(L"-Summary", L"Bars"));
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), Int(L"-Summary", L"ScreenCX"));
  EXPECT_EQ(1, Int(L"-Bar0", L"BarID"));
  EXPECT_EQ(kAbsent, Int(L"-Bar0", L"Visible"));
  EXPECT_EQ(kAbsent, Int(L"-Bar0", L"Floating"));
  EXPECT_EQ(kAbsent, Int(L"-Bar1", L"MRUWidth"));
  EXPECT_EQ(0, Int(L"-Bar1", L"DialogBar"));
  EXPECT_EQ(kAbsent, Int(L"-Bar1", L"DialogBarDockingClientCx"));
  EXPECT_EQ(static_cast<int>(kFormatBarId), Int(L"-Bar2", L"BarID"));
  EXPECT_EQ(1, Int(L"-Bar2", L"Floating"));
  EXPECT_EQ(620, Int(L"-Bar2", L"XPos"));
  EXPECT_EQ(120, Int(L"-Bar2", L"YPos"));
  EXPECT_EQ(3, Int(L"-DockBar2", L"Bars"));
  EXPECT_EQ(static_cast<int>(kStandardBarId), Int(L"-DockBar2", L"Bar#1"));
  EXPECT_EQ(kAbsent, Int(L"-DockBar1", L"Bars"));
  EXPECT_EQ(0, static_cast<int>(app.GetProfileInt(profile, L"StatusBar", kAbsent)));
  // Nothing was customized, yet the customizing frame keeps its (empty) list.
  EXPECT_EQ(0, Int(L"-Controls", L"LoadFromFile"));
  EXPECT_FALSE(Binary(L"Controls").empty());
  saved->DestroyWindow();

  LayoutFrame* loaded = Frame(true);
  ASSERT_NE(nullptr, loaded);
  loaded->Bars()->LoadCommandBarsLayout(profile, FALSE);
  Settle(loaded);
  EXPECT_EQ(kBarLeft, loaded->Standard()->GetPosition());
  EXPECT_EQ(loaded->Bars()->GetDockBar(kBarLeft), loaded->Standard()->GetDockBar());
  EXPECT_EQ(standardPlace, ScreenRect(loaded->Standard()));
  EXPECT_EQ(menuPlace, ScreenRect(loaded->Bars()->GetMenuBar()));
  EXPECT_EQ(kBarFloating, loaded->Format()->GetPosition());
  EXPECT_EQ(CPoint(620, 120), ScreenRect(loaded->Format()).TopLeft());
  EXPECT_TRUE(loaded->Format()->IsWindowVisible());
  EXPECT_EQ(nullptr, loaded->Format()->GetDockBar());
  EXPECT_EQ(0u, loaded->Status()->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(loaded->Bars()->GetMenuBar(), loaded->Bars()->FindBarById(1));
  shot = ScreenRect(loaded);
  const CRect floatingAfter = ScreenRect(loaded->Format());
  shot.UnionRect(&shot, &floatingAfter);
  shot.InflateRect(8, 8);
  SaveScreenShot(shot, L"layout_after_load.bmp");

  // Shown again, the status bar leaves no value behind.
  loaded->ShowControlBar(loaded->Status(), TRUE, FALSE);
  loaded->Bars()->SaveCommandBarsLayout(profile, TRUE);
  EXPECT_EQ(kAbsent, static_cast<int>(app.GetProfileInt(profile, L"StatusBar", kAbsent)));
}

TEST_F(BarLayoutTest, HiddenBarComesBackHiddenAndMissingSummaryMovesNothing) {
  LayoutFrame* saved = Frame(false);
  ASSERT_NE(nullptr, saved);
  saved->Format()->SetVisible(FALSE);
  saved->Bars()->SaveCommandBarsLayout(profile, TRUE);
  EXPECT_EQ(0, Int(L"-Bar2", L"Visible"));
  // Without customizing nothing goes to the controls section.
  EXPECT_EQ(kAbsent, Int(L"-Controls", L"LoadFromFile"));
  EXPECT_TRUE(Binary(L"Controls").empty());
  saved->DestroyWindow();

  LayoutFrame* loaded = Frame(false);
  ASSERT_NE(nullptr, loaded);
  loaded->Bars()->LoadCommandBarsLayout(profile, FALSE);
  Settle(loaded);
  EXPECT_FALSE(loaded->Format()->IsVisible());
  EXPECT_FALSE(loaded->Format()->IsWindowVisible());
  EXPECT_TRUE(loaded->Standard()->IsWindowVisible());

  // A profile without a summary leaves the bars where the program put them.
  app.WriteProfileString(Section(L"-Summary"), nullptr, nullptr);
  LayoutFrame* plain = Frame(false);
  ASSERT_NE(nullptr, plain);
  Settle(plain);
  const CRect before = ScreenRect(plain->Format());
  plain->Bars()->LoadCommandBarsLayout(profile, FALSE);
  Settle(plain);
  EXPECT_TRUE(plain->Format()->IsVisible());
  EXPECT_EQ(before, ScreenRect(plain->Format()));
}

TEST_F(BarLayoutTest, RowBreakRunsAreWrittenOnceAndReadAheadOfTheEntries) {
  LayoutFrame* saved = Frame(false);
  ASSERT_NE(nullptr, saved);
  CTkCommandBars* bars = saved->Bars();
  ASSERT_TRUE(bars->DockCommandBarAt(saved->Standard(), kBarLeft));
  ASSERT_TRUE(bars->DockCommandBarAt(saved->Format(), kBarLeft));
  CTkDockBar* left = bars->GetDockBar(kBarLeft);
  ASSERT_EQ((std::vector<CTkToolBar*>{nullptr, saved->Standard(), nullptr, saved->Format(), nullptr}), Entries(left));
  left->InsertEntry(3, nullptr);
  app.WriteProfileInt(Section(L"-DockBar3"), L"Stale", 1);
  bars->SaveDockBarsState(profile);
  const int expected[] = {0, static_cast<int>(kStandardBarId), 0, static_cast<int>(kFormatBarId), 0};
  EXPECT_EQ(5, Int(L"-DockBar2", L"Bars"));
  for (int j = 0; j < 5; ++j) {
    CString key;
    key.Format(L"Bar#%d", j);
    EXPECT_EQ(expected[j], Int(L"-DockBar2", key)) << j;
  }
  EXPECT_EQ(kAbsent, Int(L"-DockBar2", L"Bar#5"));
  // A dock bar with only its first row end writes nothing, stale values go.
  EXPECT_EQ(kAbsent, Int(L"-DockBar3", L"Bars"));
  EXPECT_EQ(kAbsent, Int(L"-DockBar3", L"Stale"));
  saved->DestroyWindow();

  LayoutFrame* loaded = Frame(false);
  ASSERT_NE(nullptr, loaded);
  loaded->Bars()->LoadDockBarsState(profile);
  EXPECT_EQ((std::vector<CTkToolBar*>{nullptr, loaded->Standard(), nullptr, loaded->Format(), nullptr}),
            Entries(loaded->Bars()->GetDockBar(kBarLeft)));
  EXPECT_EQ((std::vector<CTkToolBar*>{nullptr, loaded->Bars()->GetMenuBar(), nullptr}),
            Entries(loaded->Bars()->GetDockBar(kBarTop)));
  EXPECT_EQ(kBarLeft, loaded->Format()->GetPosition());
}

TEST(BarLayoutScaling, PlacesFollowTheScreenAndStayReachable) {
  const CSize icon(32, 32);
  struct Case {
    CSize saved;
    CSize current;
    CPoint in;
    CPoint out;
  };
  const Case cases[] = {
      {{1280, 1024}, {1024, 768}, {1000, 900}, {800, 675}},
      {{1280, 1024}, {1024, 768}, {1275, 1020}, {992, 736}},  // scaled, then clamped
      {{1024, 768}, {1024, 768}, {1010, 760}, {992, 736}},    // clamped at an unchanged size
      {{0, 0}, {1024, 768}, {2000, 10}, {992, 10}},           // no saved size: no scaling
      {{1024, 768}, {1024, 768}, {-1, -1}, {-1, -1}},
      {{800, 600}, {1600, 1200}, {399, 301}, {798, 602}},
  };
  for (const Case& c : cases) {
    CTkBarLayoutSnapshot snapshot(c.current, icon);
    snapshot.SetSavedScreenSize(c.saved);
    CPoint point = c.in;
    snapshot.ScalePoint(point);
    EXPECT_EQ(c.out, point) << c.in.x << "," << c.in.y;
  }
  CTkBarLayoutSnapshot snapshot(CSize(1024, 768), icon);
  snapshot.SetSavedScreenSize(CSize(1280, 1024));
  EXPECT_TRUE(snapshot.IsScaling());
  // A rectangle is moved back inside, never resized.
  CRect rect(1250, 100, 1350, 130);
  snapshot.ScaleRect(rect);
  EXPECT_EQ(CRect(992, 75, 1092, 105), rect);
  CRect empty(0, 0, 0, 0);
  snapshot.ScaleRect(empty);
  EXPECT_EQ(CRect(0, 0, 0, 0), empty);
}

TEST_F(BarLayoutTest, ControlsFileSitsInTheApplicationDataOrBesideTheProgram) {
  LayoutFrame* frame = Frame(true);
  ASSERT_NE(nullptr, frame);
  LayoutCommandBars* bars = frame->Bars();
  WCHAR appData[MAX_PATH] = {};
  ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE));
  CString path;
  bars->GetControlsFilePath(path, L"Mulvara\\Bars");
  EXPECT_EQ(CString(appData) + L"\\" + app.m_pszAppName + L"\\Mulvara_Bars", path);
  bars->noAppData = true;
  bars->GetControlsFilePath(path, L"Mulvara\\Bars");
  WCHAR program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  EXPECT_EQ(CString(program) + L"-Mulvara_Bars", path);
}

// Profile up to 16000 bytes, a hidden file above, and back.
TEST_F(BarLayoutTest, ControlsDataMovesBetweenProfileAndHiddenFileAtTheLimit) {
  LayoutFrame* frame = Frame(true);
  ASSERT_NE(nullptr, frame);
  LayoutCommandBars* bars = frame->Bars();
  CString path;
  bars->GetControlsFilePath(path, profile);
  files.push_back(path);
  struct Step {
    UINT length;
    int loadFromFile;
    bool file;
  };
  const Step steps[] = {{16000, 0, false}, {16001, 1, true}, {20000, 1, true}, {100, 0, false}};
  for (const Step& step : steps) {
    std::vector<BYTE> data(step.length, static_cast<BYTE>(step.length & 0xFF));
    ASSERT_TRUE(bars->StoreControlsData(profile, data.data(), step.length)) << step.length;
    EXPECT_EQ(step.loadFromFile, Int(L"-Controls", L"LoadFromFile")) << step.length;
    const DWORD attributes = ::GetFileAttributesW(path);
    EXPECT_EQ(step.file, attributes != INVALID_FILE_ATTRIBUTES) << step.length;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path + L".new")) << step.length;
    if (step.file) {
      EXPECT_NE(0u, attributes & FILE_ATTRIBUTE_HIDDEN);
      EXPECT_EQ(path, app.GetProfileString(Section(L"-Controls"), L"Controls"));
      CFile file;
      ASSERT_TRUE(file.Open(path, CFile::modeRead));
      EXPECT_EQ(step.length, file.GetLength());
    } else {
      EXPECT_EQ(data, Binary(L"Controls")) << step.length;
    }
  }
}

// A failed write keeps the data stored before, in the profile or the file.
TEST_F(BarLayoutTest, FailedControlsFileWriteKeepsThePreviousData) {
  LayoutFrame* frame = Frame(true);
  ASSERT_NE(nullptr, frame);
  LayoutCommandBars* bars = frame->Bars();
  CString path;
  bars->GetControlsFilePath(path, profile);
  files.push_back(path);
  for (UINT previous : {100u, 17000u}) {
    std::vector<BYTE> old(previous, 0x11);
    ASSERT_TRUE(bars->StoreControlsData(profile, old.data(), previous));
    bars->failWrites = true;
    std::vector<BYTE> fresh(30000, 0x22);
    EXPECT_FALSE(bars->StoreControlsData(profile, fresh.data(), 30000));
    bars->failWrites = false;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path + L".new"));
    if (previous > 16000) {
      EXPECT_EQ(1, Int(L"-Controls", L"LoadFromFile"));
      EXPECT_EQ(path, app.GetProfileString(Section(L"-Controls"), L"Controls"));
      CFile file;
      ASSERT_TRUE(file.Open(path, CFile::modeRead));
      ASSERT_EQ(previous, file.GetLength());
      BYTE first = 0;
      file.Read(&first, 1);
      EXPECT_EQ(0x11, first);
    } else {
      EXPECT_EQ(0, Int(L"-Controls", L"LoadFromFile"));
      EXPECT_EQ(old, Binary(L"Controls"));
    }
  }
}

// The user's customization survives a save whose file cannot be written.
TEST_F(BarLayoutTest, CustomizationStillLoadsAfterAFailedSave) {
  LayoutFrame* saved = Frame(true);
  ASSERT_NE(nullptr, saved);
  CString path;
  saved->Bars()->GetControlsFilePath(path, profile);
  files.push_back(path);
  // Enough buttons with long captions to need the file.
  CTkControls* controls = saved->Standard()->GetControls();
  for (int i = 0; i < 150; ++i) {
    CTkControl* control = controls->Add(kControlButton, 3000 + i);
    ASSERT_NE(nullptr, control);
    control->SetCaption(L"A button with a caption long enough to fill the profile quickly");
  }
  const int customizedCount = OwnControls(saved->Standard());
  saved->Bars()->SaveCommandBarsLayout(profile, TRUE);
  ASSERT_EQ(1, Int(L"-Controls", L"LoadFromFile"));
  // The next save changes the bar again and cannot write its file.
  controls->Remove(0);
  saved->Bars()->failWrites = true;
  saved->Bars()->SaveCommandBarsLayout(profile, TRUE);
  EXPECT_EQ(2, saved->Bars()->writes);
  saved->DestroyWindow();

  LayoutFrame* loaded = Frame(true);
  ASSERT_NE(nullptr, loaded);
  loaded->Bars()->LoadCommandBarsLayout(profile, TRUE);
  ASSERT_EQ(customizedCount, OwnControls(loaded->Standard()));
  EXPECT_NE(nullptr, loaded->Standard()->GetControls()->FindControl(3149));
}

TEST_F(BarLayoutTest, AUserBarMadeAndRenamedComesBack) {
  LayoutFrame* saved = Frame(true);
  ASSERT_NE(nullptr, saved);
  // What the customize sheet's New and Rename do.
  CTkNewToolbarDialog create(saved, saved->Bars());
  create.m_strName = CTkNewToolbarDialog::SuggestName(saved->Bars());
  ASSERT_EQ(IDOK, create.Validate());
  CTkCommandBar* user = saved->Bars()->CreateToolBar(create.m_strName, create.m_nBarId, FALSE);
  ASSERT_NE(nullptr, user);
  user->GetControls()->Add(kControlButton, 3149);
  user->OnControlsChanged();
  CTkNewToolbarDialog rename(saved, saved->Bars(), user);
  rename.m_strName = L"Renamed";
  ASSERT_EQ(IDOK, rename.Validate());
  user->SetTitle(rename.m_strName);
  Settle(saved);
  saved->Bars()->SaveCommandBarsLayout(profile, TRUE);
  saved->DestroyWindow();

  LayoutFrame* loaded = Frame(true);
  ASSERT_NE(nullptr, loaded);
  loaded->Bars()->LoadCommandBarsLayout(profile, FALSE);
  Settle(loaded);
  CTkCommandBar* back = loaded->Bars()->FindBarById(CTkNewToolbarDialog::kFirstUserBarId);
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(CString(L"Renamed"), back->GetTitle());
  EXPECT_NE(nullptr, back->GetControls()->FindControl(3149));
}

}  // namespace
