#include "scene/SceneBank.h"

#include <cstring>
#include <gtest/gtest.h>

namespace korvo {
namespace {

TEST(SceneRecord, NewBankIsZeroFilledAndShowsSceneOne)
{
    SceneBank bank;
    static const TSceneRecord zero{};
    for (const auto& scene : bank.Scenes)
        EXPECT_EQ(std::memcmp(&scene, &zero, sizeof zero), 0);
    EXPECT_EQ(bank.CurrentScene, 1);
    EXPECT_EQ(&bank.Current(), &bank.Scenes[0]);
}

TEST(SceneRecord, ShorterNameKeepsTheOldTailBehindTheLength)
{
    TSceneRecord r{};
    StoreSceneName(r, "ABCDEFGHIJ");
    StoreSceneName(r, "XY");
    EXPECT_EQ(r.SceneNameLength, 2);
    EXPECT_EQ(std::string(r.SceneNameChars, 12), std::string("XYCDEFGHIJ\0\0", 12));
    EXPECT_EQ(SceneNameText(r), "XY");
}

TEST(SceneRecord, LongNameIsCutToTwelveAndPaddingIsNeverWritten)
{
    TSceneRecord r{};
    r.Padding[0] = 0xAA;
    StoreSceneName(r, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(r.SceneNameLength, 12);
    EXPECT_EQ(SceneNameText(r), "ABCDEFGHIJKL");
    EXPECT_EQ(r.Padding[0], 0xAA);
    EXPECT_EQ(r.Padding[1], 0);
}

TEST(SceneRecord, LengthByteAboveTwelveShowsTwelveCharacters)
{
    TSceneRecord r{};
    std::memcpy(r.SceneNameChars, "ABCDEFGHIJKL", 12);
    r.SceneNameLength = 200; // as a scene file may hold
    EXPECT_EQ(SceneNameText(r), "ABCDEFGHIJKL");
}

} // namespace
} // namespace korvo
