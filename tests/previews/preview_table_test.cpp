// The preview pane's table of extensions: every extension's row, and the
// ones that look like another row's.
#include <gtest/gtest.h>

#include "preview_table.h"

namespace {

TEST(PreviewTable, EveryExtensionFindsItsRow) {
    const struct {
        PreviewRow row;
        std::vector<const wchar_t*> extensions;
    } rows[] = {
        {kRowImage, {L".png", L".j2k", L".jp2", L".j2c", L".jpc", L".jpeg", L".pcx", L".pnm", L".pgm", L".ppm",
                     L".bmp", L".tga", L".tif", L".tiff", L".jpg"}},
        {kRowPicture, {L".ico", L".emf"}},
        {kRowWeb, {L".gif", L".jdoc", L".xls", L".htm", L".mht"}},
        {kRowHtml, {L".html"}},
        {kRowDocument, {L".pdf", L".rtf", L".doc"}},
        {kRowArchive, {L".zip", L".cab", L".rar"}},
        {kRowPhotoshop, {L".psd"}},
        {kRowVideo, {L".avi"}},
        {kRowMedia, {L".wmv", L".asf", L".wm", L".wma", L".wav", L".snd", L".au", L".aif", L".mpeg", L".mpg",
                     L".m1v", L".mp2", L".mpa", L".mid", L".rmi", L".midi", L".dvr-ms", L".wvx", L".wmx", L".asx",
                     L".mp3", L".dat"}},
        {kRowSlides, {L".ppt"}},
        {kRowDbase, {L".dbf"}},
        {kRowAccess, {L".mdb"}},
        {kRowPlainText, {L".c", L".cpp", L".h", L".hpp", L".txt", L".ini", L".xml"}},
        {kRowDrawing, {L".dxf"}},
        {kRowLargeFile, {L".largefile"}},
    };
    int count = 0;
    for (const auto& row : rows) {
        for (const wchar_t* extension : row.extensions) {
            EXPECT_EQ(FindPreviewRow(extension), row.row) << static_cast<int>(row.row);
            ++count;
        }
    }
    EXPECT_EQ(count, 65);
    EXPECT_EQ(PreviewExtensionCount(), 65);
}

TEST(PreviewTable, NearMissesHaveNoRow) {
    // The table compares exactly: callers lower-case first, and a name
    // without a dot arrives as "." and the whole name.
    for (const wchar_t* extension : {L".GIF", L".XLS", L".Png", L"png", L".readme", L".", L"", L".jpg ", L".htmlx",
                                     L".largefil", L".tar", L".gz", L".docx"})
        EXPECT_EQ(FindPreviewRow(extension), kRowNone) << extension;
    EXPECT_EQ(FindPreviewRow(nullptr), kRowNone);
}

}  // namespace
