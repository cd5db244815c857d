// Selection, property editing, pad number entry and copy and paste, driven through
// the real widgets and checked in the record bytes and Modified.
#include "UserActions.h"
#include "WindowFixture.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/DropDownList.h"
#include "app/widgets/Edit.h"
#include "app/widgets/OverlayLabel.h"
#include "app/widgets/SpinEdit.h"
#include "app/widgets/StepButton.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>
#include <cstring>
#include <functional>

using namespace korvo;
using korvo::test::WindowFixture;
using namespace korvo::test;

namespace {

TSceneRecord& Scene(WindowFixture& f, int n = 1)
{
    return f.state().Bank.Scenes[static_cast<std::size_t>(n - 1)];
}

} // namespace

class EditingTest : public QObject {
    Q_OBJECT
private slots:
    void fillSideEffects();
    void handlersStore_data();
    void handlersStore();
    void enableRules();
    void spinReadingRules();
    void padNumberStepping_data();
    void padNumberStepping();
    void padNumberTypingAndSwitching();
    void padNumberNotUnderstood_data();
    void padNumberNotUnderstood();
    void copyAndPaste();
    void fillShowsStoredNumbersUnchanged_data();
    void fillShowsStoredNumbersUnchanged();
    void outOfRangeNumberUntilTheFocusMoves_data();
    void outOfRangeNumberUntilTheFocusMoves();
    void saveFromTheMenuWritesWhatCtrlSWrites();
    void sceneNamesAsStored_data();
    void sceneNamesAsStored();
};

void EditingTest::fillSideEffects()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);

    // Knob-1 then Knob-2 with different CC numbers: the number box changes, but
    // the values are shown as stored, so nothing is unsaved.
    f.state().MarkClean();
    Select(w, 5);
    Select(w, 6);
    QCOMPARE(f.state().Modified(), false);

    // A group entry never sets it (its panel has only a list).
    Scene(f).MIDICh[1] = 7;
    f.state().MarkClean();
    Select(w, 1);
    Select(w, 2);
    QCOMPARE(f.state().Modified(), false);
    QCOMPARE(Find<DropDownList>(w, "SelMIDICh")->currentText(), QStringLiteral("8"));

    // A stored 200 shows and is stored back as 127.
    Scene(f).KonbCCNumber[2] = 200;
    Select(w, 7);
    QCOMPARE(Find<SpinEdit>(w, "EditKonbCCNumber")->text(), QStringLiteral("127"));
    QCOMPARE(Scene(f).KonbCCNumber[2], 127);
    QCOMPARE(f.state().Modified(), true);

    // A name with zero characters is shown up to them and stored shortened.
    std::memcpy(Scene(f, 2).SceneNameChars, "SCENE2\0\0\0\0\0\0", 12);
    Scene(f, 2).SceneNameLength = 12;
    QTest::mouseClick(SceneButton(w, 1), Qt::LeftButton);
    QCOMPARE(Find<Edit>(w, "EditSceneName")->text(), QStringLiteral("SCENE2"));
    QCOMPARE(Scene(f, 2).SceneNameLength, 6);

    // A Note pad shows its name and stores its position; an unnamed number stays.
    QTest::mouseClick(SceneButton(w, 0), Qt::LeftButton);
    Scene(f).PadCCNumber[1] = 60;
    Scene(f).PadCCNumber[2] = 200;
    Select(w, 14);
    QCOMPARE(Find<Edit>(w, "EditPadCCNumber")->text(), QStringLiteral("C4"));
    Select(w, 15);
    QCOMPARE(Find<Edit>(w, "EditPadCCNumber")->text(), QStringLiteral("200"));
    QCOMPARE(Scene(f).PadCCNumber[2], 200);
    Select(w, 14);
    QCOMPARE(Scene(f).PadCCNumber[1], 60);

    // Out-of-range list values show no item; nothing crashes.
    Scene(f).PadAssignType[3] = 9;
    Scene(f).PadMIDICh[3] = 17;
    Select(w, 16);
    QCOMPARE(Find<DropDownList>(w, "SelPadAssignType")->itemIndex(), -1);
    QCOMPARE(Find<DropDownList>(w, "SelPadMIDICh")->itemIndex(), -1);
    QVERIFY(Find<Edit>(w, "EditPadCCNumber")->isEnabled());
}

using FieldOf = std::function<std::int32_t(const TSceneRecord&)>;

void EditingTest::handlersStore_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("input"); // a number of Down presses for a list, typed text for a box
    QTest::addColumn<FieldOf>("field");
    QTest::addColumn<int>("expected");
    auto row = [](const char* name, int entry, const char* editor, const char* input, FieldOf field, int expected) {
        QTest::newRow(name) << entry << QString::fromLatin1(editor) << QString::fromLatin1(input) << field << expected;
    };
    row("scene channel", 0, "SelSceneMIDICh", "4", [](auto& r) { return r.SceneMIDICh; }, 4);
    row("piano key channel Global", 0, "SelPianoKeyCh", "16", [](auto& r) { return r.PianoKeyCh; }, 16);
    row("bend speed 4", 0, "EditBendSpeed", "4", [](auto& r) { return r.BendSpeed; }, 3);
    row("bend speed emptied", 0, "EditBendSpeed", "", [](auto& r) { return r.BendSpeed; }, 0);
    row("transpose 5", 0, "EditKeyTrans", "5", [](auto& r) { return r.KeyTrans; }, 18);
    row("transpose -12", 0, "EditKeyTrans", "-12", [](auto& r) { return r.KeyTrans; }, 1);
    row("transpose 0", 0, "EditKeyTrans", "0", [](auto& r) { return r.KeyTrans; }, 13);
    row("key curve Const", 0, "SelKeyVelocityCurve", "3", [](auto& r) { return r.KeyVelocityCurve; }, 3);
    row("pad curve Heavy", 0, "SelPadVelocityCurve", "2", [](auto& r) { return r.PadVelocityCurve; }, 2);
    row("group 3 channel", 3, "SelMIDICh", "5", [](auto& r) { return r.MIDICh[2]; }, 5);
    row("knob 1 CC", 5, "EditKonbCCNumber", "99", [](auto& r) { return r.KonbCCNumber[0]; }, 99);
    row("knob 1 CC emptied", 5, "EditKonbCCNumber", "", [](auto& r) { return r.KonbCCNumber[0]; }, 0);
    row("knob 4 upper", 8, "EditKonbURValue", "64", [](auto& r) { return r.KonbURValue[3]; }, 64);
    row("slider 3 disabled", 11, "SelKonbEnable", "0", [](auto& r) { return r.SliderEnable[2]; }, 0);
    row("slider 2 lower", 10, "EditKonbLLValue", "12", [](auto& r) { return r.SliderLLValue[1]; }, 12);
    row("pad 4 Global", 16, "SelPadMIDICh", "16", [](auto& r) { return r.PadMIDICh[3]; }, 16);
    row("pad 1 Toggle", 13, "SelPadBehavior", "1", [](auto& r) { return r.PadBehavior[0]; }, 1);
    row("key 25 CC", 45, "EditKeyCCNumber", "100", [](auto& r) { return r.KeyCCNumber[24]; }, 100);
    row("key 2 on", 22, "EditKeyONValue", "90", [](auto& r) { return r.KeyONValue[1]; }, 90);
    row("key 3 off", 23, "EditKeyOFFValue", "7", [](auto& r) { return r.KeyOFFValue[2]; }, 7);
    row("key 4 Toggle", 24, "SelKeyBehavior", "1", [](auto& r) { return r.KeyBehavior[3]; }, 1);
    row("key 5 disabled", 25, "SelKeyAssignType", "0", [](auto& r) { return r.KeyAssignType[4]; }, 0);
}

void EditingTest::handlersStore()
{
    QFETCH(int, entry);
    QFETCH(QString, editor);
    QFETCH(QString, input);
    QFETCH(FieldOf, field);
    QFETCH(int, expected);
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    // Pads as Control Change so that all their editors are open.
    for (auto& scene : f.state().Bank.Scenes)
        std::fill(std::begin(scene.PadAssignType), std::end(scene.PadAssignType), 1);
    Select(w, entry);
    const SceneBank before = f.state().Bank;
    f.state().MarkClean();
    if (auto* list = f.find<DropDownList>(editor))
        Choose(list, input.toInt());
    else
        Type(w, f.find<QLineEdit>(editor), input);
    QCOMPARE(field(Scene(f)), expected);
    // Unsaved changes exactly when the bytes changed (Global and transpose 0 were stored already).
    QCOMPARE(f.state().Modified(), std::memcmp(&before.Scenes[0], &Scene(f), sizeof(TSceneRecord)) != 0);
    // The other scenes are untouched.
    QCOMPARE(std::memcmp(&before.Scenes[1], &f.state().Bank.Scenes[1], 3 * sizeof(TSceneRecord)), 0);
}

void EditingTest::enableRules()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Choose(Find<DropDownList>(w, "SelKeyVelocityCurve"), 3);
    QVERIFY(Find<SpinEdit>(w, "EditKeyConstVelocity")->isEnabled());
    Type(w, Find<SpinEdit>(w, "EditKeyConstVelocity"), QStringLiteral("77"));
    Choose(Find<DropDownList>(w, "SelKeyVelocityCurve"), 2);
    QVERIFY(!Find<SpinEdit>(w, "EditKeyConstVelocity")->isEnabled());
    QCOMPARE(Scene(f).KeyConstVelocity, 77);

    Select(w, 11); // Slider-3
    Choose(Find<DropDownList>(w, "SelKonbEnable"), 0);
    for (QWidget* box : {Find<SpinEdit>(w, "EditKonbCCNumber"), Find<SpinEdit>(w, "EditKonbURValue"), Find<SpinEdit>(w, "EditKonbLLValue")})
        QVERIFY(!box->isEnabled());
    QCOMPARE(Find<SpinEdit>(w, "EditKonbCCNumber")->text(), QStringLiteral("1")); // still shown

    Select(w, 13); // a Note pad: no ON and OFF values
    QVERIFY(!Find<SpinEdit>(w, "EditPadONValue")->isEnabled() && !Find<SpinEdit>(w, "EditPadOFFValue")->isEnabled());
    QVERIFY(Find<Edit>(w, "EditPadCCNumber")->isEnabled() && Find<DropDownList>(w, "SelPadBehavior")->isEnabled() && Find<StepButton>(w, "RxSpinButton1")->isEnabled());
    Choose(Find<DropDownList>(w, "SelPadAssignType"), 0);
    QCOMPARE(Scene(f).PadAssignType[0], 0);
    QCOMPARE(Scene(f).PadCCNumber[0], 36);
    for (QWidget* e : std::initializer_list<QWidget*>{Find<Edit>(w, "EditPadCCNumber"), Find<StepButton>(w, "RxSpinButton1"), Find<SpinEdit>(w, "EditPadONValue"),
                                                      Find<SpinEdit>(w, "EditPadOFFValue"), Find<DropDownList>(w, "SelPadBehavior"), Find<DropDownList>(w, "SelPadMIDICh")})
        QVERIFY(!e->isEnabled());
    QVERIFY(Find<DropDownList>(w, "SelPadAssignType")->isEnabled());

    Select(w, 21);
    Choose(Find<DropDownList>(w, "SelKeyAssignType"), 0);
    for (QWidget* e : std::initializer_list<QWidget*>{Find<SpinEdit>(w, "EditKeyCCNumber"), Find<SpinEdit>(w, "EditKeyONValue"), Find<SpinEdit>(w, "EditKeyOFFValue"),
                                                      Find<DropDownList>(w, "SelKeyBehavior")})
        QVERIFY(!e->isEnabled());
}

void EditingTest::spinReadingRules()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Select(w, 5);
    // Typed out of range: stored as typed while the box has the focus, then the bound.
    Find<SpinEdit>(w, "EditKonbCCNumber")->setFocus();
    QTest::keyClick(Find<SpinEdit>(w, "EditKonbCCNumber"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Find<SpinEdit>(w, "EditKonbCCNumber"), QStringLiteral("300"));
    QCOMPARE(Scene(f).KonbCCNumber[0], 300);
    QCOMPARE(Label(w, 4)->caption(), QStringLiteral("CC#\r300"));
    Find<ControlListBox>(w, "ControlList")->setFocus();
    QCOMPARE(Scene(f).KonbCCNumber[0], 127);
    // Letters are refused; a lone sign reads as the lower bound.
    Type(w, Find<SpinEdit>(w, "EditKonbURValue"), QStringLiteral("1x2"));
    QCOMPARE(Scene(f).KonbURValue[0], 12);
    Type(w, Find<SpinEdit>(w, "EditKonbURValue"), QStringLiteral("-"));
    QCOMPARE(Scene(f).KonbURValue[0], 0);
    // A name of 14 letters is stored as 12; typed letters become capitals.
    Select(w, 0);
    Type(w, Find<Edit>(w, "EditSceneName"), QStringLiteral("abcdefghijklmn"));
    QCOMPARE(Scene(f).SceneNameLength, 12);
    QCOMPARE(SceneNameText(Scene(f)), std::string("ABCDEFGHIJKL"));
    QCOMPARE(SceneButton(w, 0)->text(), QStringLiteral("ABCDEFGHIJKL"));
    // The arrow keys step a spin box, clamped.
    Type(w, Find<SpinEdit>(w, "EditBendSpeed"), QStringLiteral("4"));
    Find<SpinEdit>(w, "EditBendSpeed")->setFocus();
    QTest::keyClick(Find<SpinEdit>(w, "EditBendSpeed"), Qt::Key_Up);
    QCOMPARE(Find<SpinEdit>(w, "EditBendSpeed")->text(), QStringLiteral("4"));
    QTest::keyClick(Find<SpinEdit>(w, "EditBendSpeed"), Qt::Key_Down);
    QCOMPARE(Scene(f).BendSpeed, 2);
}

void EditingTest::padNumberStepping_data()
{
    QTest::addColumn<int>("assignType");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("useKey");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("modified");
    QTest::newRow("CC at 127, up") << 1 << 127 << true << false << "127" << 127 << false;
    QTest::newRow("CC at 0, down (key)") << 1 << 0 << false << true << "0" << 0 << false;
    QTest::newRow("CC 5, up (key)") << 1 << 5 << true << true << "6" << 6 << true;
    QTest::newRow("CC 300, down") << 1 << 300 << false << false << "127" << 127 << true;
    QTest::newRow("Note 119, up") << 2 << 119 << true << false << "B8" << 119 << false;
    QTest::newRow("Note 0, down (key)") << 2 << 0 << false << true << "C-1" << 0 << false;
    QTest::newRow("Note 60, up") << 2 << 60 << true << false << "C#4" << 61 << true;
}

void EditingTest::padNumberStepping()
{
    QFETCH(int, assignType);
    QFETCH(int, number);
    QFETCH(bool, up);
    QFETCH(bool, useKey);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    QFETCH(bool, modified);
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Scene(f).PadAssignType[4] = assignType;
    Scene(f).PadCCNumber[4] = number;
    Select(w, 17);
    f.state().MarkClean();
    if (useKey) {
        Find<Edit>(w, "EditPadCCNumber")->setFocus();
        QTest::keyClick(Find<Edit>(w, "EditPadCCNumber"), up ? Qt::Key_Up : Qt::Key_Down);
    } else {
        QTest::mouseClick(Find<StepButton>(w, "RxSpinButton1"), Qt::LeftButton, {}, up ? QPoint(4, 4) : QPoint(17, 19));
        QVERIFY(Find<Edit>(w, "EditPadCCNumber")->hasFocus());
    }
    QCOMPARE(Find<Edit>(w, "EditPadCCNumber")->text(), shown);
    QCOMPARE(Scene(f).PadCCNumber[4], stored);
    QCOMPARE(f.state().Modified(), modified);
}

void EditingTest::padNumberTypingAndSwitching()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Scene(f).PadAssignType[0] = 1;
    Select(w, 13);
    Type(w, Find<Edit>(w, "EditPadCCNumber"), QStringLiteral("$7f"));
    QCOMPARE(Find<Edit>(w, "EditPadCCNumber")->text(), QStringLiteral("$7F"));
    QCOMPARE(Scene(f).PadCCNumber[0], 127);
    Type(w, Find<Edit>(w, "EditPadCCNumber"), QStringLiteral("125"));
    Choose(Find<DropDownList>(w, "SelPadAssignType"), 2);
    QCOMPARE(Find<Edit>(w, "EditPadCCNumber")->text(), QStringLiteral("C9")); // position 120
    QCOMPARE(Scene(f).PadCCNumber[0], 120);
    Choose(Find<DropDownList>(w, "SelPadAssignType"), 1);
    QCOMPARE(Find<Edit>(w, "EditPadCCNumber")->text(), QStringLiteral("120"));
    Choose(Find<DropDownList>(w, "SelPadAssignType"), 2);
    Type(w, Find<Edit>(w, "EditPadCCNumber"), QStringLiteral("d#3")); // typed in lower case
    QCOMPARE(Scene(f).PadCCNumber[0], 51);
    Type(w, Find<Edit>(w, "EditPadCCNumber"), QStringLiteral("zz"));
    QCOMPARE(Scene(f).PadCCNumber[0], 0);
    QTest::mouseClick(Find<StepButton>(w, "RxSpinButton1"), Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(Find<Edit>(w, "EditPadCCNumber")->text(), QStringLiteral("C-1"));

    // A negative number typed as Control Change, then switched to Note: shown as the
    // number, and stored unchanged.
    Choose(Find<DropDownList>(w, "SelPadAssignType"), 1);
    Type(w, Find<Edit>(w, "EditPadCCNumber"), QStringLiteral("-5"));
    Choose(Find<DropDownList>(w, "SelPadAssignType"), 2);
    QCOMPARE(Find<Edit>(w, "EditPadCCNumber")->text(), QStringLiteral("-5"));
    QCOMPARE(Scene(f).PadCCNumber[0], -5);
}

void EditingTest::copyAndPaste()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Select(w, 6); // Knob-2
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    const TSceneRecord atCopy = Scene(f);
    Type(w, Find<SpinEdit>(w, "EditKonbCCNumber"), QStringLiteral("5"));
    QTest::mouseClick(SceneButton(w, 2), Qt::LeftButton);
    Select(w, 8); // Knob-4 of scene 3
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Scene(f, 3).KonbCCNumber[3], atCopy.KonbCCNumber[1]);
    QCOMPARE(Find<SpinEdit>(w, "EditKonbCCNumber")->text(), QString::number(atCopy.KonbCCNumber[1]));
    QCOMPARE(Scene(f, 3).KonbCCNumber[2], atCopy.KonbCCNumber[2]);

    // A paste onto another kind does nothing.
    Select(w, 10);
    const TSceneRecord before = Scene(f, 3);
    Find<QAction>(w, "Peast1")->trigger();
    QCOMPARE(std::memcmp(&before, &Scene(f, 3), sizeof before), 0);

    // A copy from "Common" ends pasting controls, even in a text box.
    Select(w, 0);
    Find<Edit>(w, "EditSceneName")->setFocus();
    QTest::keyClick(Find<Edit>(w, "EditSceneName"), Qt::Key_C, Qt::ControlModifier); // the menu's Copy
    QCOMPARE(f.state().Clipboard.ClipboardKind, ControlKind::Common);
    Select(w, 8);
    const TSceneRecord again = Scene(f, 3);
    Find<QAction>(w, "Peast1")->trigger();
    QCOMPARE(std::memcmp(&again, &Scene(f, 3), sizeof again), 0);
}

void EditingTest::padNumberNotUnderstood_data()
{
    QTest::addColumn<int>("mode"); // 1 Control Change, 2 Note
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("understood");
    QTest::addColumn<int>("stored");
    QTest::newRow("note name") << 2 << "C4" << true << 60;
    QTest::newRow("note name in small letters") << 2 << "c#4" << true << 61;
    QTest::newRow("flat name") << 2 << "Eb3" << false << 0;
    QTest::newRow("no note") << 2 << "X" << false << 0;
    QTest::newRow("blank inside") << 2 << "A 2" << false << 0;
    QTest::newRow("note number") << 2 << "64" << true << 64;
    QTest::newRow("number") << 1 << "$7F" << true << 127;
    QTest::newRow("no number") << 1 << "X" << false << 0;
    QTest::newRow("note name as a number") << 1 << "C4" << false << 0;
}

// Text that names no note (nor, in Note mode, a number) shows in the error colour
// with what the box accepts, until corrected; what is stored stays as it was.
void EditingTest::padNumberNotUnderstood()
{
    QFETCH(int, mode);
    QFETCH(QString, typed);
    QFETCH(bool, understood);
    QFETCH(int, stored);
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Scene(f).PadAssignType[2] = mode;
    Select(w, 15);
    auto* box = Find<Edit>(w, "EditPadCCNumber");
    const QColor normal = box->palette().color(QPalette::Text);
    Type(w, box, typed);
    QCOMPARE(Scene(f).PadCCNumber[2], stored);
    QCOMPARE(box->hasProblem(), !understood);
    QCOMPARE(box->palette().color(QPalette::Text) != normal, !understood);
    if (!understood)
        QVERIFY2(box->toolTip().contains(mode == 2 ? QStringLiteral("C-1 to G9") : QStringLiteral("0 to 127")),
                 qPrintable(box->toolTip()));
    // Corrected, or the pad switched to No Assign: the usual colour again.
    Type(w, box, QStringLiteral("1"));
    QVERIFY(!box->hasProblem());
    QCOMPARE(box->palette().color(QPalette::Text), normal);
    Type(w, box, typed);
    Choose(Find<DropDownList>(w, "SelPadAssignType"), 0);
    QVERIFY(!box->hasProblem());
}

using FieldRef = std::function<std::int32_t&(TSceneRecord&)>;

void EditingTest::fillShowsStoredNumbersUnchanged_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<FieldRef>("field");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("shown");
    const FieldRef bend = [](TSceneRecord& r) -> std::int32_t& { return r.BendSpeed; };
    QTest::newRow("bend speed 9") << "EditBendSpeed" << bend << 9 << "10";
    // The store's 32-bit wrap: 2147483647 + 1 shows as -2147483648, which reads back.
    QTest::newRow("bend speed at the limit") << "EditBendSpeed" << bend << 2147483647 << "-2147483648";
    QTest::newRow("bend speed at the lower limit") << "EditBendSpeed" << bend << (-2147483647 - 1) << "-2147483647";
    QTest::newRow("constant velocity beyond the range")
        << "EditKeyConstVelocity" << FieldRef([](TSceneRecord& r) -> std::int32_t& { return r.KeyConstVelocity; })
        << 300 << "300";
}

// Showing a stored number never changes it.
void EditingTest::fillShowsStoredNumbersUnchanged()
{
    QFETCH(QString, editor);
    QFETCH(FieldRef, field);
    QFETCH(int, stored);
    QFETCH(QString, shown);
    WindowFixture f;
    TFormMain& w = f.window();
    field(Scene(f, 2)) = stored;
    f.state().MarkClean();
    QTest::mouseClick(SceneButton(w, 1), Qt::LeftButton);
    QCOMPARE(f.find<QLineEdit>(editor)->text(), shown);
    QCOMPARE(field(Scene(f, 2)), stored);
    QVERIFY(!f.state().Modified());
}

using LeaveBox = std::function<void(TFormMain&, SpinEdit*)>;

void EditingTest::outOfRangeNumberUntilTheFocusMoves_data()
{
    QTest::addColumn<LeaveBox>("leave");
    QTest::addColumn<bool>("clamped");
    QTest::newRow("Tab") << LeaveBox([](TFormMain&, SpinEdit* box) { QTest::keyClick(box, Qt::Key_Tab); }) << true;
    QTest::newRow("Shift+Tab") << LeaveBox([](TFormMain&, SpinEdit* box) {
        QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
    }) << true;
    QTest::newRow("a click on another box") << LeaveBox([](TFormMain& w, SpinEdit*) {
        QTest::mouseClick(Find<SpinEdit>(w, "EditKonbURValue"), Qt::LeftButton);
    }) << true;
    QTest::newRow("a click on a label") << LeaveBox([](TFormMain& w, SpinEdit*) {
        QTest::mouseClick(Label(w, 4), Qt::LeftButton); // Knob-1's own
    }) << true;
    QTest::newRow("the File menu opened") << LeaveBox([](TFormMain& w, SpinEdit*) {
        auto* file = Find<QMenu>(w, "File1");
        file->popup(w.mapToGlobal(QPoint(10, 10)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        file->close();
    }) << false;
    QTest::newRow("the box's own menu") << LeaveBox([](TFormMain&, SpinEdit* box) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(box, &menu);
        QMenu* shown = box->findChild<QMenu*>();
        QVERIFY(shown);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        shown->close();
    }) << false;
    QTest::newRow("a popup list opened") << LeaveBox([](TFormMain& w, SpinEdit*) {
        auto* list = Find<DropDownList>(w, "SelDisp");
        list->showPopup();
        QTest::qWait(50);
        list->hidePopup();
    }) << false;
    QTest::newRow("a message box") << LeaveBox([](TFormMain& w, SpinEdit*) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), QStringLiteral("x"), QMessageBox::Ok, &w);
        box.show();
        QApplication::setActiveWindow(&box);
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.close();
        QApplication::setActiveWindow(&w);
    }) << false;
    QTest::newRow("another window active") << LeaveBox([](TFormMain& w, SpinEdit*) {
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QApplication::setActiveWindow(&w);
    }) << false;
}

// A number beyond the box's range goes to the bound only when the focus moves to
// another widget of the window.
void EditingTest::outOfRangeNumberUntilTheFocusMoves()
{
    QFETCH(LeaveBox, leave);
    QFETCH(bool, clamped);
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Select(w, 5);
    auto* box = Find<SpinEdit>(w, "EditKonbCCNumber");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral("300"));
    leave(w, box);
    QCOMPARE(box->text(), clamped ? QStringLiteral("127") : QStringLiteral("300"));
    QCOMPARE(Scene(f).KonbCCNumber[0], clamped ? 127 : 300); // for the control it was typed for
    QCOMPARE(Find<ControlListBox>(w, "ControlList")->itemIndex(), 5);
}

void EditingTest::saveFromTheMenuWritesWhatCtrlSWrites()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    f.dialogs.files = {f.path("song.kvo")};
    Find<QAction>(w, "Saveas1")->trigger();
    Select(w, 5);
    auto* box = Find<SpinEdit>(w, "EditKonbCCNumber");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QStringLiteral("300"));
    const auto saved = [&] {
        QFile file(f.path("song.kvo"));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    };
    QTest::keyClick(box, Qt::Key_S, Qt::ControlModifier);
    const QByteArray byKey = saved();
    QFile::remove(f.path("song.kvo"));

    // File > Save with the mouse: the menu opens, its item is clicked.
    auto* bar = w.menuBar();
    auto* file = Find<QMenu>(w, "File1");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    QVERIFY(QTest::qWaitForWindowExposed(file));
    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(Find<QAction>(w, "Save1")).center());
    QTRY_VERIFY(QFile::exists(f.path("song.kvo")));
    QCOMPARE(saved(), byKey);
    QCOMPARE(Scene(f).KonbCCNumber[0], 300);
}

void EditingTest::sceneNamesAsStored_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored"); // Latin-1
    QTest::newRow("ampersand") << "drums &bass" << QByteArray("DRUMS &BASS");
    QTest::newRow("two ampersands") << "a&&b" << QByteArray("A&&B");
    QTest::newRow("ampersand last") << "r&" << QByteArray("R&");
    QTest::newRow("sharp s") << QString::fromUtf8("straße") << QByteArray("STRA\xdf" "E");
    QTest::newRow("y diaeresis, micro sign") << QString::fromUtf8("ÿµ") << QByteArray("\xff\xb5");
}

// What is typed is stored in Latin-1 and the scene button shows the name as stored,
// with no shortcut letter taken from it.
void EditingTest::sceneNamesAsStored()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Type(w, Find<Edit>(w, "EditSceneName"), typed);
    QCOMPARE(QByteArray::fromStdString(SceneNameText(Scene(f))), stored);
    // A button draws "&&" as "&" and drops a lone "&" (it marks the next letter).
    const QString text = SceneButton(w, 0)->text();
    QString drawn;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && ++i == text.size())
            break;
        drawn += text[i];
    }
    QCOMPARE(drawn, QString::fromLatin1(stored));
    QVERIFY(QKeySequence::mnemonic(text).isEmpty());
    QTest::mouseClick(SceneButton(w, 2), Qt::LeftButton);
    QTest::keyClick(&w, Qt::Key_B, Qt::AltModifier);
    QCOMPARE(f.state().Bank.CurrentScene, 3);
}

QTEST_MAIN(EditingTest)
#include "EditingTest.moc"
