// A decimal number held digit by digit, for conversions between decimal text
// and binary floating point that are exact, and so the same, on every build:
// they use integer arithmetic only, never the C library's or the platform's
// conversions, which differ from one platform to the next (or are missing).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// A non-negative number 0.d1 d2 ... dn × 10^point, with n up to kMaxDigits
// significant digits. Digits beyond that are dropped, and remembered only as
// "something non-zero was dropped", which is all that correct rounding needs:
// a halfway point between two doubles has at most 767 significant digits.
class ExactDecimal {
public:
    static constexpr int kMaxDigits = 800;

    // The number that a run of decimal digits holding at most one full stop
    // ("0123.4", ".5", "7.") stands for, times 10^exponent.
    static ExactDecimal FromDigits(std::string_view digitsWithPoint, std::int64_t exponent);

    // mantissa × 2^exponent, exactly.
    static ExactDecimal FromBinary(std::uint64_t mantissa, int exponent);

    // The nearest double (ties to even), or nothing when that is beyond the
    // double range: the number rounds to infinity. Tiny numbers round to
    // denormals or to 0 as IEEE 754 rounds them.
    std::optional<double> ToDouble() const;

    // Rounded to at most `digits` significant digits, ties to even.
    void RoundToSignificantDigits(int digits);

    bool IsZero() const { return count_ == 0; }
    // The significant digits, as characters, without trailing zeros.
    std::string_view Digits() const { return {digits_.data(), static_cast<std::size_t>(count_)}; }
    // The decimal point's place: the number is 0.Digits() × 10^Point().
    std::int64_t Point() const { return point_; }

private:
    void Append(char digit);
    void Trim();
    void ShiftLeft(int bits);   // × 2^bits, 1 to kMaxShift
    void ShiftRight(int bits);  // ÷ 2^bits, 1 to kMaxShift
    void Shift(int bits);       // × 2^bits, any count
    bool RoundsUpAt(int index) const;
    std::uint64_t RoundedInteger() const;

    static constexpr int kMaxShift = 60;  // 9 × 2^60 plus a carry still fits 64 bits

    std::array<char, kMaxDigits> digits_{};
    int count_ = 0;
    std::int64_t point_ = 0;
    bool dropped_ = false;  // a non-zero digit beyond the last one held
};

}  // namespace tarnwick
