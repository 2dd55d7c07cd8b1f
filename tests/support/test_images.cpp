#include "test_images.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "raw/file_type_choice.h"
#include "file_types.h"
#include "program_folder.h"
#include "image_scan.h"
#include "raw/raw_lists.h"
#include "raw/raw_scan.h"
#include "standard_scan.h"
#include "text.h"

namespace fs = std::filesystem;

namespace {

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    std::string path = value ? value : "";
#ifdef _WIN32
    // Under Wine the Unix root is drive Z:.
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
#endif
    return path;
}

}  // namespace

std::string ImagesFolder() {
    std::string folder = FromEnvironment("MULVARA_TEST_IMAGES");
    if (folder.empty()) ADD_FAILURE() << "MULVARA_TEST_IMAGES is not set";
    return folder;
}

std::string ImagePath(const std::string& name) { return ImagesFolder() + "/" + name + ".img"; }

std::string TemporaryFolder() {
    static std::atomic<int> counter{0};
    std::string base = FromEnvironment("MULVARA_TEST_TMP");
    fs::path root = base.empty() ? fs::temp_directory_path() : fs::path(base);
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '.') c = '_';
    fs::path folder = root / ("mulvara-" + name + "-" + std::to_string(counter++));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string();
}

std::string CopyOfImage(const std::string& name) {
    std::string target = TemporaryFolder() + "/" + name + ".img";
    fs::copy_file(ImagePath(name), target, fs::copy_options::overwrite_existing);
    return target;
}

void WriteBytes(const std::string& path, uint64_t offset, const std::vector<uint8_t>& bytes) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(file.good()) << path;
    file.seekp(std::streamoff(offset));
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(file.good());
}

void WriteZeros(const std::string& path, uint64_t offset, uint64_t count) {
    WriteBytes(path, offset, std::vector<uint8_t>(size_t(count), 0));
}

std::vector<uint8_t> ReadBytes(const std::string& path, uint64_t offset, size_t count) {
    std::vector<uint8_t> bytes(count);
    std::ifstream file(path, std::ios::binary);
    file.seekg(std::streamoff(offset));
    file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(count));
    bytes.resize(size_t(file.gcount()));
    return bytes;
}

void Truncate(const std::string& path, uint64_t size) { fs::resize_file(path, size); }

TreeEntry EntryOf(const FoundItem& item) {
    return {item.folder, Narrow(item.path), item.size, item.deleted};
}

std::set<TreeEntry> TreeEntries(const std::vector<FoundItem>& items) {
    std::set<TreeEntry> entries;
    for (const FoundItem& item : items) entries.insert(EntryOf(item));
    return entries;
}

ScanOutcome ScanImage(const std::string& path, uint64_t start, uint64_t count, uint16_t type) {
    ScanOutcome outcome;
    outcome.ui.reset(new RecordingUi);
    std::string error;
    if (!SelectImage(path, start, count, type, error)) {
        ADD_FAILURE() << error;
        return outcome;
    }
    SetEngineUi(outcome.ui.get());
    outcome.ran = StandardScanThread() == 1;
    SetEngineUi(nullptr);
    outcome.items = CollectFoundItems(*outcome.ui);
    return outcome;
}

RawOutcome RawScanImage(const std::string& path, const std::string& types, int sizeMB,
                        uint64_t start, uint64_t count) {
    RawOutcome outcome;
    outcome.ui.reset(new RecordingUi);
    std::string error;
    if (!SelectImageRange(path, start, count, 0, error)) {
        ADD_FAILURE() << error;
        return outcome;
    }
    FileTypeTree tree;
    if (!LoadRawSignatureFile(tree)) {
        ADD_FAILURE() << "no Raw.dat beside the test program";
        return outcome;
    }
    std::string unknown;
    if (!CheckOnlyTypes(tree, types, unknown)) {
        ADD_FAILURE() << "Raw.dat has no " << unknown;
        return outcome;
    }
    SetEngineUi(outcome.ui.get());
    outcome.ran = AcceptFileTypes(tree, sizeMB - 1) && RawScanThread() == 1;
    SetEngineUi(nullptr);
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
        outcome.lines.push_back(Narrow(f->name) + " " + Narrow(f->fileType) + " " +
                                std::to_string(f->startSector));
    return outcome;
}

const std::map<std::string, std::string>& RawSampleTypes() {
    static const std::map<std::string, std::string> types = {
        {"photo.jpg", ".jpg"},   {"image.png", ".png"},   {"anim.gif", ".gif"},
        {"picture.bmp", ".bmp"}, {"scan_le.tif", ".tif"}, {"scan_be.tif", ".tif"},
        {"layers.psd", ".psd"},  {"archive.zip", ".zip"}, {"notes.gz", ".gz"},
        {"bundle.7z", ".7z"},    {"setup.cab", ".cab"},   {"tone.wav", ".wav"},
        {"tone.flac", ".flac"},  {"tone.ogg", ".ogg"},    {"page.htm", ".htm"},
        {"data.xml", ".xml"},    {"letter.rtf", ".rtf"},  {"mail.eml", ".eml"},
        {"plan.dxf", ".dxf"},    {"paper.pdf", ".pdf"},   {"song.mid", ".mid"},
        {"track.mp3", ".mp3"}};
    return types;
}

std::string BlankImage(uint64_t sectors) {
    std::string path = TemporaryFolder() + "/blank.img";
    { std::ofstream create(path, std::ios::binary); }
    fs::resize_file(path, sectors * 512);
    return path;
}

std::vector<uint8_t> Le16(uint16_t value) { return {uint8_t(value), uint8_t(value >> 8)}; }

std::vector<uint8_t> Le32(uint32_t value) {
    return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

std::string Narrow(const std::u16string& text) { return Utf16ToUtf8(text); }

std::string LineContent(const std::string& path, size_t size) {
    std::string text;
    text.reserve(size + 64);
    char number[16];
    for (unsigned line = 1; text.size() < size; ++line) {
        std::snprintf(number, sizeof number, " %08u\n", line);
        text += path;
        text += number;
    }
    text.resize(size);
    return text;
}

std::string FileContent(const std::string& path) {
    std::ifstream file(fs::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::set<std::string> FilesBelow(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(fs::u8path(folder)))
        files.insert(e.path().lexically_relative(fs::u8path(folder)).generic_u8string());
    return files;
}

bool NtfsImagesAvailable(std::string& reason) {
    std::string marker = FromEnvironment("MULVARA_TEST_IMAGES") + "/NTFS-UNAVAILABLE";
    if (fs::exists(marker)) {
        reason = "no NTFS images on this machine: " + FileContent(marker);
        return false;
    }
    if (!fs::exists(ImagePath("ntfs_c4k"))) {
        reason = "no NTFS images were made";
        return false;
    }
    return true;
}
