#include "app/UserKorvoFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace korvo {

// The generic data location keeps the folder at .../share/korvo whatever
// application and organisation names the program sets for its settings.
QString UserKorvoFolder()
{
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME"))
        return {};
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || QDir::isRelativePath(data))
        return {};
    return QDir(data).filePath(QStringLiteral("korvo"));
}

QString RecoveryFolder()
{
    const QString folder = UserKorvoFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/recovery");
}

} // namespace korvo
