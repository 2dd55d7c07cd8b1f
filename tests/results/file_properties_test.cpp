// Properties: a file's size in kilobytes, a folder's whole subtree counted.
#include <gtest/gtest.h>

#include "file_properties_dlg.h"
#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"

namespace {

TEST(FileProperties, FileSizeInWholeKilobytesPlusOne) {
  const struct {
    unsigned long long bytes;
    LPCWSTR text;
  } cases[] = {{0, L"1 KB"}, {1023, L"1 KB"}, {1024, L"2 KB"}, {5368709120ULL, L"5242881 KB"}};
  for (const auto& c : cases) EXPECT_EQ(PropertiesSizeText(c.bytes), c.text) << c.bytes;
}

// Folder A (item 1) holds B (item 2), which holds C (item 3); E (item 4)
// is empty. The files lie where each case puts them.
TEST(FileProperties, FolderTotalsCoverTheWholeSubtree) {
  struct File {
    uint32_t parent;
    uint32_t size;
  };
  const struct {
    const char* name;
    std::vector<File> files;
    uintptr_t item;
    LPCWSTR contains, size;
  } cases[] = {
      {"an empty folder", {}, 4, L"0 File(s) and 0 Folder(s)", L"Less than 1 MB"},
      {"one megabyte deep down", {{12, 1048576}}, 1, L"1 File(s) and 2 Folder(s)", L"1 MB"},
      {"a byte short of it", {{12, 1048575}}, 1, L"1 File(s) and 2 Folder(s)", L"Less than 1 MB"},
      {"files at every level", {{10, 1048576}, {11, 1048576}, {12, 1048576}, {0, 5}}, 2,
       L"2 File(s) and 1 Folder(s)", L"2 MB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FreeStandardScanLists();
    ScanMode = kStandardScan;
    PartitionParameters.scannedType = kFat32;
    AddFatFolder(u"A", 10, 0, 0, 0, 1, 0);
    AddFatFolder(u"B", 11, 10, 0, 0, 2, 0);
    AddFatFolder(u"C", 12, 11, 0, 0, 3, 0);
    AddFatFolder(u"E", 13, 0, 0, 0, 4, 0);
    // A crafted entry inside itself is counted once.
    AddFatFolder(u"C again", 99, 12, 0, 0, 5, 0);
    FatFolderList.tail->cluster = 12;
    for (const File& f : c.files) AddFatFile(u"f.bin", 100, f.parent, 0, 0, f.size, 0);
    CString contains, size;
    FolderPropertiesTexts(c.item, contains, size);
    EXPECT_EQ(contains, c.contains);
    EXPECT_EQ(size, c.size);
  }
  FreeStandardScanLists();
}

}  // namespace
