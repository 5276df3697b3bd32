#include "window/qt/plot_surface.h"

#include <QPaintEvent>
#include <QPainter>

#include "window/form_layout.h"
#include "window/qt/qt_colour.h"
#include "window/surface_geometry.h"

namespace aurisplot {

PlotSurface::PlotSurface(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage PlotSurface::picture() const {
    // RGB32 holds 0xFFRRGGBB, as the canvas does.
    return {reinterpret_cast<const uchar*>(canvas_.pixels().data()), canvas_.width(),
            canvas_.height(), qsizetype{canvas_.width()} * 4, QImage::Format_RGB32};
}

// Only copies the picture, one device pixel to one, inside a border of the
// device pixels the canvas gives a pixel. At a fractional ratio the picture
// is the canvas's own size (659 device pixels across at 1.5), not squeezed
// into the 658.5 of the interior's logical size.
void PlotSurface::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), qColour(layout::kSurfaceBorder));
    const double ratio = canvas_.ratio();
    if (!(ratio > 0)) {
        return;
    }
    QImage shown = picture();
    shown.setDevicePixelRatio(ratio);
    const double border = surface::deviceSize(layout::kSurfaceBorderPixels, ratio) / ratio;
    painter.drawImage(QPointF(border, border), shown);
}

}  // namespace aurisplot
