// Series blocks parsed side by side must read exactly as one after another:
// the same series, the same skipped values with their lines, the same first
// error, and the reading left at the same place, for sound files and for
// files damaged in every way a hand edit or a broken copy could.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "StoreBuilders.h"
#include "TestSupport.h"
#include "core/InputError.h"
#include "core/TextFormat.h"
#include "io/ImportReport.h"
#include "io/SeriesBlockReader.h"
#include "io/StationBlocks.h"

namespace zav {
namespace {

// Three sources of several series, with values that are not numbers, a
// multiplier that is not one and points out of order.
std::string SourcesText() {
    std::string text;
    std::mt19937 random(3);
    for (int f = 0; f < 3; ++f) {
        DataSource source;
        source.fileName = "input" + std::to_string(f) + ".mlv";
        for (int s = 0; s < 4; ++s) {
            DataSeries series;
            series.SetStationName("S" + std::to_string(f) + std::to_string(s));
            series.SetParameterName(s % 2 == 0 ? "DO" : "pH");
            KTRTime time(2000 + s, 1 + f, 1, 0, 0, 0);
            for (int i = 0; i < 3 + static_cast<int>(random() % 20); ++i) {
                series.AppendPoint(time + 3600 * i, static_cast<double>(random() % 1000) / 8, 0);
            }
            source.series.push_back(series);
        }
        WriteSourceBlock(text, source);
    }
    for (const char* from : {"data =12", "data =3", "multiplier =1\r"}) {
        if (size_t at = text.find(from); at != std::string::npos) {
            text.replace(at, std::string(from).size() - 1,
                         from[0] == 'm' ? "multiplier =inf" : "data =nan");
        }
    }
    const size_t late = text.find("time = 2001");
    text.replace(late, 11, "time = 1999");
    return text;
}

// What a reading gave: the error, the report, the series and where it stopped.
std::string Outcome(TextReader& in, SeriesBlockReader* blocks) {
    ImportReport report;
    report.StartInput("p.zav");
    std::string written;
    std::string error;
    try {
        for (int f = 0; f < 3; ++f) {
            DataSource source;
            ReadSourceBlock(in, source, report, blocks);
            WriteSourceBlock(written, source);
        }
    } catch (const InputError& e) {
        error = e.Message();
    }
    return error + "\n" + ImportMessage(report) + "\n" + written + "\nat " +
           std::to_string(in.Offset()) + " line " + std::to_string(in.LineNumber());
}

std::string Damaged(const std::string& text, std::mt19937& random) {
    std::string out = text;
    const size_t at = random() % out.size();
    const size_t lineStart = out.rfind('\n', at) == std::string::npos ? 0 : out.rfind('\n', at) + 1;
    const size_t lineEnd = std::min(out.find('\n', at), out.size() - 1);
    switch (random() % 5) {
        case 0:  // a line lost
            return out.erase(lineStart, lineEnd + 1 - lineStart);
        case 1:  // a copy cut short
            return out.substr(0, at);
        case 2:  // a line doubled
            return out.insert(lineStart, out.substr(lineStart, lineEnd + 1 - lineStart));
        case 3: {  // a character changed
            static const char kInto[] = "=\n\rx5 -";
            out[at] = kInto[random() % (sizeof kInto - 1)];
            return out;
        }
        default:  // a block's first line where none belongs
            return out.insert(lineStart, "station name = stray\r\n");
    }
}

TEST(SeriesBlockReader, ReadsSoundAndDamagedFilesExactlyAsOneAfterAnother) {
    test::TempDir dir;
    const std::string path = dir.File("blocks.zav");
    const std::string sound = SourcesText();
    std::mt19937 random(11);
    for (int variant = 0; variant < 300; ++variant) {
        const std::string text = variant == 0 ? sound : Damaged(sound, random);
        TextReader alone(text);
        const std::string expected = Outcome(alone, nullptr);
        if (variant == 0) {
            ASSERT_EQ(expected.find("Parse error"), std::string::npos) << expected;
            ASSERT_NE(expected.find("not a number: 3 (line 7: 'inf'; line 17: 'nan'; line 27"),
                      std::string::npos)
                << expected;
        }
        test::WriteFile(path, text);
        for (size_t piece : {size_t{150}, size_t{4000}, SeriesBlockReader::kPieceBytes}) {
            SCOPED_TRACE("variant " + std::to_string(variant) + ", pieces of " +
                         std::to_string(piece));
            SeriesBlockReader blocks(3, piece);
            TextReader in;
            in.SetPieceSize(97);
            ASSERT_EQ(in.OpenFile(path), ReadResult::kOk);
            ASSERT_EQ(Outcome(in, &blocks), expected);
        }
    }
}

}  // namespace
}  // namespace zav
