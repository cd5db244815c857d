#pragma once
// Makes the folder with the start-up files the working folder before the main
// window reads them: the working folder itself when it holds DefPara.ini, else the
// user's Korvo folder (QStandardPaths' data location, e.g. ~/.local/share/korvo),
// prepared from the installed files (files/StartupFolder.h).
//
// Call it after the command line is read and any file named there is made an
// absolute path: a relative name means the folder the user started the editor in.

namespace korvo {

class UserDialogs;

// False when no folder can provide the start-up files; the error, naming both
// places and what to do, has been shown then.
bool EnterStartupFolder(UserDialogs& dialogs);

} // namespace korvo
