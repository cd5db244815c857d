#pragma once
// Runs the editor: creates the main window, shows it and runs the event loop.

#include <QString>
#include <memory>

class QApplication;

namespace korvo {

class UserDialogs;
class MidiPorts;

// Returns the exit status: the event loop's, or 1 when a start-up file could not
// be read (the error is shown first: without defaults and note names no scene can
// be shown, so the program ends).
// The controller is looked for on the given MIDI service. fileToOpen (an absolute
// path, or empty) is opened once the window is up, as File > Open opens a file.
int RunEditor(QApplication& app, UserDialogs& dialogs, std::unique_ptr<MidiPorts> midi,
              const QString& fileToOpen = {});

} // namespace korvo
