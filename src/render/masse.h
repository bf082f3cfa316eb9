#pragma once

#include <algorithm>
#include <cmath>

namespace zephan {

// Lengths in 0.1 mm are ints. Whatever a document asks for is held within about 27 km, so a
// sum of a few lengths never overflows and every double converts without harm.
inline constexpr int massGrenze = 1 << 28;

// A length from a double: truncated like a cast, NaN as 0, held within the bounds.
inline int mass(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -double(massGrenze), double(massGrenze)));
}

// A length rounded half away from zero, as std::lround does, held within the bounds.
inline int massRund(double v) {
    return mass(std::round(v));
}

// A sum of lengths held within the bounds.
inline int massSumme(long long a, long long b) {
    return static_cast<int>(std::clamp<long long>(a + b, -massGrenze, massGrenze));
}

} // namespace zephan
