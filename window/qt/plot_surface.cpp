#include "window/qt/plot_surface.h"

#include <QPaintEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "window/emblem.h"
#include "window/form_layout.h"
#include "window/qt/qt_colour.h"
#include "window/surface_geometry.h"

namespace aurisplot {

QImage qImage(const GreyPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const int grey = picture.at(x, y);
            line[x] = qRgb(grey, grey, grey);
        }
    }
    return image;
}

PlotSurface::PlotSurface(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PlotSurface::interiorSize() const {
    const int border = 2 * layout::kSurfaceBorderPixels;
    return {std::max(width() - border, 0), std::max(height() - border, 0)};
}

float PlotSurface::scaleWidth() const {
    return static_cast<float>(interiorSize().width() * layout::kTwipsPerPixel);
}

float PlotSurface::scaleHeight() const {
    return static_cast<float>(interiorSize().height() * layout::kTwipsPerPixel);
}

// The device pixel that holds the point (x, y) twips.
QPoint PlotSurface::devicePoint(float x, float y) const {
    const surface::DevicePoint point = surface::devicePoint(x, y, devicePixelRatio_);
    return {point.x, point.y};
}

void PlotSurface::setDrawMode(int mode) {
    drawMode_ = surface::checkedDrawMode(mode);
    if (painter_) {
        applyDrawMode(*painter_);
    }
}

void PlotSurface::setDrawWidth(int pixels) {
    drawWidth_ = surface::checkedDrawWidth(pixels);
}

void PlotSurface::applyDrawMode(QPainter& painter) const {
    // Mask pen is an exact bitwise AND on a QImage; copy pen with opaque colours
    // is plain source-over.
    painter.setCompositionMode(drawMode_ == kDrawModeMaskPen
                                   ? QPainter::RasterOp_SourceAndDestination
                                   : QPainter::CompositionMode_SourceOver);
}

template <typename Draw>
void PlotSurface::draw(Draw&& drawing) {
    if (painter_) {
        std::forward<Draw>(drawing)(*painter_);
        unshown_ = true;
        return;
    }
    QPainter painter(&picture_);
    applyDrawMode(painter);
    std::forward<Draw>(drawing)(painter);
    update();
}

void PlotSurface::drawLine(float x1, float y1, float x2, float y2, Colour colour) {
    ensurePicture();
    const QPoint from = devicePoint(x1, y1);
    const QPoint to = devicePoint(x2, y2);
    const int thickness = surface::penThickness(drawWidth_, devicePixelRatio_);
    draw([&](QPainter& painter) {
        // The pen covers the `thickness` device pixels right of and below each
        // point, both end points included, whichever way the line runs.
        // A sweep draws mostly in one colour: keep the pen while it fits.
        const QPen& pen = painter.pen();
        if (pen.color() != qColour(colour) || pen.width() != thickness ||
            pen.capStyle() != Qt::SquareCap) {
            painter.setPen(QPen(qColour(colour), thickness, Qt::SolidLine, Qt::SquareCap));
        }
        if (thickness == 1) {
            painter.drawLine(from, to);  // Qt's exact one-pixel path
        } else {
            const QPointF centre(thickness / 2.0, thickness / 2.0);
            painter.drawLine(QPointF(from) + centre, QPointF(to) + centre);
        }
    });
}

void PlotSurface::fillBox(float x1, float y1, float x2, float y2, Colour colour) {
    ensurePicture();
    const QPoint a = devicePoint(x1, y1);
    const QPoint b = devicePoint(x2, y2);
    const QRect box(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                    QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));  // corners included
    draw([&](QPainter& painter) { painter.fillRect(box, qColour(colour)); });
}

void PlotSurface::clear() {
    ensurePicture();
    draw([this](QPainter& painter) { paintBackground(painter); });
}

void PlotSurface::paintBackground(QPainter& painter) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(picture_.rect(), qColour(layout::kSurfaceBackground));
    painter.drawImage(QPoint(0, 0), emblem_);  // natural size, clipped by the interior
    applyDrawMode(painter);
}

void PlotSurface::ensurePicture() {
    if (!painter_) {  // a held picture stays as it is until released
        fitPictureToDevice();
    }
}

// (Re)creates the picture, blank, when the interior or the device pixel ratio
// has changed since it was made.
void PlotSurface::fitPictureToDevice() {
    const double ratio = devicePixelRatioF();
    const QSize interior = interiorSize();
    const QSize device(surface::deviceSize(interior.width(), ratio),
                       surface::deviceSize(interior.height(), ratio));
    if (ratio == devicePixelRatio_ && picture_.size() == device) {
        return;
    }
    if (ratio != devicePixelRatio_) {
        emblem_ = qImage(makeEmblem(ratio));
        devicePixelRatio_ = ratio;
    }
    picture_ = QImage(device, QImage::Format_RGB32);
    QPainter painter(&picture_);
    paintBackground(painter);
    update();
}

void PlotSurface::hold() {
    if (painter_) {
        return;
    }
    fitPictureToDevice();
    painter_.emplace(&picture_);
    painter_->setPen(qColour(layout::kSurfacePen));
    applyDrawMode(*painter_);
}

void PlotSurface::release() {
    painter_.reset();
    if (unshown_) {
        unshown_ = false;
        update();
    }
}

void PlotSurface::showDrawing() {
    if (unshown_) {
        unshown_ = false;
        repaint();
    }
}

void PlotSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ensurePicture();
}

void PlotSurface::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), qColour(layout::kSurfaceBorder));
    const int border = layout::kSurfaceBorderPixels;
    // The picture has one pixel per device pixel, so this copies without scaling.
    painter.drawImage(QRectF(QPointF(border, border), QSizeF(interiorSize())), picture_);
}

}  // namespace aurisplot
