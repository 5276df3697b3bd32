// Fuzzes the plot canvas with the operations the window services accept, at
// any scale: random lines and boxes, far away ones too, pens up to the widest
// allowed, both draw modes, holds and scale changes. Runs under AddressSanitizer
// and UBSan, so a write outside the picture is a finding; a pen whose cost grows
// with the square of its width runs past the run's per-input time limit.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "window/plot_canvas.h"
#include "window/surface_geometry.h"

namespace aurisplot {
namespace {

class NoScreen final : public CanvasScreen {
  public:
    void showLater() noexcept override {}
    void showNow() noexcept override {}
};

void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property violated: %s\n", property);
        std::abort();
    }
}

// A coordinate in twips: mostly a whole pixel on or around the picture,
// sometimes anywhere in between, far away, or no number at all.
[[nodiscard]] float coordinate(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return data.ConsumeFloatingPointInRange<float>(-1.0e9F, 1.0e9F);
        case 1:
            return data.ConsumeFloatingPoint<float>();  // infinities and NaN too
        case 2:
            return data.ConsumeFloatingPointInRange<float>(-200.0F, 7000.0F);
        default:
            return static_cast<float>(data.ConsumeIntegralInRange(-100, 600) * 15);
    }
}

void act(PlotCanvas& canvas, FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange(0, 7)) {
        case 0:
            canvas.clear();
            break;
        case 1: {
            const int mode =
                data.ConsumeBool() ? kDrawModeCopyPen : data.ConsumeIntegralInRange(0, 16);
            require((canvas.setDrawMode(mode) == Outcome::Done) == surface::drawModeValid(mode),
                    "a draw mode is refused exactly when the surface has not got it");
            break;
        }
        case 2: {
            const int width =
                data.ConsumeBool() ? surface::kWidestPen : data.ConsumeIntegralInRange(-1, 40);
            require((canvas.setDrawWidth(width) == Outcome::Done) == surface::drawWidthValid(width),
                    "a draw width is refused exactly when it is out of range");
            break;
        }
        case 3:
            canvas.fit(data.ConsumeIntegralInRange(0, 700), data.ConsumeIntegralInRange(0, 500),
                       data.ConsumeBool() ? data.ConsumeFloatingPointInRange(0.0, 3.0)
                                          : data.ConsumeIntegralInRange(0, 3) * 0.5);
            break;
        case 4:
            data.ConsumeBool() ? canvas.hold() : canvas.release();
            canvas.showDrawing();
            break;
        case 5:
            canvas.fillBox(coordinate(data), coordinate(data), coordinate(data), coordinate(data),
                           data.ConsumeIntegral<Colour>());
            break;
        default:
            canvas.drawLine(coordinate(data), coordinate(data), coordinate(data), coordinate(data),
                            data.ConsumeIntegral<Colour>());
            break;
    }
}

}  // namespace
}  // namespace aurisplot

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace aurisplot;
    FuzzedDataProvider data(bytes, size);
    // One canvas of each byte order for every input, each put back as a new
    // one starts: it keeps only the emblems it has made, which would cost
    // most of each run to make again, and which change no pixel.
    static NoScreen screen;
    static PlotCanvas bgra(screen, ByteOrder::Bgra);
    static PlotCanvas rgba(screen, ByteOrder::Rgba);
    PlotCanvas& canvas = data.ConsumeBool() ? rgba : bgra;
    canvas.fit(439, 319, 1.0);
    canvas.release();
    canvas.setDrawMode(kDrawModeCopyPen);
    canvas.setDrawWidth(1);
    canvas.skipRepeats(data.ConsumeBool());
    canvas.clear();
    for (int step = 0; step < 64 && data.remaining_bytes() > 0; ++step) {
        act(canvas, data);
        require(canvas.pixels().size() == static_cast<std::size_t>(canvas.width()) *
                                              static_cast<std::size_t>(canvas.height()),
                "the picture holds width x height pixels");
    }
    return 0;
}
