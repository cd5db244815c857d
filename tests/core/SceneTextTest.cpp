// The dump and the diff of scenes.
#include "scenetext/SceneDiff.h"
#include "scenetext/SceneDump.h"

#include "scene/DefaultParams.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace korvo {
namespace {

const NoteNames& Notes()
{
    static const NoteNames notes = LoadTextLines(KORVO_DATA_DIR "/NotePara.ini");
    return notes;
}

SceneBank Defaults()
{
    SceneBank bank;
    LoadDefaults(bank, LoadTextLines(KORVO_DATA_DIR "/DefPara.ini"));
    return bank;
}

// The dump's line for a control of scene 1.
std::string DumpLine(const SceneBank& bank, const std::string& control)
{
    std::istringstream lines(DumpScenes(bank, Notes(), 1));
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("  " + control + " ", 0) == 0)
            return line;
    return "no line for " + control;
}

TEST(SceneDump, ShowsPanelValuesAndRawNumbersInBrackets)
{
    const struct {
        const char* control;
        std::function<void(TSceneRecord&)> change;
        const char* expected;
    } cases[] = {
        {"Common", [](TSceneRecord& r) { r.KeyTrans = 12; r.BendSpeed = 0; },
         "Pitch Bend Speed: 1, Key Transpose: -1,"},
        {"Common", [](TSceneRecord& r) { r.KeyTrans = 0; r.BendSpeed = 9; },
         "Pitch Bend Speed: [9], Key Transpose: [0],"},
        {"Common", [](TSceneRecord& r) { r.SceneMIDICh = 16; r.PianoKeyCh = 16; },
         "Global MIDI Ch: [16], Piano Key CC# Ch: Global,"},
        {"Common", [](TSceneRecord& r) { StoreSceneName(r, "CAF\xC9"); }, "Scene Name: \"CAF\xC3\x89\","},
        {"Common", [](TSceneRecord& r) { r.SceneNameLength = 14; }, "Scene Name: \"SCENE1\\x00\\x00\\x00\\x00\\x00\\x00\" [length 14],"},
        {"Group Common-2", [](TSceneRecord& r) { r.MIDICh[1] = 17; }, "MIDI Channel: [17]"},
        {"Knob-3", [](TSceneRecord& r) { r.KonbEnable[2] = 0; r.KonbCCNumber[2] = 200; },
         "Enable: Disable, CC Number: [200], Upper/Right Value: 127"},
        {"Slider-4", [](TSceneRecord& r) { r.SliderLLValue[3] = -1; }, "Lower/Left Value: [-1]"},
        {"Trigger Pad-1", [](TSceneRecord& r) { r.PadAssignType[0] = 2; r.PadCCNumber[0] = 60; },
         "Assign Type: Note, CC/Note Number: C4,"},
        {"Trigger Pad-2", [](TSceneRecord& r) { r.PadAssignType[1] = 1; r.PadCCNumber[1] = 60; },
         "Assign Type: Control Change, CC/Note Number: 60,"},
        {"Trigger Pad-3", [](TSceneRecord& r) { r.PadAssignType[2] = 2; r.PadCCNumber[2] = 128; },
         "Assign Type: Note, CC/Note Number: [128],"},
        {"Trigger Pad-4", [](TSceneRecord& r) { r.PadAssignType[3] = 5; r.PadBehavior[3] = 1; },
         "Assign Type: [5], CC/Note Number: "},
        {"Key-25", [](TSceneRecord& r) { r.KeyAssignType[24] = 0; r.KeyBehavior[24] = 1; },
         "Assign Type: Disable, CC/Note Number: 72, ON Value: 127, OFF Value: 0, Key Behavior: Toggle"},
    };
    for (const auto& c : cases) {
        SceneBank bank = Defaults();
        c.change(bank.Scenes[0]);
        const std::string line = DumpLine(bank, c.control);
        EXPECT_NE(line.find(c.expected), std::string::npos) << line;
    }
}

TEST(SceneDump, OneLinePerControlAndOnlyTheSceneAsked)
{
    const std::string all = DumpScenes(Defaults(), Notes());
    const std::string two = DumpScenes(Defaults(), Notes(), 2);
    EXPECT_EQ(std::count(two.begin(), two.end(), '\n'), 1 + 1 + 4 + 4 + 4 + 8 + 25);
    EXPECT_EQ(two.rfind("Scene 2\n", 0), 0u);
    EXPECT_EQ(two.find("Scene 1"), std::string::npos);
    EXPECT_NE(all.find("\nScene 4\n"), std::string::npos);
}

TEST(SceneDiff, EveryDifferingByteIsReported)
{
    const SceneBank base = Defaults();
    EXPECT_TRUE(CompareScenes(base, base, Notes()).empty());
    for (std::size_t i = 0; i < sizeof base.Scenes; ++i) {
        SceneBank changed = base;
        reinterpret_cast<std::uint8_t*>(changed.Scenes.data())[i] ^= 0x5A;
        EXPECT_FALSE(CompareScenes(base, changed, Notes()).empty()) << "byte " << i;
    }
}

TEST(SceneDiff, NamesThePlaceAndShowsBothValues)
{
    SceneBank a = Defaults();
    SceneBank b = a;
    b.Scenes[1].KonbCCNumber[2] = 20;
    b.Scenes[3].MIDICh[0] = 3;
    StoreSceneName(b.Scenes[0], "LEAD");
    const auto d = CompareScenes(a, b, Notes());
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[0].place, "scene 1, Common, Scene Name");
    EXPECT_EQ(d[0].before, "\"SCENE1\"");
    EXPECT_EQ(d[0].after, "\"LEAD\"");
    EXPECT_EQ(d[1].place, "scene 2, Knob-3, CC Number");
    EXPECT_EQ(d[1].before, "73");
    EXPECT_EQ(d[1].after, "20");
    EXPECT_EQ(d[2].place, "scene 4, Group Common-1, MIDI Channel");
    EXPECT_EQ(d[2].before, "Global");
    EXPECT_EQ(d[2].after, "4");
}

TEST(SceneDiff, WhatTheControllerCannotHoldDoesNotCount)
{
    SceneBank file = Defaults();
    file.Scenes[0].Padding[1] = 7;
    file.Scenes[1].KonbCCNumber[0] = 300;
    SceneBank device = file;
    device.Scenes[0].Padding[1] = 0;
    device.Scenes[0].SceneNameLength = 12; // a read gives 12 characters
    device.Scenes[1].KonbCCNumber[0] = 44; // 300 mod 256
    EXPECT_FALSE(CompareScenes(file, device, Notes()).empty());
    EXPECT_TRUE(CompareScenes(AsControllerHolds(file), AsControllerHolds(device), Notes()).empty());
}

} // namespace
} // namespace korvo
