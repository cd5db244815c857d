#include "editor/PadNumberEntry.h"

#include <gtest/gtest.h>

namespace korvo {
namespace {

NoteNames Names(int count)
{
    NoteNames names;
    for (int n = 0; n < count; ++n)
        names.push_back("N" + std::to_string(n));
    return names;
}

struct StepCase {
    const char* text;
    int mode;
    int step;
    const char* expected;
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << '"' << c.text << "\" mode " << c.mode << " step " << c.step;
}

class PadStep : public testing::TestWithParam<StepCase> {};

TEST_P(PadStep, Steps)
{
    const auto& c = GetParam();
    EXPECT_EQ(StepPadNumber(c.text, c.mode, c.step, Names(128)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PadStep,
    testing::Values(StepCase{"127", 1, +1, "127"}, StepCase{"0", 1, -1, "0"}, StepCase{"abc", 1, +1, "1"},
                    StepCase{"abc", 1, -1, "0"}, StepCase{"300", 1, +1, "127"}, StepCase{"300", 1, -1, "127"},
                    StepCase{"$7F", 1, -1, "126"}, StepCase{"-5", 1, +1, "0"}, StepCase{"N119", 2, +1, "N119"},
                    StepCase{"N0", 2, -1, "N0"}, StepCase{"n60", 2, +1, "N61"}, StepCase{"???", 2, +1, "N0"},
                    StepCase{"???", 2, -1, "N0"}, StepCase{"N5", 0, +1, ""}, StepCase{"N5", -1, -1, ""},
                    StepCase{"N5", 3, +1, ""}));

TEST(PadNumberEntry, ShortNoteListShowsNumbersInsteadOfFailing)
{
    const NoteNames few = Names(10);
    EXPECT_EQ(StepPadNumber("N9", 2, +1, few), "10");
    EXPECT_EQ(PadNumberText(200, 2, few), "200");
    EXPECT_EQ(PadNumberText(-3, 2, few), "-3");
    EXPECT_EQ(PadNumberText(4, 2, few), "N4");
    EXPECT_EQ(PadNumberText(4, 1, few), "4");
    EXPECT_EQ(PadNumberText(4, 0, few), "");
}

TEST(PadNumberEntry, ReadBackNeverChangesAShownNumber)
{
    const NoteNames notes = Names(128);
    EXPECT_EQ(ReadPadNumber(" 300 ", 1, notes), 300);
    EXPECT_EQ(ReadPadNumber("$7F", 1, notes), 127);
    EXPECT_EQ(ReadPadNumber("C4", 1, notes), 0);
    EXPECT_EQ(ReadPadNumber("n60", 2, notes), 60);
    EXPECT_EQ(ReadPadNumber("N6", 2, notes), 6); // a partial name that is a name
    EXPECT_EQ(ReadPadNumber("NX", 2, notes), 0);
    EXPECT_EQ(ReadPadNumber("", 2, notes), 0);
    // Numbers the note list does not name come back as themselves.
    for (int n : {-3, 128, 200})
        EXPECT_EQ(ReadPadNumber(PadNumberText(n, 2, notes), 2, notes), n);
}

} // namespace
} // namespace korvo
