#pragma once
// The list of controls. Its click handler runs for a click on an entry and when the
// user moves the selection with the keyboard, never when the selection is set from
// code.

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
    void keyPressEvent(QKeyEvent* e) override;
};

} // namespace korvo
