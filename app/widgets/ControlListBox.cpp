#include "app/widgets/ControlListBox.h"

namespace korvo {

ControlListBox::ControlListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (settingFromCode_)
            return;
        reportedRow_ = row;
        emit clickedByUser();
    });
    // A click that did not move the selection runs the handler too, once.
    connect(this, &QListWidget::itemClicked, this, [this] {
        const bool reported = reportedRow_ == currentRow();
        reportedRow_ = -2;
        if (!reported)
            emit clickedByUser();
    });
}

void ControlListBox::setItemIndex(int row)
{
    settingFromCode_ = true;
    setCurrentRow(row);
    settingFromCode_ = false;
}

void ControlListBox::mousePressEvent(QMouseEvent* e)
{
    reportedRow_ = -2;
    QListWidget::mousePressEvent(e);
}

} // namespace korvo
