#pragma once

// What the plot surface was asked to draw since it was last cleared, in chart
// units, whatever the toolkit. It serves twice:
// - An operation identical to the one just drawn, with nothing in between, is
//   not drawn again. Under copy pen and under mask pen drawing the same thing
//   twice gives the same pixels as drawing it once, and a sweep at a fine
//   step asks for the same floored segment thousands of times over.
// - When the scale changes, the surface draws the record again at the new
//   scale: the picture a fresh Graph at that scale would give.
//
// Its memory is taken once, when it is made: kCapacity operations of 28
// bytes, 1.75 MiB. Every chart the engine
// draws on the designed surface needs at most about 35,000: a grid line per
// chart unit at the closest, 6,585 + 4,785, and a curve whose floored point
// moves at most once per unit along either axis, two operations per move.
// Past the capacity the record stops keeping operations and says it is no
// longer complete; repeats are still skipped, and a scale change then
// stretches the picture drawn so far instead, until the next clear.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "engine/window_services.h"

namespace aurisplot {

struct DrawingOperation {
    enum class Kind : std::uint8_t { DrawMode, DrawWidth, Line, Box };

    Kind kind = Kind::Line;
    int setting = 0;  // the draw mode or the width
    Colour colour = 0;
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;

    [[nodiscard]] static DrawingOperation drawMode(int mode) {
        return {.kind = Kind::DrawMode, .setting = mode};
    }
    [[nodiscard]] static DrawingOperation drawWidth(int pixels) {
        return {.kind = Kind::DrawWidth, .setting = pixels};
    }
    [[nodiscard]] static DrawingOperation line(float x1, float y1, float x2, float y2,
                                               Colour colour) {
        return {.kind = Kind::Line, .colour = colour, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2};
    }
    [[nodiscard]] static DrawingOperation box(float x1, float y1, float x2, float y2,
                                              Colour colour) {
        return {.kind = Kind::Box, .colour = colour, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2};
    }

    friend bool operator==(const DrawingOperation&, const DrawingOperation&) = default;
};
static_assert(sizeof(DrawingOperation) <= 28, "the record's stated size");

class DrawingRecord {
  public:
    static constexpr std::size_t kCapacity = std::size_t{1} << 16U;

    // Empty, as after a clear with that draw mode and width in effect.
    DrawingRecord(int drawMode, int drawWidth, std::size_t capacity = kCapacity);

    // Forgets everything; drawing starts again with that mode and width.
    void clear(int drawMode, int drawWidth);

    // Records `operation` and has `draw` draw it, unless it repeats the
    // operation just drawn. `draw` returns false when it refuses: the
    // operation stays recorded, since another scale may take it, but what
    // comes next is not taken for a repeat of it. Returns whether it was
    // drawn, now or just before.
    template <typename Draw>
    [[nodiscard]] bool perform(const DrawingOperation& operation, Draw&& draw) noexcept {
        if (repeats(operation)) {
            return true;
        }
        keep(operation);
        lastDrawn_ = std::forward<Draw>(draw)(operation);
        return lastDrawn_;
    }

    // Whether `operation` repeats the last one drawn, which is then skipped.
    [[nodiscard]] bool repeats(const DrawingOperation& operation) const noexcept {
        return repeats(operation.kind, operation.x1, operation.y1, operation.x2, operation.y2,
                       operation.colour) &&
               operation.setting == last_.setting;
    }
    // The same for a line or a box, from its parts (their setting is always
    // none). The bits are compared: as cheap a test as a sweep's every pass
    // can afford. Where that differs from ==, for zeros of either sign, the
    // operation drawn again draws the same pixels.
    [[nodiscard]] bool repeats(DrawingOperation::Kind kind, float x1, float y1, float x2, float y2,
                               Colour colour) const noexcept {
        return skipRepeats_ && lastDrawn_ && last_.kind == kind &&
               ((bits(x1) ^ bits(last_.x1)) | (bits(y1) ^ bits(last_.y1)) |
                (bits(x2) ^ bits(last_.x2)) | (bits(y2) ^ bits(last_.y2)) |
                (colour ^ last_.colour)) == 0;
    }

    // Turned off, every operation is drawn, repeats too: the picture must be
    // the same either way.
    void skipRepeats(bool skip) { skipRepeats_ = skip; }

    // The draw mode and width in effect at the last clear, and every operation
    // since, in order. Complete unless the capacity ran out.
    [[nodiscard]] int startDrawMode() const { return startDrawMode_; }
    [[nodiscard]] int startDrawWidth() const { return startDrawWidth_; }
    [[nodiscard]] std::span<const DrawingOperation> operations() const { return operations_; }
    [[nodiscard]] bool complete() const { return complete_; }

    // Goes through the record as a surface draws it again: onMode(mode) and
    // onWidth(width) for those in effect at the last clear and for each later
    // change, onShape(operation) for each line and box. A shape that the
    // surface refuses at its present scale is simply not drawn, as a fresh
    // Graph at that scale would leave it out.
    template <typename Mode, typename Width, typename Shape>
    void replay(Mode&& onMode, Width&& onWidth, Shape&& onShape) const {
        onMode(startDrawMode_);
        onWidth(startDrawWidth_);
        for (const DrawingOperation& operation : operations_) {
            switch (operation.kind) {
                case DrawingOperation::Kind::DrawMode:
                    onMode(operation.setting);
                    break;
                case DrawingOperation::Kind::DrawWidth:
                    onWidth(operation.setting);
                    break;
                case DrawingOperation::Kind::Line:
                case DrawingOperation::Kind::Box:
                    onShape(operation);
                    break;
            }
        }
    }

  private:
    // This libc++ of the browser build has no std::bit_cast.
    [[nodiscard]] static std::uint32_t bits(float value) noexcept {
        std::uint32_t word = 0;
        std::memcpy(&word, &value, sizeof word);
        return word;
    }

    void keep(const DrawingOperation& operation) noexcept;

    std::vector<DrawingOperation> operations_;
    std::size_t capacity_;
    int startDrawMode_;
    int startDrawWidth_;
    bool complete_ = true;
    DrawingOperation last_;
    bool lastDrawn_ = false;
    bool skipRepeats_ = true;
};

}  // namespace aurisplot
