#pragma once
// A text label laid over the controller picture: centred, word-wrapping, breaking
// its line at a carriage return, transparent unless made opaque, and clickable
// (QLabel has no click) with the left button; a click gives it the keyboard focus.

#include <QLabel>

namespace korvo {

class OverlayLabel : public QLabel {
    Q_OBJECT
public:
    explicit OverlayLabel(QWidget* parent = nullptr);

    // The caption as given, carriage returns included.
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    void setOpaque(bool opaque);
    bool isOpaque() const { return autoFillBackground(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QString caption_;
    bool pressed_ = false;
};

} // namespace korvo
