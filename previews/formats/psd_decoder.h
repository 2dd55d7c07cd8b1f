// Photoshop files decoded to RGB rows: the header, colour mode data, image
// resources and the merged image data, raw or run-length encoded. Sizes come
// from the file and are checked before anything is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Results of decoding (0 is success, with or without a picture).
enum : int {
    kPsdOk = 0,
    kPsdCannotOpen = -1,
    kPsdBadHeader = -2,
    kPsdBadColourData = -3,
    kPsdBadResources = -4,
    kPsdBadImageData = -6,
    kPsdDepthOne = -7,
    kPsdOtherDepth = -8,
    kPsdNoBitmap = -9,
    kPsdZip = -10,
    kPsdZipPrediction = -11,
    kPsdOtherCompression = -12,
};

constexpr int kPsdMaxSide = 30000;
constexpr int kPsdMaxChannels = 56;
// The largest sample buffer or picture decoded.
constexpr uint64_t kPsdPixelCap = uint64_t(256) << 20;

struct PsdPicture {
    int result = kPsdOk;
    bool hasPicture = false;  // a bitmap was made (it may have stayed white)
    int channels = 0, width = 0, height = 0, depth = 0, mode = 0;
    int indexedColours = -1, transparencyIndex = -1;
    bool hasResolution = false;
    int xPelsPerMeter = 3780, yPelsPerMeter = 3780;
    std::vector<uint8_t> colourData;
    std::vector<uint8_t> rgb;  // rows from the top, red, green and blue per pixel
};

PsdPicture DecodePsd(const uint8_t* data, size_t size, uint64_t pixelCap = kPsdPixelCap);
