// New, Open, Save and Save as on scene files, and the Save as of the quit prompt.
#include "WindowFixture.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/SpinEdit.h"
#include "files/SceneFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <cstring>

using namespace korvo;
using korvo::test::WindowFixture;
using namespace korvo::test;

namespace {

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

QByteArray BankBytes(const SceneBank& bank)
{
    return QByteArray(reinterpret_cast<const char*>(bank.Scenes.data()), sizeof bank.Scenes);
}

// A scene file whose values all lie in the ranges the editor offers.
QByteArray OtherScenes(int knobCC)
{
    SceneBank bank;
    LoadDefaults(bank, {"SceneName1=OTHER", "KonbCCNumber1=" + std::to_string(knobCC), "KonbEnable=1", "BendSpeed=1",
                        "KeyTrans=13", "PadAssignType=1"});
    return BankBytes(bank);
}

} // namespace

class FilesTest : public QObject {
    Q_OBJECT
private slots:
    void saveAsThenOpenAndSaveIsByteIdentical();
    void cancelledSaveAsKeepsTheStampedName();
    void saveAfterOpenWritesTheOpenedFile();
    void backupLandsInTheWorkingDirectory();
    void newForgetsTheFileName();
    void openFailures_data();
    void openFailures();
    void failedSaveKeepsTheName();
    void quitYesSavesAndCloses();
};

void FilesTest::saveAsThenOpenAndSaveIsByteIdentical()
{
    WindowFixture f;
    const QString first = f.path("first.kvo");
    f.dialogs.files = {first};
    QTest::keyClick(&f.window(), Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(Bytes(first).size(), 3536);
    QCOMPARE(Bytes(first), BankBytes(f.state().Bank));
    QCOMPARE(QString::fromStdString(f.state().CurrentFileName), first);
    QVERIFY(f.dialogs.shown.last().startsWith(QStringLiteral("save: scene")));

    f.dialogs.files = {first};
    QTest::keyClick(&f.window(), Qt::Key_O, Qt::ControlModifier);
    const QString second = f.path("second.kvo");
    f.dialogs.files = {second};
    Find<QAction>(f.window(), "Saveas1")->trigger();
    QCOMPARE(Bytes(second), Bytes(first));
}

void FilesTest::cancelledSaveAsKeepsTheStampedName()
{
    WindowFixture f;
    f.dialogs.files = {QString()};
    Find<QAction>(f.window(), "Saveas1")->trigger();
    const QString preset = f.dialogs.shown.last().mid(6);
    QVERIFY2(QRegularExpression(QStringLiteral("^scene\\d{10}\\.kvo$")).match(preset).hasMatch(), qPrintable(preset));
    // The name stays, in the folder the dialog showed (the home folder, as there is
    // no Documents folder), never the working folder.
    const QString shownFolder = f.dialogs.folders.last();
    QCOMPARE(shownFolder, QDir::homePath());
    QCOMPARE(QString::fromStdString(f.state().CurrentFileName), QDir(shownFolder).filePath(preset));
    QVERIFY(!QFile::exists(QDir(shownFolder).filePath(preset)));
    // Save now writes that name there without a dialog.
    const int dialogs = f.dialogs.shown.size();
    QTest::keyClick(&f.window(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.dialogs.shown.size(), dialogs);
    QCOMPARE(Bytes(QDir(shownFolder).filePath(preset)).size(), 3536);
    QVERIFY(!QFile::exists(f.path(preset)));
}

void FilesTest::saveAfterOpenWritesTheOpenedFile()
{
    WindowFixture f;
    const QString x = f.path("X.kvo"), y = f.path("Y.kvo");
    f.dialogs.files = {x};
    Find<QAction>(f.window(), "Saveas1")->trigger();
    const QByteArray xBytes = Bytes(x);
    Write(y, OtherScenes(20));

    f.dialogs.files = {y};
    Find<QAction>(f.window(), "Open1")->trigger();
    QCOMPARE(Find<ControlListBox>(f.window(), "ControlList")->itemIndex(), 0);
    QCOMPARE(SceneNameText(f.state().Bank.Scenes[0]), std::string("OTHER"));
    f.state().Bank.Scenes[0].KonbCCNumber[0] = 21;
    Find<QAction>(f.window(), "Save1")->trigger();
    QCOMPARE(Bytes(x), xBytes);                       // the earlier file is untouched
    QCOMPARE(Bytes(y), BankBytes(f.state().Bank));    // the opened file is written
    QCOMPARE(Bytes(f.path("Y.BAK")), OtherScenes(20)); // its old content kept
    QCOMPARE(f.state().BackupFileName, std::string("Y.BAK"));
}

void FilesTest::backupLandsInTheWorkingDirectory()
{
    WindowFixture f;
    QDir(f.dir()).mkdir(QStringLiteral("A"));
    const QString x = f.path("A/X.kvo");
    Write(x, OtherScenes(1));
    f.dialogs.files = {x};
    Find<QAction>(f.window(), "Saveas1")->trigger();
    QCOMPARE(Bytes(f.path("X.BAK")), OtherScenes(1));
    QVERIFY(!QFile::exists(f.path("A/X.BAK")));
    QCOMPARE(Bytes(x), BankBytes(f.state().Bank));

    // Saving again: X.BAK exists, so it keeps the older content.
    f.state().Bank.Scenes[0].KonbCCNumber[0] = 99;
    Find<QAction>(f.window(), "Save1")->trigger();
    QCOMPARE(Bytes(f.path("X.BAK")), OtherScenes(1));
    QCOMPARE(Bytes(x), BankBytes(f.state().Bank));
}

void FilesTest::newForgetsTheFileName()
{
    WindowFixture f;
    f.dialogs.files = {f.path("a.kvo")};
    Find<QAction>(f.window(), "Saveas1")->trigger();
    StoreSceneName(f.state().Bank.Scenes[0], "LONGNAMEHERE");
    f.state().MarkClean();
    QTest::keyClick(&f.window(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(f.state().CurrentFileName, std::string());
    QCOMPARE(std::string(f.state().Bank.Scenes[0].SceneNameChars, 12), std::string("SCENE1MEHERE"));
    QCOMPARE(f.state().Modified(), false); // New leaves it alone
    f.dialogs.files = {QString()};
    Find<QAction>(f.window(), "Save1")->trigger();
    QVERIFY(f.dialogs.shown.last().startsWith(QStringLiteral("save: scene")));
}

void FilesTest::openFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");
    QTest::newRow("short file") << "short.kvo" << 3535 << "Read beyond end of file";
    QTest::newRow("missing file") << "missing.kvo" << -1 << "File not found";
    QTest::newRow("missing folder") << "nowhere/x.kvo" << -1 << "Invalid filename";
    QTest::newRow("longer file") << "long.kvo" << 4000 << "";
}

void FilesTest::openFailures()
{
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(QString, message);
    WindowFixture f;
    const SceneBank before = f.state().Bank;
    QByteArray content = OtherScenes(77);
    content.append(QByteArray(600, '\x5A'));
    if (size >= 0)
        Write(f.path(name), content.left(size));
    f.dialogs.files = {f.path(name)};
    Find<QAction>(f.window(), "Open1")->trigger();
    if (message.isEmpty()) {
        QCOMPARE(BankBytes(f.state().Bank), OtherScenes(77));
        QCOMPARE(Find<SpinEdit>(f.window(), "EditKonbCCNumber")->text(), QStringLiteral("0")); // "Common" shown, knob untouched
        return;
    }
    QCOMPARE(f.dialogs.shown.last(), QStringLiteral("error: Cannot open %1: %2").arg(f.path(name), message));
    QCOMPARE(f.state().CurrentFileName, std::string());
    if (size > 0) {
        // Scenes 1-3 and 883 bytes of scene 4 replaced; its last byte kept.
        const QByteArray now = BankBytes(f.state().Bank);
        QCOMPARE(now.left(3535), content.left(3535));
        QCOMPARE(now.at(3535), BankBytes(before).at(3535));
    } else {
        QCOMPARE(BankBytes(f.state().Bank), BankBytes(before));
    }
}

void FilesTest::failedSaveKeepsTheName()
{
    WindowFixture f;
    QDir(f.dir()).mkdir(QStringLiteral("folder.kvo"));
    f.dialogs.files = {f.path("nowhere/x.kvo"), f.path("folder.kvo")};
    Find<QAction>(f.window(), "Saveas1")->trigger();
    Find<QAction>(f.window(), "Saveas1")->trigger();
    // Each message names the file it could not write.
    QCOMPARE(f.dialogs.shown.filter(QStringLiteral("error:")),
             QStringList({QStringLiteral("error: Cannot save %1: Invalid filename").arg(f.path("nowhere/x.kvo")),
                          QStringLiteral("error: Cannot save %1: File access denied").arg(f.path("folder.kvo"))}));
    QCOMPARE(f.state().CurrentFileName, std::string());
    QVERIFY(QDir(f.path("folder.kvo")).exists()); // a folder is never moved aside
}

void FilesTest::quitYesSavesAndCloses()
{
    WindowFixture f;
    SetModified(f, true);
    f.dialogs.answers = {DialogAnswer::Yes};
    f.dialogs.files = {f.path("quit.kvo")};
    QTest::keyClick(&f.window(), Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!f.window().isVisible());
    QCOMPARE(f.state().Modified(), false);
    QCOMPARE(Bytes(f.path("quit.kvo")).size(), 3536);

    // A failed save keeps the program open and shows why.
    WindowFixture g;
    SetModified(g, true);
    g.dialogs.answers = {DialogAnswer::Yes};
    g.dialogs.files = {g.path("nowhere/quit.kvo")};
    g.window().close();
    QVERIFY(g.window().isVisible());
    QCOMPARE(g.state().Modified(), true);
    QCOMPARE(g.dialogs.shown.last(), QStringLiteral("error: Cannot save %1: Invalid filename").arg(g.path("nowhere/quit.kvo")));
}

QTEST_MAIN(FilesTest)
#include "FilesTest.moc"
