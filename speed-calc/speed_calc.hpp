// Tarnwick's calculation: from the three input texts to the estimated speed,
// its verdict colour and its result text. No GUI types; the window is reached
// only through CalcView.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace tarnwick {

// A 24-bit RGB colour.
struct Colour {
    std::uint8_t r, g, b;
    friend bool operator==(Colour, Colour) = default;
};

enum class FailureKind {
    InvalidArgument,   // the logarithm of a number that is 0 or less
    Overflow,          // a typed number beyond the double range, or an overflow in the estimate
    InvalidOperation,  // an invalid floating-point operation in the estimate (infinity minus infinity)
    DivisionByZero,    // a floating-point division by zero in the estimate
    ControlAccess,     // a box of the window could not be read or written
    LibraryLookup,     // the system's means of opening the home page could not be found
};

// What a handler raises and never catches: the window's event dispatch reports it.
class RunFailure : public std::exception {
public:
    explicit RunFailure(FailureKind kind);
    FailureKind kind() const noexcept;
    const char* what() const noexcept override;  // a plain-words description of the kind

private:
    FailureKind kind_;
};

// How the estimate compares with the current speed. Lower also stands for
// "not comparable" (a NaN on either side).
enum class SpeedVerdict { Lower, Equal, Higher };

enum class Box { txtDSM, txtMin, txtCurSpeed, txtSpeed };

// The Calculate action's view of the window. Each operation either completes
// or throws RunFailure(FailureKind::ControlAccess).
class CalcView {
public:
    virtual ~CalcView() = default;
    virtual std::string GetBoxText(Box box) = 0;  // UTF-8
    virtual void SetBoxBackColour(Box box, Colour colour) = 0;
    virtual void SetBoxText(Box box, std::string_view text) = 0;  // UTF-8
};

// The Calculate button: reads txtDSM, txtMin and txtCurSpeed in that order,
// then writes the verdict colour and then the result text into txtSpeed.
// A failure stops it at the failing step, so txtSpeed keeps its old text (and,
// unless only the text write failed, its old colour). Clears the
// floating-point status after every view operation, completed or failed.
void cmdCalc_Click(CalcView& view);

// currentSpeed * 2^((dsMargin - minMargin) / 6), evaluated step by step: a
// base-2 logarithm of the current speed from two natural logarithms, the sum
// 6 * log2(C) + D narrowed to float, and a power of 2 on doubles. Throws
// InvalidArgument for a current speed of 0 or less, and the kind of any
// invalid-operation, division-by-zero or overflow flag found in the
// floating-point status (checked in that order) after the logarithm and after
// each of the next two steps. The status is read, not cleared: where the
// processor keeps the flags, a flag raised before the call, since the caller
// last cleared it, counts too (where it keeps none, as in WebAssembly, the
// flags are derived from the estimate's own operations). A current speed
// typed beyond the float range fails with Overflow, raised when
// cmdCalc_Click narrows it. The final power is not checked: an estimate too
// large for a float is +infinity and one too small is a denormal or 0.
float EstimateMaxSpeed(float dsMargin, float minMargin, float currentSpeed);

// Exact comparison of the two floats.
SpeedVerdict CompareSpeeds(float estimated, float current);

// Light red for Lower, white for Equal, light green for Higher.
Colour VerdictColour(SpeedVerdict verdict);

// Reads a number from what the user typed:
//  - spaces, tabs and line feeds are removed wherever they stand;
//  - "&H" or "&O" (either case) at the start reads hexadecimal or octal
//    digits as a 32-bit two's complement integer (&HFFFFFFFF is -1); a value
//    needing more than 32 bits throws Overflow; no digit at all reads as 0;
//  - otherwise an optional sign, digits with at most one decimal point, and
//    an optional exponent (E or e, optional sign, digits);
//  - the decimal point is the full stop, in every locale; where the user's
//    decimal separator is a comma, a comma is one too, so that the program
//    reads back what it writes ("1,5.2" reads as 1.5: one point a number);
//  - reading stops at the first character that cannot continue the number;
//    if no digit was read the result is 0.
// Throws Overflow only for a number beyond the double range; a number too
// small for a double reads as 0 (or -0).
double ParseNumericText(std::string_view text);  // UTF-8, with the user's decimal separator
double ParseNumericText(std::string_view text, std::string_view decimalSeparator);

// Writes a float rounded to 7 significant digits (ties to even, on the exact
// binary value), without trailing zeros or a leading plus sign. Zero, of
// either sign, is "0". The exponent form ("1.234568E+07", at least two
// exponent digits) is used when the rounded value is 1E+07 or more in
// magnitude, or below 1E-04 (0.0001 is written 0.0001, 0.00009999999 is
// written 9.999999E-05). Infinities are "Infinity" and "-Infinity", a NaN is
// "NaN", so that an estimate beyond the float range never leaves the box
// empty.
std::string FormatSingle(float value);  // with the user's decimal separator
std::string FormatSingle(float value, std::string_view decimalSeparator);

}  // namespace tarnwick
