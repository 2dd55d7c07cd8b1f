// libFuzzer target for one MFT record as a disk holds it: the fixups, the
// attribute walk, the names by namespace, the attribute list, the $DATA size
// and the run list of every non-resident attribute. The whole input also
// goes through the fixups, as an index buffer of up to 64 KiB does.
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine_state.h"
#include "ntfs/ntfs_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> buffer(data, data + size);
    ApplyFixups(buffer.data(), buffer.size());

    uint8_t record[kMftRecordSize] = {};
    std::memcpy(record, data, size < sizeof record ? size : sizeof record);
    ApplyFixups(record, sizeof record);
    IsFileRecord(record);

    FileNameValue name;
    FindPreferredFileName(record, name);
    AttributeListCount = 1;
    CollectAttributeList(record);
    uint64_t dataSize = 0;
    FindDataSize(0, dataSize, record, 0);
    size_t dataOffset = 0;
    if (LocateDataAttribute(record, dataOffset) == 2)
        BuildDataRunList(sizeof record, record, dataOffset);
    FreeDataRunList();

    ForEachAttribute(ByteView(record, sizeof record), [](const Attribute& a) {
        a.ResidentValue();
        std::vector<DataRun> runs;
        if (a.nonResident()) DecodeRunList(a.bytes, a.bytes.u16(32), runs);
        return true;
    });
    return 0;
}
