#pragma once

#include <QRect>
#include <QWidget>
#include <vector>

#include "window/form_layout.h"

namespace aurisplot {

// A line shape of the window's static decoration (Line1 to Line6): one segment
// or a ruler of ticks, 1 pixel wide, placed once and never moved. It covers the
// bounding box of its segments and is transparent elsewhere.
class StaticLine final : public QWidget {
  public:
    StaticLine(const layout::LineShape& shape, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor colour_;
    std::vector<QRect> segments_;  // pixels, relative to this widget
};

}  // namespace aurisplot
