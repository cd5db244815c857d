#include "app/EditorSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

namespace korvo {

namespace {

const QString RecentFilesKey = QStringLiteral("RecentFiles");
const QString SceneFolderKey = QStringLiteral("SceneFolder");

// Longer entries are no paths this program wrote.
constexpr qsizetype LongestPath = 4096;

bool IsUsablePath(const QString& path)
{
    return !path.isEmpty() && path.size() <= LongestPath && QDir::isAbsolutePath(path) &&
           !path.contains(QChar(u'\0'));
}

// The first RecentFileCount usable entries, cleaned, without repeats.
QStringList Cleaned(const QStringList& stored)
{
    QStringList kept;
    for (const QString& entry : stored) {
        if (kept.size() == RecentFileCount)
            break;
        if (!IsUsablePath(entry))
            continue;
        const QString clean = QDir::cleanPath(entry);
        if (!kept.contains(clean))
            kept << clean;
    }
    return kept;
}

QString AbsoluteClean(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QString EditorSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           QLatin1String(SettingsOrganisation) + QLatin1Char('/') + QLatin1String(SettingsApplication) +
           QStringLiteral(".conf");
}

QStringList EditorSettings::recentFiles() const
{
    QSettings settings(EditorSettingsFile(), QSettings::IniFormat);
    const QVariant stored = settings.value(RecentFilesKey);
    // One entry reads back as a string; anything else that is no list of strings is dropped.
    const QStringList entries = stored.typeId() == QMetaType::QString || stored.typeId() == QMetaType::QStringList
                                    ? stored.toStringList()
                                    : QStringList();
    const QStringList kept = Cleaned(entries);
    if (stored.isValid() && kept != entries)
        settings.setValue(RecentFilesKey, kept);
    return kept;
}

void EditorSettings::addRecentFile(const QString& path) const
{
    const QString added = AbsoluteClean(path);
    QStringList list = recentFiles();
    list.removeAll(added);
    list.prepend(added);
    QSettings(EditorSettingsFile(), QSettings::IniFormat).setValue(RecentFilesKey, Cleaned(list));
}

void EditorSettings::removeRecentFile(const QString& path) const
{
    QStringList list = recentFiles();
    if (list.removeAll(AbsoluteClean(path)) > 0)
        QSettings(EditorSettingsFile(), QSettings::IniFormat).setValue(RecentFilesKey, list);
}

QString EditorSettings::sceneFolder() const
{
    const QString last = QSettings(EditorSettingsFile(), QSettings::IniFormat).value(SceneFolderKey).toString();
    if (IsUsablePath(last) && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void EditorSettings::rememberSceneFolderOf(const QString& filePath) const
{
    QSettings(EditorSettingsFile(), QSettings::IniFormat)
        .setValue(SceneFolderKey, QFileInfo(AbsoluteClean(filePath)).absolutePath());
}

} // namespace korvo
