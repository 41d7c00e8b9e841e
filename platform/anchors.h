#pragma once

#include <QRect>
#include <QSize>
#include <QString>

namespace platform {

// Which edges of the client area a component keeps its distance to when the
// client size changes, written as in the form ("akLeft,akTop,akRight").
Qt::Edges parseAnchors(const QString &text);

// The component's place for a new client size. A component anchored to both
// opposite edges stretches, unless it keeps its own size (a picture sized to
// its contents); one anchored to the far edge alone moves with it.
QRect anchoredRect(const QRect &design, const QSize &designClient, const QSize &client,
                   Qt::Edges anchors, bool fixedSize);

} // namespace platform
