// The archive, dBASE, Photoshop and drawing viewers in the preview pane,
// end to end: the host picks them by extension, they read the file named
// in the document, and a file they cannot show gets the "File Corrupted"
// card. The RAR and drawing libraries are stand-ins beside the tests.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "archive_view.h"
#include "cabinet_listing.h"
#include "dbf_view.h"
#include "dxf_view.h"
#include "format_writers.h"
#include "placeholder_views.h"
#include "preview_frame.h"
#include "preview_host.h"
#include "preview_state.h"
#include "psd_view.h"
#include "scan_control.h"
#include "shell_document.h"
#include "shell_resources.h"
#include "test_app.h"

namespace {

std::wstring ProgramFolder() {
  WCHAR path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  return program.substr(0, program.find_last_of(L"\\/") + 1);
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// The rows of a report list, each cell's text.
std::vector<std::vector<std::wstring>> Rows(CListCtrl& list) {
  std::vector<std::vector<std::wstring>> rows;
  const int columns = list.GetHeaderCtrl()->GetItemCount();
  for (int r = 0; r < list.GetItemCount(); ++r) {
    rows.emplace_back();
    for (int c = 0; c < columns; ++c) rows.back().push_back(static_cast<LPCWSTR>(list.GetItemText(r, c)));
  }
  return rows;
}

std::vector<std::wstring> Headings(CListCtrl& list) {
  std::vector<std::wstring> headings;
  CHeaderCtrl* header = list.GetHeaderCtrl();
  for (int i = 0; i < header->GetItemCount(); ++i) {
    WCHAR text[64] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    header->GetItem(i, &item);
    headings.push_back(text);
  }
  return headings;
}

// The pane alone in a frame over a folder of the process's own.
class Viewers : public PreviewFrameTest {
 protected:
  void SetUp() override {
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    MakeFolder(std::wstring(temp) + L"viewers-test-" + std::to_wstring(GetCurrentProcessId()));
    ScanMode = kStandardScan;
    OpenFrame();
  }
  void TearDown() override {
    CloseFrameAndFolder();
    SetDllDirectoryW(nullptr);
    CoUninitialize();
  }
  // True when the host shows the "File Corrupted" card.
  bool ShowsCorrupted() const {
    return host->Placeholder != nullptr && PreviewSupportedFlag() == 1 &&
           PlaceholderCardFor(NoFileSelectedFlag(), PreviewSupportedFlag(), PreviewLoadedFlag()) ==
               IDB_CARD_CORRUPTED;
  }
  CArchiveListCtrl& ArchiveList() const { return *static_cast<CMyListCtrl*>(host->ArchiveView)->List; }
};

// The time every fixture entry carries, as the list shows it (Wine's zone
// is the machine's: the text is made the same way).
std::wstring FixtureTime() {
  FILETIME time = {};
  DosDateTimeToFileTime(0x5A8C, 0x6000, &time);
  return static_cast<LPCWSTR>(ArchiveTimeText(time));
}

TEST(ArchiveTexts, AttributeLettersAndTimeFormat) {
  const struct {
    DWORD attributes;
    const wchar_t* text;
  } cases[] = {{0, L"----"},
               {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, L"ra--"},
               {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY, L"--hs"},
               {0x27, L"rahs"}};
  for (const auto& c : cases) EXPECT_EQ(ArchiveAttributeText(c.attributes), c.text) << c.attributes;
  SYSTEMTIME when = {2025, 4, 6, 12, 9, 5, 7, 0};
  FILETIME local = {}, utc = {};
  SystemTimeToFileTime(&when, &local);
  LocalFileTimeToFileTime(&local, &utc);
  EXPECT_EQ(ArchiveTimeText(utc), L"12 Apr 2025, 09:05:07");
}

TEST_F(Viewers, ZipListsEveryReadableEntry) {
  ZipFixtureEntry nested("docs/readme.txt", TextBytes(std::string(400, 'a')), true);
  nested.external = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;
  ZipFixtureEntry plain("readme.txt", TextBytes("hello"));
  ZipFixtureEntry damaged("lost.bin", TextBytes("gone"));
  damaged.external = FILE_ATTRIBUTE_HIDDEN;
  Bytes zip = MakeZip({nested, damaged, plain});
  // The damaged entry's local header loses its signature.
  const size_t local = 30 + nested.name.size() + RawDeflate(nested.data).size();
  zip[local] = 'X';
  WriteBytes(File(L"docs.zip"), zip);
  Show(File(L"docs.zip"));
  ASSERT_NE(host->ArchiveView, nullptr);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(host->Placeholder, nullptr);
  EXPECT_EQ(Headings(ArchiveList()), (std::vector<std::wstring>{L"File Name", L"Directory", L"File Size",
                                                                  L"Access Time", L"Creation Time", L"modify Time",
                                                                  L"Attribute"}));
  const std::wstring time = FixtureTime();
  const std::wstring packed = std::to_wstring(RawDeflate(nested.data).size());
  EXPECT_EQ(Rows(ArchiveList()),
            (std::vector<std::vector<std::wstring>>{
                {L"docs/readme.txt", L"Yes", packed, time, time, time, L"ra--"},
                {L"readme.txt", L"No", L"5", time, time, time, L"r---"}}));
}

TEST_F(Viewers, ArchiveHeaderCarriesTheTwoIcons) {
  WriteBytes(File(L"empty.zip"), MakeZip({}));
  Show(File(L"empty.zip"));
  ASSERT_NE(host->ArchiveView, nullptr);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(ArchiveList().GetItemCount(), 0);
  // Of the seven icons only 164 and 161 exist: images 0 and 1.
  EXPECT_EQ(ArchiveList().HeaderImages.GetImageCount(), 2);
  CHeaderCtrl* header = ArchiveList().GetHeaderCtrl();
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(header->SendMessage(HDM_GETIMAGELIST)),
            ArchiveList().HeaderImages.GetSafeHandle());
  for (int i = 0; i < header->GetItemCount(); ++i) {
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    header->GetItem(i, &item);
    EXPECT_TRUE(item.fmt & HDF_IMAGE) << i;
    EXPECT_EQ(item.iImage, i) << i;
  }
}

TEST_F(Viewers, ArchivesThatCannotBeListedShowTheCard) {
  Bytes zip = MakeZip({ZipFixtureEntry("a.txt", TextBytes("a"))});
  zip[EndRecord(zip) + 16] = 0x7F;  // the directory outside the file
  WriteBytes(File(L"broken.zip"), zip);
  WriteBytes(File(L"broken.cab"), TextBytes("MSCF but no more"));
  for (const wchar_t* name : {L"broken.zip", L"missing.zip", L"broken.cab", L"nothing.rar"}) {
    Show(File(name));
    ASSERT_NE(host->ArchiveView, nullptr) << name;
    EXPECT_TRUE(ShowsCorrupted()) << name;
    EXPECT_EQ(ArchiveList().GetItemCount(), 0) << name;
  }
}

// Cabinets made by gcab when the tests were built, beside the test program.
TEST_F(Viewers, CabinetsListNewestFirstAndSplitTheFolder) {
  const std::wstring cabinets = ProgramFolder() + L"cabinets\\";
  Show(cabinets + L"two.cab");
  ASSERT_NE(host->ArchiveView, nullptr);
  ASSERT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(Headings(ArchiveList()),
            (std::vector<std::wstring>{L"File Name", L"Directory", L"File Size", L"Access Time", L"Attribute"}));
  std::vector<std::vector<std::wstring>> rows = Rows(ArchiveList());
  ASSERT_EQ(rows.size(), 2u);
  // Reported a.txt then b.txt; each goes to the head of the list.
  EXPECT_EQ(rows[0][0], L"b.txt");
  EXPECT_EQ(rows[0][2], L"2");
  EXPECT_EQ(rows[1][0], L"a.txt");
  EXPECT_EQ(rows[1][1], L"");
  EXPECT_EQ(rows[1][2], L"1");
  EXPECT_FALSE(rows[1][3].empty());

  Show(cabinets + L"sub.cab");
  rows = Rows(ArchiveList());
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], L"x.dat");
  EXPECT_EQ(rows[0][1], L"sub\\");
  EXPECT_EQ(rows[0][2], L"3");
  EXPECT_EQ(CabEntryList.GetCount(), 1);
}

TEST_F(Viewers, RarListsThroughTheLibrary) {
  WriteBytes(File(L"some.rar"), TextBytes("Rar!"));
  WriteBytes(File(L"broken.rar"), TextBytes("Rar!"));
  // Without the library nothing is listed.
  Show(File(L"some.rar"));
  ASSERT_NE(host->ArchiveView, nullptr);
  EXPECT_TRUE(ShowsCorrupted());
  EXPECT_EQ(ArchiveList().GetItemCount(), 0);

  SetDllDirectoryW((ProgramFolder() + L"unrar_standin").c_str());
  Show(File(L"some.rar"));
  ASSERT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(host->Placeholder, nullptr);
  const std::wstring time = FixtureTime();
  EXPECT_EQ(Rows(ArchiveList()), (std::vector<std::vector<std::wstring>>{
                                     {L"docs", L"Yes", L"0", time, L"----"},
                                     {L"docs\\big.bin", L"No", L"5368709120", time, L"ra--"},
                                     {L"odd.txt", L"", L"12", time, L"--h-"}}));
  // The library refuses to open it.
  Show(File(L"broken.rar"));
  EXPECT_TRUE(ShowsCorrupted());
}

TEST_F(Viewers, DbaseTableLoadsWithItsIndex) {
  WriteBytes(File(L"fruit.dbf"), MakeDbf({{"NAME", 'C', 6}, {"QTY", 'N', 4}, {"OK", 'L', 1}},
                                         {" Apple   12T", " Pear     3N"}));
  Show(File(L"fruit.dbf"));
  ASSERT_NE(host->DbaseView, nullptr);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(host->Placeholder, nullptr);
  CListCtrl& list = *static_cast<CDBF_View*>(host->DbaseView)->List;
  EXPECT_EQ(list.GetDlgCtrlID(), static_cast<int>(kDbfListId));
  EXPECT_EQ(Headings(list), (std::vector<std::wstring>{L"Index", L"NAME", L"QTY", L"OK"}));
  EXPECT_EQ(Rows(list), (std::vector<std::vector<std::wstring>>{{L"1", L"Apple ", L"12.000000", L"TRUE"},
                                                                 {L"2", L"Pear  ", L"3.000000", L"FALSE"}}));
  CRect client, listRect;
  host->DbaseView->GetClientRect(&client);
  list.GetWindowRect(&listRect);
  EXPECT_EQ(listRect.Size(), client.Size());
}

TEST_F(Viewers, DbaseFilesThatCannotBeShownGetTheCard) {
  Bytes noTerminator = MakeDbf({{"NAME", 'C', 6}}, {});
  noTerminator.resize(40);
  WriteBytes(File(L"cut.dbf"), noTerminator);
  for (const wchar_t* name : {L"cut.dbf", L"missing.dbf"}) {
    Show(File(name));
    ASSERT_NE(host->DbaseView, nullptr) << name;
    EXPECT_TRUE(ShowsCorrupted()) << name;
  }
}

// What the Photoshop view paints, on a memory bitmap of its client size.
class PaintedView {
 public:
  explicit PaintedView(CView* view) {
    view->GetClientRect(&m_client);
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    m_bitmap = CreateCompatibleBitmap(screen, m_client.Width(), m_client.Height());
    ReleaseDC(nullptr, screen);
    m_old = SelectObject(m_dc, m_bitmap);
    PatBlt(m_dc, 0, 0, m_client.Width(), m_client.Height(), WHITENESS);
    CDC dc;
    dc.Attach(m_dc);
    view->OnDraw(&dc);
    dc.Detach();
  }
  ~PaintedView() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  // The pixel at a fraction of the width and height.
  COLORREF At(double x, double y) const {
    return GetPixel(m_dc, static_cast<int>(m_client.Width() * x), static_cast<int>(m_client.Height() * y));
  }

 private:
  CRect m_client;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

TEST_F(Viewers, PhotoshopPicturesFillTheView) {
  PsdFixture rgb;  // 2 x 1: red, then blue
  rgb.imageData = {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF};
  PsdFixture cmyk;  // no ink, then full cyan
  cmyk.channels = 4;
  cmyk.mode = 4;
  cmyk.imageData = {0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  const struct {
    const wchar_t* name;
    PsdFixture psd;
    COLORREF left, right;
  } cases[] = {{L"rgb.psd", rgb, RGB(255, 0, 0), RGB(0, 0, 255)},
               {L"cmyk.psd", cmyk, RGB(253, 253, 253), RGB(0, 253, 253)}};
  for (const auto& c : cases) {
    WriteBytes(File(c.name), MakePsd(c.psd));
    Show(File(c.name));
    ASSERT_NE(host->PhotoshopView, nullptr) << c.name;
    auto* view = static_cast<CPSDViewView*>(host->PhotoshopView);
    EXPECT_EQ(PreviewLoadedFlag(), 1) << c.name;
    EXPECT_EQ(host->Placeholder, nullptr) << c.name;
    EXPECT_EQ(view->LoadResult, 0) << c.name;
    EXPECT_EQ(CSize(view->PictureWidth, view->PictureHeight), CSize(2, 1)) << c.name;
    EXPECT_EQ(view->Frame.GetDlgCtrlID(), static_cast<int>(kPsdFrameId)) << c.name;
    PaintedView painted(view);
    // Stretched over the whole view, without keeping the ratio.
    for (double y : {0.05, 0.5, 0.95}) {
      EXPECT_EQ(painted.At(0.05, y), c.left) << c.name << " " << y;
      EXPECT_EQ(painted.At(0.95, y), c.right) << c.name << " " << y;
    }
  }
}

TEST_F(Viewers, PhotoshopFilesWithoutAPictureGetTheCard) {
  PsdFixture version2;
  version2.imageData = Bytes(6, 0x80);
  Bytes versionBytes = MakePsd(version2);
  versionBytes[5] = 2;
  PsdFixture oneChannel;  // RGB needs three channels (fault: read past them)
  oneChannel.channels = 1;
  oneChannel.imageData = {0xFF, 0x00};
  PsdFixture bitmapMode;  // decoded, but never drawn
  bitmapMode.mode = 0;
  bitmapMode.imageData = Bytes(6, 0);
  WriteBytes(File(L"version2.psd"), versionBytes);
  WriteBytes(File(L"onechannel.psd"), MakePsd(oneChannel));
  WriteBytes(File(L"bitmap.psd"), MakePsd(bitmapMode));
  for (const wchar_t* name : {L"version2.psd", L"onechannel.psd", L"bitmap.psd", L"missing.psd"}) {
    Show(File(name));
    ASSERT_NE(host->PhotoshopView, nullptr) << name;
    EXPECT_TRUE(ShowsCorrupted()) << name;
  }
}

// The drawing library's stand-in records its calls and keeps one record.
class DrawingViewer : public Viewers {
 protected:
  typedef const char*(WINAPI* CallsProc)();
  typedef BYTE*(WINAPI* PropertiesProc)();

  void SetUp() override {
    Viewers::SetUp();
    SetDllDirectoryW((ProgramFolder() + L"dxf_standin").c_str());
  }
  void WriteDrawing(const wchar_t* name, const std::string& text) { WriteBytes(File(name), TextBytes(text)); }
  // The calls recorded since the library was loaded.
  std::string Calls() const {
    HMODULE library = GetModuleHandleW(L"DXF.dll");
    if (library == nullptr) return std::string();
    auto calls = reinterpret_cast<CallsProc>(reinterpret_cast<void*>(GetProcAddress(library, "standinCalls")));
    return calls();
  }
  DxfViewProperties& Properties() const {
    HMODULE library = GetModuleHandleW(L"DXF.dll");
    auto properties =
        reinterpret_cast<PropertiesProc>(reinterpret_cast<void*>(GetProcAddress(library, "standinProperties")));
    return *reinterpret_cast<DxfViewProperties*>(properties());
  }
  CDFXView* View() const { return static_cast<CDFXView*>(host->DrawingView); }
  // A window of 200 x 100 at origin (10, 20), scale 2, zoom 1.
  void PutFittedView() {
    DxfViewProperties& properties = Properties();
    properties.left = 0, properties.top = 0, properties.right = 200, properties.bottom = 100;
    properties.originX = 10, properties.originY = 20;
    properties.scale = 2, properties.zoom = 1;
  }
  static double CentreX(const DxfViewProperties& p) {
    return p.originX + (p.right - p.left) / 2 * (1 / (p.zoom * p.scale));
  }
  static double CentreY(const DxfViewProperties& p) {
    return p.originY + (p.bottom - p.top) / 2 * (1 / (p.zoom * p.scale));
  }

  const std::string drawing = "  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n  0\nEOF\n";
};

TEST_F(DrawingViewer, LoadsFitsAndPaintsInOrder) {
  WriteDrawing(L"plan.dxf", drawing);
  Show(File(L"plan.dxf"));
  ASSERT_NE(View(), nullptr);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(host->Placeholder, nullptr);
  EXPECT_EQ(View()->Surface.GetDlgCtrlID(), static_cast<int>(kDxfSurfaceId));
  const std::string calls = Calls();
  const size_t load = calls.find("drwCreate drwLoadDataFromFile drwInitView drwZoomExtents");
  EXPECT_NE(load, std::string::npos) << calls;
  EXPECT_NE(calls.find("drwPaint", load), std::string::npos) << calls;
  CRect client, surface;
  View()->GetClientRect(&client);
  surface = ChildRect(View(), &View()->Surface);
  EXPECT_EQ(surface, client);
}

TEST_F(DrawingViewer, WheelZoomsAboutTheCentreAndResizeRefits) {
  WriteDrawing(L"plan.dxf", drawing);
  Show(File(L"plan.dxf"));
  ASSERT_NE(View(), nullptr);
  PutFittedView();
  const double centreX = CentreX(Properties()), centreY = CentreY(Properties());
  for (short delta : {120, 120, -120}) {
    View()->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), MAKELPARAM(50, 50));
    EXPECT_NEAR(CentreX(Properties()), centreX, 1e-9) << delta;
    EXPECT_NEAR(CentreY(Properties()), centreY, 1e-9) << delta;
  }
  EXPECT_DOUBLE_EQ(Properties().zoom, 1.5 * 1.5 * 0.6666666666666666);

  // The library's fit sets the zoom back; the view must ask for it.
  const size_t before = Calls().size();
  View()->SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
  const std::string after = Calls().substr(before);
  EXPECT_NE(after.find("drwInitView drwZoomExtents"), std::string::npos) << after;
}

TEST_F(DrawingViewer, FilesThatAreNoDrawingsGetTheCard) {
  WriteDrawing(L"header.dxf", "  0\nHEADER\n  0\nENDSEC\n");
  WriteDrawing(L"early.dxf", std::string("  0\n\0SECTION\n  2\nHEADER\n", 24));
  WriteDrawing(L"late.dxf", std::string(520, ' ') + drawing);
  WriteDrawing(L"plan.dxf", drawing);
  const struct {
    const wchar_t* name;
    int scanMode;
  } cases[] = {{L"header.dxf", kStandardScan},
               {L"early.dxf", kStandardScan},
               {L"late.dxf", kAdvanceScan},
               {L"plan.dxf", kRawScan},
               {L"missing.dxf", kStandardScan}};
  for (const auto& c : cases) {
    ScanMode = c.scanMode;
    Show(File(c.name));
    ASSERT_NE(View(), nullptr) << c.name;
    EXPECT_TRUE(ShowsCorrupted()) << c.name;
    EXPECT_EQ(Calls().find("drwLoadDataFromFile"), std::string::npos) << c.name;
  }
}

TEST_F(DrawingViewer, WithoutTheLibraryTheCardShows) {
  SetDllDirectoryW((ProgramFolder() + L"dxf_partial").c_str());
  WriteDrawing(L"plan.dxf", drawing);
  Show(File(L"plan.dxf"));
  ASSERT_NE(View(), nullptr);
  EXPECT_FALSE(View()->Drawing.IsUsable());
  EXPECT_TRUE(ShowsCorrupted());
}

// Moves the real pointer's capture and asks what is visible on screen: run
// alone.
TEST_F(DrawingViewer, DragMovesTheOriginWithThePointer) {
  WriteDrawing(L"plan.dxf", drawing);
  Show(File(L"plan.dxf"));
  ASSERT_NE(View(), nullptr);
  frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpPending();
  PutFittedView();
  Properties().zoom = 1.5;
  const double originX = Properties().originX, originY = Properties().originY;
  CDxfDrawCtrl& surface = View()->Surface;
  surface.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 40));
  EXPECT_EQ(GetCapture(), surface.GetSafeHwnd());
  surface.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 44));
  surface.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 44));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_DOUBLE_EQ(Properties().originX, originX - 10 / (1.5 * 2));
  EXPECT_DOUBLE_EQ(Properties().originY, originY + 4 / (1.5 * 2));
  // Without a button down the pointer moves nothing.
  surface.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(90, 90));
  EXPECT_DOUBLE_EQ(Properties().originX, originX - 10 / (1.5 * 2));
  // The middle button drags too.
  surface.SendMessage(WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(60, 44));
  surface.SendMessage(WM_MOUSEMOVE, MK_MBUTTON, MAKELPARAM(50, 44));
  surface.SendMessage(WM_MBUTTONUP, 0, MAKELPARAM(50, 44));
  EXPECT_DOUBLE_EQ(Properties().originX, originX);
}

}  // namespace
