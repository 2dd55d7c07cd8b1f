// The text reader over bytes in memory: encodings, line ends, the block
// boundary and files that stop short.
#include <gtest/gtest.h>

#include <string>

#include "text_reader.h"

namespace {

std::u16string ReadText(const std::string& bytes, TextEncoding* encoding = nullptr) {
    MemoryTextSource source(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    TextReaderCore reader(&source, DecodeLatin1);
    if (encoding != nullptr) *encoding = reader.Encoding();
    std::u16string text;
    EXPECT_TRUE(reader.ReadAll(text, u"\r\n"));
    return text;
}

std::string Utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

TEST(TextReader, ReadsEncodingsAndLineEnds) {
    const std::string block(1020, 'x');
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
        TextEncoding encoding;
    } cases[] = {
        {"empty file", "", u"", kTextAnsi},
        {"CR LF", "a\r\nb", u"a\r\nb", kTextAnsi},
        {"LF alone", "a\nb", u"a\r\nb", kTextAnsi},
        {"CR alone", "a\rb", u"a\r\nb", kTextAnsi},
        {"ends in CR LF", "a\r\n", u"a\r\n", kTextAnsi},
        {"blank lines kept", "a\n\n\nb", u"a\r\n\r\n\r\nb", kTextAnsi},
        {"LF CR is two ends", "a\n\rb", u"a\r\n\r\nb", kTextAnsi},
        {"8-bit bytes through the code page", "caf\xE9", u"caf\u00E9", kTextAnsi},
        {"UTF-8 without a mark is 8-bit", "\xC3\xA9", u"\u00C3\u00A9", kTextAnsi},
        {"mark alone", "\xEF\xBB\xBF", u"", kTextUtf8},
        {"UTF-8 two bytes", "\xEF\xBB\xBF\xC3\xA9", u"\u00E9", kTextUtf8},
        {"UTF-8 three bytes", "\xEF\xBB\xBF\xE2\x82\xAC!", u"\u20AC!", kTextUtf8},
        {"UTF-8 four bytes", "\xEF\xBB\xBF\xF0\x9F\x98\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", kTextUtf8},
        {"UTF-8 stray continuation", "\xEF\xBB\xBF" "a\x80" "b", u"a\uFFFDb", kTextUtf8},
        {"UTF-8 lines", "\xEF\xBB\xBF" "a\r\nb\nc", u"a\r\nb\r\nc", kTextUtf8},
        {"half a mark is 8-bit text", "\xEF\xBBx", u"\u00EF\u00BBx", kTextAnsi},
        {"UTF-16 LE", Utf16(u"h\u00E9\r\nw", false), u"h\u00E9\r\nw", kTextUtf16LittleEndian},
        {"UTF-16 BE", Utf16(u"\u20ACa\nb", true), u"\u20ACa\r\nb", kTextUtf16BigEndian},
        {"UTF-16 odd length drops the half", Utf16(u"ab", false) + "c", u"ab", kTextUtf16LittleEndian},
        {"UTF-16 one byte after the mark", "\xFF\xFEz", u"", kTextUtf16LittleEndian},
        {"line across the block boundary", block + "abcdefgh\r\nz", u"" + std::u16string(block.begin(), block.end()) +
                                                                         u"abcdefgh\r\nz",
         kTextAnsi},
        {"CR LF split by the block boundary", std::string(1023, 'y') + "\r\nz",
         std::u16string(1023, u'y') + u"\r\nz", kTextAnsi},
    };
    for (const Case& c : cases) {
        TextEncoding encoding = kTextAnsi;
        EXPECT_EQ(ReadText(c.bytes, &encoding), c.text) << c.name;
        EXPECT_EQ(encoding, c.encoding) << c.name;
    }
}

TEST(TextReader, LongLinesComeBackWhole) {
    // Lines longer than the work buffer and than a block, in both widths.
    for (size_t length : {1022u, 1023u, 1024u, 2047u, 5000u}) {
        std::string line;
        for (size_t n = 0; n < length; ++n) line.push_back(static_cast<char>('a' + n % 26));
        const std::u16string wide(line.begin(), line.end());
        EXPECT_EQ(ReadText(line + "\n" + line), wide + u"\r\n" + wide) << length;
        EXPECT_EQ(ReadText(Utf16(wide + u"\n" + wide, false)), wide + u"\r\n" + wide) << length;
    }
}

TEST(TextReader, ReadsLineByLine) {
    const std::string bytes = "one\r\ntwo\n";
    MemoryTextSource source(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    TextReaderCore reader(&source, DecodeLatin1);
    std::u16string line;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, u"one");
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, u"two");
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, u"");
    EXPECT_TRUE(reader.IsEof());
    EXPECT_FALSE(reader.ReadLine(line));
}

TEST(TextReader, NotOpenReadsNothing) {
    TextReaderCore reader(nullptr, DecodeLatin1);
    std::u16string text = u"left over";
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_TRUE(reader.IsEof());
    EXPECT_FALSE(reader.ReadAll(text, u"\r\n"));
    EXPECT_EQ(text, u"");
}

TEST(TextReader, CharLengthHalvesUtf16) {
    const std::string utf16 = Utf16(u"abc", true), ansi = "abcd";
    MemoryTextSource wide(reinterpret_cast<const uint8_t*>(utf16.data()), utf16.size());
    MemoryTextSource narrow(reinterpret_cast<const uint8_t*>(ansi.data()), ansi.size());
    EXPECT_EQ(TextReaderCore(&wide, DecodeLatin1).GetCharLength(), 4u);
    EXPECT_EQ(TextReaderCore(&narrow, DecodeLatin1).GetCharLength(), 4u);
}

}  // namespace
