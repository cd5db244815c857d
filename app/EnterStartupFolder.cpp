#include "app/EnterStartupFolder.h"

#include "app/UserDialogs.h"
#include "files/InstalledDataFolder.h"
#include "files/StartupFolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <filesystem>
#include <system_error>

namespace korvo {
namespace {

// The generic data location keeps the folder at .../share/korvo whatever
// application and organisation names the program sets for its settings.
StartupPlaces Places()
{
    StartupPlaces places;
    std::error_code ec;
    places.WorkingFolder = std::filesystem::current_path(ec);
    places.InstalledFolder = InstalledDataFolder();
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME")) {
        places.UserFolderUnknownReason = "HOME is not set";
        return places;
    }
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || QDir::isRelativePath(data))
        places.UserFolderUnknownReason = "the system names no folder for a user's data";
    else
        places.UserFolder = std::filesystem::path(QDir(data).filePath(QStringLiteral("korvo")).toStdString());
    return places;
}

} // namespace

bool EnterStartupFolder(UserDialogs& dialogs)
{
    const StartupPlaces places = Places();
    const StartupFolder chosen = ChooseStartupFolder(places);
    if (chosen.Folder.empty()) {
        dialogs.error(QString::fromStdString(chosen.Problem));
        return false;
    }
    if (chosen.Folder == places.WorkingFolder)
        return true;
    std::error_code ec;
    std::filesystem::current_path(chosen.Folder, ec);
    if (ec) {
        dialogs.error(QStringLiteral("Cannot make \"%1\" the working folder: %2")
                          .arg(QString::fromStdString(chosen.Folder.string()), QString::fromStdString(ec.message())));
        return false;
    }
    return true;
}

} // namespace korvo
