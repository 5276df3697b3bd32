#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <optional>

#include "window/drawing_record.h"
#include "window/emblem.h"
#include "window/window_services.h"

namespace aurisplot {

// A grey picture as an image of Qt's.
[[nodiscard]] QImage qImage(const GreyPicture& picture);

// Picture1: the white plot surface with a thin fixed border. The drawing lives
// in an off-screen picture at device resolution; the screen shows a copy of it.
// Coordinates are twips of the interior, origin at its top-left corner. What
// was drawn since the last clear is recorded, and drawn again when the window
// moves to a screen of another device pixel ratio.
class PlotSurface final : public QWidget {
  public:
    explicit PlotSurface(QWidget* parent);

    // The drawing operations of the window services, in twips.
    void clear();
    [[nodiscard]] float scaleWidth() const;
    [[nodiscard]] float scaleHeight() const;
    void setDrawMode(int mode);
    void setDrawWidth(int pixels);
    void drawLine(float x1, float y1, float x2, float y2, Colour colour);
    void fillBox(float x1, float y1, float x2, float y2, Colour colour);

    // While held, one painter stays open on the picture and drawing reaches the
    // screen only through showDrawing(): a sweep draws thousands of segments and
    // must not pay for a repaint with each of them.
    void hold();
    void release();
    // Repaints now if anything was drawn since the screen last showed it.
    void showDrawing();

    // Turned off, every operation is drawn, repeats too: the picture is the
    // same either way, only slower to make.
    void skipRepeats(bool skip) { record_.skipRepeats(skip); }

    // The interior as drawn, one pixel per device pixel.
    [[nodiscard]] const QImage& picture() const { return picture_; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    [[nodiscard]] QSize interiorSize() const;
    [[nodiscard]] QPoint devicePoint(float x, float y) const;
    void ensurePicture();
    void fitPictureToDevice();
    void openPainter();
    void redraw(QPainter& painter);
    void paintBackground(QPainter& painter);
    void applyDrawMode(QPainter& painter) const;
    void draw(const DrawingOperation& operation);
    void paint(QPainter& painter, const DrawingOperation& operation) const;

    QImage picture_;
    QImage emblem_;
    double devicePixelRatio_ = 0;
    std::optional<QPainter> painter_;  // open while held
    bool unshown_ = false;             // drawn since the screen last showed the picture
    int drawMode_ = kDrawModeCopyPen;
    int drawWidth_ = 1;
    DrawingRecord record_{kDrawModeCopyPen, 1};
};

}  // namespace aurisplot
