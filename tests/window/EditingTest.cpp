// Selection, property editing, pad number entry and copy and paste, driven through
// the real widgets and checked in the record bytes and Modified.
#include "WindowFixture.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/DropDownList.h"
#include "app/widgets/Edit.h"
#include "app/widgets/OverlayLabel.h"
#include "app/widgets/SpinEdit.h"
#include "app/widgets/StepButton.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <cstring>
#include <functional>

using namespace korvo;
using korvo::test::WindowFixture;

namespace {

void Select(TFormMain& w, int entry)
{
    w.ControlList->setFocus();
    w.ControlList->setItemIndex(entry);
    QTest::mouseClick(w.ControlList->viewport(), Qt::LeftButton, {},
                      w.ControlList->visualItemRect(w.ControlList->item(entry)).center());
}

// Chooses an item as a user does: Home, then Down.
void Choose(DropDownList* list, int item)
{
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < item; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// Replaces a box's text by typing, then leaves the box.
void Type(TFormMain& w, QLineEdit* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
    w.ControlList->setFocus();
}

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
    void copyAndPaste();
};

void EditingTest::fillSideEffects()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);

    // Knob-1 then Knob-2 with different CC numbers: the number box changes.
    f.state().Modified = false;
    Select(w, 5);
    Select(w, 6);
    QCOMPARE(f.state().Modified, true);

    // A group entry never sets it (its panel has only a list).
    f.state().Modified = false;
    Scene(f).MIDICh[1] = 7;
    Select(w, 1);
    Select(w, 2);
    QCOMPARE(f.state().Modified, false);
    QCOMPARE(w.SelMIDICh->currentText(), QStringLiteral("8"));

    // A stored 200 shows and is stored back as 127.
    Scene(f).KonbCCNumber[2] = 200;
    Select(w, 7);
    QCOMPARE(w.EditKonbCCNumber->text(), QStringLiteral("127"));
    QCOMPARE(Scene(f).KonbCCNumber[2], 127);

    // A name with zero characters is shown up to them and stored shortened.
    std::memcpy(Scene(f, 2).SceneNameChars, "SCENE2\0\0\0\0\0\0", 12);
    Scene(f, 2).SceneNameLength = 12;
    QTest::mouseClick(w.SceneButtons[1], Qt::LeftButton);
    QCOMPARE(w.EditSceneName->text(), QStringLiteral("SCENE2"));
    QCOMPARE(Scene(f, 2).SceneNameLength, 6);

    // A Note pad shows its name and stores its position; an unnamed number stays.
    QTest::mouseClick(w.SceneButtons[0], Qt::LeftButton);
    Scene(f).PadCCNumber[1] = 60;
    Scene(f).PadCCNumber[2] = 200;
    Select(w, 14);
    QCOMPARE(w.EditPadCCNumber->text(), QStringLiteral("C4"));
    Select(w, 15);
    QCOMPARE(w.EditPadCCNumber->text(), QStringLiteral("200"));
    QCOMPARE(Scene(f).PadCCNumber[2], 200);
    Select(w, 14);
    QCOMPARE(Scene(f).PadCCNumber[1], 60);

    // Out-of-range list values show no item; nothing crashes.
    Scene(f).PadAssignType[3] = 9;
    Scene(f).PadMIDICh[3] = 17;
    Select(w, 16);
    QCOMPARE(w.SelPadAssignType->itemIndex(), -1);
    QCOMPARE(w.SelPadMIDICh->itemIndex(), -1);
    QVERIFY(w.EditPadCCNumber->isEnabled());
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
    f.state().Modified = false;
    if (auto* list = f.find<DropDownList>(editor))
        Choose(list, input.toInt());
    else
        Type(w, f.find<QLineEdit>(editor), input);
    QCOMPARE(field(Scene(f)), expected);
    QCOMPARE(f.state().Modified, true);
    // The other scenes are untouched.
    QCOMPARE(std::memcmp(&before.Scenes[1], &f.state().Bank.Scenes[1], 3 * sizeof(TSceneRecord)), 0);
}

void EditingTest::enableRules()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Choose(w.SelKeyVelocityCurve, 3);
    QVERIFY(w.EditKeyConstVelocity->isEnabled());
    Type(w, w.EditKeyConstVelocity, QStringLiteral("77"));
    Choose(w.SelKeyVelocityCurve, 2);
    QVERIFY(!w.EditKeyConstVelocity->isEnabled());
    QCOMPARE(Scene(f).KeyConstVelocity, 77);

    Select(w, 11); // Slider-3
    Choose(w.SelKonbEnable, 0);
    for (QWidget* box : {w.EditKonbCCNumber, w.EditKonbURValue, w.EditKonbLLValue})
        QVERIFY(!box->isEnabled());
    QCOMPARE(w.EditKonbCCNumber->text(), QStringLiteral("1")); // still shown

    Select(w, 13); // a Note pad: no ON and OFF values
    QVERIFY(!w.EditPadONValue->isEnabled() && !w.EditPadOFFValue->isEnabled());
    QVERIFY(w.EditPadCCNumber->isEnabled() && w.SelPadBehavior->isEnabled() && w.RxSpinButton1->isEnabled());
    Choose(w.SelPadAssignType, 0);
    QCOMPARE(Scene(f).PadAssignType[0], 0);
    QCOMPARE(Scene(f).PadCCNumber[0], 36);
    for (QWidget* e : std::initializer_list<QWidget*>{w.EditPadCCNumber, w.RxSpinButton1, w.EditPadONValue,
                                                      w.EditPadOFFValue, w.SelPadBehavior, w.SelPadMIDICh})
        QVERIFY(!e->isEnabled());
    QVERIFY(w.SelPadAssignType->isEnabled());

    Select(w, 21);
    Choose(w.SelKeyAssignType, 0);
    for (QWidget* e : std::initializer_list<QWidget*>{w.EditKeyCCNumber, w.EditKeyONValue, w.EditKeyOFFValue,
                                                      w.SelKeyBehavior})
        QVERIFY(!e->isEnabled());
}

void EditingTest::spinReadingRules()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Select(w, 5);
    // Typed out of range: stored as typed while the box has the focus, then the bound.
    w.EditKonbCCNumber->setFocus();
    QTest::keyClick(w.EditKonbCCNumber, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w.EditKonbCCNumber, QStringLiteral("300"));
    QCOMPARE(Scene(f).KonbCCNumber[0], 300);
    QCOMPARE(w.Labels[4]->caption(), QStringLiteral("CC#\r300"));
    w.ControlList->setFocus();
    QCOMPARE(Scene(f).KonbCCNumber[0], 127);
    // Letters are refused; a lone sign reads as the lower bound.
    Type(w, w.EditKonbURValue, QStringLiteral("1x2"));
    QCOMPARE(Scene(f).KonbURValue[0], 12);
    Type(w, w.EditKonbURValue, QStringLiteral("-"));
    QCOMPARE(Scene(f).KonbURValue[0], 0);
    // A name of 14 letters is stored as 12; typed letters become capitals.
    Select(w, 0);
    Type(w, w.EditSceneName, QStringLiteral("abcdefghijklmn"));
    QCOMPARE(Scene(f).SceneNameLength, 12);
    QCOMPARE(SceneNameText(Scene(f)), std::string("ABCDEFGHIJKL"));
    QCOMPARE(w.SceneButtons[0]->text(), QStringLiteral("ABCDEFGHIJKL"));
    // The arrow keys step a spin box, clamped.
    Type(w, w.EditBendSpeed, QStringLiteral("4"));
    w.EditBendSpeed->setFocus();
    QTest::keyClick(w.EditBendSpeed, Qt::Key_Up);
    QCOMPARE(w.EditBendSpeed->text(), QStringLiteral("4"));
    QTest::keyClick(w.EditBendSpeed, Qt::Key_Down);
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
    f.state().Modified = false;
    if (useKey) {
        w.EditPadCCNumber->setFocus();
        QTest::keyClick(w.EditPadCCNumber, up ? Qt::Key_Up : Qt::Key_Down);
    } else {
        QTest::mouseClick(w.RxSpinButton1, Qt::LeftButton, {}, up ? QPoint(4, 4) : QPoint(17, 19));
        QVERIFY(w.EditPadCCNumber->hasFocus());
    }
    QCOMPARE(w.EditPadCCNumber->text(), shown);
    QCOMPARE(Scene(f).PadCCNumber[4], stored);
    QCOMPARE(f.state().Modified, modified);
}

void EditingTest::padNumberTypingAndSwitching()
{
    WindowFixture f;
    TFormMain& w = f.window();
    QApplication::setActiveWindow(&w);
    Scene(f).PadAssignType[0] = 1;
    Select(w, 13);
    Type(w, w.EditPadCCNumber, QStringLiteral("$7f"));
    QCOMPARE(w.EditPadCCNumber->text(), QStringLiteral("$7F"));
    QCOMPARE(Scene(f).PadCCNumber[0], 127);
    Type(w, w.EditPadCCNumber, QStringLiteral("125"));
    Choose(w.SelPadAssignType, 2);
    QCOMPARE(w.EditPadCCNumber->text(), QStringLiteral("C9")); // position 120
    QCOMPARE(Scene(f).PadCCNumber[0], 120);
    Choose(w.SelPadAssignType, 1);
    QCOMPARE(w.EditPadCCNumber->text(), QStringLiteral("120"));
    Choose(w.SelPadAssignType, 2);
    Type(w, w.EditPadCCNumber, QStringLiteral("d#3")); // typed in lower case
    QCOMPARE(Scene(f).PadCCNumber[0], 51);
    Type(w, w.EditPadCCNumber, QStringLiteral("zz"));
    QCOMPARE(Scene(f).PadCCNumber[0], 0);
    QTest::mouseClick(w.RxSpinButton1, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(w.EditPadCCNumber->text(), QStringLiteral("C-1"));

    // A negative number typed as Control Change, then switched to Note: shown as the
    // number, and stored unchanged.
    Choose(w.SelPadAssignType, 1);
    Type(w, w.EditPadCCNumber, QStringLiteral("-5"));
    Choose(w.SelPadAssignType, 2);
    QCOMPARE(w.EditPadCCNumber->text(), QStringLiteral("-5"));
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
    Type(w, w.EditKonbCCNumber, QStringLiteral("5"));
    QTest::mouseClick(w.SceneButtons[2], Qt::LeftButton);
    Select(w, 8); // Knob-4 of scene 3
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Scene(f, 3).KonbCCNumber[3], atCopy.KonbCCNumber[1]);
    QCOMPARE(w.EditKonbCCNumber->text(), QString::number(atCopy.KonbCCNumber[1]));
    QCOMPARE(Scene(f, 3).KonbCCNumber[2], atCopy.KonbCCNumber[2]);

    // A paste onto another kind does nothing.
    Select(w, 10);
    const TSceneRecord before = Scene(f, 3);
    w.Peast1->trigger();
    QCOMPARE(std::memcmp(&before, &Scene(f, 3), sizeof before), 0);

    // A copy from "Common" ends pasting controls, even in a text box.
    Select(w, 0);
    w.EditSceneName->setFocus();
    QTest::keyClick(w.EditSceneName, Qt::Key_C, Qt::ControlModifier); // the menu's Copy
    QCOMPARE(f.state().Clipboard.ClipboardKind, 0);
    Select(w, 8);
    const TSceneRecord again = Scene(f, 3);
    w.Peast1->trigger();
    QCOMPARE(std::memcmp(&again, &Scene(f, 3), sizeof again), 0);
}

QTEST_MAIN(EditingTest)
#include "EditingTest.moc"
