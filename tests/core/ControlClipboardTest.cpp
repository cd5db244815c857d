#include "editor/ControlClipboard.h"
#include "editor/PropertyBindings.h"

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
    CopyControl(clip, scene1, ControlKind::Knob, 6); // Knob-2
    EXPECT_EQ(clip.ClipboardKind, ControlKind::Knob);
    EXPECT_EQ(clip.ClipboardIndex, 2);
    const TSceneRecord before = scene1;
    scene1.KonbCCNumber[1] = 1;

    TSceneRecord scene3 = Numbered(5000);
    const TSceneRecord untouched = scene3;
    EXPECT_TRUE(PasteControl(clip, scene3, ControlKind::Knob, 8)); // Knob-4
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
    CopyControl(clip, source, ControlKind::Pad, 14); // Trigger Pad-2
    EXPECT_TRUE(PasteControl(clip, target, ControlKind::Pad, 20)); // Trigger Pad-8
    EXPECT_EQ(target.PadAssignType[7], source.PadAssignType[1]);
    EXPECT_EQ(target.PadMIDICh[7], source.PadMIDICh[1]);
    EXPECT_EQ(target.PadBehavior[7], source.PadBehavior[1]);
    EXPECT_EQ(target.PadMIDICh[6], 9000 + (852 - 16) / 4 + 6);

    CopyControl(clip, source, ControlKind::Key, 45); // Key-25
    EXPECT_TRUE(PasteControl(clip, target, ControlKind::Key, 21));
    EXPECT_EQ(target.KeyBehavior[0], source.KeyBehavior[24]);
    EXPECT_EQ(target.KeyCCNumber[0], source.KeyCCNumber[24]);
}

TEST(ControlClipboard, KindsMustMatch)
{
    TSceneRecord r = Numbered(1);
    const TSceneRecord before = r;
    ControlClipboard clip;
    EXPECT_FALSE(PasteControl(clip, r, ControlKind::Knob, 5)); // nothing copied yet, a knob selected
    EXPECT_TRUE(PasteControl(clip, r, ControlKind::Common, 0));  // Common: only shown again
    CopyControl(clip, r, ControlKind::Key, 21);
    CopyControl(clip, r, ControlKind::Slider, 11); // the last Copy is a slider
    EXPECT_FALSE(PasteControl(clip, r, ControlKind::Key, 22));
    EXPECT_FALSE(PasteControl(clip, r, ControlKind::Knob, 5));
    CopyControl(clip, r, ControlKind::Common, 0); // a Copy of "Common" ends pasting controls
    EXPECT_EQ(clip.ClipboardKind, ControlKind::Common);
    EXPECT_EQ(clip.ClipboardIndex, 3);
    EXPECT_FALSE(PasteControl(clip, r, ControlKind::Slider, 11));
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
}

// Every editor of a control panel stores only into the arrays of the control the
// list names, and only for controls of its own panel.
TEST(PropertyBindings, EditsNeverLeaveTheirOwnArrays)
{
    TSceneRecord r{};
    const auto field = [&](PropertyEditor e, int i) { return BoundField(r, BindingOf(e), i); };
    for (int i = -2; i <= 48; ++i) {
        const bool group = i >= 1 && i <= 4, knob = i >= 5 && i <= 12, pad = i >= 13 && i <= 20,
                   key = i >= 21 && i <= 45;
        EXPECT_EQ(field(PropertyEditor::GroupMIDICh, i) != nullptr, group) << i;
        EXPECT_EQ(field(PropertyEditor::KnobLLValue, i) != nullptr, knob) << i;
        EXPECT_EQ(field(PropertyEditor::PadMIDICh, i) != nullptr, pad) << i;
        EXPECT_EQ(field(PropertyEditor::KeyBehavior, i) != nullptr, key) << i;
        EXPECT_EQ(field(PropertyEditor::BendSpeed, i), &r.BendSpeed) << i;
    }
    EXPECT_EQ(field(PropertyEditor::GroupMIDICh, 3), &r.MIDICh[2]);
    EXPECT_EQ(field(PropertyEditor::KnobEnable, 11), &r.SliderEnable[2]);
    EXPECT_EQ(field(PropertyEditor::KnobURValue, 5), &r.KonbURValue[0]);
    EXPECT_EQ(field(PropertyEditor::PadCCNumber, 13), &r.PadCCNumber[0]);
    EXPECT_EQ(field(PropertyEditor::PadMIDICh, 16), &r.PadMIDICh[3]);
    EXPECT_EQ(field(PropertyEditor::KeyCCNumber, 45), &r.KeyCCNumber[24]);
    EXPECT_EQ(field(PropertyEditor::KeyTrans, 0), &r.KeyTrans);
    EXPECT_EQ(field(PropertyEditor::SceneName, 0), nullptr);
}

TEST(PropertyBindings, StoreReportsWhetherBytesChanged)
{
    TSceneRecord r{};
    const auto& cc = BindingOf(PropertyEditor::KnobCCNumber);
    EXPECT_TRUE(StoreProperty(r, cc, 6, std::int32_t{74}));
    EXPECT_EQ(r.KonbCCNumber[1], 74);
    EXPECT_FALSE(StoreProperty(r, cc, 6, std::int32_t{74}));
    EXPECT_FALSE(StoreProperty(r, cc, 21, std::int32_t{9})); // a key: not this editor's control
    const auto& name = BindingOf(PropertyEditor::SceneName);
    EXPECT_TRUE(StoreProperty(r, name, 0, std::string("DRUMS")));
    EXPECT_FALSE(StoreProperty(r, name, 0, std::string("DRUMS")));
    EXPECT_EQ(SceneNameText(r), "DRUMS");
}

// What a box shows reads back as the stored value, at the 32-bit limits too.
TEST(PropertyBindings, ShownNumbersReadBackUnchanged)
{
    struct Row {
        PropertyEditor editor;
        std::int32_t stored;
        std::int64_t shown;
    };
    const Row rows[] = {
        {PropertyEditor::BendSpeed, 0, 1},
        {PropertyEditor::BendSpeed, 2147483647, -2147483648LL},
        {PropertyEditor::KeyTrans, 13, 0},
        {PropertyEditor::KeyTrans, -2147483647 - 1, -2147483648LL - 13}, // clamped by the box
        {PropertyEditor::KeyConstVelocity, 300, 300},
    };
    for (const Row& row : rows) {
        const auto& b = BindingOf(row.editor);
        EXPECT_EQ(ShownNumber(b, row.stored), row.shown) << b.objectName;
        if (b.fill == FillWay::Text) {
            EXPECT_EQ(StoredNumber(b, row.shown), row.stored) << b.objectName;
        }
    }
    EXPECT_EQ(WrappedSum(2147483647, 13), -2147483636);
    EXPECT_EQ(WrappedSum(5, 13), 18);
}

} // namespace
} // namespace korvo
