#include "preview_table.h"

#include <cwchar>

namespace {

struct Row {
    PreviewRow row;
    const wchar_t* extensions[23];  // up to a null
};

const Row kRows[] = {
    {kRowImage, {L".png", L".j2k", L".jp2", L".j2c", L".jpc", L".jpeg", L".pcx", L".pnm", L".pgm", L".ppm", L".bmp",
                 L".tga", L".tif", L".tiff", L".jpg"}},
    {kRowPicture, {L".ico", L".emf"}},
    {kRowWeb, {L".gif", L".jdoc", L".xls", L".htm", L".mht"}},
    {kRowHtml, {L".html"}},
    {kRowDocument, {L".pdf", L".rtf", L".doc"}},
    {kRowArchive, {L".zip", L".cab", L".rar"}},
    {kRowPhotoshop, {L".psd"}},
    {kRowVideo, {L".avi"}},
    {kRowMedia, {L".wmv", L".asf", L".wm", L".wma", L".wav", L".snd", L".au", L".aif", L".mpeg", L".mpg", L".m1v",
                 L".mp2", L".mpa", L".mid", L".rmi", L".midi", L".dvr-ms", L".wvx", L".wmx", L".asx", L".mp3", L".dat"}},
    {kRowSlides, {L".ppt"}},
    {kRowDbase, {L".dbf"}},
    {kRowAccess, {L".mdb"}},
    {kRowPlainText, {L".c", L".cpp", L".h", L".hpp", L".txt", L".ini", L".xml"}},
    {kRowDrawing, {L".dxf"}},
    {kRowLargeFile, {L".largefile"}},
};

}  // namespace

PreviewRow FindPreviewRow(const wchar_t* extension) {
    if (extension == nullptr) return kRowNone;
    for (const Row& row : kRows)
        for (const wchar_t* const* name = row.extensions; *name != nullptr; ++name)
            if (std::wcscmp(*name, extension) == 0) return row.row;
    return kRowNone;
}

int PreviewExtensionCount() {
    int count = 0;
    for (const Row& row : kRows)
        for (const wchar_t* const* name = row.extensions; *name != nullptr; ++name) ++count;
    return count;
}
