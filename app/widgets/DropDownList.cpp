#include "app/widgets/DropDownList.h"

namespace korvo {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    // activated() is emitted only for the user's choices.
    connect(this, &QComboBox::activated, this, &DropDownList::changedByUser);
}

void DropDownList::setItemIndex(int position)
{
    setCurrentIndex(position >= 0 && position < count() ? position : -1);
}

} // namespace korvo
