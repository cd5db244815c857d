// Scene files opened the desktop's ways: named on the command line, dropped on the
// window, or chosen in File > Open Recent. Each goes through OpenSceneFile, after
// the save question.
#include "app/EditorSettings.h"
#include "app/KorvoMain.h"
#include "app/UserDialogs.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace korvo {

namespace {

// Folders longer than this are shortened in the middle in Open Recent.
constexpr int RecentFolderWidth = 420;

bool IsSceneFileName(const QString& path)
{
    return path.endsWith(QStringLiteral(".kvo"), Qt::CaseInsensitive);
}

// The one local scene file a drop carries, or why it carries none.
struct DroppedFile {
    QString path;
    QString problem;
};

DroppedFile FileOf(const QList<QUrl>& urls)
{
    if (urls.size() != 1)
        return {{}, QStringLiteral("Drop one scene file (.kvo) at a time.")};
    const QUrl& url = urls.front();
    if (!url.isLocalFile())
        return {{}, QStringLiteral("Only scene files on this computer can be opened, not %1.")
                        .arg(url.toDisplayString())};
    const QString path = url.toLocalFile();
    if (!IsSceneFileName(path))
        return {{}, QStringLiteral("%1 is not a scene file (.kvo).").arg(path)};
    return {path, {}};
}

// A menu text shows "&" as typed only when doubled.
QString MenuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void TFormMain::OpenFileArgument()
{
    const QString path = startFile_;
    startFile_.clear();
    // A file that cannot be read whole leaves the scenes shown as they are.
    if (!path.isEmpty() && AskToSaveChanges())
        OpenSceneFile(path, true);
}

void TFormMain::dragEnterEvent(QDragEnterEvent* e)
{
    // Any files or addresses: a drop of what cannot be opened says why.
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
    else
        e->ignore();
}

void TFormMain::dropEvent(QDropEvent* e)
{
    if (!e->mimeData()->hasUrls()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    const QList<QUrl> urls = e->mimeData()->urls();
    // The drag's source waits until the drop returns: open once it has.
    QMetaObject::invokeMethod(this, [this, urls] { Guarded([&] { OpenDropped(urls); }); }, Qt::QueuedConnection);
}

void TFormMain::OpenDropped(const QList<QUrl>& urls)
{
    const DroppedFile dropped = FileOf(urls);
    if (!dropped.problem.isEmpty()) {
        dialogs_.warn(dropped.problem);
        return;
    }
    if (AskToSaveChanges())
        OpenSceneFile(dropped.path);
}

void TFormMain::OpenRecentClick(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        EditorSettings().removeRecentFile(path);
        FillOpenRecent();
        dialogs_.warn(QStringLiteral("%1 no longer exists. It is removed from Open Recent.").arg(path));
        return;
    }
    if (AskToSaveChanges())
        OpenSceneFile(path);
}

void TFormMain::FillOpenRecent()
{
    OpenRecent1->clear();
    const QStringList files = EditorSettings().recentFiles();
    if (files.isEmpty()) {
        OpenRecent1->addAction(QStringLiteral("No recent files"))->setEnabled(false);
        return;
    }
    const QFontMetrics metrics(OpenRecent1->font());
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        const QFileInfo info(path);
        const QString folder = metrics.elidedText(info.absolutePath(), Qt::ElideMiddle, RecentFolderWidth);
        QAction* action = OpenRecent1->addAction(
            QStringLiteral("&%1  %2   (%3)").arg(QString::number(i + 1), MenuText(info.fileName()), MenuText(folder)));
        action->setObjectName(QStringLiteral("OpenRecentFile%1").arg(i + 1));
        action->setToolTip(path);
        connect(action, &QAction::triggered, this, [this, path] { Guarded([&] { OpenRecentClick(path); }); });
    }
}

} // namespace korvo
