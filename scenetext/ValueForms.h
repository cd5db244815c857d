#pragma once
// The values of a scene field as the editor's panels show them: list items, the
// channel numbers 1..16 and "Global", the shown bend speed and transposition.
// Shared by the dump, the diff and the JSON form.

#include "scene/NoteNames.h"
#include "scene/SceneFields.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvo {

// The drop-down list of a list form (channels included); empty for the others.
std::span<const std::string_view> ListItemsOf(ValueForm form);

// Whether the editor offers the stored value. PadNumber counts 0..127 as offered.
bool IsOffered(ValueForm form, std::int32_t stored);

// For an offered value: the item text when the editor shows one ("Global",
// "Normal", "Enable"), or nothing when it shows a number (see ShownNumber).
std::optional<std::string> ShownItem(ValueForm form, std::int32_t stored);

// For an offered value shown as a number: that number (a channel stored 4 shows
// 5, a KeyTrans of 12 shows -1).
std::int64_t ShownNumber(ValueForm form, std::int32_t stored);

// The stored value of a shown number or item text, when the editor offers it.
// Item texts are compared ignoring letter case.
std::optional<std::int32_t> StoredFromShownNumber(ValueForm form, std::int64_t shown);
std::optional<std::int32_t> StoredFromItem(ValueForm form, std::string_view text);

// What the editor offers, for messages: "1..16 or \"Global\"", "-12..12".
std::string OfferedValues(ValueForm form);

// The value as a panel shows it, or the stored number in brackets ("[17]") when
// the editor does not offer it. Not for PadNumber (see PadNumberText).
std::string ShownText(ValueForm form, std::int32_t stored);

// The name a pad's number goes by: with assign type Note, the note's name when
// the note list has one that leads back to the same number; nothing otherwise.
std::optional<std::string> PadNoteName(const TSceneRecord& r, int pad, const NoteNames& notes);

// A pad's CC/Note Number as its panel shows it: the note name for a Note pad,
// else the number; "[n]" for a number outside 0..127 that has no name.
std::string PadNumberText(const TSceneRecord& r, int pad, const NoteNames& notes);

// The text of any field element as the panels show it.
std::string FieldText(const TSceneRecord& r, const SceneField& f, int element, const NoteNames& notes);

// A scene name's bytes in double quotes: printable ASCII as it is, Latin-1
// letters as UTF-8, anything else as \xNN.
std::string QuotedName(std::string_view bytes);

// Lower-case hexadecimal, two digits per byte.
std::string HexBytes(std::span<const std::uint8_t> bytes);

} // namespace korvo
