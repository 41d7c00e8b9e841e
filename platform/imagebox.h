#pragma once

#include <QLabel>

namespace platform {

// A picture on a form that reports presses of any mouse button at once, and
// clicks (left button pressed and released over it) separately.
class ImageBox : public QLabel
{
    Q_OBJECT
public:
    explicit ImageBox(QWidget *parent = nullptr);

signals:
    void mouseDown(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace platform

using platform::ImageBox;
