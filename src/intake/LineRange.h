#pragma once

namespace brisomel {

// Line numbers from `first` to `last`, both included, counted from 1 in the document's order.
struct LineRange {
    int first = 1;
    int last = 1;
    bool operator==(const LineRange&) const = default;
};

} // namespace brisomel
