// The number and text rules every reader and writer shares.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>

#include "ScriptedUserInterface.h"
#include "core/InputError.h"
#include "core/StringArray.h"
#include "core/TextFormat.h"
#include "core/TextReader.h"

namespace zav {
namespace {

TEST(NumberText, DisplayFormIsPercentG) {
    EXPECT_EQ(FormatG(1.0), "1");
    EXPECT_EQ(FormatG(0.25), "0.25");
    EXPECT_EQ(FormatG(1234567), "1.23457e+06");
    EXPECT_EQ(FormatG(-0.5), "-0.5");
    EXPECT_EQ(FormatG(2e6), "2e+06");
    EXPECT_EQ(FormatG(100000), "100000");
}

TEST(NumberText, StoredFormIsPercentGWhenThatIsExactAndShortestExactOtherwise) {
    EXPECT_EQ(FormatExact(1.0), "1");
    EXPECT_EQ(FormatExact(12.5), "12.5");
    EXPECT_EQ(FormatExact(100000), "100000");
    EXPECT_EQ(FormatExact(1e6), "1e+06");
    EXPECT_EQ(FormatExact(0.0001), "0.0001");
    EXPECT_EQ(FormatExact(-17.7778), "-17.7778");
    EXPECT_EQ(FormatExact(1234567), "1234567");
    EXPECT_EQ(FormatExact(0.45359237), "0.45359237");
    EXPECT_EQ(FormatExact(0.1 + 0.2), "0.30000000000000004");
}

TEST(NumberText, StoredFormReadsBackExactly) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> values(-1e7, 1e7);
    for (int i = 0; i < 20000; ++i) {
        double v = values(random) / (1 + (i % 1000));
        ASSERT_EQ(AtoF(FormatExact(v)), v) << FormatExact(v);
    }
}

TEST(NumberText, AtofAndAtoiAreLenient) {
    EXPECT_EQ(AtoF("  12.5abc"), 12.5);
    EXPECT_EQ(AtoF("abc"), 0.0);
    EXPECT_EQ(AtoF(""), 0.0);
    // An empty view holds no text at all, not even a pointer to it.
    EXPECT_EQ(AtoF(std::string_view()), 0.0);
    size_t pos = 0;
    double value = 7.0;
    EXPECT_FALSE(ExtractDouble(std::string_view(), pos, value));
    EXPECT_EQ(pos, 0u);
    EXPECT_EQ(AtoF("+3"), 3.0);
    EXPECT_EQ(AtoF("-.5"), -0.5);
    EXPECT_EQ(AtoF("1e3x"), 1000.0);
    EXPECT_EQ(AtoI("  42 apples"), 42);
    EXPECT_EQ(AtoI("-9.5"), -9);
    EXPECT_EQ(AtoI("x"), 0);
    EXPECT_EQ(AtoI("99999999999999999999"), 2147483647);
}

// Plain decimals are read by a shortcut; it must give the very double and
// stop at the very place the C library's reading does, at every length,
// point position and sign, including those just past where the shortcut
// hands over, and whatever follows the number.
TEST(NumberText, PlainDecimalsReadAsTheLibraryReadsThem) {
    const char* const after[] = {"", " 7", ",", "x1", "e5", "E-2", "abc", ".5"};
    std::mt19937_64 random(7);
    for (int n = 0; n < 200000; ++n) {
        const size_t count = 1 + random() % 24;
        std::string text = random() % 3 == 0 ? "-" : "";
        const size_t point = random() % (count + 2);  // past the end: no point
        for (size_t i = 0; i < count; ++i) {
            if (i == point) {
                text += '.';
            }
            // Long runs of nines and zeros sit at the edges of rounding.
            const uint64_t pick = random() % 12;
            text += static_cast<char>('0' + (pick < 10 ? pick : (pick == 10 ? 9 : 0)));
        }
        if (point == count) {
            text += '.';
        }
        text += after[random() % std::size(after)];
        char* stop = nullptr;
        const double expected = std::strtod(text.c_str(), &stop);
        size_t pos = 0;
        double value = -1;
        ASSERT_TRUE(ExtractDouble(text, pos, value)) << text;
        ASSERT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
        ASSERT_EQ(pos, static_cast<size_t>(stop - text.c_str())) << text;
    }
}

TEST(NumberText, CellNumbersTakeTheLongestDecimalPrefixOnly) {
    EXPECT_EQ(ReadDecimal("  0.555556 F"), 0.555556);
    EXPECT_EQ(ReadDecimal("-17.7778"), -17.7778);
    EXPECT_EQ(ReadDecimal("+.5e1x"), 5.0);
    EXPECT_EQ(ReadDecimal("2e"), 2.0);
    EXPECT_EQ(ReadDecimal("3.e-1"), 0.3);
    EXPECT_EQ(ReadDecimal("abc"), 0.0);
    EXPECT_EQ(ReadDecimal("-"), 0.0);
    EXPECT_EQ(ReadDecimal("."), 0.0);
    // Words that the C library would read as numbers are none here.
    EXPECT_EQ(ReadDecimal("nan"), 0.0);
    EXPECT_EQ(ReadDecimal("inf"), 0.0);
    EXPECT_EQ(ReadDecimal("0x10"), 0.0);
    EXPECT_TRUE(std::isinf(ReadDecimal("1e999")));
}

TEST(NumberText, TrimmingRemovesBlanksTabsAndCarriageReturns) {
    EXPECT_EQ(Trim("  a b \t\r"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \r"), "  a");
    EXPECT_EQ(Trim(" \r\n"), "");
}

TEST(TextReaderLines, AcceptsLfAndCrLfAndCapsLongLines) {
    std::string longLine(600, 'x');
    TextReader in("one\r\ntwo\nthree\r\n" + longLine + "\nafter");
    std::string line;
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "one");
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "two");
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "three");
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line.size(), 511u);
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "after");
    EXPECT_FALSE(in.ReadLine(line));
}

TEST(TextReaderLines, NoCarriageReturnReachesAValue) {
    // Some exporters end lines with CR CR LF; every CR before the LF goes.
    // A CR inside a line reads as the blank a save would write for it.
    TextReader in("name =Kestrel\r\r\nnext\r\r\r\ncol\rumn\r x\nlast\r\r");
    ASSERT_TRUE(in.ReadHeader("name"));
    EXPECT_EQ(in.RestOfLine(), "Kestrel");
    std::string line;
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "next");
    ASSERT_TRUE(in.ReadWholeLine(line));
    EXPECT_EQ(line, "col umn  x");
    ASSERT_TRUE(in.ReadLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(in.ReadLine(line));
}

TEST(TextReaderItems, FindsHeadersByKeywordAndStaysFailedAfterAMiss) {
    TextReader in("\r\n\r\nstray text then name =Lake=3\r\ncount = 12 extra\r\ndata =x\r\nmask =1");
    EXPECT_TRUE(in.ReadHeader("name"));
    EXPECT_EQ(in.RestOfLine(), "Lake=3");
    EXPECT_TRUE(in.ReadHeader("count"));
    EXPECT_EQ(in.ExtractInt(), 12);
    EXPECT_TRUE(in.ReadHeader("data"));
    EXPECT_EQ(in.ExtractDouble(), 0.0);
    EXPECT_TRUE(in.Failed());
    // A bad number surfaces at the next header.
    EXPECT_FALSE(in.ReadHeader("mask"));
}

TEST(TextReaderItems, AHeaderFarAwayOrMissingFails) {
    TextReader far(std::string(600, ' ') + "name =x");
    EXPECT_FALSE(far.ReadHeader("name"));
    TextReader none("no equals sign here");
    EXPECT_FALSE(none.ReadHeader("name"));
    TextReader empty("");
    EXPECT_FALSE(empty.ReadHeader("name"));
}

TEST(StringArraySplit, KeepsEmptyFieldsBetweenExplicitDelimiters) {
    StringArray a;
    a.Split("a,b,c", false, ",");
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"a", "b", "c"}));
    a.Split("a,,,d", false, ",");
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"a", " ", " ", "d"}));
    a.Split("a,b,", false, ",");
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"a", "b", " "}));
    a.Split(",a", false, ",");
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"a"}));
    a.Split("\t1\t\t3\t", false, "\t");
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"1", " ", "3", " "}));
    a.Split("", false, ",");
    EXPECT_TRUE(a.empty());
}

TEST(StringArraySplit, DefaultDelimitersMergeRunsAndNumericFormsNumbers) {
    StringArray a;
    a.Split("  199501051300 ,, 1.50\t\t-9  ");
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"199501051300", "1.50", "-9"}));
    a.Split("1.50, ,x", true, ",");
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"1.5", "0", "0"}));
    // A blank among explicit delimiters must not hang; it merges runs.
    a.Split("a  b,,c", false, " ,");
    EXPECT_EQ(a.Entries(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StringArrayIndex, OutOfRangeReportsAndYieldsEmpty) {
    ScriptedUserInterface ui;
    StringArray a(&ui);
    a.Split("x y");
    EXPECT_EQ(a[1], "y");
    EXPECT_EQ(a[2], "");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "[StringArray::operator[]] Request out of range.\n");
}

TEST(StringArrayCookies, TakingOverAListFindsTheNextCookie) {
    ScriptedUserInterface ui;
    StringArray a(std::vector<std::string>{"x", "_StringArrayCookie_7", "_StringArrayCookie_3"},
                  &ui);
    EXPECT_EQ(a.NextCookie(), 8);
    StringArray b(std::vector<std::string>{"_StringArrayCookie_152"}, &ui);
    EXPECT_EQ(b.NextCookie(), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "[StringArray::Resync] Out of array delimiters!");
}

TEST(InputErrors, NameTheMissingHeader) {
    EXPECT_EQ(InputError::MissingHeader("station name =").Message(),
              "Parse error: unable to find header 'station name ='");
}

}  // namespace
}  // namespace zav
