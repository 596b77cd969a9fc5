// A file is read through a window refilled piece by piece. Whatever the
// pieces, every read must give what the same read gives on the whole text:
// lines, headers, numbers, line numbers and CRs that end a line or read as
// blanks, all across the ends of pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "TestSupport.h"
#include "core/FileIO.h"
#include "core/TextReader.h"

namespace zav {
namespace {

// Text made of the characters readers care about, with many line ends, CR
// runs, blanks and numbers, and now and then a line longer than the limit.
std::string TrickyText(std::mt19937& random, size_t size) {
    static const std::string kPieces[] = {
        "a",  "key",  " = ",  "=",     "\r",   "\r\n",     "\r\r\n", "\n",  " ",
        "\t", "12",   "-3.5", "1e5",   "+7",   "0x1f",     "nan",    "inf", "2e",
        ".",  "time", "data", "mask ", "\n\n", "\r\r\r\n", "\r \r"};
    std::string text = random() % 4 == 0 ? "\xEF\xBB\xBF" : "";
    std::uniform_int_distribution<size_t> pick(0, std::size(kPieces) - 1);
    while (text.size() < size) {
        if (random() % 200 == 0) {
            text.append(TextReader::kMaxLine + random() % 40, 'x');
        }
        text += kPieces[pick(random)];
    }
    return text;
}

// One step of reading, named by what it gave.
std::string Step(TextReader& in, int step) {
    std::string line;
    switch (step) {
        case 0:
            return std::to_string(in.ReadLine(line)) + line;
        case 1:
            return std::to_string(in.ReadWholeLine(line)) + line;
        case 2:
            return std::to_string(in.ReadHeader("key"));
        case 3:
            return std::to_string(in.ReadHeader("a"));
        case 4:
            return std::string(in.RestOfLineView());
        case 5:
            return std::to_string(in.ExtractDouble());
        case 6:
            return std::to_string(in.ExtractInt());
        default:
            return std::to_string(in.AtEnd());
    }
}

TEST(TextReaderPieces, EveryReadGivesWhatTheWholeTextGives) {
    test::TempDir dir;
    const std::string path = dir.File("pieces.txt");
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        const std::string text = TrickyText(random, 6000);
        ASSERT_EQ(WriteFileSafely(path, text), WriteResult::kOk);
        for (size_t piece : {1, 2, 3, 5, 64, 700}) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", pieces of " + std::to_string(piece));
            TextReader whole(text);
            TextReader pieces;
            pieces.SetPieceSize(piece);
            ASSERT_EQ(pieces.OpenFile(path), ReadResult::kOk);
            std::mt19937 steps(seed * 7);
            for (int i = 0; i < 3000 && !whole.AtEnd(); ++i) {
                const int step = static_cast<int>(steps() % 8);
                ASSERT_EQ(Step(pieces, step), Step(whole, step)) << "step " << i;
                ASSERT_EQ(pieces.LineNumber(), whole.LineNumber()) << "step " << i;
                ASSERT_EQ(pieces.Offset(), whole.Offset()) << "step " << i;
                ASSERT_EQ(pieces.Failed(), whole.Failed()) << "step " << i;
            }
            EXPECT_EQ(pieces.AtEnd(), whole.AtEnd());
        }
    }
}

// Empty files, and files of nothing but a byte-order mark or CRs, read as
// their text does and then end.
TEST(TextReaderPieces, ShortFilesEndAtOnce) {
    test::TempDir dir;
    const std::string path = dir.File("short.txt");
    for (const std::string text : {"", "\xEF\xBB\xBF", "\r", "\r\r", "x"}) {
        ASSERT_EQ(WriteFileSafely(path, text), WriteResult::kOk);
        TextReader in;
        in.SetPieceSize(1);
        ASSERT_EQ(in.OpenFile(path), ReadResult::kOk);
        TextReader whole(text);
        std::string line;
        std::string wholeLine;
        EXPECT_EQ(in.ReadLine(line), whole.ReadLine(wholeLine)) << text.size();
        EXPECT_EQ(line, wholeLine);
        EXPECT_TRUE(in.AtEnd());
        EXPECT_FALSE(in.ReadLine(line));
    }
}

// Line numbers are counted several bytes at a time: bytes with the high bit
// set, NULs and LFs in every position of a word must count exactly.
TEST(TextReaderPieces, LineNumbersCountEveryLineEndWhereverTheReadingMoves) {
    std::mt19937 random(5);
    const char kBytes[] = {'\n', '\n', 'a', '\r', '\0', '\x8A', '\x0B', '\xFF', '\x7F'};
    for (int round = 0; round < 50; ++round) {
        std::string text(1 + random() % 300, ' ');
        for (char& c : text) {
            c = kBytes[random() % sizeof kBytes];
        }
        TextReader in(text);
        size_t pos = 0;
        while (pos < text.size()) {
            const size_t step = std::min<size_t>(random() % 40, text.size() - pos);
            in.Skip(step);
            pos += step;
            ASSERT_EQ(in.LineNumber(),
                      1 + static_cast<size_t>(std::count(text.begin(), text.begin() + pos, '\n')))
                << "round " << round << " at " << pos;
        }
    }
}

// A part of a text read on its own counts offsets from the whole text and
// lines from the line it is told it starts on.
TEST(TextReaderPieces, APartCountsFromWhereItIsInTheWholeText) {
    const std::string text = "one\r\ntwo\r\nkey = 5\r\nfour\r\n";
    TextReader part;
    part.SetPart(text, text.find("key"), text.find("four"), 12);
    EXPECT_EQ(part.LineNumber(), 12u);
    EXPECT_EQ(part.Offset(), text.find("key"));
    EXPECT_EQ(part.Remaining(), text.find("four") - text.find("key"));
    EXPECT_TRUE(part.ReadHeader("key"));
    EXPECT_EQ(part.ExtractInt(), 5);
    EXPECT_EQ(part.RestOfLine(), "");
    EXPECT_EQ(part.LineNumber(), 13u);
    EXPECT_TRUE(part.AtEnd());
    std::string line;
    EXPECT_FALSE(part.ReadLine(line));
}

}  // namespace
}  // namespace zav
