#include "scene/NoteNames.h"
#include "scene/TextLines.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace korvo {
namespace {

TEST(TextLines, SplitsAtEveryKindOfLineEnd)
{
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (TextLines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\r\nb"), (TextLines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\n\n x \n"), (TextLines{"", "", " x "}));
    EXPECT_EQ(SplitLines("last"), (TextLines{"last"}));
    EXPECT_EQ(SplitLines(""), TextLines{});
    EXPECT_EQ(SplitLines("\xEF\xBB\xBFKey=1\n"), (TextLines{"Key=1"}));
}

TEST(TextLines, MissingFileNamesTheFullPathAndTheReason)
{
    test::TempDir dir;
    test::ScopedWorkingDir cwd(dir.path());
    try {
        LoadTextLines("DefPara.ini");
        FAIL() << "no error";
    } catch (const FileOpenError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + (dir.path() / "DefPara.ini").string() + "\". No such file or directory");
    }
    EXPECT_THROW(LoadTextLines(dir.path().string()), FileOpenError); // a folder
}

TEST(NoteNames, ForwardAndReverseLookup)
{
    const NoteNames names{"C-1", "C#-1", "D-1"};
    EXPECT_EQ(NoteName(names, 1), "C#-1");
    EXPECT_EQ(NoteName(names, 3), std::nullopt);
    EXPECT_EQ(NoteName(names, -1), std::nullopt);
    EXPECT_EQ(NoteNumber(names, "c#-1"), 1);
    EXPECT_EQ(NoteNumber(names, "D-1"), 2);
    EXPECT_EQ(NoteNumber(names, "E-1"), -1);
    EXPECT_EQ(NoteNumber(names, ""), -1);
}

TEST(NoteNames, ShippedFileNamesEveryMidiNoteOnce)
{
    const auto names = LoadTextLines(KORVO_DATA_DIR "/NotePara.ini");
    ASSERT_EQ(names.size(), 128u);
    for (int n = 0; n < 128; ++n)
        EXPECT_EQ(NoteNumber(names, names[static_cast<std::size_t>(n)]), n) << names[static_cast<std::size_t>(n)];
    EXPECT_EQ(names[60], "C4");
}

} // namespace
} // namespace korvo
