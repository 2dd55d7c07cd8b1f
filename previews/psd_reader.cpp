#include "psd_reader.h"

#include <cstdio>
#include <cstring>
#include <vector>

CPsdReader::~CPsdReader() {
    if (m_bitmap && !m_detached) DeleteObject(m_bitmap);
}

int CPsdReader::Load(LPCWSTR path) {
    FILE* file = _wfopen(path, L"rb");
    if (!file) return kPsdCannotOpen;
    std::vector<uint8_t> bytes;
    uint8_t piece[65536];
    size_t count;
    while ((count = fread(piece, 1, sizeof piece, file)) > 0) bytes.insert(bytes.end(), piece, piece + count);
    fclose(file);
    PsdPicture picture = DecodePsd(bytes.data(), bytes.size());
    if (picture.result != kPsdOk || !picture.hasPicture) return picture.result;
    return MakeBitmap(picture);
}

int CPsdReader::MakeBitmap(const PsdPicture& picture) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biXPelsPerMeter = picture.xPelsPerMeter;
    info.bmiHeader.biYPelsPerMeter = picture.yPelsPerMeter;
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !bits) return kPsdNoBitmap;
    // The decoded rows go straight into the bits: the same pixels as setting
    // them one by one, bottom row first, blue before green and red.
    size_t stride = (size_t(picture.width) * 3 + 3) & ~size_t(3);
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* from = picture.rgb.data() + size_t(y) * picture.width * 3;
        uint8_t* to = static_cast<uint8_t*>(bits) + size_t(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            to[x * 3] = from[x * 3 + 2];
            to[x * 3 + 1] = from[x * 3 + 1];
            to[x * 3 + 2] = from[x * 3];
        }
    }
    GdiFlush();
    if (m_bitmap && !m_detached) DeleteObject(m_bitmap);
    m_bitmap = bitmap;
    m_detached = FALSE;
    m_width = picture.width;
    m_height = picture.height;
    return kPsdOk;
}

HBITMAP CPsdReader::DetachBitmap() {
    m_detached = TRUE;
    return m_bitmap;
}
