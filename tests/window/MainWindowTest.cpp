// Start-up, layout, quit prompt, selection highlight and overview of the main window.
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

using namespace korvo;
using korvo::test::WindowFixture;

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
    void sceneButtonsAreExclusive();
    void overviewFollowsDisplaySelect();
    void aboutBoxIsModalCentredAndClosesOnClick();
};

void MainWindowTest::startUpState()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QCOMPARE(f.state().Modified, false);
    QCOMPARE(f.state().Bank.CurrentScene, 1);
    QCOMPARE(w.ControlList->itemIndex(), 0);
    QCOMPARE(w.SelDisp->currentText(), QStringLiteral("CC/Note Number"));
    QCOMPARE(w.Panel2->x(), -100);
    QVERIFY(w.PanelCommon->isVisible());
    for (QWidget* panel : {w.PanelGroup, w.PanelKonb, w.PanelPad, w.PanelKey}) {
        QVERIFY(!panel->isVisible());
        QCOMPARE(panel->geometry(), QRect(175, 356, 583, 166));
    }
    for (OverlayLabel* label : w.Labels)
        QVERIFY(!label->isOpaque());
    QCOMPARE(w.SelectedLabel, w.Labels[0]);
    QVERIFY(w.SceneButtons[0]->isChecked());
    QCOMPARE(w.SceneButtons[0]->text(), QStringLiteral("SCENE1"));
    // The first refresh replaced the placeholders.
    QCOMPARE(w.Labels[4]->caption(), QStringLiteral("CC#\r74"));
    QCOMPARE(w.Labels[0]->caption(), QStringLiteral("Global"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Controller editor"));
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
    f.state().Modified = modified;
    f.dialogs.answers.push_back(DialogAnswer(answer));
    if (useCloseBox)
        f.window().close();
    else
        f.window().Quit1->trigger();
    QCOMPARE(f.window().isVisible(), !closes);
    QCOMPARE(f.dialogs.shown.filter(QStringLiteral("ask: Warning: Do you want to save changes?")).size(), prompts);
    QCOMPARE(f.state().Modified, modified);
}

void MainWindowTest::cancelledSaveKeepsProgramOpen()
{
    WindowFixture f;
    f.state().Modified = true;
    f.dialogs.answers = {DialogAnswer::Yes};
    f.dialogs.files = {QString()}; // the save dialog is cancelled
    f.window().Quit1->trigger();
    QVERIFY(f.window().isVisible());
    QCOMPARE(f.state().Modified, true);
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
    QCOMPARE(w.Labels[0]->caption(), QString()); // channel 17 names no item
    QCOMPARE(f.state().Modified, false);
    QVERIFY(w.isVisible());
}

void MainWindowTest::tabOrder()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    w.ControlList->setFocus();
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
    QCOMPARE(w.ControlList->itemIndex(), 22);
    QCOMPARE(w.ControlList->currentItem()->text(), QStringLiteral("Key-2"));
    QCOMPARE(f.state().SelectedKind, 5);
    QVERIFY(key2->isOpaque());
    QCOMPARE(w.Panel2->geometry(), QRect(87, 201, 44, 50));

    auto* knob3 = f.find<OverlayLabel>(QStringLiteral("Label37"));
    QTest::mouseClick(knob3, Qt::LeftButton);
    QCOMPARE(w.ControlList->itemIndex(), 7);
    QVERIFY(!key2->isOpaque());
    QVERIFY(knob3->isOpaque());
    QCOMPARE(w.Panel2->geometry(), QRect(284, 39, 48, 38));
    QVERIFY(w.PanelKonb->isVisible());

    // Back to "Common": no highlight, the frame out of view, the reference kept.
    w.ControlList->setItemIndex(0);
    w.ControlListClick();
    QVERIFY(!knob3->isOpaque());
    QCOMPARE(w.Panel2->x(), -100);
    QCOMPARE(w.SelectedLabel, knob3);
}

void MainWindowTest::sceneButtonsAreExclusive()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QTest::mouseClick(w.SceneButtons[2], Qt::LeftButton);
    QCOMPARE(f.state().Bank.CurrentScene, 3);
    QTest::mouseClick(w.SceneButtons[2], Qt::LeftButton);
    QVERIFY(w.SceneButtons[2]->isChecked());
    QCOMPARE(f.state().Bank.CurrentScene, 3);
    int down = 0;
    for (auto* b : w.SceneButtons)
        down += b->isChecked();
    QCOMPARE(down, 1);
    QCOMPARE(w.ControlList->itemIndex(), 0);
}

void MainWindowTest::overviewFollowsDisplaySelect()
{
    WindowFixture f;
    TFormMain& w = f.window();
    f.state().Modified = false;
    // A user's choice of "On Value" with the keyboard.
    w.SelDisp->setFocus();
    QTest::keyClick(w.SelDisp, Qt::Key_End);
    QCOMPARE(w.SelDisp->itemIndex(), 7);
    QCOMPARE(w.Labels[20]->caption(), QStringLiteral("ON\r127"));   // key 1
    QCOMPARE(w.Labels[4]->caption(), QStringLiteral("---"));        // knob 1
    QCOMPARE(w.Labels[12]->caption(), QStringLiteral("---"));       // pad 1, a Note pad
    QCOMPARE(f.state().Modified, false);

    // A mode outside the list keeps the control labels and still writes the groups.
    f.state().Bank.Current().MIDICh[0] = 3;
    f.state().Bank.Current().KeyONValue[0] = 5;
    w.RefreshOverview(-1);
    QCOMPARE(w.Labels[0]->caption(), QStringLiteral("4"));
    QCOMPARE(w.Labels[20]->caption(), QStringLiteral("ON\r127"));
    QCOMPARE(w.Labels[20]->text(), QStringLiteral("ON\n127")); // shown on two lines
}

void MainWindowTest::aboutBoxIsModalCentredAndClosesOnClick()
{
    WindowFixture f;
    TFormMain& w = f.window();
    bool seen = false;
    QRect placed;
    bool modal = false;
    QTimer::singleShot(50, [&] {
        if (TFormAbout* about = w.FormAbout) {
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
    QCOMPARE(w.FormAbout, nullptr);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
