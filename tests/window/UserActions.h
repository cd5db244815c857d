#pragma once
// What a user does with the window's widgets, for the window tests.
#include "WindowFixture.h"
#include "app/widgets/ControlListBox.h"
#include "app/widgets/DropDownList.h"

#include <QLineEdit>
#include <QTest>

namespace korvo::test {

// Clicks entry `entry` of the control list.
inline void Select(TFormMain& w, int entry)
{
    auto* list = Find<ControlListBox>(w, "ControlList");
    list->setFocus();
    list->setItemIndex(entry);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(entry)).center());
}

// Chooses an item as a user does: Home, then Down.
inline void Choose(DropDownList* list, int item)
{
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < item; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// Types text as a keyboard sends it: one key press with the character's text each
// (QTest::keyClicks knows only some keys beyond ASCII).
inline void TypeText(QWidget* w, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Replaces a box's text by typing, then leaves the box.
inline void Type(TFormMain& w, QLineEdit* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        TypeText(box, text);
    Find<ControlListBox>(w, "ControlList")->setFocus();
}

} // namespace korvo::test
