// Unsaved changes, the save question before scenes are replaced, and undo and redo.
#include "UserActions.h"
#include "WithController.h"
#include "app/widgets/Edit.h"
#include "app/widgets/SpinEdit.h"
#include "app/widgets/StepButton.h"
#include "files/SceneFile.h"

#include <QFile>
#include <QTest>
#include <cstring>

using namespace korvo;
using namespace korvo::test;

namespace {

QByteArray BankBytes(const SceneBank& bank)
{
    return QByteArray(reinterpret_cast<const char*>(bank.Scenes.data()), sizeof bank.Scenes);
}

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QString UndoText(TFormMain& w)
{
    return Find<QAction>(w, "Undo1")->text();
}

void Trigger(TFormMain& w, const char* action)
{
    Find<QAction>(w, action)->trigger();
}

} // namespace

class ChangesTest : public QObject {
    Q_OBJECT
private slots:
    void showingNeverModifies();
    void modifiedFollowsTheBytes();
    void outOfRangeValueShownIsAChange();
    void titleShowsFileAndMarker();
    void questionBeforeNewAndOpen_data();
    void questionBeforeNewAndOpen();
    void undoAndRedoASession();
    void typingInOneBoxIsOneStep();
};

// Selecting every control of every scene of the shipped defaults changes nothing.
void ChangesTest::showingNeverModifies()
{
    WindowFixture f;
    TFormMain& w = f.window();
    for (int scene = 0; scene < SceneCount; ++scene) {
        QTest::mouseClick(SceneButton(w, scene), Qt::LeftButton);
        for (int entry = 0; entry < ControlEntryCount; ++entry) {
            Select(w, entry);
            QVERIFY2(!f.state().Modified(), qPrintable(QStringLiteral("scene %1 entry %2").arg(scene + 1).arg(entry)));
        }
    }
    QVERIFY(!w.isWindowModified());
    QVERIFY(!Find<QAction>(w, "Undo1")->isEnabled());
    // Quit asks nothing.
    Trigger(w, "Quit1");
    QVERIFY(f.dialogs.shown.isEmpty());
}

void ChangesTest::modifiedFollowsTheBytes()
{
    WindowFixture f;
    TFormMain& w = f.window();
    Select(w, 5);
    auto* cc = Find<SpinEdit>(w, "EditKonbCCNumber");
    const QString old = cc->text();
    Type(w, cc, QStringLiteral("33"));
    QVERIFY(f.state().Modified());
    QVERIFY(w.isWindowModified());
    Type(w, cc, old); // typed back
    QVERIFY(!f.state().Modified());
    QVERIFY(!w.isWindowModified());

    // Save clears it, Undo after the save sets it again.
    Type(w, cc, QStringLiteral("34"));
    f.dialogs.files = {f.path("a.kvo")};
    Trigger(w, "Saveas1");
    QVERIFY(!f.state().Modified());
    Trigger(w, "Undo1");
    QVERIFY(f.state().Modified());
    QCOMPARE(cc->text(), old);
    Trigger(w, "Redo1");
    QVERIFY(!f.state().Modified());

    // A failed Save keeps it.
    Type(w, cc, QStringLiteral("35"));
    QFile::remove(f.path("a.kvo"));
    QDir(f.dir()).mkdir(QStringLiteral("a.kvo")); // a folder where the file was
    Trigger(w, "Save1");
    QVERIFY(f.dialogs.shown.last().startsWith(QStringLiteral("error: ")));
    QVERIFY(f.state().Modified());
}

// A stored value beyond its box's range is rewritten when shown: that is a change,
// and Save writes the shown value.
void ChangesTest::outOfRangeValueShownIsAChange()
{
    WindowFixture f;
    TFormMain& w = f.window();
    SceneBank bank = f.state().Bank;
    bank.Scenes[0].KonbCCNumber[2] = 200;
    WriteSceneFile(f.path("wide.kvo").toStdString(), bank);
    f.dialogs.files = {f.path("wide.kvo")};
    Trigger(w, "Open1");
    QVERIFY(!f.state().Modified());
    Select(w, 7); // Knob-3
    QVERIFY(f.state().Modified());
    QCOMPARE(UndoText(w), QStringLiteral("Undo Select Knob-3"));
    Trigger(w, "Save1");
    QVERIFY(!f.state().Modified());
    SceneBank saved;
    ReadSceneFile(f.path("wide.kvo").toStdString(), saved);
    QCOMPARE(saved.Scenes[0].KonbCCNumber[2], 127);
}

void ChangesTest::titleShowsFileAndMarker()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QCOMPARE(w.windowTitle(), QStringLiteral("Controller editor[*]"));
    f.dialogs.files = {f.path("mysong.kvo")};
    Trigger(w, "Saveas1");
    QCOMPARE(w.windowTitle(), QStringLiteral("Controller editor - mysong.kvo[*]"));
    QVERIFY(!w.isWindowModified());
    Select(w, 1);
    Choose(Find<DropDownList>(w, "SelMIDICh"), 3);
    QVERIFY(w.isWindowModified());
    Trigger(w, "New1"); // asks: answered Cancel by the empty script
    QCOMPARE(w.windowTitle(), QStringLiteral("Controller editor - mysong.kvo[*]"));
}

void ChangesTest::questionBeforeNewAndOpen_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saveDialogCancelled");
    QTest::addColumn<bool>("replaced");
    for (const char* command : {"New1", "Open1"}) {
        const QString c = QString::fromLatin1(command);
        QTest::addRow("%s Cancel", command) << c << int(DialogAnswer::Cancel) << false << false;
        QTest::addRow("%s No", command) << c << int(DialogAnswer::No) << false << true;
        QTest::addRow("%s Yes, saved", command) << c << int(DialogAnswer::Yes) << false << true;
        QTest::addRow("%s Yes, save cancelled", command) << c << int(DialogAnswer::Yes) << true << false;
    }
}

void ChangesTest::questionBeforeNewAndOpen()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(bool, saveDialogCancelled);
    QFETCH(bool, replaced);
    WindowFixture f;
    TFormMain& w = f.window();
    SceneBank other;
    LoadDefaults(other, {"SceneName1=OTHER"});
    WriteSceneFile(f.path("other.kvo").toStdString(), other);

    Select(w, 0);
    Type(w, Find<Edit>(w, "EditSceneName"), QStringLiteral("EDITED"));
    const QByteArray edited = BankBytes(f.state().Bank);
    f.dialogs.answers = {DialogAnswer(answer)};
    if (answer == int(DialogAnswer::Yes))
        f.dialogs.files.push_back(saveDialogCancelled ? QString() : f.path("saved.kvo"));
    if (command == QStringLiteral("Open1"))
        f.dialogs.files.push_back(f.path("other.kvo"));
    Trigger(w, qPrintable(command));

    QCOMPARE(f.dialogs.shown.first(), QStringLiteral("ask: Warning: Do you want to save changes?"));
    QCOMPARE(BankBytes(f.state().Bank) != edited, replaced);
    QCOMPARE(f.state().Modified(), !replaced);
    if (answer == int(DialogAnswer::Yes) && !saveDialogCancelled)
        QCOMPARE(FileBytes(f.path("saved.kvo")), edited);
}

// Every kind of step, undone to the start and redone to the end.
void ChangesTest::undoAndRedoASession()
{
    WithController c;
    WindowFixture& f = *c.window;
    TFormMain& w = c.w();
    SceneBank other;
    LoadDefaults(other, {"SceneName1=OTHER", "KonbCCNumber1=7"});
    WriteSceneFile(f.path("mysong.kvo").toStdString(), other);

    const QByteArray start = BankBytes(f.state().Bank);
    QStringList names;
    // An edit in one box.
    Select(w, 7);
    Type(w, Find<SpinEdit>(w, "EditKonbCCNumber"), QStringLiteral("99"));
    names << UndoText(w);
    // A step of the pad number button, twice: two steps.
    Select(w, 14);
    Choose(Find<DropDownList>(w, "SelPadAssignType"), 1);
    names << UndoText(w);
    QTest::mouseClick(Find<StepButton>(w, "RxSpinButton1"), Qt::LeftButton, {}, QPoint(2, 2));
    names << UndoText(w);
    QTest::mouseClick(Find<StepButton>(w, "RxSpinButton1"), Qt::LeftButton, {}, QPoint(2, 2));
    // Copy Knob-3, paste onto Knob-1 of scene 2.
    Select(w, 7);
    Trigger(w, "Copy1");
    QTest::mouseClick(SceneButton(w, 1), Qt::LeftButton);
    Select(w, 5);
    Trigger(w, "Peast1");
    names << UndoText(w);
    // A fill that rewrites a stored value.
    f.state().Bank.Scenes[1].KeyCCNumber[0] = 500;
    f.state().MarkClean();
    Select(w, 21);
    names << UndoText(w);
    // New, Open, Read.
    f.dialogs.answers = {DialogAnswer::No};
    Trigger(w, "New1");
    names << UndoText(w);
    f.dialogs.files = {f.path("mysong.kvo")};
    Trigger(w, "Open1");
    names << UndoText(w);
    f.dialogs.answers = {DialogAnswer::Yes};
    Trigger(w, "ReadSceneData1");
    names << UndoText(w);
    QCOMPARE(names, QStringList({"Undo Knob-3 CC/Note Number", "Undo Trigger Pad-2 Assign Type",
                                 "Undo Trigger Pad-2 CC/Note Number", "Undo Paste", "Undo Select Key-1",
                                 "Undo New", "Undo Open mysong.kvo", "Undo Read Scene Data"}));

    const QByteArray end = BankBytes(f.state().Bank);
    const std::string endName = f.state().CurrentFileName;
    QCOMPARE(QString::fromStdString(endName), f.path("mysong.kvo"));
    int steps = 0;
    while (Find<QAction>(w, "Undo1")->isEnabled()) {
        Trigger(w, "Undo1");
        ++steps;
    }
    QCOMPARE(steps, 10);
    QCOMPARE(BankBytes(f.state().Bank), start);
    QVERIFY(f.state().CurrentFileName.empty());
    QCOMPARE(f.state().Bank.CurrentScene, 1);
    QCOMPARE(Find<ControlListBox>(w, "ControlList")->itemIndex(), 7); // the first step's control

    while (Find<QAction>(w, "Redo1")->isEnabled())
        Trigger(w, "Redo1");
    QCOMPARE(BankBytes(f.state().Bank), end);
    QCOMPARE(f.state().CurrentFileName, endName);
    QVERIFY(!f.state().Modified());
}

void ChangesTest::typingInOneBoxIsOneStep()
{
    WindowFixture f;
    TFormMain& w = f.window();
    Select(w, 0);
    auto* name = Find<Edit>(w, "EditSceneName");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_End);
    QTest::keyClicks(name, QStringLiteral("ABC"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier); // the window's Undo, not the box's
    QCOMPARE(name->text(), QStringLiteral("SCENE1"));
    QVERIFY(!f.state().Modified());
    QVERIFY(!Find<QAction>(w, "Undo1")->isEnabled());
    QTest::keyClick(name, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(name->text(), QStringLiteral("SCENE1ABC"));
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(UndoText(w), QStringLiteral("Undo Common Scene Name"));
}

QTEST_MAIN(ChangesTest)
#include "ChangesTest.moc"
