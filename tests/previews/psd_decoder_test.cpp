// Photoshop files written by the tests: run-length and raw data per colour
// mode, the conversion table, and files whose sizes lie.
#include <gtest/gtest.h>

#include <string>

#include "format_writers.h"
#include "psd_decoder.h"
#include "test_images.h"

namespace {

PsdPicture Decode(const Bytes& file, uint64_t cap = kPsdPixelCap) { return DecodePsd(file.data(), file.size(), cap); }

Bytes Rgb(const PsdPicture& picture, int pixel) {
    return Bytes(picture.rgb.begin() + pixel * 3, picture.rgb.begin() + pixel * 3 + 3);
}

// One channel's samples as literal runs of at most 128 bytes.
Bytes Literal(const Bytes& samples) {
    Bytes out;
    for (size_t at = 0; at < samples.size(); at += 128) {
        size_t run = std::min<size_t>(128, samples.size() - at);
        out.push_back(uint8_t(run - 1));
        out.insert(out.end(), samples.begin() + at, samples.begin() + at + run);
    }
    return out;
}

// Run-length data: the row count table (not read) and each channel's runs.
Bytes RunLength(int channels, int height, const std::vector<Bytes>& runs) {
    Bytes out(size_t(channels) * height * 2, 0);
    for (const Bytes& r : runs) out.insert(out.end(), r.begin(), r.end());
    return out;
}

TEST(PsdDecoder, DecodesRunsOfEachKind) {
    PsdFixture psd;
    psd.channels = 1, psd.mode = 1, psd.width = 258, psd.height = 1, psd.compression = 1;
    Bytes runs = {255, 10, 129, 20, 128, 127};  // 128 is no run at all
    for (int i = 0; i < 128; ++i) runs.push_back(uint8_t(i));
    psd.imageData = RunLength(1, 1, {runs});
    PsdPicture picture = Decode(MakePsd(psd));
    ASSERT_EQ(picture.result, kPsdOk);
    ASSERT_TRUE(picture.hasPicture);
    EXPECT_EQ(Rgb(picture, 0), Bytes({10, 10, 10}));
    EXPECT_EQ(Rgb(picture, 1), Bytes({10, 10, 10}));
    EXPECT_EQ(Rgb(picture, 2), Bytes({20, 20, 20}));
    EXPECT_EQ(Rgb(picture, 129), Bytes({20, 20, 20}));
    EXPECT_EQ(Rgb(picture, 130), Bytes({0, 0, 0}));
    EXPECT_EQ(Rgb(picture, 257), Bytes({127, 127, 127}));
}

TEST(PsdDecoder, RgbWithAlphaShowsOnlyWhenRunLengthEncoded) {
    Bytes red = {200, 201}, green = {100, 101}, blue = {50, 51}, alpha = {255, 0};
    PsdFixture raw;
    raw.channels = 4;
    for (const Bytes& plane : {red, green, blue, alpha}) raw.imageData.insert(raw.imageData.end(), plane.begin(), plane.end());
    PsdPicture rawPicture = Decode(MakePsd(raw));
    EXPECT_EQ(rawPicture.result, kPsdOk);
    EXPECT_FALSE(rawPicture.hasPicture);

    PsdFixture packed = raw;
    packed.compression = 1;
    packed.imageData = RunLength(4, 1, {Literal(red), Literal(green), Literal(blue), Literal(alpha)});
    PsdPicture picture = Decode(MakePsd(packed));
    ASSERT_TRUE(picture.hasPicture);
    EXPECT_EQ(Rgb(picture, 0), Bytes({200, 100, 50}));
    EXPECT_EQ(Rgb(picture, 1), Bytes({201, 101, 51}));

    PsdFixture three = raw;
    three.channels = 3;
    three.imageData.resize(6);
    PsdPicture rgb = Decode(MakePsd(three));
    ASSERT_TRUE(rgb.hasPicture);
    EXPECT_EQ(Rgb(rgb, 1), Bytes({201, 101, 51}));
}

TEST(PsdDecoder, ConvertsEachColourMode) {
    struct Case {
        const char* what;
        int mode, channels, depth, compression;
        Bytes data;
        Bytes colour;
    } cases[] = {
        {"16-bit gray takes the high byte", 1, 1, 16, 0, {171, 3}, {171, 171, 171}},
        {"16-bit gray, run-length", 1, 1, 16, 1, {0, 0, 1, 171, 99}, {171, 171, 171}},
        {"duotone as gray", 8, 1, 8, 0, {77}, {77, 77, 77}},
        {"16-bit RGB raw", 3, 3, 16, 0, {10, 1, 20, 2, 30, 3}, {10, 20, 30}},
        {"CMYK all 255: each ink 1/256", 4, 4, 8, 0, {255, 255, 255, 255}, {253, 253, 253}},
        {"CMYK no black, full cyan", 4, 4, 8, 0, {0, 255, 255, 255}, {0, 253, 253}},
        {"multichannel without black", 7, 3, 8, 1,
         {0, 0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 255}, {254, 254, 254}},
        {"Lab middle gray", 9, 3, 8, 0, {128, 128, 128}, {119, 119, 119}},
        {"Lab black", 9, 3, 8, 0, {0, 128, 128}, {0, 0, 0}},
        {"bitmap mode draws nothing", 0, 1, 8, 1, {0, 0, 0, 5}, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        PsdFixture psd;
        psd.mode = c.mode, psd.channels = c.channels, psd.depth = c.depth, psd.compression = c.compression;
        psd.width = 1, psd.height = 1;
        psd.imageData = c.data;
        PsdPicture picture = Decode(MakePsd(psd));
        ASSERT_EQ(picture.result, kPsdOk) << c.what;
        ASSERT_TRUE(picture.hasPicture) << c.what;
        EXPECT_EQ(Rgb(picture, 0), c.colour) << c.what;
    }
}

TEST(PsdDecoder, IndexedColoursNeedTheirCountAndTable) {
    PsdFixture psd;
    psd.mode = 2, psd.channels = 1, psd.width = 2;
    psd.colourData.assign(768, 0);
    psd.colourData[3] = 90, psd.colourData[256 + 3] = 80, psd.colourData[512 + 3] = 70;
    psd.imageData = {3, 0};
    PsdPicture white = Decode(MakePsd(psd));
    ASSERT_TRUE(white.hasPicture);
    EXPECT_EQ(Rgb(white, 0), Bytes({255, 255, 255})) << "without resource 1046";

    psd.resources = ResourceBlock(1046, {0, 4});
    PsdPicture picture = Decode(MakePsd(psd));
    EXPECT_EQ(picture.indexedColours, 4);
    EXPECT_EQ(Rgb(picture, 0), Bytes({90, 80, 70}));
    EXPECT_EQ(Rgb(picture, 1), Bytes({0, 0, 0}));
}

TEST(PsdDecoder, ReadsResourcesAndStepsOverForeignBlocks) {
    PsdFixture psd;
    psd.imageData.assign(6, 1);
    Bytes resolution;
    PutBe(resolution, 72, 2), PutBe(resolution, 0, 4), PutBe(resolution, 1, 2);
    PutBe(resolution, 300, 2), PutBe(resolution, 0, 4), PutBe(resolution, 1, 2);
    psd.resources = {'j', 'u', 'n', 'k'};
    for (const Bytes& block : {ResourceBlock(1005, resolution), ResourceBlock(1036, Bytes(40, 9)),
                               ResourceBlock(2000, {1, 2, 3})})
        psd.resources.insert(psd.resources.end(), block.begin(), block.end());
    PsdPicture picture = Decode(MakePsd(psd));
    ASSERT_EQ(picture.result, kPsdOk);
    EXPECT_TRUE(picture.hasResolution);
    EXPECT_EQ(picture.xPelsPerMeter, 2834);
    EXPECT_EQ(picture.yPelsPerMeter, 11811);

    PsdFixture plain;
    plain.imageData.assign(6, 1);
    EXPECT_EQ(Decode(MakePsd(plain)).xPelsPerMeter, 3780);
}

TEST(PsdDecoder, ReportsEachFailure) {
    struct Case {
        const char* what;
        PsdFixture psd;
        int patchOffset, patchValue;
        int result;
    };
    PsdFixture base;
    base.imageData.assign(6, 1);
    auto with = [&](auto change) { PsdFixture p = base; change(p); return p; };
    Case cases[] = {
        {"version 2", base, 5, 2, kPsdBadHeader},
        {"signature", base, 0, 'X', kPsdBadHeader},
        {"reserved byte", base, 9, 1, kPsdBadHeader},
        {"no channels", base, 13, 0, kPsdBadHeader},
        {"57 channels", base, 13, 57, kPsdBadHeader},
        {"width 0", base, 21, 0, kPsdBadHeader},
        {"depth 1", with([](PsdFixture& p) { p.depth = 1; }), -1, 0, kPsdDepthOne},
        {"depth 32", with([](PsdFixture& p) { p.depth = 32; p.imageData.assign(24, 1); }), -1, 0, kPsdOtherDepth},
        {"zip", with([](PsdFixture& p) { p.compression = 2; }), -1, 0, kPsdZip},
        {"zip with prediction", with([](PsdFixture& p) { p.compression = 3; }), -1, 0, kPsdZipPrediction},
        {"other compression", with([](PsdFixture& p) { p.compression = 9; }), -1, 0, kPsdOtherCompression},
        // fault: lengths that run past the file fail their step
        {"colour data past the file", base, 29, 0x7F, kPsdBadColourData},
        {"resources past the file", base, 33, 0x7F, kPsdBadResources},
        {"resource block past the file",
         with([](PsdFixture& p) { p.resources = ResourceBlock(1036, Bytes(40, 9)); p.resources[11] = 0x7F; }),
         -1, 0, kPsdBadResources},
        {"raw data past the file", with([](PsdFixture& p) { p.imageData.resize(5); }), -1, 0, kPsdBadImageData},
    };
    for (Case& c : cases) {
        Bytes file = MakePsd(c.psd);
        if (c.patchOffset >= 0) file[size_t(c.patchOffset)] = uint8_t(c.patchValue);
        PsdPicture picture = Decode(file);
        EXPECT_EQ(picture.result, c.result) << c.what;
        EXPECT_FALSE(picture.hasPicture) << c.what;
    }
}

// fault: the sizes in the header never reach an allocation unchecked.
TEST(PsdDecoder, RefusesHugeSizesBeforeAllocating) {
    PsdFixture psd;
    psd.width = 30001;
    EXPECT_EQ(Decode(MakePsd(psd)).result, kPsdBadHeader);
    psd.width = 30000, psd.height = 30000, psd.channels = 56, psd.depth = 16, psd.compression = 1;
    EXPECT_EQ(Decode(MakePsd(psd)).result, kPsdBadImageData);
    psd.channels = 3, psd.depth = 8, psd.width = 3000, psd.height = 3000;
    EXPECT_EQ(Decode(MakePsd(psd), 1 << 20).result, kPsdBadImageData);
}

// fault: a mode lacking the channels its colours need gives no picture.
TEST(PsdDecoder, ModesWithTooFewChannelsGiveNoPicture) {
    struct Case {
        int mode, channels, compression;
    } cases[] = {{3, 1, 0}, {3, 2, 1}, {4, 3, 0}, {4, 3, 1}, {9, 2, 1}, {7, 2, 1}};
    for (const Case& c : cases) {
        PsdFixture psd;
        psd.mode = c.mode, psd.channels = c.channels, psd.compression = c.compression;
        psd.imageData.assign(64, 7);
        PsdPicture picture = Decode(MakePsd(psd));
        EXPECT_EQ(picture.result, kPsdOk) << c.mode << "/" << c.channels;
        EXPECT_FALSE(picture.hasPicture) << c.mode << "/" << c.channels;
    }
}

// fault: runs are cut at their channel's end and at the end of the file;
// what is not decoded keeps 0xFE.
TEST(PsdDecoder, CutsRunsAtTheChannelAndFileEnds) {
    PsdFixture psd;
    psd.mode = 3, psd.channels = 3, psd.width = 4, psd.height = 1, psd.compression = 1;
    // Red: a repeat of 128 into 4 samples; green: a copy of 128 with 2 bytes;
    // blue: nothing left.
    psd.imageData = RunLength(3, 1, {{129, 40}, {127, 60, 61}});
    PsdPicture picture = Decode(MakePsd(psd));
    ASSERT_TRUE(picture.hasPicture);
    EXPECT_EQ(Rgb(picture, 0), Bytes({40, 60, 0xFE}));
    EXPECT_EQ(Rgb(picture, 1), Bytes({40, 61, 0xFE}));
    EXPECT_EQ(Rgb(picture, 3), Bytes({40, 0xFE, 0xFE}));

    // A copy run crossing into the next channel is cut there: the next
    // channel starts after the whole run.
    psd.imageData = RunLength(3, 1, {{5, 1, 2, 3, 4, 8, 9}, {131, 70}, {131, 80}});
    picture = Decode(MakePsd(psd));
    EXPECT_EQ(Rgb(picture, 3), Bytes({4, 70, 80}));
}

// fault: 16-bit run-length samples are taken at byte i x 2 of each channel.
TEST(PsdDecoder, SixteenBitRunLengthSamples) {
    PsdFixture psd;
    psd.mode = 3, psd.channels = 3, psd.depth = 16, psd.width = 2, psd.height = 1, psd.compression = 1;
    psd.imageData = RunLength(3, 1, {{3, 11, 0, 12, 0}, {3, 21, 0, 22, 0}, {3, 31, 0, 32, 0}});
    PsdPicture picture = Decode(MakePsd(psd));
    ASSERT_TRUE(picture.hasPicture);
    EXPECT_EQ(Rgb(picture, 0), Bytes({11, 21, 31}));
    EXPECT_EQ(Rgb(picture, 1), Bytes({12, 22, 32}));
}

}  // namespace
