// The summary application name through the system's structured storage.
#include <objbase.h>
#include <propidl.h>
#include <windows.h>

#include "files.h"
#include "office_type.h"
#include "text.h"

namespace {

// {0000013A-0000-0000-C000-000000000046}
const IID kPropertySetStorage = {0x0000013A, 0x0000, 0x0000,
                                 {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {F29F85E0-4FF9-1068-AB91-08002B27B3D9}
const FMTID kSummaryInformation = {0xF29F85E0, 0x4FF9, 0x1068,
                                   {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}};
constexpr PROPID kAppName = 18;

std::u16string ReadSummaryAppName(IPropertySetStorage* sets) {
    IPropertyStorage* properties = nullptr;
    if (FAILED(sets->Open(kSummaryInformation, STGM_READ | STGM_SHARE_EXCLUSIVE, &properties)))
        return {};
    PROPSPEC spec;
    spec.ulKind = PRSPEC_PROPID;
    spec.propid = kAppName;
    PROPVARIANT value;
    PropVariantInit(&value);
    std::u16string text;
    if (SUCCEEDED(properties->ReadMultiple(1, &spec, &value)) && value.vt == VT_LPSTR &&
        value.pszVal)
        text = AnsiToUtf16(std::string(value.pszVal) + " (VT_LPSTR)\n");
    PropVariantClear(&value);
    properties->Release();
    return text;
}

}  // namespace

std::u16string ReadFileAppName(const std::u16string& fileName) {
    IStorage* storage = nullptr;
    if (FAILED(StgOpenStorage(ToWide(fileName).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                              nullptr, 0, &storage)))
        return {};
    std::u16string text;
    IPropertySetStorage* sets = nullptr;
    if (SUCCEEDED(storage->QueryInterface(kPropertySetStorage, reinterpret_cast<void**>(&sets)))) {
        text = ReadSummaryAppName(sets);
        sets->Release();
    }
    storage->Release();
    return text;
}
