// The recovery file of unsaved changes, and the question at start-up.
#include "FakeMidiPorts.h"
#include "UserActions.h"
#include "WindowFixture.h"
#include "app/UserKorvoFolder.h"
#include "app/widgets/SpinEdit.h"
#include "files/RecoveryFile.h"
#include "files/SceneFile.h"

#include <QDir>
#include <QTest>
#include <cstring>

using namespace korvo;
using namespace korvo::test;

namespace {

QStringList RecoveryFiles()
{
    return QDir(RecoveryFolder()).entryList({QStringLiteral("*.kvr*")}, QDir::Files, QDir::Name);
}

// A second editor started in the same user's folders, as after a crash, with the
// file named on its command line.
std::unique_ptr<TFormMain> StartAnother(WindowFixture& f, const QString& fileToOpen = {})
{
    auto w = std::make_unique<TFormMain>(
        f.dialogs, std::make_unique<FakeMidiPorts>(std::vector<FakeMidiPorts::Output>{},
                                                   std::vector<FakeMidiPorts::Input>{}));
    w->openAtStart(fileToOpen);
    w->show();
    QTest::qWait(50); // the question comes once the window is up
    return w;
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void fileFollowsUnsavedChanges();
    void restoreQuestion_data();
    void restoreQuestion();
    void fileArgumentAfterRestoring_data();
    void fileArgumentAfterRestoring();
    void badFilesAreMovedAside_data();
    void badFilesAreMovedAside();
};

void RecoveryTest::fileFollowsUnsavedChanges()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QVERIFY(RecoveryFiles().isEmpty());
    Select(w, 5);
    Type(w, Find<SpinEdit>(w, "EditKonbCCNumber"), QStringLiteral("33"));
    QCOMPARE(RecoveryFiles().size(), 1);
    // The first change is written at once, the rest within two seconds.
    const auto keptNumber = [] {
        const RecoveryReadResult kept = ReadRecoveryFile((RecoveryFolder() + "/" + RecoveryFiles()[0]).toStdString());
        return kept.Contents ? kept.Contents->Scenes[0].KonbCCNumber[0] : -1;
    };
    QTRY_COMPARE_WITH_TIMEOUT(keptNumber(), 33, 4000);
    // A running editor's file is never offered to another one.
    f.dialogs.shown.clear();
    auto other = StartAnother(f);
    QVERIFY(f.dialogs.shown.isEmpty());
    other.reset();

    f.dialogs.files = {f.path("saved.kvo")};
    Find<QAction>(w, "Saveas1")->trigger();
    QVERIFY(RecoveryFiles().isEmpty());
}

void RecoveryTest::restoreQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("fileLeft");
    QTest::newRow("Yes") << int(DialogAnswer::Yes) << true << false;
    QTest::newRow("No") << int(DialogAnswer::No) << false << false;
    QTest::newRow("closed") << int(DialogAnswer::Cancel) << false << true;
}

void RecoveryTest::restoreQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, restored);
    QFETCH(bool, fileLeft);
    WindowFixture f;
    SceneBank bank = f.state().Bank;
    StoreSceneName(bank.Scenes[0], "RESCUED");
    QDir().mkpath(RecoveryFolder());
    WriteRecoveryFile((RecoveryFolder() + "/recovery-1-gone.kvr").toStdString(), f.path("song.kvo").toStdString(),
                      bank);

    f.dialogs.shown.clear();
    f.dialogs.answers = {DialogAnswer(answer)};
    auto w = StartAnother(f);
    QCOMPARE(f.dialogs.shown,
             QStringList({"ask: Confirm: Unsaved scenes from an earlier session were found. Restore them?"}));
    QCOMPARE(w->state().Modified(), restored);
    QCOMPARE(SceneNameText(w->state().Bank.Scenes[0]) == "RESCUED", restored);
    if (restored) {
        QCOMPARE(w->windowTitle(), QStringLiteral("song.kvo[*] - Controller editor"));
        QVERIFY(w->isWindowModified());
        QCOMPARE(QString::fromStdString(w->state().CurrentFileName), f.path("song.kvo"));
    }
    QCOMPARE(RecoveryFiles().contains(QStringLiteral("recovery-1-gone.kvr")), fileLeft);
}

void RecoveryTest::fileArgumentAfterRestoring_data()
{
    QTest::addColumn<int>("answer"); // to the save question that follows the restore
    QTest::addColumn<bool>("opened");
    QTest::newRow("Cancel keeps the restored scenes") << int(DialogAnswer::Cancel) << false;
    QTest::newRow("No opens the file") << int(DialogAnswer::No) << true;
}

// Restored scenes are unsaved changes: the file named on the command line comes
// after the save question, never silently over them.
void RecoveryTest::fileArgumentAfterRestoring()
{
    QFETCH(int, answer);
    QFETCH(bool, opened);
    WindowFixture f;
    SceneBank bank = f.state().Bank;
    StoreSceneName(bank.Scenes[0], "RESCUED");
    QDir().mkpath(RecoveryFolder());
    WriteRecoveryFile((RecoveryFolder() + "/recovery-1-gone.kvr").toStdString(), "", bank);
    SceneBank other;
    StoreSceneName(other.Scenes[0], "ARGUMENT");
    WriteSceneFile(f.path("argument.kvo").toStdString(), other);

    f.dialogs.shown.clear();
    f.dialogs.answers = {DialogAnswer::Yes, DialogAnswer(answer)};
    auto w = StartAnother(f, f.path("argument.kvo"));
    QCOMPARE(f.dialogs.shown,
             QStringList({"ask: Confirm: Unsaved scenes from an earlier session were found. Restore them?",
                          "ask: Warning: Do you want to save changes?"}));
    QCOMPARE(SceneNameText(w->state().Bank.Scenes[0]), std::string(opened ? "ARGUMENT" : "RESCUED"));
    QCOMPARE(w->state().Modified(), !opened);
}

void RecoveryTest::badFilesAreMovedAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    SceneBank bank;
    const std::string good = EncodeRecoveryFile("x.kvo", bank);
    QTest::newRow("short") << QByteArray::fromStdString(good.substr(0, 100));
    QTest::newRow("too long") << QByteArray::fromStdString(good + "tail");
    std::string newer = good;
    newer[8] = 9; // format version 9
    QTest::newRow("newer format") << QByteArray::fromStdString(newer);
    QTest::newRow("empty") << QByteArray();
}

void RecoveryTest::badFilesAreMovedAside()
{
    QFETCH(QByteArray, bytes);
    WindowFixture f;
    const SceneBank before = f.state().Bank;
    QDir().mkpath(RecoveryFolder());
    QFile file(RecoveryFolder() + "/recovery-1-bad.kvr");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    f.dialogs.shown.clear();
    auto w = StartAnother(f);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(f.dialogs.shown[0].startsWith(QStringLiteral("warn: ")));
    QVERIFY(f.dialogs.shown[0].contains(QStringLiteral("recovery-1-bad.kvr")));
    QVERIFY(!w->state().Modified());
    QCOMPARE(std::memcmp(w->state().Bank.Scenes.data(), before.Scenes.data(), sizeof before.Scenes), 0);
    QVERIFY(!RecoveryFiles().contains(QStringLiteral("recovery-1-bad.kvr")));
    // Kept aside for a look, and never offered again.
    f.dialogs.shown.clear();
    auto again = StartAnother(f);
    QVERIFY(f.dialogs.shown.isEmpty());
}

QTEST_MAIN(RecoveryTest)
#include "RecoveryTest.moc"
