#include "compound_document.h"

#include <cstring>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <objbase.h>
#include <propidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "text.h"
#endif

namespace {

constexpr uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSector = 0xFFFFFFFD;
constexpr size_t kSector = 512, kMini = 64;

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

std::vector<uint8_t> SummaryStream(const std::string& appName, bool large) {
    static const uint8_t format[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                       0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
    size_t textBytes = (appName.size() + 1 + 3) / 4 * 4;
    size_t sectionSize = 24 + 8 + 8 + textBytes;
    if (large) sectionSize = 5000;
    std::vector<uint8_t> s(48 + sectionSize, 0);
    Put16(s, 0, 0xFFFE);
    Put32(s, 4, 0x00020005);
    Put32(s, 24, 1);
    std::memcpy(&s[28], format, 16);
    Put32(s, 44, 48);
    size_t section = 48;
    Put32(s, section, uint32_t(sectionSize));
    Put32(s, section + 4, 2);
    Put32(s, section + 8, 1);  // code page
    Put32(s, section + 12, 24);
    Put32(s, section + 16, 18);  // application name
    Put32(s, section + 20, 32);
    Put32(s, section + 24, 2);  // VT_I2
    Put16(s, section + 28, 1252);
    Put32(s, section + 32, 30);  // VT_LPSTR
    Put32(s, section + 36, uint32_t(appName.size() + 1));
    std::memcpy(&s[section + 40], appName.data(), appName.size());
    return s;
}

void DirectoryEntry(std::vector<uint8_t>& b, size_t at, const std::u16string& name, uint8_t type,
                    uint32_t child, uint32_t start, uint32_t size) {
    for (size_t i = 0; i < name.size(); ++i) Put16(b, at + i * 2, name[i]);
    Put16(b, at + 0x40, uint16_t(name.size() * 2 + 2));
    b[at + 0x42] = type;
    b[at + 0x43] = 1;  // black
    Put32(b, at + 0x44, kFree);
    Put32(b, at + 0x48, kFree);
    Put32(b, at + 0x4C, child);
    Put32(b, at + 0x74, start);
    Put32(b, at + 0x78, size);
}

}  // namespace

std::vector<uint8_t> WriteCompoundDocument(const std::string& appName, bool largeSummary) {
    const std::vector<uint8_t> summary = SummaryStream(appName, largeSummary);
    const bool mini = summary.size() < 4096;
    // Sectors: 0 FAT, 1 directory, then (mini) 2 mini FAT and the mini
    // stream, or the summary itself.
    const size_t dataSectors = (summary.size() + kSector - 1) / kSector;
    const size_t miniSectors = (summary.size() + kMini - 1) / kMini;
    const size_t containerSectors = (miniSectors * kMini + kSector - 1) / kSector;
    const size_t sectors = 2 + (mini ? 1 + containerSectors : dataSectors);
    std::vector<uint8_t> b((sectors + 1) * kSector, 0);
    auto at = [](size_t sector) { return (sector + 1) * kSector; };

    static const uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::memcpy(&b[0], signature, 8);
    Put16(b, 0x18, 0x3E);
    Put16(b, 0x1A, 3);
    Put16(b, 0x1C, 0xFFFE);
    Put16(b, 0x1E, 9);
    Put16(b, 0x20, 6);
    Put32(b, 0x2C, 1);
    Put32(b, 0x30, 1);
    Put32(b, 0x38, 4096);
    Put32(b, 0x3C, mini ? 2 : kEnd);
    Put32(b, 0x40, mini ? 1 : 0);
    Put32(b, 0x44, kEnd);
    for (size_t i = 0; i < 109; ++i) Put32(b, 0x4C + i * 4, i == 0 ? 0 : kFree);

    std::vector<uint32_t> fat(kSector / 4, kFree);
    fat[0] = kFatSector;
    fat[1] = kEnd;
    const size_t first = mini ? 3 : 2, count = mini ? containerSectors : dataSectors;
    if (mini) fat[2] = kEnd;
    for (size_t i = 0; i < count; ++i) fat[first + i] = i + 1 < count ? uint32_t(first + i + 1) : kEnd;
    for (size_t i = 0; i < fat.size(); ++i) Put32(b, at(0) + i * 4, fat[i]);

    if (mini) {
        for (size_t i = 0; i < kSector / 4; ++i)
            Put32(b, at(2) + i * 4, i + 1 < miniSectors ? uint32_t(i + 1) : i < miniSectors ? kEnd : kFree);
        std::memcpy(&b[at(3)], summary.data(), summary.size());
        DirectoryEntry(b, at(1), u"Root Entry", 5, 1, 3, uint32_t(miniSectors * kMini));
        DirectoryEntry(b, at(1) + 128, u"\x0005SummaryInformation", 2, kFree, 0, uint32_t(summary.size()));
    } else {
        std::memcpy(&b[at(2)], summary.data(), summary.size());
        DirectoryEntry(b, at(1), u"Root Entry", 5, 1, kEnd, 0);
        DirectoryEntry(b, at(1) + 128, u"\x0005SummaryInformation", 2, kFree, 2, uint32_t(summary.size()));
    }
    return b;
}

#ifdef _WIN32
void MakeCompoundDocument(const std::string& path, const char* application) {
    // {F29F85E0-4FF9-1068-AB91-08002B27B3D9}
    const FMTID summaryInformation = {
        0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}};
    IStorage* storage = nullptr;
    ASSERT_EQ(StgCreateDocfile(ToWide(Utf8ToUtf16(path)).c_str(),
                               STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage),
              S_OK);
    if (application) {
        IPropertySetStorage* sets = nullptr;
        ASSERT_EQ(storage->QueryInterface(IID_IPropertySetStorage, reinterpret_cast<void**>(&sets)),
                  S_OK);
        IPropertyStorage* summary = nullptr;
        ASSERT_EQ(sets->Create(summaryInformation, nullptr, PROPSETFLAG_ANSI,
                               STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, &summary),
                  S_OK);
        PROPSPEC which;
        which.ulKind = PRSPEC_PROPID;
        which.propid = 18;
        PROPVARIANT value;
        PropVariantInit(&value);
        value.vt = VT_LPSTR;
        value.pszVal = const_cast<char*>(application);
        EXPECT_EQ(summary->WriteMultiple(1, &which, &value, 2), S_OK);
        summary->Commit(STGC_DEFAULT);
        summary->Release();
        sets->Release();
    }
    storage->Commit(STGC_DEFAULT);
    storage->Release();
}

std::vector<uint8_t> SystemCompoundDocument(const std::string& appName, const std::string& path) {
    MakeCompoundDocument(path, appName.c_str());
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}
#endif
