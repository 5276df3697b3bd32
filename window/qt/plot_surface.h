#pragma once

#include <QImage>
#include <QWidget>

#include "window/plot_canvas.h"

namespace aurisplot {

// Picture1 on Qt: the plot canvas's picture shown inside a thin fixed border.
// It only shows the picture; the canvas draws it, at the device pixel ratio of
// the screen the window is on.
class PlotSurface final : public QWidget, private CanvasScreen {
  public:
    explicit PlotSurface(QWidget* parent);

    [[nodiscard]] PlotCanvas& canvas() { return canvas_; }
    [[nodiscard]] const PlotCanvas& canvas() const { return canvas_; }
    // The canvas's pixels as an image of Qt's, without a copy.
    [[nodiscard]] QImage picture() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void showLater() noexcept override { update(); }
    void showNow() noexcept override { repaint(); }

    PlotCanvas canvas_{*this};
};

}  // namespace aurisplot
