#include "app/widgets/ControlListBox.h"

#include <QKeyEvent>

namespace korvo {

ControlListBox::ControlListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this] { emit clickedByUser(); });
}

void ControlListBox::setItemIndex(int row)
{
    setCurrentRow(row);
}

void ControlListBox::keyPressEvent(QKeyEvent* e)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(e);
    if (currentRow() != before)
        emit clickedByUser();
}

} // namespace korvo
