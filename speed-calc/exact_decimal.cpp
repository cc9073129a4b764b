#include "exact_decimal.hpp"

#include <algorithm>

#include "bit_cast.hpp"

namespace tarnwick {
namespace {

int DigitValue(char digit) { return digit - '0'; }
char DigitChar(std::uint64_t value) { return static_cast<char>('0' + value); }

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Doubles: 52 stored fraction bits, exponents of normal numbers from -1022 to 1023.
constexpr int kFractionBits = 52;
constexpr int kMinExponent = -1022;
constexpr int kMaxExponent = 1023;

}  // namespace

ExactDecimal ExactDecimal::FromDigits(std::string_view digitsWithPoint, std::int64_t exponent) {
    ExactDecimal number;
    bool afterPoint = false;
    for (const char c : digitsWithPoint) {
        if (c == '.') {
            afterPoint = true;
        } else if (c == '0' && number.count_ == 0) {  // a leading zero
            if (afterPoint) --number.point_;
        } else {
            number.Append(c);
            if (!afterPoint) ++number.point_;
        }
    }
    number.Trim();
    if (!number.IsZero()) number.point_ += exponent;
    return number;
}

ExactDecimal ExactDecimal::FromBinary(std::uint64_t mantissa, int exponent) {
    ExactDecimal number;
    const std::string digits = std::to_string(mantissa);
    for (const char c : digits) number.Append(c);
    number.point_ = static_cast<std::int64_t>(digits.size());
    number.Trim();
    if (!number.IsZero()) number.Shift(exponent);
    return number;
}

void ExactDecimal::Append(char digit) {
    if (count_ < kMaxDigits) {
        digits_[static_cast<std::size_t>(count_++)] = digit;
    } else if (digit != '0') {
        dropped_ = true;
    }
}

void ExactDecimal::Trim() {
    while (count_ > 0 && digits_[static_cast<std::size_t>(count_ - 1)] == '0') --count_;
    if (count_ == 0) point_ = 0;
}

// Long multiplication, from the last digit up.
void ExactDecimal::ShiftLeft(int bits) {
    std::array<char, kMaxDigits + 20> product;  // 2^60 adds 19 digits at most; only what is written is read
    auto begin = static_cast<int>(product.size());
    std::uint64_t carry = 0;
    for (int read = count_ - 1; read >= 0; --read) {
        const std::uint64_t n =
            (static_cast<std::uint64_t>(DigitValue(digits_[static_cast<std::size_t>(read)])) << bits) + carry;
        product[static_cast<std::size_t>(--begin)] = DigitChar(n % 10);
        carry = n / 10;
    }
    for (; carry > 0; carry /= 10) {
        product[static_cast<std::size_t>(--begin)] = DigitChar(carry % 10);
        ++point_;
    }
    count_ = 0;
    for (auto i = static_cast<std::size_t>(begin); i < product.size(); ++i) Append(product[i]);
    Trim();
}

// Long division, from the first digit down; the quotient is written over the
// digits as they are read.
void ExactDecimal::ShiftRight(int bits) {
    if (IsZero()) return;
    int read = 0;
    int write = 0;
    std::uint64_t n = 0;

    // Take in leading digits until the quotient has its first digit.
    for (; (n >> bits) == 0; ++read) {
        if (read >= count_) {
            while ((n >> bits) == 0) {
                n *= 10;
                ++read;
            }
            break;
        }
        n = n * 10 + static_cast<std::uint64_t>(DigitValue(digits_[static_cast<std::size_t>(read)]));
    }
    point_ -= read - 1;

    // A digit of the quotient out for each digit in.
    const std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
    for (; read < count_; ++read) {
        const char next = digits_[static_cast<std::size_t>(read)];
        digits_[static_cast<std::size_t>(write++)] = DigitChar(n >> bits);
        n = (n & mask) * 10 + static_cast<std::uint64_t>(DigitValue(next));
    }
    // The quotient's last digits, from the remainder.
    for (; n > 0; n = (n & mask) * 10) {
        const std::uint64_t digit = n >> bits;
        if (write < kMaxDigits) {
            digits_[static_cast<std::size_t>(write++)] = DigitChar(digit);
        } else if (digit > 0) {
            dropped_ = true;
        }
    }
    count_ = write;
    Trim();
}

void ExactDecimal::Shift(int bits) {
    if (IsZero()) return;
    for (; bits > 0; bits -= std::min(bits, kMaxShift)) ShiftLeft(std::min(bits, kMaxShift));
    for (; bits < 0; bits += std::min(-bits, kMaxShift)) ShiftRight(std::min(-bits, kMaxShift));
}

// Whether keeping only the digits before `index` rounds up: above halfway,
// or exactly halfway with an odd digit before it.
bool ExactDecimal::RoundsUpAt(int index) const {
    if (index < 0 || index >= count_) return false;
    const char digit = digits_[static_cast<std::size_t>(index)];
    if (digit == '5' && index + 1 == count_ && !dropped_)
        return index > 0 && DigitValue(digits_[static_cast<std::size_t>(index - 1)]) % 2 == 1;
    return digit >= '5';
}

// The nearest whole number (ties to even); the number is below 2^64 here.
std::uint64_t ExactDecimal::RoundedInteger() const {
    std::uint64_t n = 0;
    std::int64_t i = 0;
    for (; i < point_ && i < count_; ++i)
        n = n * 10 + static_cast<std::uint64_t>(DigitValue(digits_[static_cast<std::size_t>(i)]));
    for (; i < point_; ++i) n *= 10;
    if (point_ >= 0 && RoundsUpAt(static_cast<int>(point_))) ++n;
    return n;
}

void ExactDecimal::RoundToSignificantDigits(int digits) {
    if (count_ <= digits) return;
    const bool up = RoundsUpAt(digits);
    count_ = digits;
    dropped_ = false;
    if (up) {
        int last = digits - 1;
        while (last >= 0 && digits_[static_cast<std::size_t>(last)] == '9') --last;
        if (last < 0) {  // 9.999999|5 becomes 10
            digits_[0] = '1';
            count_ = 1;
            ++point_;
        } else {
            ++digits_[static_cast<std::size_t>(last)];
            count_ = last + 1;
        }
    }
    Trim();
}

std::optional<double> ExactDecimal::ToDouble() const {
    if (IsZero()) return 0.0;

    // Up to 15 digits and a power of ten up to 10^22 are both exact doubles,
    // and one IEEE multiplication or division rounds their product or
    // quotient correctly: the common case needs nothing more.
    const std::int64_t scale = point_ - count_;
    if (count_ <= 15 && !dropped_ && scale >= -22 && scale <= 22) {
        std::uint64_t whole = 0;
        for (int i = 0; i < count_; ++i)
            whole = whole * 10 + static_cast<std::uint64_t>(DigitValue(digits_[static_cast<std::size_t>(i)]));
        const auto exact = static_cast<double>(whole);
        return scale >= 0 ? exact * kExactPowersOfTen[static_cast<std::size_t>(scale)]
                          : exact / kExactPowersOfTen[static_cast<std::size_t>(-scale)];
    }

    // Far beyond the range either way: 10^310 overflows, 10^-330 is below half the smallest denormal.
    if (point_ > 310) return std::nullopt;
    if (point_ < -330) return 0.0;

    // Halve or double until 0.5 <= d < 1, keeping count: the number is d × 2^exponent.
    // Each step moves by at most what one digit place is worth, so it never overshoots.
    static constexpr int kBitsPerPlaces[] = {1, 3, 6, 9, 13, 16, 19, 23, 26};  // 2^bits <= 10^places
    constexpr auto kBitsFor = [](std::int64_t places) { return places >= 9 ? 27 : kBitsPerPlaces[places]; };
    ExactDecimal d = *this;
    int exponent = 0;
    while (d.point_ > 0) {
        const int bits = kBitsFor(d.point_);
        d.ShiftRight(bits);
        exponent += bits;
    }
    while (d.point_ < 0 || (d.point_ == 0 && d.digits_[0] < '5')) {
        const int bits = kBitsFor(-d.point_);
        d.ShiftLeft(bits);
        exponent -= bits;
    }
    --exponent;  // the number is 2d × 2^exponent, with 1 <= 2d < 2

    // Below the smallest normal exponent the number is a denormal: fewer bits.
    if (exponent < kMinExponent) {
        d.Shift(-(kMinExponent - exponent));
        exponent = kMinExponent;
    }
    if (exponent > kMaxExponent) return std::nullopt;

    // The 53 bits of the mantissa, rounded; rounding up may carry into a 54th.
    d.Shift(kFractionBits + 1);
    std::uint64_t mantissa = d.RoundedInteger();
    if (mantissa == std::uint64_t{1} << (kFractionBits + 1)) {
        mantissa >>= 1;
        if (++exponent > kMaxExponent) return std::nullopt;
    }
    const bool normal = (mantissa >> kFractionBits) != 0;
    const auto biased = static_cast<std::uint64_t>(normal ? exponent - kMinExponent + 1 : 0);
    const std::uint64_t fraction = mantissa & ((std::uint64_t{1} << kFractionBits) - 1);
    return BitCast<double>(biased << kFractionBits | fraction);
}

}  // namespace tarnwick
