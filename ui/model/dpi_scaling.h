#pragma once

// The one rule by which every pixel quantity of the program follows the DPI of the window
// it belongs to: a size meant for 96 DPI, times dpi / 96, rounded to the nearest pixel
// (halves away from zero, as MulDiv rounds). At 96 DPI every value stays what it was.

#include <cstdint>
#include <initializer_list>

namespace vantrel {

inline constexpr int kDefaultDpi = 96;

// value * numerator / denominator, rounded like MulDiv; 0 for a zero denominator.
constexpr int MulDivRounded(int value, int numerator, int denominator) {
    if (denominator == 0) {
        return 0;
    }
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const int64_t magnitude = (product < 0 ? -product : product) + half;
    const int64_t quotient = magnitude / (denominator < 0 ? -denominator : denominator);
    return static_cast<int>(negative ? -quotient : quotient);
}

// A size meant for 96 DPI at `dpi`; a DPI of 0 or less counts as 96.
constexpr int ScaleForDpi(int value, int dpi) {
    return dpi <= 0 ? value : MulDivRounded(value, dpi, kDefaultDpi);
}

// A size that was made for `from_dpi`, for `to_dpi` (a column width the user may have
// changed, when the window moves to a monitor with another DPI).
constexpr int RescaleForDpi(int value, int from_dpi, int to_dpi) {
    return from_dpi <= 0 || to_dpi <= 0 ? value : MulDivRounded(value, to_dpi, from_dpi);
}

// Of the icon sizes the system offers, the one nearest to `wanted` (ties: the larger, so
// that icons never look small beside their text); `wanted` itself when none is offered.
inline int NearestIconSize(int wanted, std::initializer_list<int> offered) {
    int best = 0;
    for (int size : offered) {
        if (size <= 0) {
            continue;
        }
        const int distance = size > wanted ? size - wanted : wanted - size;
        const int best_distance = best > wanted ? best - wanted : wanted - best;
        if (best == 0 || distance < best_distance || (distance == best_distance && size > best)) {
            best = size;
        }
    }
    return best == 0 ? wanted : best;
}

}  // namespace vantrel
