// Start-up, layout, quit prompt, selection highlight and overview of the main window.
#include "UserActions.h"
#include "WindowFixture.h"
#include "app/About.h"
#include "app/Program.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/DropDownList.h"
#include "app/widgets/OverlayLabel.h"
#include "app/widgets/SpinEdit.h"
#include "scene/TextLines.h"

#include <QApplication>
#include <QFrame>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace korvo;
using korvo::test::WindowFixture;
using namespace korvo::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startUpState();
    void fixedClientArea();
    void centring_data();
    void centring();
    void snapping();
    void quitPrompt_data();
    void quitPrompt();
    void cancelledSaveKeepsProgramOpen();
    void missingStartupFileEndsWithTheError();
    void outOfRangeDefaultsStillStart();
    void tabOrder();
    void labelClickSelectsItsEntry();
    void focusFollowsTheSelection_data();
    void focusFollowsTheSelection();
    void sceneButtonsAreExclusive();
    void overviewFollowsDisplaySelect();
    void aboutBoxIsModalCentredAndClosesOnClick();
};

void MainWindowTest::startUpState()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QCOMPARE(f.state().Modified(), false);
    QCOMPARE(f.state().Bank.CurrentScene, 1);
    QCOMPARE(Find<ControlListBox>(w, "ControlList")->itemIndex(), 0);
    QCOMPARE(Find<DropDownList>(w, "SelDisp")->currentText(), QStringLiteral("CC/Note Number"));
    QCOMPARE(Find<QFrame>(w, "Panel2")->x(), -100);
    QVERIFY(Find<QWidget>(w, "PanelCommon")->isVisible());
    for (QWidget* panel : {Find<QWidget>(w, "PanelGroup"), Find<QWidget>(w, "PanelKonb"), Find<QWidget>(w, "PanelPad"), Find<QWidget>(w, "PanelKey")}) {
        QVERIFY(!panel->isVisible());
        QCOMPARE(panel->geometry(), QRect(175, 356, 583, 166));
    }
    for (int i = 0; i < OverlayLabelCount; ++i)
        QVERIFY(!Label(w, i)->isOpaque());
    // The frame is out of view but keeps the size of the first label, the selected one.
    QCOMPARE(Find<QFrame>(w, "Panel2")->geometry().size(), Label(w, 0)->size() + QSize(2, 2));
    QVERIFY(SceneButton(w, 0)->isChecked());
    QCOMPARE(SceneButton(w, 0)->text(), QStringLiteral("SCENE1"));
    // The first refresh replaced the placeholders.
    QCOMPARE(Label(w, 4)->caption(), QStringLiteral("CC#\r74"));
    QCOMPARE(Label(w, 0)->caption(), QStringLiteral("Global"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Controller editor[*]"));
    QVERIFY(!w.isWindowModified());
}

void MainWindowTest::fixedClientArea()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QCOMPARE(w.centralWidget()->size(), QSize(792, 546));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.centralWidget()->font().family(), QStringLiteral("Arial"));
    QCOMPARE(w.centralWidget()->font().pixelSize(), 14);
    QCOMPARE(f.find<QWidget>(QStringLiteral("Label52"))->geometry(), QRect(88, 202, 42, 48));
    QCOMPARE(f.find<QWidget>(QStringLiteral("EditPadCCNumber"))->geometry(), QRect(136, 40, 124, 24));
}

void MainWindowTest::centring_data()
{
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("larger area") << QRect(0, 0, 1280, 1024) << QSize(800, 600) << QPoint(240, 212);
    QTest::newRow("area with offset") << QRect(100, 30, 1280, 994) << QSize(800, 600) << QPoint(340, 227);
    QTest::newRow("difference of 101") << QRect(0, 0, 901, 701) << QSize(800, 600) << QPoint(50, 50);
    QTest::newRow("exactly as wide") << QRect(10, 20, 800, 600) << QSize(800, 600) << QPoint(10, 20);
    QTest::newRow("smaller area") << QRect(10, 20, 640, 480) << QSize(800, 600) << QPoint(10, 20);
}

void MainWindowTest::centring()
{
    QFETCH(QRect, workArea);
    QFETCH(QSize, window);
    QFETCH(QPoint, expected);
    QCOMPARE(TFormMain::CentredPosition(workArea, window), expected);
}

void MainWindowTest::snapping()
{
    const QRect area(0, 0, 1280, 1000);
    QCOMPARE(TFormMain::SnappedPosition(QRect(8, 300, 800, 600), area, 10), QPoint(0, 300));
    QCOMPARE(TFormMain::SnappedPosition(QRect(11, 300, 800, 600), area, 10), QPoint(11, 300));
    QCOMPARE(TFormMain::SnappedPosition(QRect(475, 395, 800, 600), area, 10), QPoint(480, 400));
    QCOMPARE(TFormMain::SnappedPosition(QRect(200, -7, 800, 600), area, 10), QPoint(200, 0));
}

void MainWindowTest::quitPrompt_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("useCloseBox");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("prompts");
    QTest::newRow("unmodified quits at once") << false << false << int(DialogAnswer::Cancel) << true << 0;
    QTest::newRow("No closes without saving") << true << false << int(DialogAnswer::No) << true << 1;
    QTest::newRow("Cancel keeps running") << true << false << int(DialogAnswer::Cancel) << false << 1;
    QTest::newRow("close box asks too") << true << true << int(DialogAnswer::Cancel) << false << 1;
    QTest::newRow("close box, No") << true << true << int(DialogAnswer::No) << true << 1;
}

void MainWindowTest::quitPrompt()
{
    QFETCH(bool, modified);
    QFETCH(bool, useCloseBox);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(int, prompts);
    WindowFixture f;
    SetModified(f, modified);
    f.dialogs.answers.push_back(DialogAnswer(answer));
    if (useCloseBox)
        f.window().close();
    else
        Find<QAction>(f.window(), "Quit1")->trigger();
    QCOMPARE(f.window().isVisible(), !closes);
    QCOMPARE(f.dialogs.shown.filter(QStringLiteral("ask: Warning: Do you want to save changes?")).size(), prompts);
    QCOMPARE(f.state().Modified(), modified);
}

void MainWindowTest::cancelledSaveKeepsProgramOpen()
{
    WindowFixture f;
    SetModified(f, true);
    f.dialogs.answers = {DialogAnswer::Yes};
    f.dialogs.files = {QString()}; // the save dialog is cancelled
    Find<QAction>(f.window(), "Quit1")->trigger();
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.state().Modified(), true);
}

void MainWindowTest::missingStartupFileEndsWithTheError()
{
    QTemporaryDir empty;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(empty.path());
    test::ScriptedDialogs dialogs;
    const int status = RunEditor(*qApp, dialogs, nullptr);
    QDir::setCurrent(previous);
    QCOMPARE(status, 1);
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown.front(), QStringLiteral("error: Cannot open file \"%1/DefPara.ini\". No such file or directory")
                                        .arg(QDir(empty.path()).canonicalPath()));
}

void MainWindowTest::outOfRangeDefaultsStillStart()
{
    WindowFixture f("SceneName1=odd\nMIDICh=17\nKeyTrans=0\nSceneMIDICh=-1\n");
    TFormMain& w = f.window();
    QCOMPARE(Label(w, 0)->caption(), QString()); // channel 17 names no item
    QCOMPARE(f.state().Modified(), false);
    QVERIFY(w.isVisible());
}

void MainWindowTest::tabOrder()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Find<ControlListBox>(w, "ControlList")->setFocus();
    QStringList visited;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    // The constant velocities are greyed (the shipped curves are "Normal") and skipped.
    const QStringList expected = {"EditSceneName",       "SelSceneMIDICh",      "SelPianoKeyCh", "EditBendSpeed",
                                  "EditKeyTrans",        "SelKeyVelocityCurve", "SelPadVelocityCurve",
                                  "SelDisp",             "ControlList",         "EditSceneName"};
    QCOMPARE(visited, expected);
}

void MainWindowTest::labelClickSelectsItsEntry()
{
    WindowFixture f;
    TFormMain& w = f.window();
    auto* key2 = f.find<OverlayLabel>(QStringLiteral("Label52"));
    QTest::mouseClick(key2, Qt::LeftButton);
    QCOMPARE(Find<ControlListBox>(w, "ControlList")->itemIndex(), 22);
    QCOMPARE(Find<ControlListBox>(w, "ControlList")->currentItem()->text(), QStringLiteral("Key-2"));
    QCOMPARE(f.state().SelectedKind, ControlKind::Key);
    QVERIFY(key2->isOpaque());
    QCOMPARE(Find<QFrame>(w, "Panel2")->geometry(), QRect(87, 201, 44, 50));

    auto* knob3 = f.find<OverlayLabel>(QStringLiteral("Label37"));
    QTest::mouseClick(knob3, Qt::LeftButton);
    QCOMPARE(Find<ControlListBox>(w, "ControlList")->itemIndex(), 7);
    QVERIFY(!key2->isOpaque());
    QVERIFY(knob3->isOpaque());
    QCOMPARE(Find<QFrame>(w, "Panel2")->geometry(), QRect(284, 39, 48, 38));
    QVERIFY(Find<QWidget>(w, "PanelKonb")->isVisible());

    // Back to "Common": no highlight, the frame out of view, the reference kept.
    Find<ControlListBox>(w, "ControlList")->setFocus();
    QTest::keyClick(Find<ControlListBox>(w, "ControlList"), Qt::Key_Home);
    QVERIFY(!knob3->isOpaque());
    QCOMPARE(Find<QFrame>(w, "Panel2")->geometry(), QRect(-100, 39, 48, 38));
}

using UserStep = std::function<void(TFormMain&)>;

void MainWindowTest::focusFollowsTheSelection_data()
{
    QTest::addColumn<int>("entry");     // selected first
    QTest::addColumn<QString>("caret"); // where the focus is then
    QTest::addColumn<UserStep>("step");
    QTest::addColumn<QString>("focus"); // where it is afterwards
    QTest::addColumn<int>("scene");
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        return UserStep([k, m](TFormMain&) { QTest::keyClick(QApplication::focusWidget(), k, m); });
    };
    QTest::newRow("label click, caret in the Common panel")
        << 0 << "EditBendSpeed" << UserStep([](TFormMain& w) { QTest::mouseClick(Label(w, 4), Qt::LeftButton); })
        << "Label35" << 1;
    QTest::newRow("list moved with the keyboard") << 0 << "ControlList" << key(Qt::Key_Down) << "ControlList" << 1;
    QTest::newRow("scene button, caret in a knob's box")
        << 5 << "EditKonbCCNumber"
        << UserStep([](TFormMain& w) { QTest::mouseClick(SceneButton(w, 1), Qt::LeftButton); }) << "EditSceneName"
        << 2;
    QTest::newRow("Alt+3, caret in a pad's box") << 13 << "EditPadCCNumber" << key(Qt::Key_3, Qt::AltModifier)
                                                 << "EditSceneName" << 3;
    QTest::newRow("Alt+4, caret in the Common panel") << 0 << "EditKeyTrans" << key(Qt::Key_4, Qt::AltModifier)
                                                      << "EditKeyTrans" << 4;
    QTest::newRow("undo back to a knob, caret in a key's box")
        << 5 << "EditKonbCCNumber" << UserStep([](TFormMain& w) {
               QTest::keyClick(Find<SpinEdit>(w, "EditKonbCCNumber"), Qt::Key_Down);
               Select(w, 21);
               Find<SpinEdit>(w, "EditKeyONValue")->setFocus();
               QTest::keyClick(Find<SpinEdit>(w, "EditKeyONValue"), Qt::Key_Z, Qt::ControlModifier);
           }) << "SelKonbEnable" << 1;
    QTest::newRow("paste that greys the box with the caret")
        << 6 << "ControlList" << UserStep([](TFormMain& w) {
               w.state().Bank.Current().KonbEnable[1] = 0; // Knob-2, copied onto Knob-1
               QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
               Select(w, 5);
               Find<SpinEdit>(w, "EditKonbCCNumber")->setFocus();
               QTest::keyClick(Find<SpinEdit>(w, "EditKonbCCNumber"), Qt::Key_V, Qt::ControlModifier);
               QVERIFY(!Find<SpinEdit>(w, "EditKonbCCNumber")->isEnabled());
           }) << "SelKonbEnable" << 1;
}

// The focus stays where the user put it, and a box of a panel that goes hands it
// to the first editor of the new panel; the arrow keys afterwards never reach
// "Display Select".
void MainWindowTest::focusFollowsTheSelection()
{
    QFETCH(int, entry);
    QFETCH(QString, caret);
    QFETCH(UserStep, step);
    QFETCH(QString, focus);
    QFETCH(int, scene);
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Select(w, entry);
    f.find<QWidget>(caret)->setFocus();
    step(w);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(f.state().Bank.CurrentScene, scene);
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(QApplication::focusWidget(), k);
    QCOMPARE(Find<DropDownList>(w, "SelDisp")->itemIndex(), ItemOf(DisplayMode::CCNoteNumber));
}

void MainWindowTest::sceneButtonsAreExclusive()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QTest::mouseClick(SceneButton(w, 2), Qt::LeftButton);
    QCOMPARE(f.state().Bank.CurrentScene, 3);
    QTest::mouseClick(SceneButton(w, 2), Qt::LeftButton);
    QVERIFY(SceneButton(w, 2)->isChecked());
    QCOMPARE(f.state().Bank.CurrentScene, 3);
    int down = 0;
    for (int n = 0; n < SceneCount; ++n)
        down += SceneButton(w, n)->isChecked();
    QCOMPARE(down, 1);
    QCOMPARE(Find<ControlListBox>(w, "ControlList")->itemIndex(), 0);
}

void MainWindowTest::overviewFollowsDisplaySelect()
{
    WindowFixture f;
    TFormMain& w = f.window();
    f.state().MarkClean();
    // A user's choice of "On Value" with the keyboard.
    Find<DropDownList>(w, "SelDisp")->setFocus();
    QTest::keyClick(Find<DropDownList>(w, "SelDisp"), Qt::Key_End);
    QCOMPARE(Find<DropDownList>(w, "SelDisp")->itemIndex(), 7);
    QCOMPARE(Label(w, 20)->caption(), QStringLiteral("ON\r127"));   // key 1
    QCOMPARE(Label(w, 4)->caption(), QStringLiteral("---"));        // knob 1
    QCOMPARE(Label(w, 12)->caption(), QStringLiteral("---"));       // pad 1, a Note pad
    QCOMPARE(f.state().Modified(), false);

    // A mode outside the list keeps the control labels and still writes the groups.
    f.state().Bank.Current().MIDICh[0] = 3;
    f.state().Bank.Current().KeyONValue[0] = 5;
    Find<DropDownList>(w, "SelDisp")->setItemIndex(-1);
    QTest::mouseClick(SceneButton(w, 0), Qt::LeftButton); // shows the overview again
    QCOMPARE(Label(w, 0)->caption(), QStringLiteral("4"));
    QCOMPARE(Label(w, 20)->caption(), QStringLiteral("ON\r127"));
    QCOMPARE(Label(w, 20)->text(), QStringLiteral("ON\n127")); // shown on two lines
}

void MainWindowTest::aboutBoxIsModalCentredAndClosesOnClick()
{
    WindowFixture f;
    TFormMain& w = f.window();
    bool seen = false;
    QRect placed;
    bool modal = false;
    QTimer::singleShot(50, [&] {
        if (TFormAbout* about = w.findChild<TFormAbout*>()) {
            seen = true;
            modal = about->isModal() && QApplication::activeModalWidget() == about;
            placed = about->geometry();
            QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(10, 370)); // the margin
        }
    });
    QTest::keyClick(&w, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(seen);
    QVERIFY(modal);
    const QRect main = w.frameGeometry();
    QCOMPARE(placed, QRect(main.left() + (main.width() - 492) / 2, main.top() + (main.height() - 388) / 2, 492, 388));
    QCOMPARE(w.findChild<TFormAbout*>(), nullptr);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
