#include "window/qt/static_line.h"

#include <QPainter>

#include "window/qt/qt_colour.h"

namespace aurisplot {

StaticLine::StaticLine(const layout::LineShape& shape, QWidget* parent)
    : QWidget(parent), colour_(qColour(shape.colour)) {
    setObjectName(QString::fromUtf8(shape.name.data(), static_cast<qsizetype>(shape.name.size())));
    setAttribute(Qt::WA_TransparentForMouseEvents);

    // The lines are horizontal or vertical, so each one is the rectangle of the
    // pixels from one end point to the other, which fills exactly at any
    // device pixel ratio.
    QRect bounds;
    layout::forEachSegmentRect(shape, 96, 1, [&](const layout::DeviceRect& pixels) {
        const QRect segment(QPoint(pixels.left, pixels.top),
                            QPoint(pixels.right - 1, pixels.bottom - 1));
        bounds |= segment;
        segments_.push_back(segment);
    });
    for (QRect& segment : segments_) {
        segment.translate(-bounds.topLeft());
    }
    setGeometry(bounds);
}

void StaticLine::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    for (const QRect& segment : segments_) {
        painter.fillRect(segment, colour_);
    }
}

}  // namespace aurisplot
