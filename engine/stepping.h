#pragma once

namespace aurisplot {

// Runs pass(value) for value = start, start + step, start + 2·step, … grown by
// repeated addition in double precision, while value <= bound. Bound and step
// are taken once. The walk also ends where adding the step no longer changes
// the value, so a step too small for the bound's magnitude cannot loop forever.
template <typename Pass>
void forEachStep(double start, double step, double bound, Pass&& pass) {
    for (double value = start; value <= bound;) {
        pass(value);
        const double next = value + step;
        if (!(next > value)) {
            return;
        }
        value = next;
    }
}

}  // namespace aurisplot
