#include "psd_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr size_t kHeaderSize = 26;
constexpr uint8_t kFill = 0xFE;  // what samples the data does not cover hold

enum Mode { kBitmap = 0, kGray = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kMultichannel = 7, kDuotone = 8, kLab = 9 };

// Big-endian reads from the file, never past its end.
struct Cursor {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    size_t Left() const { return size - at; }
    bool Has(uint64_t n) const { return n <= Left(); }
    uint32_t Take(int width) {
        uint32_t value = 0;
        for (int i = 0; i < width; ++i) value = value << 8 | data[at++];
        return value;
    }
    void Skip(uint64_t n) { at += size_t(std::min<uint64_t>(n, Left())); }
};

uint32_t BigEndian(const uint8_t* bytes, int width) {
    uint32_t value = 0;
    for (int i = 0; i < width; ++i) value = value << 8 | bytes[i];
    return value;
}

bool ReadHeader(Cursor& in, PsdPicture& picture) {
    if (!in.Has(kHeaderSize)) return false;
    const uint8_t* h = in.data;
    if (memcmp(h, "8BPS", 4) != 0 || BigEndian(h + 4, 2) != 1) return false;
    for (int i = 6; i < 12; ++i)
        if (h[i]) return false;
    picture.channels = int(BigEndian(h + 12, 2));
    uint32_t height = BigEndian(h + 14, 4), width = BigEndian(h + 18, 4);
    picture.depth = int(BigEndian(h + 22, 2));
    picture.mode = int(BigEndian(h + 24, 2));
    if (picture.channels < 1 || picture.channels > kPsdMaxChannels) return false;
    if (width < 1 || width > kPsdMaxSide || height < 1 || height > kPsdMaxSide) return false;
    picture.width = int(width);
    picture.height = int(height);
    in.at = kHeaderSize;
    return true;
}

bool ReadColourData(Cursor& in, PsdPicture& picture) {
    if (!in.Has(4)) return false;
    int32_t length = int32_t(in.Take(4));
    if (length <= 0) return true;
    if (!in.Has(uint32_t(length))) return false;
    picture.colourData.assign(in.data + in.at, in.data + in.at + length);
    in.at += size_t(length);
    return true;
}

// Reads the fields of one resource block that the picture uses.
void ReadResource(unsigned id, const uint8_t* block, size_t size, PsdPicture& picture) {
    switch (id) {
    case 1005:
        if (size >= 16) {
            picture.hasResolution = true;
            picture.xPelsPerMeter = int(uint64_t(BigEndian(block, 2)) * 10000 / 254);
            picture.yPelsPerMeter = int(uint64_t(BigEndian(block + 8, 2)) * 10000 / 254);
        }
        break;
    case 1046:
        if (size >= 2) picture.indexedColours = int(BigEndian(block, 2));
        break;
    case 1047:
        if (size >= 2) picture.transparencyIndex = int(BigEndian(block, 2));
        break;
    }
}

bool ReadResources(Cursor& in, PsdPicture& picture) {
    if (!in.Has(4)) return false;
    uint64_t total = in.Take(4), consumed = 0;
    while (consumed < total && in.Has(4)) {
        bool ours = memcmp(in.data + in.at, "8BIM", 4) == 0;
        in.at += 4;
        consumed += 4;
        if (!ours) continue;  // the next four bytes are taken as a signature
        if (!in.Has(3)) return false;
        unsigned id = in.Take(2);
        unsigned nameLength = in.Take(1);
        uint64_t nameField = nameLength + (nameLength % 2 == 0 ? 1 : 0);
        if (!in.Has(nameField + 4)) return false;
        in.at += size_t(nameField);
        uint64_t size = in.Take(4);
        size += size & 1;
        consumed += 3 + nameField + 4 + size;
        if (!in.Has(size)) return false;
        ReadResource(id, in.data + in.at, size_t(size), picture);
        in.at += size_t(size);
    }
    return consumed == total;
}

// PackBits runs into one channel's slice, each run cut at the slice's end
// and at the end of the file.
void UnpackChannel(Cursor& in, uint8_t* slice, size_t sliceSize) {
    size_t filled = 0;
    while (filled < sliceSize && in.Has(1)) {
        unsigned n = in.Take(1);
        if (n < 128) {
            size_t run = n + 1, available = std::min(run, in.Left());
            size_t copied = std::min(available, sliceSize - filled);
            memcpy(slice + filled, in.data + in.at, copied);
            filled += copied;
            in.at += available;
        } else if (n > 128) {
            if (!in.Has(1)) break;
            uint8_t value = uint8_t(in.Take(1));
            size_t run = std::min<size_t>(257 - n, sliceSize - filled);
            memset(slice + filled, value, run);
            filled += run;
        }
    }
}

struct Samples {
    std::vector<uint8_t> bytes;
    int perPixel = 1;  // samples per pixel
    int width = 1;     // bytes per sample
};

int Channels(int mode) {
    switch (mode) {
    case kRgb: case kLab: case kMultichannel: return 3;
    case kCmyk: return 4;
    default: return 1;
    }
}

double Ink(uint32_t value, double scale) { return 1.0 - value / scale; }

uint8_t Clamp(double value) {
    if (!(value > 0)) return 0;
    return value >= 255 ? 255 : uint8_t(value);
}

uint8_t FromCmyk(double ink, double black) {
    return Clamp(std::floor((1.0 - (black + (1.0 - black) * ink)) * 255.0 + 0.5));
}

void LabToRgb(int lightness, int a, int b, uint8_t* rgb) {
    double fy = (lightness + 16) / 116.0;
    double f[3] = {fy + a * 0.002, fy, fy - b * 0.005};
    double white[3] = {95.047, 100.0, 108.883};
    double xyz[3];
    for (int i = 0; i < 3; ++i) {
        double cube = f[i] * f[i] * f[i];
        xyz[i] = white[i] * (cube > 0.008856 ? cube : (f[i] - 16.0 / 116.0) / 7.787) * 0.01;
    }
    double linear[3] = {
        3.2406 * xyz[0] - 1.5372 * xyz[1] - 0.4986 * xyz[2],
        -0.9689 * xyz[0] + 1.8758 * xyz[1] + 0.0415 * xyz[2],
        0.0557 * xyz[0] - 0.2040 * xyz[1] + 1.0570 * xyz[2],
    };
    for (int i = 0; i < 3; ++i) {
        double v = linear[i];
        v = v > 0.0031308 ? 1.055 * std::pow(v, 1 / 2.4) - 0.055 : 12.92 * v;
        double scaled = std::trunc(v * 256);
        rgb[i] = scaled < 0 ? 0 : scaled > 255 ? 255 : uint8_t(scaled);
    }
}

void Convert(const Samples& samples, PsdPicture& picture) {
    size_t pixels = size_t(picture.width) * size_t(picture.height);
    double scale = std::pow(2.0, picture.depth);
    int c = picture.channels;
    bool palette = picture.colourData.size() == 768 && picture.indexedColours > 0;
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* pixel = samples.bytes.data() + i * samples.perPixel * samples.width;
        auto v = [&](int k) { return BigEndian(pixel + k * samples.width, samples.width); };
        auto high = [&](int k) { return pixel[k * samples.width]; };
        uint8_t* out = picture.rgb.data() + i * 3;
        switch (picture.mode) {
        case kGray:
        case kDuotone:
            out[0] = out[1] = out[2] = high(0);
            break;
        case kIndexed:
            if (palette) {
                uint8_t index = pixel[0];
                for (int k = 0; k < 3; ++k) out[k] = picture.colourData[size_t(k) * 256 + index];
            }
            break;
        case kRgb:
            for (int k = 0; k < 3; ++k) out[k] = high(k);
            break;
        case kCmyk:
        case kMultichannel: {
            double black = picture.mode == kCmyk || c >= 4 ? Ink(v(3), scale) : 0.0;
            for (int k = 0; k < 3; ++k) out[k] = FromCmyk(Ink(v(k), scale), black);
            break;
        }
        case kLab: {
            int lightness = int(v(0) / (scale * 0.01));
            int a = int(v(1) / (scale / 256) - 128), b = int(v(2) / (scale / 256) - 128);
            LabToRgb(lightness, a, b, out);
            break;
        }
        }
    }
}

// Makes the white picture and draws the samples into it.
int MakePicture(const Samples& samples, PsdPicture& picture) {
    if (picture.depth == 1) return kPsdDepthOne;
    if (picture.depth != 8 && picture.depth != 16) return kPsdOtherDepth;
    try {
        picture.rgb.assign(size_t(picture.width) * size_t(picture.height) * 3, 0xFF);
    } catch (const std::bad_alloc&) {
        return kPsdNoBitmap;
    }
    picture.hasPicture = true;
    Convert(samples, picture);
    return kPsdOk;
}

int ReadImageData(Cursor& in, PsdPicture& picture, uint64_t pixelCap) {
    if (!in.Has(2)) return kPsdBadImageData;
    unsigned compression = in.Take(2);
    if (compression == 2) return kPsdZip;
    if (compression == 3) return kPsdZipPrediction;
    if (compression > 1) return kPsdOtherCompression;

    uint64_t w = uint64_t(picture.width), h = uint64_t(picture.height), c = uint64_t(picture.channels);
    int b = picture.depth / 8;
    uint64_t pixels = w * h, plane = pixels * uint64_t(b), total = plane * c;
    if (total > pixelCap || pixels * 3 > pixelCap) return kPsdBadImageData;
    if (b == 0) return MakePicture(Samples(), picture);  // depth checks alone
    // A mode that lacks the channels its colours need gives no picture.
    if (picture.channels < Channels(picture.mode)) return kPsdOk;

    Samples samples;
    try {
        if (compression == 0) {
            if (!in.Has(total)) return kPsdBadImageData;
            const uint8_t* planes = in.data + in.at;
            switch (picture.mode) {
            case kGray: case kIndexed: case kDuotone:
                // Planar: the first channel's samples come first.
                samples.bytes.assign(planes, planes + total);
                samples.width = b;
                break;
            case kRgb:
                // Only the first three channels are read, so only a file of
                // three channels fills the buffer.
                if (c != 3) return kPsdOk;
                samples.bytes.resize(pixels * 3);
                samples.perPixel = 3;
                for (uint64_t i = 0; i < pixels; ++i)
                    for (int k = 0; k < 3; ++k) samples.bytes[i * 3 + k] = planes[k * plane + i * b];
                break;
            case kCmyk:
            case kLab: {
                int read = picture.mode == kCmyk ? int(c) : 3;
                if (uint64_t(read) != c) return kPsdOk;
                samples.bytes.resize(total);
                samples.perPixel = read;
                samples.width = b;
                for (uint64_t i = 0; i < pixels; ++i)
                    for (int k = 0; k < read; ++k)
                        memcpy(&samples.bytes[(i * read + k) * b], planes + k * plane + i * b, size_t(b));
                break;
            }
            default:
                return kPsdOk;  // not read raw: no picture
            }
            in.at += size_t(total);
        } else {
            in.Skip(c * h * 2);  // the row byte counts
            std::vector<uint8_t> slice(plane);
            samples.bytes.assign(total, kFill);
            samples.perPixel = int(c);
            samples.width = b;
            for (uint64_t k = 0; k < c; ++k) {
                std::fill(slice.begin(), slice.end(), kFill);
                UnpackChannel(in, slice.data(), slice.size());
                for (uint64_t i = 0; i < pixels; ++i)
                    memcpy(&samples.bytes[(i * c + k) * b], &slice[i * b], size_t(b));
            }
        }
    } catch (const std::bad_alloc&) {
        return kPsdBadImageData;
    }
    return MakePicture(samples, picture);
}

}  // namespace

PsdPicture DecodePsd(const uint8_t* data, size_t size, uint64_t pixelCap) {
    PsdPicture picture;
    Cursor in{data, size};
    if (!ReadHeader(in, picture)) {
        picture.result = kPsdBadHeader;
    } else if (!ReadColourData(in, picture)) {
        picture.result = kPsdBadColourData;
    } else if (!ReadResources(in, picture)) {
        picture.result = kPsdBadResources;
    } else {
        if (in.Has(4)) in.Skip(in.Take(4));  // layers and masks: not used
        else in.Skip(in.Left());
        picture.result = ReadImageData(in, picture, pixelCap);
    }
    if (picture.result != kPsdOk) {
        picture.hasPicture = false;
        picture.rgb.clear();
    }
    return picture;
}
