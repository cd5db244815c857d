#pragma once
// Small helpers for tests that touch the file system.

#include <filesystem>
#include <functional>
#include <string>

namespace korvo::test {

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Makes a folder the working directory until destroyed.
class ScopedWorkingDir {
public:
    explicit ScopedWorkingDir(const std::filesystem::path& dir);
    ~ScopedWorkingDir();
    ScopedWorkingDir(const ScopedWorkingDir&) = delete;
    ScopedWorkingDir& operator=(const ScopedWorkingDir&) = delete;

private:
    std::filesystem::path previous_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Runs the body in a forked child process and returns what it returned; the child
// may change its own limits and signals freely.
std::string RunInChild(const std::function<std::string()>& body);

// Runs the body in a child process without root's rights (as user "nobody" when
// the tests run as root, as the current user otherwise) and returns what it returned.
// File permissions are only meaningful for a user who is not root.
std::string RunUnprivileged(const std::function<std::string()>& body);

} // namespace korvo::test
