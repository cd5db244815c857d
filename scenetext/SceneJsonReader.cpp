#include "scenetext/SceneJson.h"

#include "scene/SceneFields.h"
#include "scenetext/SceneJsonKeys.h"
#include "scenetext/ValueForms.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace korvo {

namespace {

using Kind = JsonNode::Kind;

[[noreturn]] void Fail(int line, const std::string& path, const std::string& problem)
{
    throw SceneJsonError(line, path, problem);
}

[[noreturn]] void Fail(const JsonNode& node, const std::string& path, const std::string& problem)
{
    Fail(node.line, path, problem);
}

std::string Found(const JsonNode& node)
{
    return std::string("found ") + KindName(node.kind);
}

void Expect(const JsonNode& node, const std::string& path, Kind kind)
{
    if (node.kind != kind)
        Fail(node, path, std::string("expected ") + KindName(kind) + ", " + Found(node));
}

// A whole number within 32 bits.
std::int32_t Int32(const JsonNode& node, const std::string& path)
{
    if (node.kind == Kind::Float)
        Fail(node, path, node.text + " is not a whole number");
    Expect(node, path, Kind::Integer);
    if (node.beyond64Bits || node.integer < std::numeric_limits<std::int32_t>::min() ||
        node.integer > std::numeric_limits<std::int32_t>::max())
        Fail(node, path,
             (node.beyond64Bits ? node.text : std::to_string(node.integer)) +
                 " does not fit in 32 bits (-2147483648..2147483647)");
    return static_cast<std::int32_t>(node.integer);
}

std::string KeysText(const std::vector<std::string>& keys)
{
    std::string text;
    for (const auto& k : keys)
        text += (text.empty() ? "" : ", ") + k;
    return text;
}

// Calls take(key, value, path) for each member; a key outside known is an error.
template <typename Take>
void Members(const JsonNode& object, const std::string& path, const std::vector<std::string>& known, Take take)
{
    for (const auto& m : object.members) {
        const std::string memberPath = path + "." + m.key;
        if (std::find(known.begin(), known.end(), m.key) == known.end())
            Fail(m.keyLine, memberPath, "unknown field; the fields here are " + KeysText(known));
        take(m.key, m.value.front(), memberPath);
    }
}

const JsonNode* Find(const JsonNode& object, std::string_view key)
{
    for (const auto& m : object.members)
        if (m.key == key)
            return &m.value.front();
    return nullptr;
}

// {"raw": N}: a stored value written as it is.
std::int32_t RawValue(const JsonNode& node, const std::string& path)
{
    if (node.members.size() != 1 || node.members.front().key != RawKey)
        Fail(node, path, std::string("an object here must be {\"") + RawKey + "\": N} with a stored number N");
    return Int32(node.members.front().value.front(), path + "." + RawKey);
}

std::int32_t FieldValueFromJson(const JsonNode& node, const std::string& path, ValueForm form)
{
    if (node.kind == Kind::Object)
        return RawValue(node, path);
    if (form == ValueForm::Number || form == ValueForm::PadNumber)
        return Int32(node, path);

    const std::string raw = std::string("; write {\"") + RawKey + "\": N} for a stored number N";
    if (node.kind == Kind::String) {
        if (auto stored = StoredFromItem(form, node.text))
            return *stored;
        Fail(node, path, "\"" + node.text + "\" is not one of " + OfferedValues(form) + raw);
    }
    if (node.kind == Kind::Integer && !node.beyond64Bits) {
        if (auto stored = StoredFromShownNumber(form, node.integer))
            return *stored;
        Fail(node, path, std::to_string(node.integer) + " is not one of " + OfferedValues(form) + raw);
    }
    Fail(node, path, "expected " + OfferedValues(form) + " or {\"" + RawKey + "\": N}, " + Found(node));
}

// A scene name: at most 12 characters, each of them Latin-1 (U+0000..U+00FF).
std::string NameBytes(const JsonNode& node, const std::string& path)
{
    Expect(node, path, Kind::String);
    std::string bytes;
    const std::string& t = node.text; // valid UTF-8: the parser checked it
    for (std::size_t i = 0; i < t.size();) {
        const auto b = static_cast<unsigned char>(t[i]);
        std::uint32_t code = b;
        std::size_t length = 1;
        if (b >= 0xF0) {
            code = b & 0x07u;
            length = 4;
        } else if (b >= 0xE0) {
            code = b & 0x0Fu;
            length = 3;
        } else if (b >= 0xC0) {
            code = b & 0x1Fu;
            length = 2;
        }
        for (std::size_t k = 1; k < length && i + k < t.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(t[i + k]) & 0x3Fu);
        if (code > 0xFF) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(code));
            Fail(node, path, std::string("the character ") + hex + " cannot be stored; names hold Latin-1 characters");
        }
        bytes += static_cast<char>(code);
        i += length;
    }
    if (bytes.size() > static_cast<std::size_t>(SceneNameMax))
        Fail(node, path,
             "the name has " + std::to_string(bytes.size()) + " characters; at most " + std::to_string(SceneNameMax) +
                 " fit");
    return bytes;
}

std::vector<std::uint8_t> HexValue(const JsonNode& node, const std::string& path, std::size_t maxBytes)
{
    Expect(node, path, Kind::String);
    const std::string& t = node.text;
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    if (t.size() % 2 != 0 || !std::all_of(t.begin(), t.end(), [&](char c) { return digit(c) >= 0; }))
        Fail(node, path, "expected bytes as pairs of hexadecimal digits, like \"00ff\"");
    if (t.size() / 2 > maxBytes)
        Fail(node, path, std::to_string(t.size() / 2) + " bytes do not fit; there is room for " + std::to_string(maxBytes));
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < t.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(digit(t[i]) * 16 + digit(t[i + 1])));
    return bytes;
}

class Reader {
public:
    explicit Reader(const NoteNames& notes) : notes_(notes) {}

    void Document(const JsonNode& root, SceneBank& bank)
    {
        Expect(root, "", Kind::Object);
        const JsonNode* version = Find(root, FormatVersionKey);
        if (!version)
            Fail(root, "", std::string("the field \"") + FormatVersionKey + "\" is missing (" +
                               std::to_string(SceneJsonFormatVersion) + " for this form)");
        Members(root, "", {FormatKey, FormatVersionKey, ScenesKey}, [&](const std::string& key, const JsonNode& v,
                                                                          const std::string& path) {
            if (key == FormatKey) {
                Expect(v, path, Kind::String);
                if (v.text != SceneJsonFormatName)
                    Fail(v, path, std::string("expected \"") + SceneJsonFormatName + "\"");
            } else if (key == FormatVersionKey) {
                if (Int32(v, path) != SceneJsonFormatVersion)
                    Fail(v, path, "version " + std::to_string(v.integer) + " is not known; this program reads version " +
                                      std::to_string(SceneJsonFormatVersion));
            } else {
                Numbered(v, path, ControlKind::Common, SceneCount, [&](const JsonNode& scene, const std::string& at, int n) {
                    Scene(scene, at, bank.Scenes[static_cast<std::size_t>(n)]);
                });
            }
        });
    }

private:
    // An array of objects each numbered by its "<numberKey>" (1..count) or, without
    // one, by its position; calls each(object, path, element).
    template <typename Each>
    void Numbered(const JsonNode& array, const std::string& path, ControlKind kind, int count, Each each)
    {
        const char* numberKey = KindInfo(kind).jsonNumber;
        Expect(array, path, Kind::Array);
        std::vector<int> seenAt(static_cast<std::size_t>(count), 0);
        for (std::size_t i = 0; i < array.elements.size(); ++i) {
            const JsonNode& item = array.elements[i];
            const std::string at = path + "[" + std::to_string(i) + "]";
            Expect(item, at, Kind::Object);
            std::int64_t number = static_cast<std::int64_t>(i) + 1;
            if (const JsonNode* given = Find(item, numberKey)) {
                number = Int32(*given, at + "." + numberKey);
                if (number < 1 || number > count)
                    Fail(*given, at + "." + numberKey, std::to_string(number) + " is not a " + numberKey + " number (1.." +
                                                           std::to_string(count) + ")");
            } else if (number > count) {
                Fail(item, at, "there are only " + std::to_string(count) + " " + numberKey + "s");
            }
            int& seen = seenAt[static_cast<std::size_t>(number - 1)];
            if (seen != 0)
                Fail(item, at, std::string(numberKey) + " " + std::to_string(number) + " is given twice (first on line " +
                                   std::to_string(seen) + ")");
            seen = item.line;
            each(item, at, static_cast<int>(number - 1));
        }
    }

    void Scene(const JsonNode& scene, const std::string& path, TSceneRecord& r)
    {
        std::vector<std::string> known = {KindInfo(ControlKind::Common).jsonNumber, SceneNameJsonKey, NameLengthKey,
                                          NameTailKey, PaddingKey};
        for (const SceneField& f : FieldsOf(ControlKind::Common))
            known.push_back(f.jsonKey);
        for (const ControlKindInfo& k : ControlKinds)
            if (k.kind != ControlKind::Common)
                known.push_back(k.jsonArray);

        Members(scene, path, known, [&](const std::string& key, const JsonNode& v, const std::string& at) {
            for (const SceneField& f : FieldsOf(ControlKind::Common))
                if (key == f.jsonKey)
                    SetFieldValue(r, f, 0, FieldValueFromJson(v, at, f.form));
            for (const ControlKindInfo& k : ControlKinds)
                if (k.kind != ControlKind::Common && key == k.jsonArray)
                    Numbered(v, at, k.kind, k.count, [&](const JsonNode& control, const std::string& cAt, int e) {
                        Control(control, cAt, k.kind, e, r);
                    });
        });
        NameBlock(scene, path, r);
    }

    // "name" writes the whole name block: the length byte, the characters, and the
    // character bytes after the name and the padding, zero unless "nameTail" and
    // "padding" give them. Without "name" the name block stays as it was.
    void NameBlock(const JsonNode& scene, const std::string& path, TSceneRecord& r)
    {
        const JsonNode* name = Find(scene, SceneNameJsonKey);
        const JsonNode* length = Find(scene, NameLengthKey);
        const JsonNode* tail = Find(scene, NameTailKey);
        const JsonNode* padding = Find(scene, PaddingKey);
        if (!name) {
            using Part = std::pair<const JsonNode*, const char*>;
            for (const auto& [node, key] : {Part{length, NameLengthKey}, Part{tail, NameTailKey}, Part{padding, PaddingKey}})
                if (node)
                    Fail(*node, path + "." + key, std::string("needs \"") + SceneNameJsonKey + "\" in the same scene");
            return;
        }
        const std::string chars = NameBytes(*name, path + "." + SceneNameJsonKey);
        std::uint8_t block[1 + SceneNameMax + 3] = {};
        block[0] = static_cast<std::uint8_t>(chars.size());
        std::memcpy(block + 1, chars.data(), chars.size());
        if (length) {
            const std::string at = path + "." + NameLengthKey;
            const std::int32_t n = Int32(*length, at);
            if (n <= SceneNameMax || n > 255)
                Fail(*length, at, "a length byte of 13..255 is given only for a name block that says more than 12");
            if (chars.size() != static_cast<std::size_t>(SceneNameMax))
                Fail(*length, at, "needs a name of 12 characters");
            block[0] = static_cast<std::uint8_t>(n);
        }
        if (tail) {
            const auto bytes = HexValue(*tail, path + "." + NameTailKey, SceneNameMax - chars.size());
            std::copy(bytes.begin(), bytes.end(), block + 1 + chars.size());
        }
        if (padding) {
            const auto bytes = HexValue(*padding, path + "." + PaddingKey, 3);
            if (bytes.size() != 3)
                Fail(*padding, path + "." + PaddingKey, "expected 3 bytes, like \"000000\"");
            std::copy(bytes.begin(), bytes.end(), block + 1 + SceneNameMax);
        }
        r.SceneNameLength = block[0];
        std::memcpy(r.SceneNameChars, block + 1, SceneNameMax);
        std::memcpy(r.Padding, block + 1 + SceneNameMax, 3);
    }

    void Control(const JsonNode& control, const std::string& path, ControlKind kind, int element, TSceneRecord& r)
    {
        const auto fields = FieldsOf(kind);
        std::vector<std::string> known = {KindInfo(kind).jsonNumber};
        for (const SceneField& f : fields)
            known.push_back(f.jsonKey);
        if (kind == ControlKind::Pad)
            known.push_back(NoteKey);
        for (const SceneField& f : fields)
            if (f.form == ValueForm::PadNumber && Find(control, NoteKey) && Find(control, f.jsonKey))
                Fail(*Find(control, NoteKey), path + "." + NoteKey,
                     std::string("give either \"") + f.jsonKey + "\" or \"" + NoteKey + "\", not both");

        Members(control, path, known, [&](const std::string& key, const JsonNode& v, const std::string& at) {
            if (key == NoteKey) {
                r.PadCCNumber[element] = Note(v, at);
                return;
            }
            for (const SceneField& f : fields)
                if (key == f.jsonKey)
                    SetFieldValue(r, f, element, FieldValueFromJson(v, at, f.form));
        });
    }

    std::int32_t Note(const JsonNode& node, const std::string& path)
    {
        if (node.kind == Kind::Object)
            return RawValue(node, path);
        if (node.kind != Kind::String)
            Fail(node, path, "expected a note name like \"C4\" or {\"raw\": N}, " + Found(node));
        const int number = NoteNumber(notes_, node.text);
        if (number < 0)
            Fail(node, path, "no note is named \"" + node.text + "\" in the note names");
        return number;
    }

    const NoteNames& notes_;
};

} // namespace

void ReadSceneJson(std::string_view text, const NoteNames& notes, SceneBank& bank)
{
    const JsonNode root = ParseJsonTree(text);
    SceneBank result = bank;
    Reader(notes).Document(root, result);
    bank = result;
}

} // namespace korvo
