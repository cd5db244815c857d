#include "app/widgets/ControlListBox.h"

#include <QMouseEvent>

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

// The other buttons only take the focus (which the application gives on a press).
void ControlListBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return e->accept();
    reportedRow_ = -2;
    QListWidget::mousePressEvent(e);
}

void ControlListBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return e->accept();
    QListWidget::mouseReleaseEvent(e);
}

void ControlListBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return e->accept();
    QListWidget::mouseDoubleClickEvent(e);
}

void ControlListBox::mouseMoveEvent(QMouseEvent* e)
{
    if (!(e->buttons() & Qt::LeftButton) && e->buttons() != Qt::NoButton)
        return e->accept();
    QListWidget::mouseMoveEvent(e);
}

} // namespace korvo
