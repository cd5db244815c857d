#include "editor/ControlClipboard.h"
#include "editor/PropertyFields.h"

#include <cstring>
#include <gtest/gtest.h>

namespace korvo {
namespace {

TSceneRecord Numbered(int base)
{
    TSceneRecord r{};
    auto* words = reinterpret_cast<std::int32_t*>(reinterpret_cast<unsigned char*>(&r) + 16);
    for (int i = 0; i < 217; ++i)
        words[i] = base + i;
    return r;
}

TEST(ControlClipboard, KnobCopiedBeforeAnEditPastesTheOldSettings)
{
    TSceneRecord scene1 = Numbered(1000);
    ControlClipboard clip;
    CopyControl(clip, scene1, 2, 6); // Knob-2
    EXPECT_EQ(clip.ClipboardKind, 2);
    EXPECT_EQ(clip.ClipboardIndex, 2);
    const TSceneRecord before = scene1;
    scene1.KonbCCNumber[1] = 1;

    TSceneRecord scene3 = Numbered(5000);
    const TSceneRecord untouched = scene3;
    EXPECT_TRUE(PasteControl(clip, scene3, 2, 8)); // Knob-4
    EXPECT_EQ(scene3.KonbEnable[3], before.KonbEnable[1]);
    EXPECT_EQ(scene3.KonbCCNumber[3], before.KonbCCNumber[1]);
    EXPECT_EQ(scene3.KonbURValue[3], before.KonbURValue[1]);
    EXPECT_EQ(scene3.KonbLLValue[3], before.KonbLLValue[1]);
    scene3.KonbEnable[3] = untouched.KonbEnable[3];
    scene3.KonbCCNumber[3] = untouched.KonbCCNumber[3];
    scene3.KonbURValue[3] = untouched.KonbURValue[3];
    scene3.KonbLLValue[3] = untouched.KonbLLValue[3];
    EXPECT_EQ(std::memcmp(&scene3, &untouched, sizeof scene3), 0); // nothing else changed
}

TEST(ControlClipboard, PadCarriesAllSixSettingsAndKeysAllFive)
{
    const TSceneRecord source = Numbered(100);
    TSceneRecord target = Numbered(9000);
    ControlClipboard clip;
    CopyControl(clip, source, 4, 14); // Trigger Pad-2
    EXPECT_TRUE(PasteControl(clip, target, 4, 20)); // Trigger Pad-8
    EXPECT_EQ(target.PadAssignType[7], source.PadAssignType[1]);
    EXPECT_EQ(target.PadMIDICh[7], source.PadMIDICh[1]);
    EXPECT_EQ(target.PadBehavior[7], source.PadBehavior[1]);
    EXPECT_EQ(target.PadMIDICh[6], 9000 + (852 - 16) / 4 + 6);

    CopyControl(clip, source, 5, 45); // Key-25
    EXPECT_TRUE(PasteControl(clip, target, 5, 21));
    EXPECT_EQ(target.KeyBehavior[0], source.KeyBehavior[24]);
    EXPECT_EQ(target.KeyCCNumber[0], source.KeyCCNumber[24]);
}

TEST(ControlClipboard, KindsMustMatch)
{
    TSceneRecord r = Numbered(1);
    const TSceneRecord before = r;
    ControlClipboard clip;
    EXPECT_FALSE(PasteControl(clip, r, 2, 5)); // nothing copied yet, a knob selected
    EXPECT_TRUE(PasteControl(clip, r, 0, 0));  // Common: only shown again
    CopyControl(clip, r, 5, 21);
    CopyControl(clip, r, 3, 11); // the last Copy is a slider
    EXPECT_FALSE(PasteControl(clip, r, 5, 22));
    EXPECT_FALSE(PasteControl(clip, r, 2, 5));
    CopyControl(clip, r, 0, 0); // a Copy of "Common" ends pasting controls
    EXPECT_EQ(clip.ClipboardKind, 0);
    EXPECT_EQ(clip.ClipboardIndex, 3);
    EXPECT_FALSE(PasteControl(clip, r, 3, 11));
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
}

TEST(PropertyFields, EditsNeverLeaveTheirOwnArrays)
{
    TSceneRecord r{};
    for (int i = -2; i <= 48; ++i) {
        const bool group = i >= 1 && i <= 4, knob = i >= 5 && i <= 12, pad = i >= 13 && i <= 20,
                   key = i >= 21 && i <= 45;
        EXPECT_EQ(GroupChannelField(r, i) != nullptr, group) << i;
        EXPECT_EQ(KnobOrSliderField(r, i, KnobField::LLValue) != nullptr, knob) << i;
        EXPECT_EQ(PadFieldAt(r, i, PadField::MIDICh) != nullptr, pad) << i;
        EXPECT_EQ(KeyFieldAt(r, i, KeyField::Behavior) != nullptr, key) << i;
    }
    EXPECT_EQ(KnobOrSliderField(r, 11, KnobField::Enable), &r.SliderEnable[2]);
    EXPECT_EQ(KnobOrSliderField(r, 5, KnobField::URValue), &r.KonbURValue[0]);
    EXPECT_EQ(PadFieldAt(r, 16, PadField::MIDICh), &r.PadMIDICh[3]);
    EXPECT_EQ(KeyFieldAt(r, 45, KeyField::CCNumber), &r.KeyCCNumber[24]);
    EXPECT_EQ(WrappedSum(2147483647, 13), -2147483636);
    EXPECT_EQ(WrappedSum(5, 13), 18);
}

} // namespace
} // namespace korvo
