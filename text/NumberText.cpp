#include "text/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace corvane {

double TextToNumber(std::string_view s, bool* found) {
    // Whole numbers of up to 15 digits, the names of most joints and
    // members, are read directly.
    if (!s.empty() && s.size() <= 15) {
        std::uint64_t v = 0;
        std::size_t k = 0;
        for (; k < s.size(); ++k) {
            const unsigned d = static_cast<unsigned char>(s[k]) - '0';
            if (d > 9) break;
            v = v * 10 + d;
        }
        if (k == s.size()) {
            if (found) *found = true;
            return static_cast<double>(v);
        }
    }
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    const std::size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') { ++i; ++digits; }
    }
    if (digits == 0) {
        if (found) *found = false;
        return 0.0;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') { ++j; ++expDigits; }
        if (expDigits > 0) i = j;
    }
    if (found) *found = true;
    // The span is validated above, so from_chars reads all of it; only a
    // value out of range goes through strtod, which gives HUGE_VAL or 0.
    const char* first = s.data() + start;
    const char* last = s.data() + i;
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-') ++first;
    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc()) {
        const std::string span(first, last);
        value = std::strtod(span.c_str(), nullptr);
    }
    return negative ? -value : value;
}

void AppendNumber(std::string& out, double value) {
    if (value == 0.0) {  // also turns -0 into 0
        out += '0';
        return;
    }
    char buf[48];
    // Whole numbers below 1E+15 are written as integers, as %.15G would.
    if (value > -1e15 && value < 1e15 && value == std::trunc(value)) {
        const auto end = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value)).ptr;
        out.append(buf, end);
        return;
    }
    if (!std::isfinite(value)) {
        std::snprintf(buf, sizeof buf, "%.15G", value);
        out += buf;
        return;
    }
    // The general form with 15 significant digits, as %.15G writes it.
    char* end = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15).ptr;
    for (char* p = buf; p != end; ++p)
        if (*p == 'e') *p = 'E';
    out.append(buf, end);
}

std::string NumberToText(double value) {
    std::string s;
    AppendNumber(s, value);
    return s;
}

void AppendSignedNumber(std::string& out, std::string_view s, bool negate) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const std::size_t intStart = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    std::size_t intEnd = i, fracStart = i, fracEnd = i;
    if (i < s.size() && s[i] == '.') {
        fracStart = ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        fracEnd = i;
    }
    const bool exponent = i < s.size() && (s[i] == 'E' || s[i] == 'e');
    if (intEnd == intStart && fracEnd == fracStart) {  // no digits: the text counts as 0
        out += '0';
        return;
    }
    std::size_t lead = intStart;
    while (lead < intEnd && s[lead] == '0') ++lead;
    while (fracEnd > fracStart && s[fracEnd - 1] == '0') --fracEnd;
    // Significant digits, and whether the magnitude is below 0.0001 (such
    // a number is written with an exponent).
    std::size_t significant = 0;
    bool smallMagnitude = false;
    if (lead < intEnd) {
        significant = (intEnd - lead) + (fracEnd - fracStart);
    } else {
        std::size_t firstNonZero = fracStart;
        while (firstNonZero < fracEnd && s[firstNonZero] == '0') ++firstNonZero;
        significant = fracEnd - firstNonZero;
        smallMagnitude = significant > 0 && firstNonZero - fracStart >= 4;
    }
    if (exponent || significant > 15 || smallMagnitude) {
        const double v = TextToNumber(s);
        AppendNumber(out, negate ? -v : v);
        return;
    }
    if (significant == 0) {  // zero, whatever its sign
        out += '0';
        return;
    }
    if (negative != negate) out += '-';
    if (lead < intEnd) out.append(s.data() + lead, intEnd - lead);
    else out += '0';
    if (fracEnd > fracStart) {
        out += '.';
        out.append(s.data() + fracStart, fracEnd - fracStart);
    }
}

bool HasFiniteValue(std::string_view s) {
    // The leading number as TextToNumber reads it: blanks, sign, digits with
    // at most one point, an exponent only when it has digits.
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    bool small = digits < 300;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j, ++expDigits;
        if (expDigits > 0) small = small && expDigits <= 2 && digits < 200;
    }
    return small || std::isfinite(TextToNumber(s));
}

bool SameNumber(std::string_view a, std::string_view b) { return a == b || TextToNumber(a) == TextToNumber(b); }

bool IsZeroNumber(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool nonZero = false;
    for (bool point = false; i < s.size(); ++i) {
        const char ch = s[i];
        if (ch >= '1' && ch <= '9') nonZero = true;
        else if (ch == '.' && !point) point = true;
        else if (ch != '0') break;
    }
    // Digits that are all zeros give 0 whatever exponent follows; any other
    // digit gives a number that is not 0 unless an exponent drives it below
    // the smallest double, which only reading tells.
    if (!nonZero) return true;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) return TextToNumber(s) == 0;
    return false;
}

bool IsFiniteDecimal(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t first = i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    // A decimal of fewer than 300 digits and an exponent of at most two
    // digits is far from the largest double: no need to read its value.
    bool small = digits < 300;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
        if (expDigits == 0) return false;
        small = small && expDigits <= 2 && digits < 200;
    }
    if (i != s.size()) return false;
    if (small) return true;
    double value = 0;
    const auto result = std::from_chars(s.data() + first, s.data() + s.size(), value);
    return result.ec == std::errc() && std::isfinite(value);
}

bool IsDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

namespace {

// Rounds |value| * 10^decimals half away from zero and writes it with the
// "#.###"-style rules: no leading zero, point always, trailing zeros dropped.
std::string FormatPattern(double value, int decimals) {
    if (!std::isfinite(value)) return NumberToText(value);
    const double scale = std::pow(10.0, decimals);
    double scaled = std::round(value * scale);
    std::string sign = scaled < 0 ? "-" : "";
    scaled = std::fabs(scaled);
    if (scaled >= 9e18) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.0f", std::round(std::fabs(value)));
        return sign + buf + ".";
    }
    const auto units = static_cast<std::uint64_t>(scaled);
    const auto divisor = static_cast<std::uint64_t>(scale);
    const std::uint64_t whole = units / divisor;
    std::uint64_t frac = units % divisor;
    std::string text = sign;
    if (whole > 0) text += std::to_string(whole);
    text += '.';
    if (frac > 0) {
        std::string digits = std::to_string(frac);
        digits.insert(0, static_cast<std::size_t>(decimals) - digits.size(), '0');
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
        text += digits;
    }
    if (text == "-.") text = ".";
    return text;
}

}  // namespace

std::string FormatKilobytes(std::uint64_t bytes) {
    const float kb = static_cast<float>(bytes) / 1024.0f;
    return FormatPattern(static_cast<double>(kb), 3);
}

std::string FormatOneDecimal(double value) { return FormatPattern(value, 1); }

}  // namespace corvane
