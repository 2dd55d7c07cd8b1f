#include "raw/signature_file.h"

#include <cstdio>

#include "byte_view.h"
#include "platform_files.h"
#include "program_folder.h"
#include "text.h"

std::u16string CategoryName(char category) {
    static const char* const names[] = {
        "Archive Files", "Document Files", "Database Files", "E-mail Files", "Graphics Files",
        "Sound Files",   "Media Files",    "Internet Files", "CAD Files",    "Other Files"};
    if (category >= '0' && category <= '9') return Ascii(names[category - '0']);
    return AnsiToUtf16(std::string(1, category));
}

std::string HexEncode(const void* bytes, size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    const uint8_t* b = static_cast<const uint8_t*>(bytes);
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        text.push_back(digits[b[i] >> 4]);
        text.push_back(digits[b[i] & 15]);
    }
    return text;
}

uint32_t LeadingDecimal(const std::string& text) {
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + uint64_t(c - '0');
        if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
    }
    return uint32_t(value);
}

namespace {

// Reads one length-prefixed field at `offset`; false when it is too long or
// runs past the end.
bool ReadField(ByteView view, size_t& offset, std::string& field) {
    if (!view.Has(offset, 2)) return false;
    size_t length = view.u16(offset);
    if (length > kMaxSignatureField || !view.Has(offset + 2, length)) return false;
    field.assign(reinterpret_cast<const char*>(view.data() + offset + 2), length);
    offset += 2 + length;
    return true;
}

}  // namespace

std::vector<CFileTypeRecord> ParseRawSignatureFile(const uint8_t* data, size_t size) {
    std::vector<CFileTypeRecord> records;
    ByteView view(data, size);
    size_t offset = 0;
    while (offset < size) {
        if (!view.Has(offset, 3)) break;
        char category = char(view.u8(offset + 2));
        size_t at = offset + 3;
        std::string fields[5];
        bool complete = true;
        for (std::string& field : fields)
            if (!(complete = ReadField(view, at, field))) break;
        if (!complete) break;
        CFileTypeRecord record;
        record.index = int(records.size());
        record.category = CategoryName(category);
        record.extension = AnsiToUtf16(fields[0]);
        record.fileType = AnsiToUtf16(fields[1]);
        record.signatureLength = fields[2];
        record.signature = HexEncode(fields[3].data(), fields[3].size());
        record.fifthField = HexEncode(fields[4].data(), fields[4].size());
        records.push_back(std::move(record));
        offset = at;
    }
    return records;
}

bool ReadRawSignatureFile(const std::u16string& path, std::vector<CFileTypeRecord>& records) {
    records.clear();
    std::vector<uint8_t> bytes;
    // A signature file is small; a huge one is not ours, and what fits of a
    // damaged one is kept.
    if (ReadFileBytes(path, 16u << 20, bytes) == FileRead::CannotOpen) return false;
    records = ParseRawSignatureFile(bytes.data(), bytes.size());
    return true;
}
