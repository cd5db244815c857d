#pragma once
// The editor's own settings, kept with QSettings in ~/.config/korvo/korvo-editor.conf
// ($XDG_CONFIG_HOME): the scene files opened or saved last, and the folder the
// file dialogs start in. What the file holds is checked when read: a list that is
// no list, entries that are no absolute paths, repeats or too many entries are
// dropped, and the file is corrected.

#include <QString>
#include <QStringList>

namespace korvo {

// The names under which the program keeps its settings and data (QCoreApplication's
// organisation and application names).
inline constexpr const char* SettingsOrganisation = "korvo";
inline constexpr const char* SettingsApplication = "korvo-editor";

// How many recent scene files File > Open Recent lists.
inline constexpr int RecentFileCount = 8;

// The settings file, where the environment says now (tests change HOME); the
// link's settings (app/LinkSettings.h) are kept in it too.
QString EditorSettingsFile();

class EditorSettings {
public:
    // The recent scene files, newest first, absolute paths, at most RecentFileCount.
    QStringList recentFiles() const;
    // path (made absolute) becomes the newest; an older entry of it goes.
    void addRecentFile(const QString& path) const;
    void removeRecentFile(const QString& path) const;

    // The folder the open and save dialogs start in: the folder of the scene file
    // last opened or saved while it exists; else the user's Documents folder, or the
    // home folder where there is none. Never the working folder.
    QString sceneFolder() const;
    // Remembers the folder of a scene file just opened or saved.
    void rememberSceneFolderOf(const QString& filePath) const;
};

} // namespace korvo
