#pragma once
// The user's Korvo folder, ~/.local/share/korvo ($XDG_DATA_HOME/korvo): the
// start-up files when the working folder has none, their backups, and the recovery
// files of unsaved scenes in its folder "recovery".

#include <QString>

namespace korvo {

// Empty when neither HOME nor XDG_DATA_HOME is set, or the system names no
// absolute folder for a user's data.
QString UserKorvoFolder();

// UserKorvoFolder() + "/recovery", or empty.
QString RecoveryFolder();

} // namespace korvo
