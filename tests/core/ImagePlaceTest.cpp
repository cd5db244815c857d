#include "scene/ImagePlace.h"

#include <gtest/gtest.h>

namespace korvo {
namespace {

TEST(ImagePlace, NamesSceneControlAndField)
{
    const struct {
        int offset;
        const char* place;
    } cases[] = {
        {0, "scene 1, Common, Scene Name (character 1)"},
        {229 + 11, "scene 2, Common, Scene Name (character 12)"},
        {12, "scene 1, Common, Global MIDI Ch"},
        {15, "scene 1, Common, Key Transpose"},
        {20, "scene 1, Key-1, Assign Type"},
        {45, "scene 1, Key-1, Key Behavior"}, // behaviour follows assign type in the image
        {70 + 24, "scene 1, Key-25, CC/Note Number"},
        {148, "scene 1, Group Common-4, MIDI Channel"},
        {229 + 153 + 2, "scene 2, Knob-3, CC Number"},
        {458 + 165, "scene 3, Slider-1, Enable"},
        {197, "scene 1, Trigger Pad-1, MIDI Channel"},
        {205 + 7, "scene 1, Trigger Pad-8, Pad Behavior"},
        {915, "scene 4, Trigger Pad-8, OFF Value"},
        {916, "byte 916, outside the scene images"},
        {-1, "byte -1, outside the scene images"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeImagePlace(c.offset), c.place) << c.offset;
}

} // namespace
} // namespace korvo
