#pragma once
// The keys of the JSON form that are not field names of SceneFields.

namespace korvo {

inline constexpr const char* FormatKey = "format";
inline constexpr const char* FormatVersionKey = "formatVersion";
inline constexpr const char* ScenesKey = "scenes";
// The name block beyond the shown name: a length byte above 12, the character
// bytes after the name, and the three spare bytes.
inline constexpr const char* NameLengthKey = "nameLength";
inline constexpr const char* NameTailKey = "nameTail";
inline constexpr const char* PaddingKey = "padding";
// A pad's number written as a note name instead of "ccNumber".
inline constexpr const char* NoteKey = "note";
// A stored value the editor does not offer: {"raw": 17}.
inline constexpr const char* RawKey = "raw";

} // namespace korvo
