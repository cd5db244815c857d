#include "editor/OverviewTexts.h"

#include <array>
#include <gtest/gtest.h>

namespace korvo {
namespace {

// One scene with a control of each interesting shape.
TSceneRecord SampleScene()
{
    TSceneRecord r{};
    r.KonbEnable[0] = 1, r.KonbCCNumber[0] = 74, r.KonbURValue[0] = 100, r.KonbLLValue[0] = 5;
    r.KonbEnable[1] = 0, r.KonbCCNumber[1] = 75;
    r.SliderEnable[0] = 1, r.SliderCCNumber[0] = 7, r.SliderURValue[0] = 120, r.SliderLLValue[0] = -3;
    r.PadAssignType[0] = 1, r.PadCCNumber[0] = 20, r.PadONValue[0] = 110, r.PadOFFValue[0] = 3;
    r.PadBehavior[0] = 1, r.PadMIDICh[0] = 16;
    r.PadAssignType[1] = 2, r.PadCCNumber[1] = 2, r.PadMIDICh[1] = 9;
    r.PadAssignType[2] = 0, r.PadMIDICh[2] = 16;
    r.PadAssignType[3] = 2, r.PadCCNumber[3] = 200, r.PadBehavior[3] = 7, r.PadMIDICh[3] = 40;
    r.KeyAssignType[0] = 1, r.KeyCCNumber[0] = 48, r.KeyONValue[0] = 127, r.KeyOFFValue[0] = 0, r.KeyBehavior[0] = 0;
    r.KeyAssignType[1] = 0;
    r.KeyAssignType[2] = 3, r.KeyBehavior[2] = 1;
    return r;
}

struct ModeRow {
    int mode;
    // knob 1 (on), knob 2 (off), slider 1, pad 1 (CC), pad 2 (Note), pad 3 (none),
    // pad 4 (Note 200, unnamed), key 1 (on), key 2 (off), key 3 (assign 3)
    std::array<const char*, 10> texts;
};

void PrintTo(const ModeRow& row, std::ostream* os)
{
    *os << "mode " << row.mode;
}

class OverviewModes : public testing::TestWithParam<ModeRow> {};

TEST_P(OverviewModes, TextsOfEveryKind)
{
    const TSceneRecord r = SampleScene();
    const NoteNames notes{"C-1", "C#-1", "D-1"};
    const auto m = static_cast<DisplayMode>(GetParam().mode);
    const std::array<std::string, 10> actual = {
        KnobText(r, m, 0),          KnobText(r, m, 1),          SliderText(r, m, 0),
        PadText(r, m, 0, notes),    PadText(r, m, 1, notes),    PadText(r, m, 2, notes),
        PadText(r, m, 3, notes),    KeyText(r, m, 0),           KeyText(r, m, 1),
        KeyText(r, m, 2)};
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(actual[i], GetParam().texts[i]) << "column " << i;
}

INSTANTIATE_TEST_SUITE_P(
    AllModes, OverviewModes,
    testing::Values(
        ModeRow{0, {"---", "---", "---", "Global", "10", "Global", "", "---", "---", "---"}},
        ModeRow{1, {"Enable", "---", "Enable", "Control Change", "Note", "No Assign", "Note", "CC", "---", "CC"}},
        ModeRow{2, {"CC#\r74", "---", "CC#\r7", "CC#\r20", "Note\rD-1", "---", "Note\r200", "CC#\r48", "---", "CC#\r0"}},
        ModeRow{3, {"L/L\r5", "---", "L/L\r-3", "---", "---", "---", "---", "---", "---", "---"}},
        ModeRow{4, {"U/R\r100", "---", "U/R\r120", "---", "---", "---", "---", "---", "---", "---"}},
        ModeRow{5, {"---", "---", "---", "Toggle", "Moment", "---", "", "Mome", "---", "Togg"}},
        ModeRow{6, {"---", "---", "---", "OFF\r3", "---", "---", "---", "OFF\r0", "---", "OFF\r0"}},
        ModeRow{7, {"---", "---", "---", "ON\r110", "---", "---", "---", "ON\r127", "---", "ON\r0"}}));

TEST(Overview, EnableWordComesFromTheList)
{
    TSceneRecord r{};
    r.KonbEnable[0] = 5; // enabled, but no such item
    EXPECT_EQ(KnobText(r, DisplayMode::AssignType, 0), "");
    EXPECT_EQ(KnobText(r, DisplayMode::CCNoteNumber, 0), "CC#\r0");
}

TEST(Overview, ModeOutsideTheListWritesOnlyGroupsAndSceneButtons)
{
    SceneBank bank;
    bank.CurrentScene = 2;
    StoreSceneName(bank.Scenes[0], "FIRST");
    StoreSceneName(bank.Scenes[3], "LAST");
    bank.Scenes[1].MIDICh[3] = 16;
    bank.Scenes[1].MIDICh[0] = 17;
    for (int mode : {-1, 8}) {
        const OverviewTexts t = ComputeOverview(bank, mode, {});
        EXPECT_EQ(t.sceneButtons[0], "FIRST");
        EXPECT_EQ(t.sceneButtons[3], "LAST");
        EXPECT_EQ(t.labels[0], "");
        EXPECT_EQ(t.labels[3], "Global");
        for (std::size_t i = 4; i < t.labels.size(); ++i)
            EXPECT_FALSE(t.labels[i].has_value());
    }
    const OverviewTexts t = ComputeOverview(bank, 0, {});
    for (const auto& label : t.labels)
        EXPECT_TRUE(label.has_value());
}

} // namespace
} // namespace korvo
