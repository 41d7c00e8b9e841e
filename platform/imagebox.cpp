#include "imagebox.h"

#include <QMouseEvent>

namespace platform {

ImageBox::ImageBox(QWidget *parent)
    : QLabel(parent)
{
}

void ImageBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseDown(event->button());
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace platform
