// The cell rules every reader shares: cutting a line into cells, what counts
// as a number, and which calendar fields make a time a project can hold.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <string>

#include "io/InputCells.h"

namespace zav {
namespace {

std::vector<std::string> Cells(const CellSplitter& cells) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < cells.size(); ++i) {
        texts.emplace_back(cells[i]);
    }
    return texts;
}

TEST(CellSplitter, EverySeparatorEndsACellAndQuotesHoldSeparators) {
    struct Case {
        std::string line;
        char separator;
        std::vector<std::string> cells;
    };
    const std::vector<Case> cases = {
        {"1/9/2016,,13.78", ',', {"1/9/2016", "", "13.78"}},
        {"a, 4 ,\t5\t,", ',', {"a", "4", "5", ""}},
        {"", ',', {""}},
        {"a\t\tb", '\t', {"a", "", "b"}},
        {"a, b\tc", '\t', {"a, b", "c"}},
        {"\"West, upper\",2", ',', {"West, upper", "2"}},
        {"\"say \"\"hi\"\"\",x", ',', {"say \"hi\"", "x"}},
        {" \" 7 \" ,8", ',', {"7", "8"}},
        {"\"12\"5,6", ',', {"125", "6"}},            // text after the quotes stays
        {"\"open,quote", ',', {"\"open", "quote"}},  // no closing quote: plain text
    };
    CellSplitter cells;
    for (const Case& c : cases) {
        cells.Split(c.line, c.separator);
        EXPECT_EQ(Cells(cells), c.cells) << c.line;
    }
    cells.SplitWords("  199501010000KESTREL  4.5,, 6\t7 ");
    EXPECT_EQ(Cells(cells), (std::vector<std::string>{"199501010000KESTREL", "4.5", "6", "7"}));
    // Reports quote the cells as the line has them.
    cells.Split("1, 2.5, 24:00:00, 12/31/9999", ',');
    EXPECT_EQ(cells.Span(2, 3), "24:00:00, 12/31/9999");
}

// One or two separators are looked for eight bytes at a time; the cells
// must be those a byte-by-byte search gives (a third separator that never
// occurs forces it), wherever in a word the separators and quotes fall.
TEST(CellSplitting, WordAtATimeSearchCutsWhereAByteAtATimeSearchCuts) {
    const char alphabet[] = {'a', '7', ',', '\t', ';', ' ', '"', '\xE9', '\x80'};
    std::mt19937 random(5);
    CellSplitter fast;
    CellSplitter slow;
    for (int n = 0; n < 20000; ++n) {
        std::string line(random() % 40, ' ');
        for (char& c : line) {
            c = alphabet[random() % sizeof alphabet];
        }
        for (const std::string separators : {",", "\t", ";", ",\t"}) {
            fast.Split(line, separators);
            slow.Split(line, separators + '\x01');
            ASSERT_EQ(Cells(fast), Cells(slow)) << "[" << line << "] at [" << separators << "]";
        }
    }
}

TEST(NumberCells, OnlyAWholeDecimalNumberIsANumber) {
    struct Case {
        const char* cell;
        bool number;
        double value;
    };
    const std::vector<Case> cases = {
        {"12.5", true, 12.5},    {" -3 ", true, -3},  {"+2", true, 2},
        {".5", true, 0.5},       {"5.", true, 5},     {"1e3", true, 1000},
        {"2.5E-2", true, 0.025}, {"1e-400", true, 0},  // too small to hold is zero
        {"", false, 0},          {"NA", false, 0},    {"<0.01", false, 0},
        {"ND", false, 0},        {"***", false, 0},   {"0.05 E", false, 0},
        {"5abc", false, 0},      {"1,5", false, 0},   {"nan", false, 0},
        {"inf", false, 0},       {"-inf", false, 0},  {"1e999", false, 0},
        {"0x10", false, 0},      {"+-1", false, 0},   {"-", false, 0},
        {".", false, 0},         {"1e", false, 0},    {"1 2", false, 0},
    };
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_EQ(ReadNumberCell(c.cell, value), c.number) << c.cell;
        if (c.number) {
            EXPECT_EQ(value, c.value) << c.cell;
        }
    }
}

TEST(StorableTimes, CarriedFieldsMustStayInsideTheYears1000To9999) {
    struct Case {
        TimeFields fields;
        KTRTime time;  // invalid: refused
    };
    const std::vector<Case> cases = {
        {{1999, 1, 5, 10, 30, 0}, KTRTime(1999, 1, 5, 10, 30, 0)},
        {{99, 1, 5, 0, 0, 0}, KTRTime(1999, 1, 5, 0, 0, 0)},     // two digits: 19xx
        {{1999, 13, 1, 0, 0, 0}, KTRTime(2000, 1, 1, 0, 0, 0)},  // carried months
        {{2000, 3, 0, 24, 0, 0}, KTRTime(2000, 3, 1, 0, 0, 0)},  // and days, hours
        {{9999, 12, 31, 23, 59, 59}, KTRTime(9999, 12, 31, 23, 59, 59)},
        {{1000, 1, 1, 0, 0, 0}, KTRTime(1000, 1, 1, 0, 0, 0)},
        {{9999, 12, 31, 24, 0, 0}, KTRTime()},  // the end-of-time sentinel
        {{9999, 13, 1, 12, 0, 0}, KTRTime()},
        {{1000, 0, 1, 0, 0, 0}, KTRTime()},
        {{1000, 1, 1, -1, 0, 0}, KTRTime()},
        {{500, 1, 1, 0, 0, 0}, KTRTime()},
        {{1999, 1, 99999999, 12, 0, 0}, KTRTime()},
        {{1999, 1, INT_MIN, 12, 0, 0}, KTRTime()},
        {{1999, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX}, KTRTime()},
        {{int64_t{1} << 40, 1, 1, 0, 0, 0}, KTRTime()},
    };
    for (const Case& c : cases) {
        const KTRTime time = StorableTime(c.fields);
        EXPECT_EQ(time, c.time) << c.fields.year << "/" << c.fields.month << "/" << c.fields.day
                                << " " << c.fields.hour;
    }
}

TEST(DateAndTimeCells, FormsAndWholeCells) {
    int64_t a = 0, b = 0, c = 0;
    EXPECT_TRUE(ScanDateCell(" 1/5/1999 0:00", '/', false, a, b, c));
    EXPECT_EQ((std::vector<int64_t>{a, b, c}), (std::vector<int64_t>{1, 5, 1999}));
    EXPECT_FALSE(ScanDateCell("1/5/1999 0:00", '/', true, a, b, c));
    EXPECT_FALSE(ScanDateCell("2016-01-09", '/', false, a, b, c));
    EXPECT_TRUE(ScanDateCell("1/99999999999999999999/1999", '/', true, a, b, c));
    EXPECT_GT(b, int64_t{INT_MAX});  // huge, but not wrapped round
    int64_t day = 0, month = 0, year = 0;
    EXPECT_TRUE(ScanNamedDateCell("05-JAN-99", day, month, year));
    EXPECT_EQ(month, 1);
    EXPECT_TRUE(ScanNamedDateCell("05-Foo-99", day, month, year));
    EXPECT_EQ(month, -1);
    TimeFields f;
    EXPECT_TRUE(ScanClockCell("10:30", true, true, f));
    EXPECT_FALSE(ScanClockCell("10:30", false, true, f));
    EXPECT_TRUE(ScanClockCell("10:30:15", true, true, f));
    EXPECT_EQ(f.second, 15);
    EXPECT_FALSE(ScanClockCell("10:30pm", true, true, f));
    EXPECT_TRUE(ScanClockCell("10:30:00.000", false, false, f));
}

}  // namespace
}  // namespace zav
