#include "form_driver.h"

#include <cmath>
#include <ostream>
#include <span>

#include "window/emblem.h"

namespace aurisplot::testing {

void PrintTo(const PixelRect& rect, std::ostream* os) {
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.width << " x " << rect.height
        << ")";
}

Picture Picture::crop(PixelRect rect) const {
    Picture part(rect.width, rect.height);
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            part.set(x, y, at(rect.left + x, rect.top + y));
        }
    }
    return part;
}

std::vector<std::string> CoreDriver::comboItems() {
    std::vector<std::string> items;
    const int count = toolkit_.itemCount("Combo1");
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        items.push_back(toolkit_.item("Combo1", i));
    }
    return items;
}

Picture CoreDriver::surface() {
    return pictureOf(core_.canvas());
}

Picture pictureOf(const PlotCanvas& canvas) {
    Picture picture(canvas.width(), canvas.height());
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            picture.set(x, y, canvas.colourAt(x, y));
        }
    }
    return picture;
}

Picture blankSurface(double ratio) {
    // 439 x 319 pixels inside the border.
    Picture blank(static_cast<int>(std::lround(439 * ratio)),
                  static_cast<int>(std::lround(319 * ratio)));
    const GreyPicture emblem = makeEmblem(ratio);
    for (int y = 0; y < blank.height(); ++y) {
        for (int x = 0; x < blank.width(); ++x) {
            const bool onEmblem = x < emblem.width && y < emblem.height;
            const auto grey = onEmblem ? emblem.at(x, y) : std::uint8_t{255};
            blank.set(x, y, rgb(grey, grey, grey));
        }
    }
    return blank;
}

}  // namespace aurisplot::testing
