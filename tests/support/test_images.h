// Test images made by mkfs.fat and mtools (tools/images), copies of them to
// damage, and scans of them through the recording interface.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "found_items.h"
#include "recording_ui.h"

// Path of a generated image by name ("fat32_s1").
std::string ImagePath(const std::string& name);
// The folder of the generated images and sample files.
std::string ImagesFolder();
// A fresh copy of an image in the test's temporary folder.
std::string CopyOfImage(const std::string& name);
// A new empty temporary folder.
std::string TemporaryFolder();

void WriteBytes(const std::string& path, uint64_t offset, const std::vector<uint8_t>& bytes);
void WriteZeros(const std::string& path, uint64_t offset, uint64_t count);
std::vector<uint8_t> ReadBytes(const std::string& path, uint64_t offset, size_t count);
void Truncate(const std::string& path, uint64_t size);

// A found entry as the tests compare listings.
using TreeEntry = std::tuple<bool, std::string, uint64_t, bool>;  // folder, path, size, deleted
TreeEntry EntryOf(const FoundItem& item);
// The entries of a listing; one listed twice counts once.
std::set<TreeEntry> TreeEntries(const std::vector<FoundItem>& items);

struct ScanOutcome {
    bool ran = false;  // the worker's result
    std::unique_ptr<RecordingUi> ui;
    std::vector<FoundItem> items;
};

// Selects the image (type 0: from its boot sector) and runs the Standard
// Scan's worker on this thread.
ScanOutcome ScanImage(const std::string& path, uint64_t start = 0, uint64_t count = 0,
                      uint16_t type = 0);

struct RawOutcome {
    bool ran = false;
    std::unique_ptr<RecordingUi> ui;
    // One line per carved file: name, file type, start sector.
    std::vector<std::string> lines;
};

// Selects the image as a sector range (type 0: no file system), checks the
// listed types of the shipped "Raw.dat" ("all" or ".jpg,.png"), and runs the
// Raw Scan's worker on this thread.
RawOutcome RawScanImage(const std::string& path, const std::string& types, int sizeMB = 1,
                        uint64_t start = 0, uint64_t count = 0);

// The sample files of tools/images/make_raw_images.sh (in
// ImagesFolder()/raw-samples) and the extension each is carved as.
const std::map<std::string, std::string>& RawSampleTypes();

// A blank image of that many sectors in the test's temporary folder.
std::string BlankImage(uint64_t sectors);

// Little-endian helpers for patching.
std::vector<uint8_t> Le16(uint16_t value);
std::vector<uint8_t> Le32(uint32_t value);

std::string Narrow(const std::u16string& text);

// What the NTFS and disk image scripts write into a file: lines
// "PATH NNNNNNNN" (from 00000001), cut to size.
std::string LineContent(const std::string& path, size_t size);
// A whole file's bytes; empty when it cannot be read.
std::string FileContent(const std::string& path);
// Every file and folder below a folder, as relative paths with '/'.
std::set<std::string> FilesBelow(const std::string& folder);

// Skips the current test when the NTFS images could not be made here.
#define SKIP_WITHOUT_NTFS_IMAGES()                                       \
    do {                                                                 \
        std::string reason_;                                             \
        if (!NtfsImagesAvailable(reason_)) GTEST_SKIP() << reason_;      \
    } while (0)
bool NtfsImagesAvailable(std::string& reason);
