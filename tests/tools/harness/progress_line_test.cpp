// The harness's progress line, driven with made-up times: quiet for the
// first second and off a terminal, drawn over itself at most ten times a
// second, blanked at the end.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "progress_line.h"

namespace {

using Clock = ProgressLine::Clock;
using std::chrono::milliseconds;

// What was written to the stream so far.
std::string Written(std::FILE* file) {
    std::fflush(file);
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(char(c));
    return text;
}

class ProgressLineTest : public testing::Test {
protected:
    std::FILE* out = std::tmpfile();
    const Clock::time_point start = Clock::now();

    void SetUp() override { ASSERT_NE(out, nullptr); }
    void TearDown() override { std::fclose(out); }
    Clock::time_point At(int ms) const { return start + milliseconds(ms); }
};

TEST_F(ProgressLineTest, DrawsOverItselfOnlyAfterTheFirstSecondAndAtMostTenTimesASecond) {
    struct Step {
        int ms;
        const char* text;
        const char* drawn;  // what this step adds to the stream
    };
    const Step steps[] = {
        {0, "scanning 0%", ""},
        {999, "scanning 9%", ""},
        {1000, "scanning 10% (4 files)", "\rscanning 10% (4 files)"},
        {1050, "scanning 11% (4 files)", ""},  // too soon after the last
        {1100, "scanning 11% (4 files)", "\rscanning 11% (4 files)"},
        {1300, "scanning 11% (4 files)", ""},  // nothing new
        // A shorter text covers what is left of the longer one.
        {1400, "scanning 12%", "\rscanning 12%          "},
    };
    ProgressLine line(out, true, start);
    std::string expected;
    for (const Step& step : steps) {
        line.Show(step.text, At(step.ms));
        expected += step.drawn;
        EXPECT_EQ(Written(out), expected) << "at " << step.ms << " ms";
    }
    line.Clear();
    EXPECT_EQ(Written(out), expected + "\r" + std::string(22, ' ') + "\r");
    line.Clear();
    EXPECT_EQ(Written(out), expected + "\r" + std::string(22, ' ') + "\r") << "cleared twice";
}

TEST_F(ProgressLineTest, DrawsNothingOffATerminal) {
    {
        ProgressLine line(out, false, start);
        EXPECT_FALSE(line.Due(At(5000)));
        line.Show("scanning 50%", At(5000));
        line.Clear();
    }
    EXPECT_EQ(Written(out), "");
}

TEST_F(ProgressLineTest, IsBlankedWhenItEnds) {
    {
        ProgressLine line(out, true, start);
        line.Show("abc", At(2000));
    }
    EXPECT_EQ(Written(out), "\rabc\r   \r");
}

TEST(ProgressText, NamesTheProgramAndHoldsThePercentBetween0And100) {
    EXPECT_EQ(ProgressText("scanning", 42, "3 folders, 7 files"),
              "mulvara-harness: scanning 42% (3 folders, 7 files)");
    EXPECT_EQ(ProgressText("scanning", 130, "x"), "mulvara-harness: scanning 100% (x)");
    EXPECT_EQ(ProgressText("scanning", -1, "x"), "mulvara-harness: scanning 0% (x)");
    EXPECT_EQ(FileCountProgress("recovering", 3, 4),
              "mulvara-harness: recovering 75% (3 of 4 files)");
}

}  // namespace
