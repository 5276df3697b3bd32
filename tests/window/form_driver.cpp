#include "form_driver.h"

#include <ostream>

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

}  // namespace aurisplot::testing
