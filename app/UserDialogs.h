#pragma once
// Every message box and file dialog of the window goes through this interface, so
// that tests can answer them from a script.

#include <QString>
#include <optional>

class QWidget;

namespace korvo {

enum class DialogAnswer { Yes, No, Cancel, Ok };

enum class DialogButtons { YesNoCancel, YesNo, OkCancel, Ok };

enum class DialogIcon { Warning, Confirmation };

// Asked before unsaved scenes could be lost (quitting, reading from the controller).
inline const QString SaveChangesQuestion = QStringLiteral("Do you want to save changes?");

// Asked at start-up when an editor that is no longer running left unsaved scenes.
inline const QString RestoreRecoveryQuestion =
    QStringLiteral("Unsaved scenes from an earlier session were found. Restore them?");

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // The window the boxes are shown over (none: centred on the screen).
    virtual void setParentWindow(QWidget*) {}

    // A question, captioned "Warning" or "Confirm" by its icon; closing the box
    // without a choice gives Cancel (or No where there is no Cancel).
    virtual DialogAnswer ask(DialogIcon icon, const QString& text, DialogButtons buttons) = 0;
    // Information with an OK button, captioned "Information".
    virtual void inform(const QString& text) = 0;
    // A warning with an OK button, captioned "Warning".
    virtual void warn(const QString& text) = 0;
    // The application's error display: an error icon, the executable's name as title.
    virtual void error(const QString& text) = 0;

    // The scene-file dialogs: filter "*.kvo Korvo File" (*.kvo), default suffix kvo,
    // starting in folder. Nothing when the user cancels.
    virtual std::optional<QString> openFile(const QString& folder) = 0;
    // Preset with a file name; asks before replacing an existing file.
    virtual std::optional<QString> saveFile(const QString& folder, const QString& presetName) = 0;
};

} // namespace korvo
