#include "scenetext/SceneJson.h"

#include "scene/SceneFields.h"
#include "scenetext/SceneJsonKeys.h"
#include "scenetext/ValueForms.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace korvo {

namespace {

std::string Quoted(const std::string& utf8)
{
    return nlohmann::json(utf8).dump();
}

// Name bytes are Latin-1: each byte is the character of the same number.
std::string Latin1ToUtf8(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (b >> 6));
            text += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return text;
}

std::string Raw(std::int32_t stored)
{
    return std::string("{\"") + RawKey + "\": " + std::to_string(stored) + "}";
}

std::string ValueJson(ValueForm form, std::int32_t stored)
{
    if (form == ValueForm::Number || form == ValueForm::PadNumber)
        return std::to_string(stored);
    if (!IsOffered(form, stored))
        return Raw(stored);
    if (auto item = ShownItem(form, stored))
        return Quoted(*item);
    return std::to_string(ShownNumber(form, stored));
}

std::string Member(const char* key, const std::string& json)
{
    return Quoted(key) + ": " + json;
}

// One control as one line: {"knob": 1, "enable": "Enable", ...}.
std::string ControlJson(const TSceneRecord& r, ControlKind kind, int element, const NoteNames& notes)
{
    std::string line = "{" + Member(KindInfo(kind).jsonNumber, std::to_string(element + 1));
    for (const SceneField& f : FieldsOf(kind)) {
        line += ", ";
        if (f.form == ValueForm::PadNumber) {
            if (auto name = PadNoteName(r, element, notes); name && IsValidUtf8(*name)) {
                line += Member(NoteKey, Quoted(*name));
                continue;
            }
        }
        line += Member(f.jsonKey, ValueJson(f.form, FieldValue(r, f, element)));
    }
    return line + "}";
}

void AppendScene(std::string& out, const TSceneRecord& r, int scene, const NoteNames& notes)
{
    const std::string in = "      ";
    std::vector<std::string> lines;
    lines.push_back(Member(KindInfo(ControlKind::Common).jsonNumber, std::to_string(scene)));

    const int shown = std::min<int>(r.SceneNameLength, SceneNameMax);
    lines.push_back(Member(SceneNameJsonKey, Quoted(Latin1ToUtf8(std::string_view(r.SceneNameChars, static_cast<std::size_t>(shown))))));
    if (r.SceneNameLength > SceneNameMax)
        lines.push_back(Member(NameLengthKey, std::to_string(r.SceneNameLength)));
    const auto* chars = reinterpret_cast<const std::uint8_t*>(r.SceneNameChars);
    const std::span<const std::uint8_t> tail(chars + shown, static_cast<std::size_t>(SceneNameMax - shown));
    if (std::any_of(tail.begin(), tail.end(), [](std::uint8_t b) { return b != 0; }))
        lines.push_back(Member(NameTailKey, Quoted(HexBytes(tail))));
    if (std::any_of(std::begin(r.Padding), std::end(r.Padding), [](std::uint8_t b) { return b != 0; }))
        lines.push_back(Member(PaddingKey, Quoted(HexBytes(r.Padding))));

    for (const SceneField& f : FieldsOf(ControlKind::Common))
        lines.push_back(Member(f.jsonKey, ValueJson(f.form, FieldValue(r, f, 0))));

    for (const ControlKindInfo& kind : ControlKinds) {
        if (kind.kind == ControlKind::Common)
            continue;
        std::string array = Quoted(kind.jsonArray) + ": [\n";
        for (int e = 0; e < kind.count; ++e)
            array += in + "  " + ControlJson(r, kind.kind, e, notes) + (e + 1 < kind.count ? ",\n" : "\n");
        lines.push_back(array + in + "]");
    }

    out += "    {\n";
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += in + lines[i] + (i + 1 < lines.size() ? ",\n" : "\n");
    out += "    }";
}

} // namespace

std::string WriteSceneJson(const SceneBank& bank, const NoteNames& notes, int onlyScene)
{
    std::string out = "{\n";
    out += "  " + Member(FormatKey, Quoted(SceneJsonFormatName)) + ",\n";
    out += "  " + Member(FormatVersionKey, std::to_string(SceneJsonFormatVersion)) + ",\n";
    out += "  " + Member(ScenesKey, "[\n");
    bool first = true;
    for (int s = 1; s <= SceneCount; ++s) {
        if (onlyScene != 0 && s != onlyScene)
            continue;
        if (!first)
            out += ",\n";
        first = false;
        AppendScene(out, bank.Scenes[static_cast<std::size_t>(s - 1)], s, notes);
    }
    out += "\n  ]\n}\n";
    return out;
}

} // namespace korvo
