// Number text, folded number lists and JSON text.
#include "text/Json.h"
#include "text/NumberList.h"
#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>

using namespace corvane;
using V = std::vector<std::string>;

TEST(NumberText, TextToNumber) {
    EXPECT_EQ(TextToNumber("12"), 12);
    EXPECT_EQ(TextToNumber("  -12.5e2x"), -1250);
    EXPECT_EQ(TextToNumber("12A"), 12);
    EXPECT_EQ(TextToNumber(".5"), 0.5);
    EXPECT_EQ(TextToNumber("1E"), 1);
    EXPECT_EQ(TextToNumber("1.5E+02"), 150);
    bool found = true;
    EXPECT_EQ(TextToNumber("NULL", &found), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(TextToNumber("nan"), 0);
    EXPECT_EQ(TextToNumber("inf"), 0);
    EXPECT_EQ(TextToNumber("-.", &found), 0);
    EXPECT_FALSE(found);
    EXPECT_EQ(TextToNumber(""), 0);
}

TEST(NumberText, NumberToTextAndPatterns) {
    EXPECT_EQ(NumberToText(-0.0), "0");
    EXPECT_EQ(NumberToText(-120), "-120");
    EXPECT_EQ(NumberToText(0.00001), "1E-05");
    EXPECT_EQ(NumberToText(0.0001), "0.0001");
    EXPECT_EQ(NumberToText(2.5e16), "2.5E+16");
    EXPECT_EQ(NumberToText(1e15), "1E+15");
    EXPECT_EQ(NumberToText(999999999999999), "999999999999999");
    EXPECT_EQ(NumberToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(NumberToText(100007.5), "100007.5");
    EXPECT_EQ(FormatKilobytes(12345), "12.056");
    EXPECT_EQ(FormatKilobytes(3072), "3.");
    EXPECT_EQ(FormatKilobytes(512), ".5");
    EXPECT_EQ(FormatKilobytes(0), ".");
    EXPECT_EQ(FormatOneDecimal(29000), "29000.");
    EXPECT_EQ(FormatOneDecimal(199947.98), "199948.");
    EXPECT_EQ(FormatOneDecimal(0.5), ".5");
    EXPECT_EQ(FormatOneDecimal(2.75), "2.8");
    EXPECT_EQ(FormatOneDecimal(0.25), ".3");
    EXPECT_EQ(FormatOneDecimal(-2.75), "-2.8");
    EXPECT_EQ(FormatOneDecimal(2.1e8), "210000000.");
}

// The textual shortcuts give exactly what reading the number and writing it
// back gives.
TEST(NumberText, ShortcutsAgreeWithReadingTheNumber) {
    std::vector<std::string> texts = {"0", "-0", "0.0", "-0.000", "12", "007", "-12.50", "+3", ".5", "-.5", "5.", "1.5E+02",
                                      "1e-3", "0.0001", "0.00001", "0.000012", "-0.00009", "123456789012345", "1234567890123456",
                                      "99999999999999.9", "1000000000000000", "12A", "A12", "NULL", "", " 7", "-", ".", "1.2.3",
                                      "0x10", "nan", "inf", "1E400", "1E-400", "0E5", "3E", "2.5e", "10.000000000000001"};
    std::mt19937_64 rng(42);
    for (int i = 0; i < 2000; ++i) {
        char buf[64];
        const double v = std::ldexp(static_cast<double>(rng() % 2000001) - 1000000, static_cast<int>(rng() % 60) - 40);
        std::snprintf(buf, sizeof buf, "%.*f", static_cast<int>(rng() % 12), v);
        texts.push_back(buf);
    }
    for (const std::string& t : texts) {
        SCOPED_TRACE(t);
        for (bool negate : {false, true}) {
            std::string fast;
            AppendSignedNumber(fast, t, negate);
            const double v = TextToNumber(t);
            EXPECT_EQ(fast, NumberToText(negate ? -v : v));
        }
        EXPECT_EQ(IsZeroNumber(t), TextToNumber(t) == 0);
        EXPECT_EQ(HasFiniteValue(t), std::isfinite(TextToNumber(t)));
        EXPECT_EQ(SameNumber(t, "12"), TextToNumber(t) == 12);
    }
    // The general form is the one printf's %.15G gives.
    for (int i = 0; i < 2000; ++i) {
        const double v = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 200) - 120);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15G", v);
        if (v != std::trunc(v) || v >= 1e15) {
            EXPECT_EQ(NumberToText(v), buf);
        }
    }
}

// Whole texts that are decimals of a finite value, told without reading
// most of them: the answer is the one reading the whole text gives.
TEST(NumberText, IsFiniteDecimal) {
    for (const char* yes : {"0", "-0", "+3", "12", "1.", ".5", "-.5", "1.5E+02", "1e-3", "1E308", "0.5e-300", "1.7976931348623157E308"})
        EXPECT_TRUE(IsFiniteDecimal(yes)) << yes;
    for (const char* no : {"", "+", "-", ".", "-.", "1.2.3", "12A", "A12", " 7", "7 ", "1E", "1e+", "2.5e", "3E5.5", "nan", "inf",
                           "-inf", "0x10", "2E308", "1E309", "-2E999", "1e1000"})
        EXPECT_FALSE(IsFiniteDecimal(no)) << no;
    // Near the largest double, by digits and by exponent; a value read from
    // the leading number alone is finite unless that number overflows.
    for (const std::string& t : {std::string(308, '9'), std::string(309, '9') + "x", "1" + std::string(250, '0') + "E99",
                                std::string("1E308 m"), std::string("2e308"), std::string("-1E999"), std::string("9e"), std::string("NULL")})
        EXPECT_EQ(HasFiniteValue(t), std::isfinite(TextToNumber(t))) << t;
    EXPECT_TRUE(IsFiniteDecimal(std::string(308, '9')));
    EXPECT_FALSE(IsFiniteDecimal(std::string(309, '9')));
    EXPECT_TRUE(IsFiniteDecimal(std::string(299, '9') + ".5"));
    EXPECT_FALSE(IsFiniteDecimal("1" + std::string(250, '0') + "E99"));
    EXPECT_TRUE(IsFiniteDecimal("1" + std::string(250, '0') + "E-99"));
    EXPECT_FALSE(IsFiniteDecimal("0." + std::string(400, '0') + "1E-300"));

    // Short texts of the characters a decimal is made of, against reading
    // the whole text (from_chars takes no '+'; it stands only first).
    std::mt19937_64 rng(7);
    const char kChars[] = "0123456789.+-eE";
    for (int i = 0; i < 20000; ++i) {
        std::string t;
        for (std::size_t n = rng() % 9; n > 0; --n) t += kChars[rng() % (sizeof kChars - 1)];
        const std::string_view digits = t.size() > 1 && t[0] == '+' && t[1] != '-' ? std::string_view(t).substr(1) : std::string_view(t);
        double v = 0;
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        const bool whole = !digits.empty() && r.ec == std::errc() && r.ptr == digits.data() + digits.size() && std::isfinite(v);
        EXPECT_EQ(IsFiniteDecimal(t), whole) << t;
    }
}

TEST(NumberList, FoldsAscendingRunsOnly) {
    V runs;
    const auto fold = [&](const V& in) {
        runs = FoldRuns(in);
        return JoinItems(runs);
    };
    EXPECT_EQ(fold({"3", "4", "5", "8", "10", "11", "11", "2"}), "3 TO 5 8 10 TO 11 11 2 ");
    EXPECT_EQ(runs, (V{"3", "TO", "5", "8", "10", "TO", "11", "11", "2"}));
    EXPECT_EQ(fold({"5"}), "5 ");
    EXPECT_EQ(fold({}), " ");
    EXPECT_EQ(runs, V{""});
    EXPECT_EQ(fold({"1", "2"}), "1 TO 2 ");
    EXPECT_EQ(fold({"4", "3", "2"}), "4 3 2 ");
    EXPECT_EQ(fold({"1", "2", "2", "3"}), "1 TO 2 2 TO 3 ");
    EXPECT_EQ(fold({"6", "7", "8"}), "6 TO 8 ");
    EXPECT_EQ(fold({"0011", "0012"}), "0011 TO 12 ");
    EXPECT_EQ(JoinItems({}), "");
}

TEST(Json, EscapesAndBytesThatAreNoUtf8) {
    EXPECT_EQ(JsonString("a\"b\\c\n\r\t\x01\x7F"), "\"a\\\"b\\\\c\\n\\r\\t\\u0001\\u007F\"");
    EXPECT_EQ(JsonString("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), "\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\"");
    // A lone byte, an overlong form and an encoded surrogate are no UTF-8:
    // each byte keeps its Latin-1 value.
    EXPECT_EQ(JsonString("\xE9"), "\"\\u00E9\"");
    EXPECT_EQ(JsonString("\xC0\xAF"), "\"\\u00C0\\u00AF\"");
    EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"\\u00ED\\u00A0\\u0080\"");
    EXPECT_EQ(JsonString("\xF4\x90\x80\x80"), "\"\\u00F4\\u0090\\u0080\\u0080\"");
    std::string out;
    AppendJsonString(out, "I/Wide", "$");
    EXPECT_EQ(out, "\"I/Wide$\"");
    // Every byte at every place of texts of every short length is escaped
    // as it is alone (plain texts are copied by words).
    for (int b = 0; b < 256; ++b) {
        const std::string alone = JsonString(std::string(1, static_cast<char>(b)));
        const std::string escaped = alone.substr(1, alone.size() - 2);
        for (std::size_t n = 1; n <= 17; ++n)
            for (std::size_t i = 0; i < n; ++i) {
                std::string text(n, 'a');
                text[i] = static_cast<char>(b);
                ASSERT_EQ(JsonString(text), "\"" + std::string(i, 'a') + escaped + std::string(n - i - 1, 'a') + "\"") << b << " " << n << " " << i;
            }
    }
}
