// Exact comparison of floating-point results: the estimate is meant to be
// bit-exact, so tests compare bit patterns and print hex-floats on failure.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <type_traits>

#include "bit_cast.hpp"

namespace tarnwick::testing {

template <typename Real>
std::string Describe(Real value) {
    std::ostringstream text;
    text << std::hexfloat << value << " (" << std::defaultfloat;
    text.precision(17);
    text << value << ")";
    return text.str();
}

template <typename Real>
::testing::AssertionResult SameBits(Real actual, Real expected) {
    using Bits = std::conditional_t<sizeof(Real) == 4, std::uint32_t, std::uint64_t>;
    if (BitCast<Bits>(actual) == BitCast<Bits>(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Describe(actual) << " instead of " << Describe(expected);
}

}  // namespace tarnwick::testing
