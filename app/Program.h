#pragma once
// Runs the editor: creates the main window, shows it and runs the event loop.

class QApplication;

namespace korvo {

class UserDialogs;

// Returns the exit status: the event loop's, or 1 when a start-up file could not
// be read (the error is shown first: without defaults and note names no scene can
// be shown, so the program ends).
int RunEditor(QApplication& app, UserDialogs& dialogs);

} // namespace korvo
