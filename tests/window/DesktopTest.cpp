// Scene files opened the desktop's ways: the command line, a drop on the window,
// File > Open Recent; and the folder the file dialogs start in.
#include "UserActions.h"
#include "WindowFixture.h"
#include "app/EditorSettings.h"
#include "app/widgets/SpinEdit.h"
#include "files/SceneFile.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>
#include <unistd.h>

using namespace korvo;
using namespace korvo::test;

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

QByteArray BankBytes(const SceneBank& bank)
{
    return QByteArray::fromStdString(SceneFileBytes(bank));
}

// Scenes that differ from the shipped defaults: scene 1 is named OTHER.
QByteArray OtherScenes()
{
    SceneBank bank;
    LoadDefaults(bank, {"SceneName1=OTHER", "KonbCCNumber1=20", "KonbEnable=1", "BendSpeed=1", "KeyTrans=13",
                        "PadAssignType=1"});
    return BankBytes(bank);
}

QByteArray DefaultScenes(WindowFixture& f)
{
    SceneBank bank;
    LoadDefaults(bank, f.state().DefaultParams);
    return BankBytes(bank);
}

// Waits for what the window does once it is up (the recovery question, the file
// named on the command line).
void SettleStartUp()
{
    QTest::qWait(20);
}

// Drags the URLs onto the window and drops them there; false when the window
// refused the drag (the drop then never comes).
bool Drop(QWidget& w, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(400, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &drop);
    QTest::qWait(20); // the file opens once the drop has returned
    return true;
}

QStringList RecentMenuTexts(TFormMain& w)
{
    auto* menu = Find<QMenu>(w, "OpenRecent1");
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << a->text();
    return texts;
}

QString SettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/korvo/korvo-editor.conf");
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void fileArgument_data();
    void fileArgument();
    void drops_data();
    void drops();
    void openRecentListsNewestFirst();
    void openRecentOfAFileThatIsGone();
    void recentListInTheSettings_data();
    void recentListInTheSettings();
    void dialogsStartInTheFolderLastUsed();
};

void DesktopTest::fileArgument_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size"); // -1: no such file; -2: a folder
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("problem"); // empty: opened
    QTest::newRow("scene file") << "song.kvo" << 3536 << true << "";
    QTest::newRow("longer file") << "long.kvo" << 4000 << true << "";
    QTest::newRow("missing") << "missing.kvo" << -1 << true << "File not found";
    QTest::newRow("folder") << "folder.kvo" << -2 << true << "it is a folder, not a scene file";
    QTest::newRow("short file") << "short.kvo" << 3535 << true << "Read beyond end of file";
    QTest::newRow("empty file") << "empty.kvo" << 0 << true << "Read beyond end of file";
    QTest::newRow("unreadable") << "locked.kvo" << 3536 << false << "File access denied";
}

// The file opens as File > Open opens one; a file that cannot be opened is
// reported and the defaults stay, untouched.
void DesktopTest::fileArgument()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(bool, readable);
    QFETCH(QString, problem);
    if (!readable && geteuid() == 0)
        QSKIP("root reads every file");
    QTemporaryDir elsewhere;
    const QString path = QDir(elsewhere.path()).filePath(name);
    QByteArray content = OtherScenes() + QByteArray(600, '\x5A');
    if (size >= 0)
        Write(path, content.left(size));
    if (size == -2)
        QDir().mkpath(path);
    if (!readable)
        QFile::setPermissions(path, {});

    WindowFixture f({}, nullptr, false, path);
    SettleStartUp();
    TFormMain& w = f.window();
    QVERIFY(!f.state().Modified());
    if (problem.isEmpty()) {
        QCOMPARE(BankBytes(f.state().Bank), OtherScenes());
        QCOMPARE(QString::fromStdString(f.state().CurrentFileName), path);
        QCOMPARE(w.windowTitle(), QStringLiteral("%1[*] - Controller editor").arg(name));
        QCOMPARE(SceneButton(w, 0)->text(), QStringLiteral("OTHER"));
        QCOMPARE(f.dialogs.shown, QStringList());
        QCOMPARE(EditorSettings().recentFiles(), QStringList{path});
        return;
    }
    QCOMPARE(f.dialogs.shown, QStringList{QStringLiteral("error: Cannot open %1: %2").arg(path, problem)});
    QCOMPARE(BankBytes(f.state().Bank), DefaultScenes(f));
    QCOMPARE(f.state().CurrentFileName, std::string());
    QCOMPARE(w.windowTitle(), QStringLiteral("Controller editor[*]"));
    QCOMPARE(EditorSettings().recentFiles(), QStringList());
}

void DesktopTest::drops_data()
{
    QTest::addColumn<QStringList>("urls"); // "FILE" stands for a scene file in the scratch folder
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<int>("answer"); // to the save question
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("shown"); // what the dialogs showed, "" for nothing
    const QString question = QStringLiteral("ask: Warning: Do you want to save changes?");
    QTest::newRow("a scene file") << QStringList{"FILE"} << false << int(DialogAnswer::Cancel) << true << "";
    QTest::newRow("unsaved changes, No") << QStringList{"FILE"} << true << int(DialogAnswer::No) << true << question;
    QTest::newRow("unsaved changes, Cancel")
        << QStringList{"FILE"} << true << int(DialogAnswer::Cancel) << false << question;
    QTest::newRow("two files") << QStringList{"FILE", "FILE"} << false << int(DialogAnswer::Cancel) << false
                               << "warn: Drop one scene file (.kvo) at a time.";
    QTest::newRow("web address") << QStringList{"https://example.org/song.kvo"} << false
                                 << int(DialogAnswer::Cancel) << false
                                 << "warn: Only scene files on this computer can be opened, not "
                                    "https://example.org/song.kvo.";
    QTest::newRow("not a scene file") << QStringList{"file:///etc/hostname"} << true << int(DialogAnswer::Cancel)
                                      << false << "warn: /etc/hostname is not a scene file (.kvo).";
    QTest::newRow("missing scene file") << QStringList{"file:///nowhere/gone.kvo"} << false
                                        << int(DialogAnswer::Cancel) << false
                                        << "error: Cannot open /nowhere/gone.kvo: Invalid filename";
}

void DesktopTest::drops()
{
    QFETCH(QStringList, urls);
    QFETCH(bool, unsaved);
    QFETCH(int, answer);
    QFETCH(bool, opens);
    QFETCH(QString, shown);
    WindowFixture f;
    TFormMain& w = f.window();
    const QString file = f.path("dropped.kvo");
    Write(file, OtherScenes());
    QList<QUrl> dropped;
    for (const QString& u : urls)
        dropped << (u == QLatin1String("FILE") ? QUrl::fromLocalFile(file) : QUrl(u));
    SetModified(f, unsaved);
    const QByteArray before = BankBytes(f.state().Bank);
    f.dialogs.answers = {DialogAnswer(answer)};
    QVERIFY(Drop(w, dropped));
    QCOMPARE(f.dialogs.shown, shown.isEmpty() ? QStringList() : QStringList{shown});
    if (opens) {
        QCOMPARE(BankBytes(f.state().Bank), OtherScenes());
        QCOMPARE(QString::fromStdString(f.state().CurrentFileName), file);
        QVERIFY(!f.state().Modified());
    } else {
        QCOMPARE(BankBytes(f.state().Bank), before);
        QCOMPARE(f.state().Modified(), unsaved);
    }
}

void DesktopTest::openRecentListsNewestFirst()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QCOMPARE(RecentMenuTexts(w), QStringList{"No recent files"});
    QDir(f.dir()).mkpath(QStringLiteral("R&B"));
    // Nine saves: the oldest drops out; saving one again moves it to the top.
    for (int n = 1; n <= 9; ++n) {
        f.dialogs.files = {f.path(QStringLiteral("R&B/song%1.kvo").arg(n))};
        Find<QAction>(w, "Saveas1")->trigger();
    }
    f.dialogs.files = {f.path("R&B/song5.kvo")};
    Find<QAction>(w, "Saveas1")->trigger();
    const QStringList texts = RecentMenuTexts(w);
    QCOMPARE(texts.size(), RecentFileCount);
    const QString folder = QDir(f.dir()).filePath(QStringLiteral("R&&B"));
    QCOMPARE(texts.front(), QStringLiteral("&1  song5.kvo   (%1)").arg(folder));
    QCOMPARE(texts[1], QStringLiteral("&2  song9.kvo   (%1)").arg(folder));
    QCOMPARE(texts.back(), QStringLiteral("&8  song2.kvo   (%1)").arg(folder));

    // Choosing one opens it as File > Open does, after the save question.
    Write(f.path("R&B/song9.kvo"), OtherScenes());
    SetModified(f, true);
    f.dialogs.answers = {DialogAnswer::No};
    Find<QAction>(w, "OpenRecentFile2")->trigger();
    QCOMPARE(BankBytes(f.state().Bank), OtherScenes());
    QCOMPARE(QString::fromStdString(f.state().CurrentFileName), f.path("R&B/song9.kvo"));
    QVERIFY(!f.state().Modified());
    QVERIFY(RecentMenuTexts(w).front().contains(QStringLiteral("song9.kvo")));
}

void DesktopTest::openRecentOfAFileThatIsGone()
{
    WindowFixture f;
    TFormMain& w = f.window();
    f.dialogs.files = {f.path("kept.kvo"), f.path("gone.kvo")};
    Find<QAction>(w, "Saveas1")->trigger();
    Find<QAction>(w, "Saveas1")->trigger();
    QFile::remove(f.path("gone.kvo"));
    SetModified(f, true);
    const QByteArray before = BankBytes(f.state().Bank);
    RecentMenuTexts(w);
    Find<QAction>(w, "OpenRecentFile1")->trigger();
    // Said, removed, and nothing asked or changed.
    QCOMPARE(f.dialogs.shown.last(),
             QStringLiteral("warn: %1 no longer exists. It is removed from Open Recent.").arg(f.path("gone.kvo")));
    QCOMPARE(EditorSettings().recentFiles(), QStringList{f.path("kept.kvo")});
    QCOMPARE(BankBytes(f.state().Bank), before);
    QVERIFY(f.state().Modified());
}

void DesktopTest::recentListInTheSettings_data()
{
    QTest::addColumn<QByteArray>("stored"); // the line in the settings file
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("one entry") << QByteArray("RecentFiles=/a/x.kvo") << QStringList{"/a/x.kvo"};
    QTest::newRow("relative, empty and repeated entries")
        << QByteArray("RecentFiles=x.kvo, , /a/x.kvo, /a/../a/x.kvo, /b/y.kvo")
        << QStringList{"/a/x.kvo", "/b/y.kvo"};
    QTest::newRow("a number") << QByteArray("RecentFiles=5") << QStringList{};
    QTest::newRow("garbage") << QByteArray("RecentFiles=@Variant(\\xff\\xfe)") << QStringList{};
    QByteArray many("RecentFiles=");
    for (int n = 0; n < 5000; ++n)
        many += "/many/file" + QByteArray::number(n) + ".kvo, ";
    QTest::newRow("thousands") << many
                               << QStringList{"/many/file0.kvo", "/many/file1.kvo", "/many/file2.kvo",
                                              "/many/file3.kvo", "/many/file4.kvo", "/many/file5.kvo",
                                              "/many/file6.kvo", "/many/file7.kvo"};
}

// What the settings hold is corrected quietly; the scenes stay as they are.
void DesktopTest::recentListInTheSettings()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, listed);
    WindowFixture f;
    const QByteArray before = BankBytes(f.state().Bank);
    QDir().mkpath(QFileInfo(SettingsFile()).path());
    Write(SettingsFile(), "[General]\n" + stored + "\n");
    QStringList expected;
    for (int i = 0; i < listed.size(); ++i)
        expected << QStringLiteral("&%1  %2   (%3)")
                        .arg(i + 1)
                        .arg(QFileInfo(listed[i]).fileName(), QFileInfo(listed[i]).path());
    if (expected.isEmpty())
        expected << QStringLiteral("No recent files");
    QCOMPARE(RecentMenuTexts(f.window()), expected);
    QCOMPARE(QSettings(SettingsFile(), QSettings::IniFormat).value("RecentFiles").toStringList(), listed);
    QCOMPARE(BankBytes(f.state().Bank), before);
    QCOMPARE(f.dialogs.shown, QStringList());
}

void DesktopTest::dialogsStartInTheFolderLastUsed()
{
    WindowFixture f;
    TFormMain& w = f.window();
    // No Documents folder yet: the home folder. With one: Documents.
    Find<QAction>(w, "Open1")->trigger();
    QCOMPARE(f.dialogs.folders.last(), QDir::homePath());
    QDir().mkpath(QDir::home().filePath(QStringLiteral("Documents")));
    Find<QAction>(w, "Saveas1")->trigger();
    QCOMPARE(f.dialogs.folders.last(), QDir::home().filePath(QStringLiteral("Documents")));
    QVERIFY(f.dialogs.folders.last() != QDir::currentPath());

    // The folder of the file last saved or opened, by any way.
    QDir(f.dir()).mkpath(QStringLiteral("songs"));
    f.dialogs.files = {f.path("songs/a.kvo")};
    Find<QAction>(w, "Saveas1")->trigger();
    Find<QAction>(w, "Open1")->trigger();
    QCOMPARE(f.dialogs.folders.last(), f.path("songs"));
    QDir(f.dir()).mkpath(QStringLiteral("dropped"));
    Write(f.path("dropped/b.kvo"), OtherScenes());
    QVERIFY(Drop(w, {QUrl::fromLocalFile(f.path("dropped/b.kvo"))}));
    Find<QAction>(w, "New1")->trigger();
    Find<QAction>(w, "Saveas1")->trigger();
    QCOMPARE(f.dialogs.folders.last(), f.path("dropped"));

    // A folder that is gone: Documents again.
    QDir(f.path("dropped")).removeRecursively();
    Find<QAction>(w, "Open1")->trigger();
    QCOMPARE(f.dialogs.folders.last(), QDir::home().filePath(QStringLiteral("Documents")));
}

QTEST_MAIN(DesktopTest)
#include "DesktopTest.moc"
