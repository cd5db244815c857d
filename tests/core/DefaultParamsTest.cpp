#include "scene/DefaultParams.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace korvo {
namespace {

TEST(DefaultParams, FindValueTakesTheFirstMatchingLine)
{
    const DefaultParams p{"no equals sign", "Key =1", "kEy=first", "Key=second", "Other==x", "Empty="};
    EXPECT_EQ(FindValue(p, "Key"), "first");
    EXPECT_EQ(FindValue(p, "Other"), "=x");
    EXPECT_EQ(FindValue(p, "Empty"), "");
    EXPECT_EQ(FindValue(p, "Missing"), "");
    EXPECT_EQ(FindValue(p, "no equals sign"), "");
}

TEST(DefaultParams, EmptyFileGivesTheFallbacks)
{
    SceneBank bank;
    bank.CurrentScene = 3;
    LoadDefaults(bank, {});
    for (const auto& r : bank.Scenes) {
        EXPECT_EQ(r.SceneNameLength, 0);
        EXPECT_EQ(r.BendSpeed, 0); // shown as 1
        EXPECT_EQ(r.KeyTrans, 0);
        EXPECT_EQ(r.KeyCCNumber[24], 0);
    }
    EXPECT_EQ(bank.CurrentScene, 3);
    EXPECT_EQ(SceneDataLen({}), 916);
    EXPECT_EQ(BlockAddOne({}), 1);
}

struct LineCase {
    const char* line;
    std::function<bool(const SceneBank&)> holds;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << '"' << c.line << '"';
}

class DefaultParamsLine : public testing::TestWithParam<LineCase> {};

TEST_P(DefaultParamsLine, Gives)
{
    SceneBank bank;
    LoadDefaults(bank, {GetParam().line});
    EXPECT_TRUE(GetParam().holds(bank)) << GetParam().line;
}

bool AllScenes(const SceneBank& b, const std::function<bool(const TSceneRecord&)>& f)
{
    return std::all_of(b.Scenes.begin(), b.Scenes.end(), f);
}

bool KeyTransIs(const SceneBank& b, int v)
{
    return AllScenes(b, [v](const TSceneRecord& r) { return r.KeyTrans == v; });
}

INSTANTIATE_TEST_SUITE_P(
    ExampleLines, DefaultParamsLine,
    testing::Values(
        LineCase{"SceneName1=my scene 1",
                 [](const SceneBank& b) {
                     return SceneNameText(b.Scenes[0]) == "MY SCENE 1" && b.Scenes[1].SceneNameLength == 0;
                 }},
        LineCase{"SceneName2=ABCDEFGHIJKLMNOP",
                 [](const SceneBank& b) { return SceneNameText(b.Scenes[1]) == "ABCDEFGHIJKL"; }},
        LineCase{"SceneName3=a\xE9z", [](const SceneBank& b) { return SceneNameText(b.Scenes[2]) == "A\xE9Z"; }},
        LineCase{"BendSpeed=3", [](const SceneBank& b) { return AllScenes(b, [](auto& r) { return r.BendSpeed == 2; }); }},
        LineCase{"BendSpeed=-2147483648",
                 [](const SceneBank& b) { return b.Scenes[0].BendSpeed == INT32_MAX; }}, // wraps, no overflow
        LineCase{"KeyTrans=13", [](const SceneBank& b) { return KeyTransIs(b, 13); }},
        LineCase{"keytrans=13", [](const SceneBank& b) { return KeyTransIs(b, 13); }},
        LineCase{"KeyTrans =13", [](const SceneBank& b) { return KeyTransIs(b, 0); }},
        LineCase{"KeyTrans=13 ", [](const SceneBank& b) { return KeyTransIs(b, 0); }},
        LineCase{"KeyTrans= 13", [](const SceneBank& b) { return KeyTransIs(b, 13); }},
        LineCase{"KeyTrans=$0D", [](const SceneBank& b) { return KeyTransIs(b, 13); }},
        LineCase{"KonbCCNumber3=74",
                 [](const SceneBank& b) {
                     return AllScenes(b, [](auto& r) {
                         return r.KonbCCNumber[2] == 74 && r.KonbCCNumber[0] == 0 && r.KonbCCNumber[3] == 0;
                     });
                 }},
        LineCase{"KeyCCNumber25=72",
                 [](const SceneBank& b) { return b.Scenes[3].KeyCCNumber[24] == 72 && b.Scenes[3].KeyCCNumber[23] == 0; }},
        LineCase{"MIDICh=16",
                 [](const SceneBank& b) {
                     return AllScenes(b, [](auto& r) { return std::ranges::all_of(r.MIDICh, [](int c) { return c == 16; }); });
                 }},
        LineCase{"PadMIDICh=9", [](const SceneBank& b) { return b.Scenes[2].PadMIDICh[7] == 9; }}));

TEST(DefaultParams, TransferKeysAreTrimmed)
{
    EXPECT_EQ(SceneDataLen({"SceneDataLen= 916 "}), 916);
    EXPECT_EQ(SceneDataLen({"SceneDataLen=\t512\r"}), 512);
    EXPECT_EQ(SceneDataLen({"SceneDataLen=lots"}), 916);
    EXPECT_EQ(BlockAddOne({"BlockAddOne= 0 "}), 0);
}

TEST(DefaultParams, NewAfterALongNameKeepsTheOldTail)
{
    SceneBank bank;
    StoreSceneName(bank.Scenes[0], "LONGSCENENAM");
    LoadDefaults(bank, {"SceneName1=AB"});
    EXPECT_EQ(bank.Scenes[0].SceneNameLength, 2);
    EXPECT_EQ(std::string(bank.Scenes[0].SceneNameChars, 12), "ABNGSCENENAM");
}

TEST(DefaultParams, ShippedFileDefinesEveryKey)
{
    const auto params = LoadTextLines(KORVO_DATA_DIR "/DefPara.ini");
    SceneBank bank;
    LoadDefaults(bank, params);
    const TSceneRecord& r = bank.Scenes[1];
    EXPECT_EQ(SceneNameText(r), "SCENE2");
    EXPECT_EQ(r.KeyTrans, 13);
    EXPECT_EQ(r.BendSpeed, 1);
    EXPECT_EQ(r.PadAssignType[0], 2);
    EXPECT_EQ(r.PadMIDICh[0], 9);
    EXPECT_EQ(r.KeyCCNumber[0], 48);
    EXPECT_EQ(r.KeyCCNumber[24], 72);
    EXPECT_EQ(SceneDataLen(params), 916);
    EXPECT_EQ(BlockAddOne(params), 1);

    // 71 distinct keys, each defined once with a value that is a number (or a name).
    int defined = 0;
    for (const auto& line : params)
        defined += line.find('=') != std::string::npos;
    EXPECT_EQ(defined, 71);
}

} // namespace
} // namespace korvo
