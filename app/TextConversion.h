#pragma once
// Scene names and note names are 8-bit texts (one byte per character, Latin-1).

#include <QString>
#include <string>

namespace korvo {

// The text shown for stored bytes; a zero byte ends what a text box can show.
inline QString ShownText(const std::string& bytes)
{
    const auto end = bytes.find('\0');
    const auto length = static_cast<qsizetype>(end == std::string::npos ? bytes.size() : end);
    return QString::fromLatin1(bytes.data(), length);
}

// The bytes stored for a shown text; characters outside Latin-1 become "?".
inline std::string StoredBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

} // namespace korvo
