#include "anchors.h"

#include <QStringList>

namespace platform {

Qt::Edges parseAnchors(const QString &text)
{
    Qt::Edges edges;
    for (const QString &name : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString trimmed = name.trimmed();
        if (trimmed == QLatin1String("akLeft"))
            edges |= Qt::LeftEdge;
        else if (trimmed == QLatin1String("akTop"))
            edges |= Qt::TopEdge;
        else if (trimmed == QLatin1String("akRight"))
            edges |= Qt::RightEdge;
        else if (trimmed == QLatin1String("akBottom"))
            edges |= Qt::BottomEdge;
    }
    return edges;
}

namespace {

// One axis: where the component starts and how long it is.
struct Span {
    int start;
    int length;
};

Span anchoredSpan(Span design, int growth, bool nearEdge, bool farEdge, bool fixedSize)
{
    if (farEdge && !nearEdge)
        return {design.start + growth, design.length};
    if (farEdge && nearEdge && !fixedSize)
        return {design.start, design.length + growth};
    return design;
}

} // namespace

QRect anchoredRect(const QRect &design, const QSize &designClient, const QSize &client,
                   Qt::Edges anchors, bool fixedSize)
{
    const Span x = anchoredSpan({design.x(), design.width()}, client.width() - designClient.width(),
                                anchors & Qt::LeftEdge, anchors & Qt::RightEdge, fixedSize);
    const Span y = anchoredSpan({design.y(), design.height()}, client.height() - designClient.height(),
                                anchors & Qt::TopEdge, anchors & Qt::BottomEdge, fixedSize);
    return QRect(x.start, y.start, x.length, y.length);
}

} // namespace platform
