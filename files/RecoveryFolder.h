#pragma once
// The folder of recovery files, shared by every editor that runs. Each running
// editor owns one slot, recovery-<pid>-<random>.kvr, and holds an advisory lock
// (flock) on its companion recovery-<pid>-<random>.lock for as long as it runs. The
// kernel drops the lock when the editor ends in any way, so a recovery file whose
// lock can be taken was left by an editor that is no longer running.

#include "files/RecoveryFile.h"
#include "files/UniqueFd.h"

#include <string>
#include <vector>

namespace korvo {

// This editor's own recovery file.
class RecoverySlot {
public:
    // Creates the folder when it is missing and takes a fresh slot in it. Throws
    // SceneFileError ("Cannot use the recovery folder <folder>: <reason>").
    explicit RecoverySlot(const std::string& folder);
    // Releases the lock. The lock file is removed too, unless a recovery file is
    // left for a later start to find.
    ~RecoverySlot();
    RecoverySlot(RecoverySlot&&) = default;
    RecoverySlot& operator=(RecoverySlot&&) = delete;

    // Writes (or replaces) the recovery file. Throws SceneFileError.
    void Write(const std::string& sceneFileName, const SceneBank& bank);
    // Removes the recovery file, if there is one; the slot stays taken.
    void Remove();
    bool HasFile() const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::string lockPath_;
    UniqueFd lock_;
};

// A recovery file left by an editor that is no longer running, locked by this one
// so that no other editor offers it at the same time. Destroying it releases the
// claim and leaves the file for a later start. After restoring its content, write
// the own slot first and then Delete() this one, so that a crash in between loses
// nothing.
class ClaimedRecoveryFile {
public:
    ClaimedRecoveryFile(std::string path, std::string lockPath, UniqueFd lock);
    ClaimedRecoveryFile(ClaimedRecoveryFile&&) = default;
    ClaimedRecoveryFile& operator=(ClaimedRecoveryFile&&) = default;

    const std::string& Path() const { return path_; }
    RecoveryReadResult Read() const { return ReadRecoveryFile(path_); }
    // Removes the file and its lock file, and ends the claim.
    void Delete();
    // Moves a bad file aside (MoveRecoveryFileAside), removes its lock file and
    // ends the claim. Returns the new name, or "".
    std::string MoveAside();

private:
    void Release();

    std::string path_;
    std::string lockPath_;
    UniqueFd lock_;
};

// Claims every recovery file in the folder that no running editor holds, newest
// first; the own slot and those of other running editors are never among them.
// Lock files left without a recovery file are tidied away. A missing or unreadable
// folder gives none.
std::vector<ClaimedRecoveryFile> ClaimOrphanedRecoveryFiles(const std::string& folder);

} // namespace korvo
