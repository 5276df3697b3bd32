#include "window/static_line.h"

#include <QPainter>
#include <algorithm>

#include "window/qt_colour.h"

namespace aurisplot {

StaticLine::StaticLine(const layout::LineShape& shape, QWidget* parent)
    : QWidget(parent), colour_(qColour(shape.colour)) {
    using layout::pixels;
    setObjectName(QString::fromUtf8(shape.name.data(), static_cast<qsizetype>(shape.name.size())));
    setAttribute(Qt::WA_TransparentForMouseEvents);

    QRect bounds;
    for (int k = 0; k < shape.copies; ++k) {
        const QPoint shift(pixels(k * shape.pitchX), pixels(k * shape.pitchY));
        const Segment segment{QPoint(pixels(shape.x1), pixels(shape.y1)) + shift,
                              QPoint(pixels(shape.x2), pixels(shape.y2)) + shift};
        bounds |= QRect(segment.from, segment.to).normalized();
        segments_.push_back(segment);
    }
    for (Segment& segment : segments_) {
        segment.from -= bounds.topLeft();
        segment.to -= bounds.topLeft();
    }
    setGeometry(bounds);
}

void StaticLine::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // A 1-pixel square-capped pen through pixel centres covers exactly the
    // pixels from one end point to the other, at any device pixel ratio.
    painter.setPen(QPen(colour_, 1, Qt::SolidLine, Qt::SquareCap));
    const QPointF centre(0.5, 0.5);
    for (const Segment& segment : segments_) {
        painter.drawLine(QPointF(segment.from) + centre, QPointF(segment.to) + centre);
    }
}

}  // namespace aurisplot
