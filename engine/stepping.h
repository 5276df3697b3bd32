#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

namespace aurisplot {

// The values start, start + step, start + 2·step, … grown by repeated
// addition in double precision, while value <= bound. Bound and step are taken
// once. The walk also ends where adding the step no longer changes the value,
// so a step too small for the bound's magnitude cannot loop forever. A range:
// `for (const double value : Steps{start, step, bound})`.
class Steps {
  public:
    Steps(double start, double step, double bound) : start_(start), step_(step), bound_(bound) {}

    class Iterator {
      public:
        using iterator_category = std::input_iterator_tag;
        using value_type = double;
        using difference_type = std::ptrdiff_t;
        using pointer = const double*;
        using reference = double;

        [[nodiscard]] double operator*() const { return value_; }
        Iterator& operator++() {
            const double next = value_ + walk_->step_;
            ended_ = !(next > value_) || !(next <= walk_->bound_);
            value_ = next;
            return *this;
        }
        Iterator operator++(int) {
            const Iterator was = *this;
            ++*this;
            return was;
        }
        [[nodiscard]] bool operator==(const Iterator& other) const {
            return ended_ == other.ended_ && (ended_ || value_ == other.value_);
        }

      private:
        friend class Steps;
        Iterator(const Steps* walk, double value, bool ended)
            : walk_(walk), value_(value), ended_(ended) {}

        const Steps* walk_;
        double value_;
        bool ended_;
    };

    [[nodiscard]] Iterator begin() const { return {this, start_, !(start_ <= bound_)}; }
    [[nodiscard]] Iterator end() const { return {this, bound_, true}; }

  private:
    double start_;
    double step_;
    double bound_;
};

// Runs pass(value) for each of the Steps, while pass returns true. Returns
// false when a pass stopped it.
template <typename Pass>
[[nodiscard]] bool forEachStep(double start, double step, double bound, Pass&& pass) {
    const Steps walk{start, step, bound};
    return std::all_of(walk.begin(), walk.end(), std::forward<Pass>(pass));
}

}  // namespace aurisplot
