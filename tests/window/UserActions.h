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

// Replaces a box's text by typing, then leaves the box.
inline void Type(TFormMain& w, QLineEdit* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
    Find<ControlListBox>(w, "ControlList")->setFocus();
}

} // namespace korvo::test
