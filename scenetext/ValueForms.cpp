#include "scenetext/ValueForms.h"

#include "editor/ListItems.h"
#include "scene/TextLines.h"

namespace korvo {

namespace {

// The stored range the editor offers for forms without a list.
struct Range {
    std::int32_t low, high;
    std::int64_t shownOffset; // shown = stored + shownOffset
};

std::optional<Range> NumberRange(ValueForm form)
{
    switch (form) {
    case ValueForm::Number:
    case ValueForm::PadNumber:
        return Range{0, 127, 0};
    case ValueForm::SceneChannel:
    case ValueForm::Channel:
        return Range{0, 15, 1};
    case ValueForm::BendSpeed:
        return Range{0, 3, 1};
    case ValueForm::Transpose:
        return Range{1, 25, -13};
    default:
        return std::nullopt;
    }
}

constexpr std::int32_t GlobalChannel = 16;

} // namespace

std::span<const std::string_view> ListItemsOf(ValueForm form)
{
    switch (form) {
    case ValueForm::SceneChannel:
        return SceneChannelItems;
    case ValueForm::Channel:
        return ChannelItems;
    case ValueForm::VelocityCurve:
        return VelocityCurveItems;
    case ValueForm::Enable:
        return EnableItems;
    case ValueForm::Behavior:
        return BehaviorItems;
    case ValueForm::PadAssign:
        return PadAssignItems;
    default:
        return {};
    }
}

bool IsOffered(ValueForm form, std::int32_t stored)
{
    if (const auto range = NumberRange(form); range && stored >= range->low && stored <= range->high)
        return true;
    const auto items = ListItemsOf(form);
    return stored >= 0 && stored < static_cast<std::int64_t>(items.size());
}

std::optional<std::string> ShownItem(ValueForm form, std::int32_t stored)
{
    if (NumberRange(form) && !(form == ValueForm::Channel && stored == GlobalChannel))
        return std::nullopt;
    const auto items = ListItemsOf(form);
    if (stored < 0 || stored >= static_cast<std::int64_t>(items.size()))
        return std::nullopt;
    return std::string(items[static_cast<std::size_t>(stored)]);
}

std::int64_t ShownNumber(ValueForm form, std::int32_t stored)
{
    const auto range = NumberRange(form);
    return std::int64_t{stored} + (range ? range->shownOffset : 0);
}

std::optional<std::int32_t> StoredFromShownNumber(ValueForm form, std::int64_t shown)
{
    const auto range = NumberRange(form);
    if (!range)
        return std::nullopt;
    const std::int64_t stored = shown - range->shownOffset;
    if (stored < range->low || stored > range->high)
        return std::nullopt;
    return static_cast<std::int32_t>(stored);
}

std::optional<std::int32_t> StoredFromItem(ValueForm form, std::string_view text)
{
    const auto items = ListItemsOf(form);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (SameTextIgnoringCase(items[i], text))
            return static_cast<std::int32_t>(i);
    return std::nullopt;
}

std::string OfferedValues(ValueForm form)
{
    if (const auto range = NumberRange(form)) {
        std::string text = std::to_string(range->low + range->shownOffset) + ".." +
                           std::to_string(range->high + range->shownOffset);
        return form == ValueForm::Channel ? text + " or \"Global\"" : text;
    }
    std::string text;
    for (const auto item : ListItemsOf(form))
        text += (text.empty() ? "\"" : ", \"") + std::string(item) + "\"";
    return text;
}

std::string ShownText(ValueForm form, std::int32_t stored)
{
    if (!IsOffered(form, stored))
        return "[" + std::to_string(stored) + "]";
    if (auto item = ShownItem(form, stored))
        return *item;
    return std::to_string(ShownNumber(form, stored));
}

std::optional<std::string> PadNoteName(const TSceneRecord& r, int pad, const NoteNames& notes)
{
    constexpr std::int32_t NoteType = 2;
    if (r.PadAssignType[pad] != NoteType)
        return std::nullopt;
    const std::int32_t number = r.PadCCNumber[pad];
    auto name = NoteName(notes, number);
    if (!name || NoteNumber(notes, *name) != number)
        return std::nullopt;
    return name;
}

std::string PadNumberText(const TSceneRecord& r, int pad, const NoteNames& notes)
{
    if (auto name = PadNoteName(r, pad, notes))
        return *name;
    return ShownText(ValueForm::PadNumber, r.PadCCNumber[pad]);
}

std::string FieldText(const TSceneRecord& r, const SceneField& f, int element, const NoteNames& notes)
{
    if (f.form == ValueForm::PadNumber)
        return PadNumberText(r, element, notes);
    return ShownText(f.form, FieldValue(r, f, element));
}

std::string QuotedName(std::string_view bytes)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string text = "\"";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\') {
            text += c;
        } else if (b >= 0xA0) {
            text += static_cast<char>(0xC0 | (b >> 6));
            text += static_cast<char>(0x80 | (b & 0x3F));
        } else {
            text += "\\x";
            text += Hex[b >> 4];
            text += Hex[b & 0xF];
        }
    }
    return text + "\"";
}

std::string HexBytes(std::span<const std::uint8_t> bytes)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string text;
    for (const auto b : bytes) {
        text += Hex[b >> 4];
        text += Hex[b & 0xF];
    }
    return text;
}

} // namespace korvo
