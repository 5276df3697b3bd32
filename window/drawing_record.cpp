#include "window/drawing_record.h"

namespace aurisplot {

DrawingRecord::DrawingRecord(int drawMode, int drawWidth, std::size_t capacity)
    : capacity_(capacity), startDrawMode_(drawMode), startDrawWidth_(drawWidth) {
    operations_.reserve(capacity_);  // the only allocation the record makes
}

void DrawingRecord::clear(int drawMode, int drawWidth) {
    operations_.clear();  // keeps its memory
    startDrawMode_ = drawMode;
    startDrawWidth_ = drawWidth;
    complete_ = true;
    lastDrawn_ = false;
}

// Within the capacity reserved when the record was made, keeping never allocates.
void DrawingRecord::keep(const DrawingOperation& operation) noexcept {
    last_ = operation;
    lastDrawn_ = false;
    if (operations_.size() < capacity_) {
        operations_.push_back(operation);
    } else {
        complete_ = false;
    }
}

}  // namespace aurisplot
