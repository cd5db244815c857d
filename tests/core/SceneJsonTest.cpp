#include "scenetext/SceneDiff.h"
#include "scenetext/SceneJson.h"

#include "scene/DefaultParams.h"
#include "scene/SceneFields.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <random>

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

std::string Bytes(const SceneBank& bank)
{
    return std::string(reinterpret_cast<const char*>(bank.Scenes.data()), sizeof bank.Scenes);
}

SceneBank FromBytes(const std::function<std::uint8_t(std::size_t)>& byteAt)
{
    SceneBank bank;
    auto* bytes = reinterpret_cast<std::uint8_t*>(bank.Scenes.data());
    for (std::size_t i = 0; i < sizeof bank.Scenes; ++i)
        bytes[i] = byteAt(i);
    return bank;
}

// Every numeric field element of every scene set by value(field, element).
SceneBank EveryField(SceneBank bank, const std::function<std::int32_t(const SceneField&, int)>& value)
{
    for (auto& r : bank.Scenes)
        for (const SceneField& f : SceneFields)
            for (int e = 0; e < f.count; ++e)
                SetFieldValue(r, f, e, value(f, e));
    return bank;
}

struct RoundTripCase {
    const char* what;
    SceneBank bank;
};

std::vector<RoundTripCase> RoundTripCases()
{
    std::vector<RoundTripCase> cases;
    cases.push_back({"the shipped defaults", Defaults()});
    cases.push_back({"all bytes 0xFF", FromBytes([](std::size_t) { return 0xFF; })});
    cases.push_back({"all bytes zero", SceneBank{}});
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        cases.push_back({"random bytes", FromBytes([&](std::size_t) { return static_cast<std::uint8_t>(random()); })});
    }
    cases.push_back({"most negative values", EveryField(Defaults(), [](auto&, int) { return std::numeric_limits<std::int32_t>::min(); })});
    cases.push_back({"largest values", EveryField(Defaults(), [](auto&, int) { return std::numeric_limits<std::int32_t>::max(); })});
    cases.push_back({"-1 everywhere", EveryField(Defaults(), [](auto&, int) { return -1; })});
    // One past the end of every list and range, and the lowest offered value minus one.
    cases.push_back({"just outside every list", EveryField(Defaults(), [](const SceneField& f, int e) {
                         switch (f.form) {
                         case ValueForm::Channel: return 17;
                         case ValueForm::SceneChannel: return 16;
                         case ValueForm::Transpose: return e % 2 ? 0 : 26;
                         case ValueForm::BendSpeed: return 4;
                         case ValueForm::VelocityCurve: return 4;
                         case ValueForm::Enable: return 2;
                         case ValueForm::Behavior: return -1;
                         case ValueForm::PadAssign: return 3;
                         default: return 128;
                         }
                     })});

    SceneBank tails = Defaults();
    StoreSceneName(tails.Scenes[0], "ABCDEFGHIJKL");
    StoreSceneName(tails.Scenes[0], "AB"); // leaves C..L behind the length byte
    tails.Scenes[1].Padding[0] = 1;
    tails.Scenes[1].Padding[2] = 0xFE;
    tails.Scenes[2].SceneNameLength = 200; // a length byte above 12, from a file
    std::memcpy(tails.Scenes[3].SceneNameChars, "A\0B\x7F\n\"\\", 7);
    tails.Scenes[3].SceneNameLength = 7;
    cases.push_back({"name tails, padding, a length byte of 200, control characters", tails});

    SceneBank latin1 = Defaults();
    StoreSceneName(latin1.Scenes[0], "CAF\xC9 \xC4\xD6\xDC\xDF\xFF");
    latin1.Scenes[1].PadAssignType[0] = 2;
    latin1.Scenes[1].PadCCNumber[0] = 200; // a note number without a name
    cases.push_back({"Latin-1 letters in a name; a note without a name", latin1});
    return cases;
}

TEST(SceneJson, KvoToJsonToKvoGivesTheSameBytesOnAnyBase)
{
    const SceneBank otherBase = FromBytes([](std::size_t i) { return static_cast<std::uint8_t>(i * 7 + 3); });
    for (const auto& c : RoundTripCases()) {
        const std::string json = WriteSceneJson(c.bank, Notes());
        for (const SceneBank& base : {Defaults(), otherBase}) {
            SceneBank back = base;
            ASSERT_NO_THROW(ReadSceneJson(json, Notes(), back)) << c.what;
            EXPECT_EQ(Bytes(back), Bytes(c.bank)) << c.what;
        }
    }
}

TEST(SceneJson, AHandWrittenFileChangesOnlyWhatItNames)
{
    const char* text = R"({
  "formatVersion": 1,
  "scenes": [
    {"scene": 2, "knobs": [{"knob": 3, "ccNumber": 20}]},
    {"scene": 4, "transpose": -1, "pads": [{"pad": 8, "note": "c4"}]}
  ]
})";
    SceneBank bank = Defaults();
    ReadSceneJson(text, Notes(), bank);
    const auto differences = CompareScenes(Defaults(), bank, Notes());
    ASSERT_EQ(differences.size(), 3u);
    EXPECT_EQ(differences[0].place, "scene 2, Knob-3, CC Number");
    EXPECT_EQ(differences[0].after, "20");
    EXPECT_EQ(differences[1].place, "scene 4, Common, Key Transpose");
    EXPECT_EQ(bank.Scenes[3].KeyTrans, 12);
    EXPECT_EQ(differences[2].place, "scene 4, Trigger Pad-8, CC/Note Number");
    EXPECT_EQ(bank.Scenes[3].PadCCNumber[7], 60);
}

TEST(SceneJson, ValuesAreWrittenAsThePanelsShowThem)
{
    SceneBank bank = Defaults();
    TSceneRecord& r = bank.Scenes[0];
    r.PianoKeyCh = 16;
    r.SceneMIDICh = 4;
    r.KeyTrans = 12;
    r.BendSpeed = 0;
    r.KeyVelocityCurve = 3;
    r.MIDICh[0] = 17;
    r.KonbEnable[0] = 0;
    r.PadAssignType[0] = 2;
    r.PadCCNumber[0] = 60;
    r.PadAssignType[1] = 1;
    r.PadCCNumber[1] = 60;
    r.KeyCCNumber[0] = 300;
    const std::string json = WriteSceneJson(bank, Notes(), 1);
    for (const char* expected : {R"("keyMidiChannel": "Global")", R"("globalMidiChannel": 5)", R"("transpose": -1)",
                                 R"("bendSpeed": 1)", R"("keyVelocityCurve": "Const")", R"({"group": 1, "midiChannel": {"raw": 17}})",
                                 R"({"knob": 1, "enable": "Disable")", R"({"pad": 1, "assignType": "Note", "note": "C4")",
                                 R"({"pad": 2, "assignType": "Control Change", "ccNumber": 60)", R"({"key": 1, "assignType": "Enable", "ccNumber": 300)"})
        EXPECT_NE(json.find(expected), std::string::npos) << expected;
    EXPECT_EQ(json.find("\"scene\": 2"), std::string::npos); // only the scene asked for
}

TEST(SceneJson, ErrorsNameTheLineAndTheField)
{
    const struct {
        const char* text;
        int line;
        const char* field;
        const char* problem; // a part of the message
    } cases[] = {
        {"{\"formatVersion\": 1,\n \"scenes\": [\n", 3, "", "malformed JSON"}, // ends on line 3
        {"", 1, "", "malformed JSON"},
        {"\x01\xFF\xFE binary", 1, "", "malformed JSON"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"name\": \"\xC3\"}]}", 1, "", "malformed JSON"}, // broken UTF-8
        {"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]", 1, "", "nested deeper"},
        {"[]", 1, "", "expected an object, found an array"},
        {"{\"scenes\": []}", 1, "", "\"formatVersion\" is missing"},
        {"{\"formatVersion\": 2}", 1, ".formatVersion", "version 2 is not known"},
        {"{\"formatVersion\": 1, \"format\": \"other\"}", 1, ".format", "expected \"Korvo scenes\""},
        {"{\"formatVersion\": 1,\n\"formatVersion\": 1}", 2, ".formatVersion", "appears twice"},
        {"{\"formatVersion\": 1, \"scenes\": [\n{\"knobs\": [{\"knob\": 1,\n \"ccNumber\": 1, \"ccNumber\": 2}]}]}", 3,
         ".scenes[0].knobs[0].ccNumber", "appears twice"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"colour\": 1}]}", 1, ".scenes[0].colour", "unknown field"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"knobs\": [{\"ccNumber\": 4294967296}]}]}", 1, ".scenes[0].knobs[0].ccNumber", "does not fit in 32 bits"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"knobs\": [{\"ccNumber\": -2147483649}]}]}", 1, ".scenes[0].knobs[0].ccNumber", "does not fit in 32 bits"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"knobs\": [{\"ccNumber\": 123456789012345678901234567890}]}]}", 1, ".scenes[0].knobs[0].ccNumber", "does not fit in 32 bits"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"knobs\": [{\"ccNumber\": 1.5}]}]}", 1, ".scenes[0].knobs[0].ccNumber", "not a whole number"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"knobs\": [{\"ccNumber\": \"74\"}]}]}", 1, ".scenes[0].knobs[0].ccNumber", "expected a whole number, found a string"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"knobs\": [{\"ccNumber\": {\"raw\": 1, \"x\": 2}}]}]}", 1, ".scenes[0].knobs[0].ccNumber", "{\"raw\": N}"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"knobs\": [{\"knob\": 5}]}]}", 1, ".scenes[0].knobs[0].knob", "not a knob number"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"knobs\": [{}, {}, {}, {}, {}]}]}", 1, ".scenes[0].knobs[4]", "only 4 knobs"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"scene\": 1}, {\"scene\": 1}]}", 1, ".scenes[1]", "scene 1 is given twice"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"keyMidiChannel\": 0}]}", 1, ".scenes[0].keyMidiChannel", "not one of 1..16 or \"Global\""},
        {"{\"formatVersion\": 1, \"scenes\": [{\"transpose\": 13}]}", 1, ".scenes[0].transpose", "not one of -12..12"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"keyVelocityCurve\": \"Soft\"}]}", 1, ".scenes[0].keyVelocityCurve", "not one of \"Light\""},
        {"{\"formatVersion\": 1, \"scenes\": [{\"keys\": [{\"behavior\": true}]}]}", 1, ".scenes[0].keys[0].behavior", "found true or false"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"name\": \"ABCDEFGHIJKLM\"}]}", 1, ".scenes[0].name", "13 characters"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"name\": [\"A\"]}]}", 1, ".scenes[0].name", "expected a string"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"name\": \"\xE2\x82\xAC\"}]}", 1, ".scenes[0].name", "U+20AC"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"name\": \"ABCDEFGHIJK\", \"nameTail\": \"0102\"}]}", 1, ".scenes[0].nameTail", "room for 1"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"name\": \"A\", \"padding\": \"00\"}]}", 1, ".scenes[0].padding", "3 bytes"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"padding\": \"000000\"}]}", 1, ".scenes[0].padding", "needs \"name\""},
        {"{\"formatVersion\": 1, \"scenes\": [{\"pads\": [{\"note\": \"H4\"}]}]}", 1, ".scenes[0].pads[0].note", "no note is named"},
        {"{\"formatVersion\": 1, \"scenes\": [{\"pads\": [{\"note\": \"C4\", \"ccNumber\": 1}]}]}", 1, ".scenes[0].pads[0].note", "not both"},
    };
    const SceneBank before = Defaults();
    for (const auto& c : cases) {
        SceneBank bank = before;
        try {
            ReadSceneJson(c.text, Notes(), bank);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const SceneJsonError& e) {
            EXPECT_EQ(e.Line(), c.line) << c.text << "\n" << e.what();
            EXPECT_EQ(e.Field(), c.field) << c.text << "\n" << e.what();
            EXPECT_NE(e.Problem().find(c.problem), std::string::npos) << c.text << "\n" << e.what();
        }
        EXPECT_EQ(Bytes(bank), Bytes(before)) << "changed by a failed read: " << c.text;
    }
}

TEST(SceneJson, DeepNestingEndsWithAnError)
{
    SceneBank bank;
    EXPECT_THROW(ReadSceneJson(std::string(1'000'000, '['), Notes(), bank), SceneJsonError);
}

} // namespace
} // namespace korvo
