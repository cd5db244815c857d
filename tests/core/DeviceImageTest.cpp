#include "scene/DeviceImage.h"

#include <cstring>
#include <gtest/gtest.h>

namespace korvo {
namespace {

TEST(DeviceImage, ImageOrderDiffersFromRecordOrder)
{
    SceneBank bank;
    TSceneRecord& s2 = bank.Scenes[1];
    s2.KeyBehavior[0] = 1;
    s2.KeyCCNumber[0] = 60;
    s2.PadMIDICh[0] = 9;
    s2.PadONValue[0] = 100;
    s2.MIDICh[3] = 16;
    s2.PadOFFValue[7] = 5;
    SceneImageBuffer buf{};
    EXPECT_EQ(PackSceneImages(bank, buf), 916);
    const std::uint8_t* img = buf.data() + 229;
    EXPECT_EQ(img[45], 1);   // key 1's behaviour
    EXPECT_EQ(img[70], 60);  // key 1's CC number
    EXPECT_EQ(img[197], 9);  // pad 1's channel
    EXPECT_EQ(img[213], 100); // pad 1's on value
    EXPECT_EQ(img[148], 16); // group 4's channel
    EXPECT_EQ(img[228], 5);  // pad 8's off value, the last byte
}

TEST(DeviceImage, NumbersPackModulo256AndUnpackUnsigned)
{
    SceneBank bank;
    bank.Scenes[0].KonbCCNumber[0] = 256;
    bank.Scenes[0].KonbCCNumber[1] = -1;
    bank.Scenes[0].KonbCCNumber[2] = 300;
    SceneImageBuffer buf{};
    PackSceneImages(bank, buf);
    EXPECT_EQ(buf[153], 0);
    EXPECT_EQ(buf[154], 255);
    EXPECT_EQ(buf[155], 44);
    UnpackSceneImages(bank, buf);
    EXPECT_EQ(bank.Scenes[0].KonbCCNumber[0], 0);
    EXPECT_EQ(bank.Scenes[0].KonbCCNumber[1], 255);
}

TEST(DeviceImage, PackWritesOnlyTheFirst916Bytes)
{
    SceneBank bank;
    SceneImageBuffer buf;
    buf.fill(0xEE);
    PackSceneImages(bank, buf);
    EXPECT_EQ(buf[915], 0);
    for (int i = 916; i < 1024; ++i)
        ASSERT_EQ(buf[static_cast<std::size_t>(i)], 0xEE) << i;
}

TEST(DeviceImage, NamesTravelAsTwelveBytesTailIncluded)
{
    SceneBank bank;
    StoreSceneName(bank.Scenes[0], "ABCDEFGHIJKL");
    StoreSceneName(bank.Scenes[0], "XY");
    SceneImageBuffer buf{};
    PackSceneImages(bank, buf);
    EXPECT_EQ(std::memcmp(buf.data(), "XYCDEFGHIJKL", 12), 0);

    std::memcpy(buf.data() + 229, "SCENE1\0\0\0\0\0\0", 12);
    UnpackSceneImages(bank, buf);
    EXPECT_EQ(bank.Scenes[1].SceneNameLength, 12);
    EXPECT_EQ(SceneNameText(bank.Scenes[1]), std::string("SCENE1\0\0\0\0\0\0", 12));
}

TEST(DeviceImage, RoundTripKeepsEveryByteSizedValue)
{
    // Every byte of the image distinct from its neighbours: a misplaced field shows.
    SceneImageBuffer image{};
    for (int i = 0; i < 916; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7 + 3);
    SceneBank bank;
    for (auto& r : bank.Scenes)
        r.Padding[1] = 0x5A;
    UnpackSceneImages(bank, image);
    EXPECT_EQ(bank.Scenes[0].Padding[1], 0x5A); // padding has no place in the image
    EXPECT_EQ(bank.Scenes[0].SceneMIDICh, image[12]);
    EXPECT_EQ(bank.Scenes[3].PadOFFValue[7], image[915]);

    SceneImageBuffer again{};
    PackSceneImages(bank, again);
    EXPECT_EQ(std::memcmp(image.data(), again.data(), 916), 0);
}

} // namespace
} // namespace korvo
