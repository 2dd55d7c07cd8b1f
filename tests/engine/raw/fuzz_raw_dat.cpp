// Reads arbitrary bytes as "Raw.dat" and builds the signature list and the
// sector matcher from every record.
#include <cstdint>

#include "raw/file_type_choice.h"
#include "raw/raw_lists.h"
#include "raw/signature_file.h"
#include "raw/signature_match.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FileTypeTree tree;
    for (const CFileTypeRecord& record : ParseRawSignatureFile(data, size)) {
        if (!record.extension.empty()) tree.AddTypeItem(record.category, record.extension);
        tree.AddRecord(record);
    }
    tree.ToggleItemCheck(FileTypeTree::kRoot);
    BuildSignatureList(tree, FileTypeTree::kRoot);
    SignatureMatcher matcher;
    uint8_t sector[512] = {};
    for (size_t i = 0; i < size && i < sizeof sector; ++i) sector[i] = data[i];
    matcher.Match(sector, sizeof sector);
    FreeSignatureList();
    return 0;
}
