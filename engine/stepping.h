#pragma once

namespace aurisplot {

// Runs pass(value) for value = start, start + step, start + 2·step, … grown by
// repeated addition in double precision, while value <= bound, and while pass
// returns true. Bound and step are taken once. The walk also ends where adding
// the step no longer changes the value, so a step too small for the bound's
// magnitude cannot loop forever. Returns false when a pass stopped it.
template <typename Pass>
[[nodiscard]] bool forEachStep(double start, double step, double bound, Pass&& pass) {
    for (double value = start; value <= bound;) {
        if (!pass(value)) {
            return false;
        }
        const double next = value + step;
        if (!(next > value)) {
            return true;
        }
        value = next;
    }
    return true;
}

}  // namespace aurisplot
