#include "files/RecoveryFile.h"

#include "files/Crc32.h"
#include "files/SafeFileWrite.h"
#include "files/SceneFile.h"
#include "files/SceneFileError.h"
#include "files/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvo {

namespace {

constexpr std::string_view Magic = "KORVOREC";
constexpr std::size_t HeaderSize = 16; // magic, version, name length
constexpr std::size_t ChecksumSize = 4;
constexpr std::size_t BankSize = sizeof(SceneBank::Scenes);
constexpr std::size_t MaxFileSize = HeaderSize + RecoveryNameMax + BankSize + ChecksumSize;

struct FaultText {
    RecoveryFault Fault;
    const char* Reason;
};

constexpr FaultText FaultTexts[] = {
    {RecoveryFault::TooShort, "it is too short"},
    {RecoveryFault::TooLong, "it is too long"},
    {RecoveryFault::NotARecoveryFile, "it is not a recovery file"},
    {RecoveryFault::NewerFormat, "it was written by a newer version of the editor"},
    {RecoveryFault::BadHeader, "its header is damaged"},
    {RecoveryFault::BadChecksum, "its content is damaged"},
};

std::string ReasonFor(RecoveryFault fault)
{
    for (const auto& text : FaultTexts)
        if (text.Fault == fault)
            return text.Reason;
    return {};
}

void PutUint32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t GetUint32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

RecoveryReadResult Faulty(RecoveryFault fault)
{
    RecoveryReadResult result;
    result.Fault = fault;
    return result;
}

std::string CannotRestoreMessage(const std::string& path, const std::string& reason)
{
    return "Cannot restore " + path + ": " + reason;
}

std::string UtcStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

} // namespace

std::string EncodeRecoveryFile(const std::string& fileName, const SceneBank& bank)
{
    std::string out(Magic);
    PutUint32(out, RecoveryFormatVersion);
    PutUint32(out, static_cast<std::uint32_t>(fileName.size()));
    out += fileName;
    out += SceneFileBytes(bank);
    PutUint32(out, Crc32(out));
    return out;
}

RecoveryReadResult DecodeRecoveryFile(std::string_view bytes)
{
    if (bytes.substr(0, Magic.size()) != Magic.substr(0, bytes.size()))
        return Faulty(RecoveryFault::NotARecoveryFile);
    if (bytes.size() < HeaderSize)
        return Faulty(RecoveryFault::TooShort);
    const std::uint32_t version = GetUint32(bytes, 8);
    if (version > RecoveryFormatVersion)
        return Faulty(RecoveryFault::NewerFormat);
    const std::uint32_t nameLength = GetUint32(bytes, 12);
    if (version == 0 || nameLength > RecoveryNameMax)
        return Faulty(RecoveryFault::BadHeader);
    const std::size_t size = HeaderSize + nameLength + BankSize + ChecksumSize;
    if (bytes.size() < size)
        return Faulty(RecoveryFault::TooShort);
    if (bytes.size() > size)
        return Faulty(RecoveryFault::TooLong);
    if (Crc32(bytes.substr(0, size - ChecksumSize)) != GetUint32(bytes, size - ChecksumSize))
        return Faulty(RecoveryFault::BadChecksum);
    const std::string_view name = bytes.substr(HeaderSize, nameLength);
    if (name.find('\0') != std::string_view::npos)
        return Faulty(RecoveryFault::BadHeader);

    RecoveredScenes contents;
    contents.FileName = std::string(name);
    std::memcpy(contents.Scenes.data(), bytes.data() + HeaderSize + nameLength, BankSize);
    RecoveryReadResult result;
    result.Contents = std::move(contents);
    return result;
}

void WriteRecoveryFile(const std::string& path, const std::string& fileName, const SceneBank& bank)
{
    if (fileName.size() > RecoveryNameMax || fileName.find('\0') != std::string::npos)
        throw SceneFileError(CannotSaveMessage(path, "Invalid filename"));
    WriteFileSafely(path, EncodeRecoveryFile(fileName, bank), {.KeepBackup = false, .NewFileMode = 0600});
}

RecoveryReadResult ReadRecoveryFile(const std::string& path)
{
    const auto unreadable = [&](int error) {
        RecoveryReadResult result = Faulty(RecoveryFault::Unreadable);
        result.Message = CannotRestoreMessage(path, IoErrorMessage(error, path));
        return result;
    };
    // Non-blocking, so that a pipe put in its place cannot hang the start-up.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd)
        return unreadable(errno);
    struct stat st{};
    if (::fstat(fd.Get(), &st) != 0)
        return unreadable(errno);
    if (!S_ISREG(st.st_mode))
        return unreadable(S_ISDIR(st.st_mode) ? EISDIR : EACCES);

    // One byte more than the largest valid file tells "too long" without reading all.
    std::string bytes(MaxFileSize + 1, '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.Get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return unreadable(errno);
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);

    RecoveryReadResult result = DecodeRecoveryFile(bytes);
    if (result.Fault != RecoveryFault::None)
        result.Message = CannotRestoreMessage(path, ReasonFor(result.Fault));
    return result;
}

std::string MoveRecoveryFileAside(const std::string& path)
{
    const std::string stem = path + ".bad-" + UtcStamp();
    for (int n = 1; n < 100; ++n) {
        const std::string aside = n == 1 ? stem : stem + "-" + std::to_string(n);
        struct stat st{};
        if (::lstat(aside.c_str(), &st) == 0)
            continue;
        if (::rename(path.c_str(), aside.c_str()) == 0)
            return aside;
        if (errno == ENOENT)
            return {};
        break;
    }
    ::unlink(path.c_str());
    return {};
}

} // namespace korvo
