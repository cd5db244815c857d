// The small widgets whose exact behaviour the editing handlers rely on.
#include "app/widgets/ControlListBox.h"
#include "app/widgets/DropDownList.h"
#include "app/widgets/Edit.h"
#include "app/widgets/InstantProgressBar.h"
#include "app/widgets/SpinEdit.h"
#include "app/widgets/StepButton.h"
#include "UserActions.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace korvo;

class WidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void editChangesOnlyWhenTextDiffers();
    void editCapitalisesTypedLettersOnly_data();
    void editCapitalisesTypedLettersOnly();
    void dropDownRunsOnlyForTheUser();
    void spinEditTypingAndFocusLeave();
    void spinEditCodeAndReading_data();
    void spinEditCodeAndReading();
    void spinEditStepsClampToTheRange();
    void stepButtonHalvesAndRepeat();
    void controlListRunsOncePerUserAction();
    void controlListSelectsWithTheLeftButtonOnly_data();
    void controlListSelectsWithTheLeftButtonOnly();
};

void WidgetsTest::editChangesOnlyWhenTextDiffers()
{
    Edit e;
    e.setText(QStringLiteral("A"));
    QSignalSpy changed(&e, &QLineEdit::textChanged);
    e.setText(QStringLiteral("A"));
    QCOMPARE(changed.size(), 0);
    e.setText(QStringLiteral("B"));
    QCOMPARE(changed.size(), 1);
}

void WidgetsTest::editCapitalisesTypedLettersOnly_data()
{
    QTest::addColumn<QString>("before"); // set from code
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("letters and signs") << "" << 0 << "c#4" << "C#4";
    QTest::newRow("Latin-1 letters") << "" << 0 << QString::fromUtf8("éàñ") << QString::fromUtf8("ÉÀÑ");
    // Their capitals are "SS", U+0178 and U+039C: none is one Latin-1 character.
    QTest::newRow("sharp s") << "" << 0 << QString::fromUtf8("straße") << QString::fromUtf8("STRAßE");
    QTest::newRow("y diaeresis") << "" << 0 << QString::fromUtf8("ÿ") << QString::fromUtf8("ÿ");
    QTest::newRow("micro sign") << "" << 0 << QString::fromUtf8("µx") << QString::fromUtf8("µX");
    QTest::newRow("text from code stays") << "mixed Case" << 2 << "x" << "miXxed Case";
    QTest::newRow("the same letter before the caret") << "a" << 1 << "a" << "aA";
    QTest::newRow("the same letter after the caret") << "a" << 0 << "a" << "Aa";
}

// Each typed character on its own; the caret stays after what was typed.
void WidgetsTest::editCapitalisesTypedLettersOnly()
{
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    Edit e;
    e.setUpperCase(true);
    e.setText(before);
    QCOMPARE(e.text(), before); // shown as given
    e.show();
    e.setFocus();
    e.setCursorPosition(caret);
    test::TypeText(&e, typed);
    QCOMPARE(e.text(), after);
    QCOMPARE(e.cursorPosition(), caret + typed.size());
}

void WidgetsTest::dropDownRunsOnlyForTheUser()
{
    DropDownList d;
    d.addItems({QStringLiteral("Disable"), QStringLiteral("Enable")});
    QSignalSpy user(&d, &DropDownList::changedByUser);
    d.setItemIndex(1);
    d.setItemIndex(5);
    QCOMPARE(d.itemIndex(), -1);
    d.setItemIndex(-3);
    QCOMPARE(d.itemIndex(), -1);
    QCOMPARE(user.size(), 0);
    d.show();
    d.setFocus();
    QTest::keyClick(&d, Qt::Key_Down);
    QCOMPARE(user.size(), 1);
    QCOMPARE(user.front().front().toInt(), 0);
}

void WidgetsTest::spinEditTypingAndFocusLeave()
{
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    auto* spin = new SpinEdit;
    auto* other = new QLineEdit;
    layout->addWidget(spin);
    layout->addWidget(other);
    spin->setRange(0, 127);
    host.show();
    QApplication::setActiveWindow(&host);
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("2a0x0"));
    QCOMPARE(spin->text(), QStringLiteral("200")); // letters refused, the number kept
    QCOMPARE(spin->value(), 200);
    other->setFocus();
    QCOMPARE(spin->text(), QStringLiteral("127")); // the nearer bound on leaving

    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("-"));
    other->setFocus();
    QCOMPARE(spin->text(), QStringLiteral("-")); // not a number: left as typed
    QCOMPARE(spin->value(), 0);
}

void WidgetsTest::spinEditCodeAndReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << "42" << 42;
    QTest::newRow("negative") << "-5" << -5;
    QTest::newRow("out of range kept") << "300" << 300;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("empty gives lower bound") << "" << -12;
    QTest::newRow("sign only gives lower bound") << "-" << -12;
}

void WidgetsTest::spinEditCodeAndReading()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    SpinEdit spin;
    spin.setRange(-12, 12);
    spin.setText(text);
    QCOMPARE(spin.text(), text);
    QCOMPARE(spin.value(), value);
}

void WidgetsTest::spinEditStepsClampToTheRange()
{
    SpinEdit spin;
    spin.setRange(1, 4);
    QSignalSpy changed(&spin, &QLineEdit::textChanged);
    spin.setValue(9);
    QCOMPARE(spin.text(), QStringLiteral("4"));
    QCOMPARE(changed.size(), 1);
    spin.show();
    spin.setFocus();
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.text(), QStringLiteral("4"));
    QTest::keyClick(&spin, Qt::Key_Down);
    QCOMPARE(spin.text(), QStringLiteral("3"));
    spin.setText(QStringLiteral("10"));
    QTest::keyClick(&spin, Qt::Key_Down);
    QCOMPARE(spin.text(), QStringLiteral("4"));
    spin.setText(QStringLiteral("x"));
    QTest::keyClick(&spin, Qt::Key_Up); // from the lower bound
    QCOMPARE(spin.text(), QStringLiteral("2"));
}

void WidgetsTest::stepButtonHalvesAndRepeat()
{
    QWidget host;
    auto* field = new QLineEdit(&host);
    auto* button = new StepButton(&host);
    button->setGeometry(100, 0, 21, 23);
    button->setFocusControl(field);
    host.show();
    QApplication::setActiveWindow(&host);
    QVERIFY(button->isTopHalf(QPointF(2, 2)));
    QVERIFY(!button->isTopHalf(QPointF(19, 21)));
    QVERIFY(button->isTopHalf(QPointF(10, 11)));
    QVERIFY(!button->isTopHalf(QPointF(11, 13)));

    QSignalSpy up(button, &StepButton::topClick);
    QSignalSpy down(button, &StepButton::bottomClick);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(18, 20));
    QCOMPARE(down.size(), 1);
    QCOMPARE(up.size(), 0);
    QVERIFY(field->hasFocus());

    // Held: one click at once, the next after 400 ms, then every 100 ms.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(up.size(), 1);
    QTest::qWait(350);
    QCOMPARE(up.size(), 1);
    QTest::qWait(600);
    QVERIFY(up.size() >= 2 && up.size() <= 8); // 1 + 1 at 400 ms + up to 5 more by 950 ms
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
    const auto afterRelease = up.size();
    QTest::qWait(250);
    QCOMPARE(up.size(), afterRelease);
}

void WidgetsTest::controlListRunsOncePerUserAction()
{
    ControlListBox list;
    list.addItems({QStringLiteral("Common"), QStringLiteral("Knob-1"), QStringLiteral("Knob-2")});
    QSignalSpy clicked(&list, &ControlListBox::clickedByUser);
    list.setItemIndex(1); // from code: nothing
    QCOMPARE(clicked.size(), 0);
    list.show();
    QApplication::setActiveWindow(&list);
    list.setFocus();
    const auto at = [&](int row) { return list.visualItemRect(list.item(row)).center(); };
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at(2)); // a new entry
    QCOMPARE(clicked.size(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at(2)); // the same entry again
    QCOMPARE(clicked.size(), 2);
    QTest::keyClick(&list, Qt::Key_Up); // the keyboard
    QCOMPARE(clicked.size(), 3);
    QCOMPARE(list.itemIndex(), 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at(1)); // where the keyboard left it
    QCOMPARE(clicked.size(), 4);
}

void WidgetsTest::controlListSelectsWithTheLeftButtonOnly_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("twice"); // a double click
    QTest::addColumn<int>("runs");
    QTest::newRow("left") << Qt::LeftButton << false << 2;
    QTest::newRow("right") << Qt::RightButton << false << 0;
    QTest::newRow("middle") << Qt::MiddleButton << false << 0;
    QTest::newRow("right, twice") << Qt::RightButton << true << 0;
}

void WidgetsTest::controlListSelectsWithTheLeftButtonOnly()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, twice);
    QFETCH(int, runs);
    ControlListBox list;
    list.addItems({QStringLiteral("Common"), QStringLiteral("Knob-1"), QStringLiteral("Knob-2")});
    list.setItemIndex(0);
    list.show();
    QApplication::setActiveWindow(&list);
    const QPoint at = list.visualItemRect(list.item(2)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1)).center());
    list.setItemIndex(0);
    QSignalSpy clicked(&list, &ControlListBox::clickedByUser);
    QTest::mouseClick(list.viewport(), button, {}, at);
    if (twice)
        QTest::mouseDClick(list.viewport(), button, {}, at);
    // The entry pressed last with the left button is no reason either.
    QTest::mouseClick(list.viewport(), button, {}, list.visualItemRect(list.item(1)).center());
    QCOMPARE(clicked.size(), runs);
    QCOMPARE(list.itemIndex(), runs ? 1 : 0);
}

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
