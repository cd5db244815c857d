#include "app/EnterStartupFolder.h"

#include "app/UserDialogs.h"
#include "app/UserKorvoFolder.h"
#include "files/InstalledDataFolder.h"
#include "files/StartupFolder.h"

#include <QFile>
#include <QString>
#include <filesystem>
#include <system_error>

namespace korvo {
namespace {

StartupPlaces Places()
{
    StartupPlaces places;
    std::error_code ec;
    places.WorkingFolder = std::filesystem::current_path(ec);
    places.InstalledFolder = InstalledDataFolder();
    const QString user = UserKorvoFolder();
    if (!user.isEmpty())
        places.UserFolder = std::filesystem::path(QFile::encodeName(user).toStdString());
    else if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME"))
        places.UserFolderUnknownReason = "HOME is not set";
    else
        places.UserFolderUnknownReason = "the system names no folder for a user's data";
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
