#pragma once
// Where a program finds the shipped start-up files: share/korvo beside its own
// bin/ folder, so that an installed tree works wherever it is moved to. The build
// tree is laid out the same way (build/bin, build/share/korvo).

#include <filesystem>

namespace korvo {

// The folder holding the running program; empty when the system does not say.
std::filesystem::path ExecutableFolder();

// <executableFolder>/../share/korvo, normalised.
std::filesystem::path InstalledDataFolder(const std::filesystem::path& executableFolder);

// InstalledDataFolder(ExecutableFolder()); empty when the program's folder is unknown.
std::filesystem::path InstalledDataFolder();

} // namespace korvo
