#include "window/qt/plot_surface.h"

#include <QPaintEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "window/emblem.h"
#include "window/form_layout.h"
#include "window/qt/qt_colour.h"
#include "window/qt/vector_state.h"
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
    const int checked = surface::checkedDrawMode(mode);
    record_.perform(DrawingOperation::drawMode(checked), [this](const DrawingOperation& setting) {
        drawMode_ = setting.setting;
        if (painter_) {
            applyDrawMode(*painter_);
        }
    });
}

void PlotSurface::setDrawWidth(int pixels) {
    const int checked = surface::checkedDrawWidth(pixels);
    record_.perform(DrawingOperation::drawWidth(checked),
                    [this](const DrawingOperation& setting) { drawWidth_ = setting.setting; });
}

void PlotSurface::applyDrawMode(QPainter& painter) const {
    // Mask pen is an exact bitwise AND on a QImage; copy pen with opaque colours
    // is plain source-over.
    painter.setCompositionMode(drawMode_ == kDrawModeMaskPen
                                   ? QPainter::RasterOp_SourceAndDestination
                                   : QPainter::CompositionMode_SourceOver);
}

void PlotSurface::drawLine(float x1, float y1, float x2, float y2, Colour colour) {
    record_.perform(DrawingOperation::line(x1, y1, x2, y2, colour),
                    [this](const DrawingOperation& line) { draw(line); });
}

void PlotSurface::fillBox(float x1, float y1, float x2, float y2, Colour colour) {
    record_.perform(DrawingOperation::box(x1, y1, x2, y2, colour),
                    [this](const DrawingOperation& box) { draw(box); });
}

void PlotSurface::draw(const DrawingOperation& operation) {
    ensurePicture();
    if (painter_) {
        paint(*painter_, operation);
        clearUpperVectorState();
        unshown_ = true;
        return;
    }
    QPainter painter(&picture_);
    applyDrawMode(painter);
    paint(painter, operation);
    clearUpperVectorState();
    update();
}

// A line or a box, with the draw mode the painter has and the surface's width.
void PlotSurface::paint(QPainter& painter, const DrawingOperation& operation) const {
    const QPoint a = devicePoint(operation.x1, operation.y1);
    const QPoint b = devicePoint(operation.x2, operation.y2);
    if (operation.kind == DrawingOperation::Kind::Box) {
        const QRect box(
            QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
            QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));  // corners included
        painter.fillRect(box, qColour(operation.colour));
        return;
    }
    // The pen covers the `thickness` device pixels right of and below each
    // point, both end points included, whichever way the line runs.
    // A sweep draws mostly in one colour: keep the pen while it fits.
    const int thickness = surface::penThickness(drawWidth_, devicePixelRatio_);
    const QColor colour = qColour(operation.colour);
    const QPen& pen = painter.pen();
    if (pen.color() != colour || pen.width() != thickness || pen.capStyle() != Qt::SquareCap) {
        painter.setPen(QPen(colour, thickness, Qt::SolidLine, Qt::SquareCap));
    }
    if (thickness == 1) {
        painter.drawLine(a, b);  // Qt's exact one-pixel path
    } else {
        const QPointF centre(thickness / 2.0, thickness / 2.0);
        painter.drawLine(QPointF(a) + centre, QPointF(b) + centre);
    }
}

void PlotSurface::clear() {
    ensurePicture();
    record_.clear(drawMode_, drawWidth_);
    if (painter_) {
        paintBackground(*painter_);
        unshown_ = true;
        return;
    }
    QPainter painter(&picture_);
    paintBackground(painter);
    update();
}

void PlotSurface::paintBackground(QPainter& painter) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(picture_.rect(), qColour(layout::kSurfaceBackground));
    painter.drawImage(QPoint(0, 0), emblem_);  // natural size, clipped by the interior
    applyDrawMode(painter);
}

// Everything since the last clear, at the picture's ratio: what a fresh
// Graph would draw there. What this ratio refuses is left out, as a fresh
// Graph would leave it out.
void PlotSurface::redraw(QPainter& painter) {
    paintBackground(painter);
    record_.replay(
        [&](int mode) {
            drawMode_ = mode;
            applyDrawMode(painter);
        },
        [this](int width) { drawWidth_ = width; },
        [&](const DrawingOperation& shape) { paint(painter, shape); });
}

void PlotSurface::ensurePicture() {
    if (!painter_) {  // while held, screen changes reach the picture as events
        fitPictureToDevice();
    }
}

// Makes the picture again when the interior or the device pixel ratio has
// changed since it was made: drawn again from the record, or, past the
// record's capacity, stretched from the old picture until the next clear.
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
    const bool held = painter_.has_value();
    painter_.reset();
    if (record_.complete() || picture_.isNull()) {
        picture_ = QImage(device, QImage::Format_RGB32);
        QPainter painter(&picture_);
        redraw(painter);
    } else {
        picture_ = picture_.scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    if (held) {
        openPainter();
    }
    update();
}

void PlotSurface::openPainter() {
    painter_.emplace(&picture_);
    painter_->setPen(qColour(layout::kSurfacePen));
    applyDrawMode(*painter_);
}

void PlotSurface::hold() {
    if (painter_) {
        return;
    }
    fitPictureToDevice();
    openPainter();
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

// Qt tells every widget when its window moves to another screen.
bool PlotSurface::event(QEvent* event) {
    if (event->type() == QEvent::ScreenChangeInternal) {
        fitPictureToDevice();
    }
    return QWidget::event(event);
}

void PlotSurface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitPictureToDevice();
}

void PlotSurface::paintEvent(QPaintEvent* /*event*/) {
    // Whatever changed the device pixel ratio, the picture is painted at it.
    fitPictureToDevice();
    QPainter painter(this);
    painter.fillRect(rect(), qColour(layout::kSurfaceBorder));
    const int border = layout::kSurfaceBorderPixels;
    // The picture has one pixel per device pixel, so this copies without scaling.
    painter.drawImage(QRectF(QPointF(border, border), QSizeF(interiorSize())), picture_);
}

}  // namespace aurisplot
