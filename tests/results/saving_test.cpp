// Recover Selected writes exactly the checked files into the chosen folder,
// recreating their folders, never replacing a file and never leaving it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <memory>
#include <string>

#include "advance/advance_lists.h"
#include "device/sector_access.h"
#include "file_recovery.h"
#include "found_lists.h"
#include "platform_files.h"
#include "recovered_file.h"
#include "results_fixture.h"
#include "results_resources.h"
#include "saving_dlg.h"
#include "settings.h"
#include "placement_check.h"
#include "test_app.h"
#include "test_images.h"
#include "volumes/boot_params.h"

namespace {

std::u16string Wide16(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// What the image script writes into a file: its path, line after line.
std::string ScriptContent(const std::string& path, size_t size) {
  std::string text;
  while (text.size() < size) text += path + "\n";
  text.resize(size);
  return text;
}

// The files of FilesBelow, without the folders that hold them.
std::set<std::string> FilesOnly(const std::set<std::string>& entries) {
  std::set<std::string> files;
  for (const std::string& entry : entries) {
    auto next = entries.upper_bound(entry);
    if (next == entries.end() || next->rfind(entry + "/", 0) != 0) files.insert(entry);
  }
  return files;
}

std::vector<SaveItem> Gather(ResultsPanes& panes) {
  return GatherCheckedFiles(panes.list.Selection, ResultsKind::Fat, [&panes](TreeItem item) {
    return panes.tree.GetItemNames(reinterpret_cast<HTREEITEM>(item));
  });
}

void Rename(char16_t*& name, const char16_t* newName) {
  std::free(name);
  const size_t bytes = (std::char_traits<char16_t>::length(newName) + 1) * sizeof(char16_t);
  name = static_cast<char16_t*>(std::malloc(bytes));
  std::memcpy(name, newName, bytes);
}

TEST(Saving, WritesTheCheckedSelection) {
  struct Case {
    const char* name;
    std::vector<CString> treeClicks;
    std::vector<CString> rootRowClicks;
    std::string existing;  // a file already in the destination
    std::set<std::string> expected;
  } cases[] = {
      {"a checked folder is recreated with its files", {L"Music"}, {}, "",
       {"Music/Artist/Album/Track 01.mp3", "Music/Artist/Album/Deleted Song.mp3"}},
      {"root file rows alone", {}, {L"SHORT.TXT", L"Thirteen1.txt"}, "", {"SHORT.TXT", "Thirteen1.txt"}},
      {"an existing file is kept beside the new one", {}, {L"SHORT.TXT"}, "SHORT.TXT",
       {"SHORT.TXT", "Copy (1 ) of SHORT.TXT"}},
      {"a folder and a root file", {L"Documents\\Reports 2009"}, {L"SHORT.TXT"}, "",
       {"Documents/Reports 2009/Summary.doc", "SHORT.TXT"}},
      {"nothing checked writes nothing", {}, {}, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ResultsPanes panes;
    ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
    for (const CString& path : c.treeClicks) panes.tree.ToggleCheckOfItem(panes.ItemByPath(path));
    for (const CString& name : c.rootRowClicks) panes.list.ToggleRowCheck(panes.RowByName(name));
    const std::string destination = TemporaryFolder();
    if (!c.existing.empty()) std::ofstream(destination + "/" + c.existing, std::ios::binary) << "mine";
    SavingProgress progress;
    SaveItems(Wide16(destination), Gather(panes), kInteractiveMode, progress);
    EXPECT_EQ(FilesOnly(FilesBelow(destination)), c.expected);
    for (const std::string& file : c.expected) {
      if (file == c.existing) {
        EXPECT_EQ(FileContent(destination + "/" + file), "mine");
      } else if (file.find("Deleted") == std::string::npos) {
        const std::string original = "/" + (file.rfind("Copy (1 ) of ", 0) == 0 ? file.substr(13) : file);
        const std::string content = FileContent(destination + "/" + file);
        EXPECT_EQ(content, ScriptContent(original, content.size())) << file;
        EXPECT_FALSE(content.empty()) << file;
      }
    }
  }
}

// Names from disk become paths: whatever they say, everything stays inside.
TEST(Saving, HostileNamesStayInsideTheDestination) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
    if (std::u16string(f->name) == u"Music") Rename(f->name, u"..\\..\\x");
  for (FatFileEntry* f = FatFileList.head; f; f = f->next) {
    const std::u16string name(f->name);
    if (name == u"SHORT.TXT") Rename(f->name, u"CON");
    if (name == u"Thirteen1.txt") Rename(f->name, u"a:b");
    if (name == u"Track 01.mp3") Rename(f->name, u"..");
  }
  panes.ShowFatResults();
  panes.tree.ToggleCheckOfItem(panes.tree.RootItem());
  const std::string outer = TemporaryFolder();
  const std::string destination = outer + "/inner";
  ASSERT_TRUE(CreateFolder(Wide16(destination)));
  SavingProgress progress;
  const int written = SaveItems(Wide16(destination), Gather(panes), kPlainMode, progress);
  const std::set<std::string> files = FilesOnly(FilesBelow(destination));
  EXPECT_EQ(written, static_cast<int>(files.size()));
  EXPECT_GE(files.size(), 50u);
  // Nothing beside the destination.
  EXPECT_EQ(FilesOnly(FilesBelow(outer)).size(), files.size());
  for (const std::string& file : files) {
    const std::string wrapped = "/" + file + "/";
    EXPECT_EQ(wrapped.find("/../"), std::string::npos) << file;
    EXPECT_EQ(wrapped.find("/./"), std::string::npos) << file;
  }
}

TEST(Saving, EachFileTakesItsEntrysDate) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  panes.tree.ToggleCheckOfItem(panes.tree.RootItem());
  const std::string destination = TemporaryFolder();
  SavingProgress progress;
  SaveItems(Wide16(destination), Gather(panes), kPlainMode, progress);
  int compared = 0;
  for (FatFileEntry* f = FatFileList.head; f; f = f->next) {
    if (std::u16string(f->name) != u"SHORT.TXT" && std::u16string(f->name) != u"Summary.doc") continue;
    const std::string path = destination + (std::u16string(f->name) == u"SHORT.TXT" ? "/SHORT.TXT"
                                                                                 : "/Documents/Reports 2009/Summary.doc");
    uint64_t written = 0, expected = 0;
    ASSERT_TRUE(GetFileWriteTime(Wide16(path), written)) << path;
    ASSERT_TRUE(FatDateToFileTime(f->writeDate, expected));
    const uint64_t day = 864000000000ULL;
    EXPECT_EQ(written / day, expected / day) << path;
    ++compared;
  }
  EXPECT_EQ(compared, 2);
}

TEST(Saving, DestinationsThatCannotTakeTheRun) {
  const std::string existing = TemporaryFolder();
  struct Case {
    std::u16string destination;
    std::u16string device;
    bool refused;
  } cases[] = {
      {u"", u"\\\\.\\Q:", true},
      {Wide16(existing) + u"/not there", u"\\\\.\\Q:", true},
      {Wide16(existing), u"\\\\.\\Q:", false},
      {u"C:\\windows", u"\\\\.\\C:", true},
      {u"c:\\windows\\system32", u"\\\\.\\C:", true},
      {u"C:\\windows", u"\\\\.\\Q:", false},
  };
  const std::u16string saved = SelectedDevicePath;
  for (const Case& c : cases) {
    SelectedDevicePath = c.device;
    EXPECT_EQ(!DestinationProblem(c.destination).empty(), c.refused) << Narrow(c.destination);
  }
  SelectedDevicePath = saved;
}

// Presses Stop as soon as the run has started.
class StoppedSavingDlg : public CSavingDlg {
 public:
  using CSavingDlg::CSavingDlg;

 protected:
  BOOL OnInitDialog() override {
    CSavingDlg::OnInitDialog();
    PostMessage(WM_COMMAND, IDOK);
    return TRUE;
  }
};

// Stop ends a run early; the next run writes again, and each dialog closes
// by itself once its worker has ended.
TEST(Saving, AStoppedRunLeavesTheNextOneWhole) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  panes.tree.ToggleCheckOfItem(panes.tree.RootItem());
  const std::vector<SaveItem> items = Gather(panes);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    const std::string first = TemporaryFolder();
    StoppedSavingDlg stopped(&panes.parent, Wide16(first), items, kPlainMode);
    EXPECT_EQ(stopped.DoModal(), IDOK);
    EXPECT_LE(FilesOnly(FilesBelow(first)).size(), items.size());
    EXPECT_EQ(StopAllRecovery, 0);
    const std::string second = TemporaryFolder();
    EXPECT_EQ(RecoverSelected(&panes.parent, Wide16(second), items, kPlainMode), static_cast<int>(items.size()));
    EXPECT_EQ(FilesOnly(FilesBelow(second)).size(), items.size());
  }
}

// The Saving dialog's bar is the program's percent bar over the template's
// control: it answers the progress messages itself and draws its dark blue
// part.
class LookedAtSavingDlg : public CSavingDlg {
 public:
  using CSavingDlg::CSavingDlg;
  bool subclassed = false;
  LRESULT rangeTop = 0;
  COLORREF filled = CLR_INVALID, rest = CLR_INVALID;

 protected:
  BOOL OnInitDialog() override {
    CSavingDlg::OnInitDialog();
    CWnd* control = GetDlgItem(IDC_SAVING_PROGRESS);
    subclassed = control != nullptr && CWnd::FromHandlePermanent(control->m_hWnd) == &PercentBar;
    rangeTop = PercentBar.SendMessage(PBM_GETRANGE, FALSE, 0);
    ShowWindow(SW_SHOW);
    PercentBar.SendMessage(PBM_SETPOS, 45, 0);
    PercentBar.UpdateWindow();
    CRect client;
    PercentBar.GetClientRect(&client);
    CClientDC dc(&PercentBar);
    const int y = client.Height() - 2;  // below the centred text
    filled = dc.GetPixel(client.Width() / 10, y);
    rest = dc.GetPixel(client.Width() * 9 / 10, y);
    PostMessage(WM_COMMAND, IDOK);
    return TRUE;
  }
};

TEST(Saving, TheBarIsThePercentBar) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  panes.tree.ToggleCheckOfItem(panes.tree.RootItem());
  LookedAtSavingDlg dialog(&panes.parent, Wide16(TemporaryFolder()), Gather(panes), kPlainMode);
  dialog.DoModal();
  EXPECT_TRUE(dialog.subclassed);
  EXPECT_EQ(dialog.rangeTop, 100);
  const COLORREF fill = CPercentProgressCtrl::kFillColor;
  EXPECT_EQ(dialog.filled, fill);
  EXPECT_EQ(dialog.rest, ::GetSysColor(COLOR_WINDOW));
}

}  // namespace

namespace {

// Seconds one run of the checked Advance entries takes; each is skipped
// by the deleted-files policy before anything is read or written.
double SecondsToSkip(const std::vector<SaveItem>& items) {
  const std::string destination = TemporaryFolder();
  SavingProgress progress;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  const int written = SaveItems(Wide16(destination), items, kInteractiveMode, progress);
  QueryPerformanceCounter(&end);
  EXPECT_EQ(written, 0);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

TEST(Saving, TimeGrowsWithTheCheckedFilesNotWithTheirProduct) {
  // An Advance scan lists every FILE record of the disk. The checked ones
  // lie at the list's end, where a walk per file finds them last.
  const uint32_t listed = 200000;
  PartitionParametersRecord savedVolume = PartitionParameters;
  const uint16_t savedPolicy = DeletedFilesPolicy;
  PartitionParameters.cluster0Sector = 1;
  PartitionParameters.volumeEndSector = 100 + listed * 2;
  DeletedFilesPolicy = 3;  // deleted files are not written
  for (uint32_t n = 0; n < listed; ++n) AddAdvanceNtfsFile(u"deleted.txt", 100 + n * 2, 5, 0, 0, 10, 1);
  CheckedSelection few, many;
  for (uint32_t n = listed - 400; n < listed; ++n) few.CheckedFileIds.insert(100 + n * 2);
  for (uint32_t n = listed - 4000; n < listed; ++n) many.CheckedFileIds.insert(100 + n * 2);
  const auto noFolders = [](TreeItem) { return std::vector<std::u16string>{}; };
  const std::vector<SaveItem> fewItems = GatherCheckedFiles(few, ResultsKind::AdvanceNtfs, noFolders);
  const std::vector<SaveItem> manyItems = GatherCheckedFiles(many, ResultsKind::AdvanceNtfs, noFolders);
  ASSERT_EQ(fewItems.size(), 400u);
  ASSERT_EQ(manyItems.size(), 4000u);
  const double fewSeconds = SecondsToSkip(fewItems);
  const double manySeconds = SecondsToSkip(manyItems);
  FreeAdvanceScanLists();
  PartitionParameters = savedVolume;
  DeletedFilesPolicy = savedPolicy;
  // Ten times the files: ten times the walks when each walks the list,
  // about the same time when the run indexes the list once.
  EXPECT_LT(manySeconds, 4 * fewSeconds + 0.25) << fewSeconds << " s for 400, " << manySeconds << " s for 4000";
}

namespace {

// The destination chooser lies over its owner's centre and wholly inside
// the work area, also when the owner stands at an edge or runs past it.
TEST(DestinationChooser, OpensCentredOnItsOwnerAndWhollyOnTheScreen) {
  std::unique_ptr<CDestinationDlg> dialog;
  ExpectPlacedOverOwners(
      [&](HWND owner) {
        dialog = std::make_unique<CDestinationDlg>(CWnd::FromHandle(owner));
        return dialog->Create(IDD_DESTINATION, CWnd::FromHandle(owner)) ? dialog->m_hWnd : nullptr;
      },
      [&] {
        dialog->DestroyWindow();
        dialog.reset();
      });
}

}  // namespace
