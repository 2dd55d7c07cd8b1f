// Photoshop files made into a 24-bit bottom-up DIB section.
#pragma once

#include <windows.h>

#include "psd_decoder.h"

class CPsdReader {
public:
    ~CPsdReader();
    // 0 on success (with or without a picture) or a negative code.
    int Load(LPCWSTR path);
    // The DIB, from now on the caller's to delete.
    HBITMAP DetachBitmap();
    HBITMAP GetBitmap() const { return m_bitmap; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }

private:
    int MakeBitmap(const PsdPicture& picture);

    HBITMAP m_bitmap = nullptr;
    BOOL m_detached = FALSE;
    int m_width = -1, m_height = -1;
};
