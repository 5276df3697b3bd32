#include "picture.h"

#include <cmath>

#include "window/emblem.h"
#include "window/form_layout.h"

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
    Picture blank(static_cast<int>(std::lround(layout::kPictureInterior.width * ratio)),
                  static_cast<int>(std::lround(layout::kPictureInterior.height * ratio)));
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

std::uint64_t digestOf(const Picture& picture) {
    std::uint64_t digest = 14695981039346656037ULL;
    const auto mix = [&](std::uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8) {
            digest = (digest ^ ((word >> shift) & 0xFFU)) * 1099511628211ULL;
        }
    };
    mix(static_cast<std::uint32_t>(picture.width()));
    mix(static_cast<std::uint32_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            mix(picture.at(x, y));
        }
    }
    return digest;
}

}  // namespace aurisplot::testing
