// Which viewer the preview pane picks for a lower-case extension (with its
// dot): the rows in the order they are tested, the first match deciding.
#pragma once

enum PreviewRow {
    kRowNone = 0,
    kRowImage = 1,
    kRowPicture = 2,
    kRowWeb = 3,
    kRowHtml = 4,
    kRowDocument = 5,
    kRowArchive = 6,
    kRowPhotoshop = 7,
    kRowVideo = 8,
    kRowMedia = 9,
    kRowSlides = 10,
    kRowDbase = 11,
    kRowAccess = 12,
    kRowPlainText = 13,
    kRowDrawing = 14,
    kRowLargeFile = 15,
};

// The row of an extension compared exactly, kRowNone when no row has it.
PreviewRow FindPreviewRow(const wchar_t* extension);
// How many extensions the rows hold together.
int PreviewExtensionCount();
