#include <windows.h>
#include <objbase.h>
#include <objidl.h>

#include <string>

#include "raw/compound_file.h"
#include "text.h"

namespace {

constexpr PROPID kApplicationName = 18;

// {F29F85E0-4FF9-1068-AB91-08002B27B3D9}
const FMTID kSummaryInformation = {
    0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}};
// {0000013A-0000-0000-C000-000000000046}
const IID kPropertySetStorage = {
    0x0000013A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

std::u16string FromCodePage(const std::string& text) {
    if (text.empty()) return u"";
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return u"";
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
    return FromWide(wide);
}

}  // namespace

std::u16string ReadSummaryAppName(IPropertySetStorage* sets) {
    IPropertyStorage* summary = nullptr;
    if (FAILED(sets->Open(kSummaryInformation, STGM_READ | STGM_SHARE_EXCLUSIVE, &summary)))
        return u"";
    PROPSPEC which;
    which.ulKind = PRSPEC_PROPID;
    which.propid = kApplicationName;
    PROPVARIANT value;
    PropVariantInit(&value);
    std::u16string name;
    if (summary->ReadMultiple(1, &which, &value) == S_OK && value.vt == VT_LPSTR && value.pszVal)
        name = FromCodePage(std::string(value.pszVal) + " (VT_LPSTR)\n");
    PropVariantClear(&value);
    summary->Release();
    return name;
}

std::u16string ReadFileAppName(const std::u16string& path) {
    IStorage* storage = nullptr;
    if (FAILED(StgOpenStorage(ToWide(path).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                              nullptr, 0, &storage)))
        return u"";
    IPropertySetStorage* sets = nullptr;
    std::u16string name;
    if (SUCCEEDED(storage->QueryInterface(kPropertySetStorage, reinterpret_cast<void**>(&sets)))) {
        name = ReadSummaryAppName(sets);
        sets->Release();
    }
    storage->Release();
    return name;
}
