// Numbers made from text and text made from numbers, wherever a writer
// computes. Cell texts themselves are never reformatted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The leading number of a text: blanks skipped, optional sign, digits with
// at most one decimal point, optional exponent (E or e, optional sign, at
// least one digit). A text that does not start with a number gives 0 and
// sets *found to false.
double TextToNumber(std::string_view text, bool* found = nullptr);

// std::isfinite(TextToNumber(text)), without reading a leading number too
// short to overflow (fewer than 300 digits and no exponent of three digits).
bool HasFiniteValue(std::string_view text);

// Plain decimal text with at most 15 significant digits, no trailing zeros,
// no decimal point for whole numbers, exponent form ("1E-05", "2.5E+16")
// below 0.0001 and from 1E+15 up. A zero is "0", never "-0".
std::string NumberToText(double value);
void AppendNumber(std::string& out, double value);

// Appends NumberToText(sign * TextToNumber(text)) for sign +1 or -1. The
// common case, a plain decimal of at most 15 significant digits, is
// rewritten as text without going through a double (the result is the
// same: such a decimal survives the round trip exactly).
void AppendSignedNumber(std::string& out, std::string_view text, bool negate);

// A file size in KB (bytes / 1024 in single precision) in the "#.###"
// pattern: "12.056", "3.", ".5".
std::string FormatKilobytes(std::uint64_t bytes);

// The "#.#" pattern: one decimal, halves away from zero, no leading zero,
// the point always written, the decimal digit only when it is not zero.
std::string FormatOneDecimal(double value);

// TextToNumber(a) == TextToNumber(b), without reading either when the
// texts are alike.
bool SameNumber(std::string_view a, std::string_view b);

// TextToNumber(text) == 0, without reading a plain decimal.
bool IsZeroNumber(std::string_view text);

// True when the whole text is a decimal number with a finite value: an
// optional sign, digits with at most one decimal point, an optional
// exponent, nothing else (so no "nan", "inf", hexadecimal, second point,
// trailing word, empty text, or value out of the range of a double).
bool IsFiniteDecimal(std::string_view text);

// True when the text is one or more ASCII digits and nothing else.
bool IsDigits(std::string_view text);

}  // namespace corvane
