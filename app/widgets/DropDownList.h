#pragma once
// A list-only drop-down whose change handler runs only for a user's choice (mouse,
// keyboard or wheel), never when its position is set from code. Its position can
// be "no item" (-1) for a value outside the list.

#include <QComboBox>

namespace korvo {

class DropDownList : public QComboBox {
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent = nullptr);

    // Selects the item at position, or no item when position is outside the list.
    void setItemIndex(int position);
    int itemIndex() const { return currentIndex(); }

signals:
    void changedByUser(int index);
};

} // namespace korvo
