#pragma once
// The list of controls. Where QListWidget differs from what the editor needs: its
// click handler runs for a click on an entry (also the one already selected) and
// whenever the user moves the selection (keyboard, type-ahead, dragging), never
// when the selection is set from code; and only the left mouse button selects.

#include <QListWidget>

namespace korvo {

class ControlListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ControlListBox(QWidget* parent = nullptr);

    // The selected entry, or -1.
    int itemIndex() const { return currentRow(); }
    void setItemIndex(int row);

signals:
    void clickedByUser();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    bool settingFromCode_ = false;
    int reportedRow_ = -2; // the row a selection change already reported during this click
};

} // namespace korvo
