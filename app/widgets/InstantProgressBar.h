#pragma once
// A progress bar that repaints at once when its percentage changes, so it moves
// even while a transfer keeps the event loop from running.

#include <QWidget>

namespace korvo {

class InstantProgressBar : public QWidget {
    Q_OBJECT
public:
    explicit InstantProgressBar(QWidget* parent = nullptr);

    int percent() const { return percent_; }
    void setPercent(int percent);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int percent_ = 0;
};

} // namespace korvo
