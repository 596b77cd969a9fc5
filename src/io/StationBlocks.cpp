#include "io/StationBlocks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "core/InputError.h"
#include "core/TextFormat.h"
#include "io/ImportReport.h"
#include "io/SeriesBlockReader.h"

namespace zav {

const char* const kLineEnd = "\r\n";

namespace {
// The shortest text one point takes in a block ("time =", "data =",
// "mask =" with their values and line ends); bounds how much room a count
// read from the file may reserve.
constexpr size_t kMinPointBytes = 18;
constexpr size_t kMinSeriesBytes = 100;
// A save passes its text on at least this often: about half a megabyte.
constexpr size_t kPointsPerPass = 8192;

// Enough text for one point as a save writes it, with room to spare.
constexpr size_t kWrittenPointWindow = 256;

struct WrittenPoint {
    KTRTime time;
    double value = 0.0;
    int mask = 0;
};

// `text` at `pos` holds `keyword` (as "data =") right after at most one
// line end; `pos` is moved past it.
bool TakeKey(std::string_view text, size_t& pos, std::string_view keyword) {
    if (pos < text.size() && text[pos] == '\r') {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '\n') {
        ++pos;
    }
    if (text.substr(pos, keyword.size()) != keyword) {
        return false;
    }
    pos += keyword.size();
    return true;
}

// A number's text must end inside what was looked at, unless that is the
// end of the whole text, or it might go on past it.
bool EndsInside(std::string_view text, size_t pos, bool wholeRest) {
    return pos < text.size() || wholeRest;
}

// One point as a save writes it ("time = ...", "data =...", "mask =..." on
// lines of their own, a finite value) read without the general header
// search and without moving the reading unless the whole point is there.
// Anything else is left to the general reading, which gives the same point
// and position for these lines, and reports what is wrong with the others.
bool ReadWrittenPoint(TextReader& in, WrittenPoint& point) {
    if (in.Failed()) {
        return false;
    }
    const std::string_view text = in.Window(kWrittenPointWindow);
    const bool wholeRest = text.size() >= in.Remaining();
    size_t pos = 0;
    if (!TakeKey(text, pos, "time =")) {
        return false;
    }
    const size_t lineEnd = text.find('\n', pos);
    if (lineEnd == std::string_view::npos) {
        return false;
    }
    size_t stop = lineEnd;
    while (stop > pos && text[stop - 1] == '\r') {
        --stop;
    }
    point.time = KTRTime::FromStoredForm(text.substr(pos, stop - pos));
    pos = lineEnd;
    if (!point.time.IsValid() || !TakeKey(text, pos, "data =")) {
        return false;
    }
    if (!ExtractDouble(text, pos, point.value) || !std::isfinite(point.value) ||
        !EndsInside(text, pos, false) || !TakeKey(text, pos, "mask =")) {
        return false;
    }
    if (!ExtractInt(text, pos, point.mask) || !EndsInside(text, pos, wholeRest)) {
        return false;
    }
    in.Skip(pos);
    return true;
}

template <size_t N>
char* Put(char* p, const char (&literal)[N]) {
    std::memcpy(p, literal, N - 1);
    return p + N - 1;
}
}  // namespace

void AppendLineValue(std::string& out, const std::string& value) {
    size_t start = out.size();
    out += value;
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '\r', ' ');
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '\n', ' ');
}

void AppendItem(std::string& out, const char* key, const std::string& value) {
    out += key;
    AppendLineValue(out, value);
    out += kLineEnd;
}

void AppendItem(std::string& out, const char* key, double value) {
    out += key;
    AppendExact(out, value);
    out += kLineEnd;
}

void AppendCount(std::string& out, const char* key, long long count) {
    out += key;
    AppendInt(out, count);
    out += kLineEnd;
}

void WriteSeriesBlock(PieceWriter& pieces, const DataSeries& series) {
    std::string& out = pieces.Text();
    AppendItem(out, "station name =", series.StationName());
    AppendItem(out, "station location =", series.StationLocation());
    AppendItem(out, "parameter =", series.ParameterName());
    AppendItem(out, "units =", series.Units());
    AppendItem(out, "multiplier =", series.Multiplier());
    AppendItem(out, "offset =", series.Offset());
    AppendCount(out, "number of data points = ", static_cast<long long>(series.Size()));
    // The three lines of a point are built in one buffer and appended at
    // once: this loop is most of the time a save takes.
    char lines[160];
    for (size_t i = 0; i < series.Size(); ++i) {
        char* p = lines;
        p = Put(p, "time = ");
        p += series.Time(i).WriteStoredForm(p);
        p = Put(p, "\r\ndata =");
        p += WriteExact(p, series.Value(i));
        p = Put(p, "\r\nmask =");
        p = std::to_chars(p, p + 12, series.Mask(i)).ptr;
        p = Put(p, "\r\n");
        out.append(lines, static_cast<size_t>(p - lines));
        if (i % kPointsPerPass == kPointsPerPass - 1) {
            pieces.Pass();
        }
    }
    pieces.Pass();
}

void WriteSourceBlock(PieceWriter& out, const DataSource& source) {
    AppendItem(out.Text(), "filename =", source.fileName);
    AppendCount(out.Text(), "number of stations =", static_cast<long long>(source.series.size()));
    for (const DataSeries& series : source.series) {
        WriteSeriesBlock(out, series);
    }
}

void WriteSeriesBlock(std::string& out, const DataSeries& series) {
    PieceWriter gather(out);
    WriteSeriesBlock(gather, series);
}

void WriteSourceBlock(std::string& out, const DataSource& source) {
    PieceWriter gather(out);
    WriteSourceBlock(gather, source);
}

void ExpectHeader(TextReader& in, std::string_view keyword, std::string_view reported) {
    if (!in.ReadHeader(keyword)) {
        throw InputError::MissingHeader(std::string(reported) + " =");
    }
}

void ExpectHeader(TextReader& in, std::string_view keyword) {
    ExpectHeader(in, keyword, keyword);
}

double ReadFiniteItem(TextReader& in, double fallback, ImportReport& report) {
    const size_t line = report.WantsPlace(SkipRule::kNotANumber) ? in.LineNumber() : 0;
    const std::string_view text = in.RestOfLineView();
    const double value = AtoF(text);
    if (std::isfinite(value)) {
        return value;
    }
    report.Skip(SkipRule::kNotANumber, line, 0, TrimView(text));
    return fallback;
}

void ReadSeriesBlock(TextReader& in, DataSeries& series, ImportReport& report) {
    ExpectHeader(in, "station name");
    series.SetStationName(in.RestOfLine());
    ExpectHeader(in, "station location");
    series.SetStationLocation(in.RestOfLine());
    ExpectHeader(in, "parameter");
    series.SetParameterName(in.RestOfLine());
    ExpectHeader(in, "units");
    series.SetUnits(in.RestOfLine());
    ExpectHeader(in, "multiplier");
    series.SetMultiplier(ReadFiniteItem(in, 1.0, report));
    ExpectHeader(in, "offset");
    series.SetOffset(ReadFiniteItem(in, 0.0, report));
    ExpectHeader(in, "number of data points");
    int count = AtoI(in.RestOfLine());

    DataSeries filled;  // keeps the strings above out of the point loop
    if (count > 0) {
        // The count is only a hint: a damaged or hostile file cannot make us
        // reserve more than its remaining text could hold.
        filled.Reserve(std::min(static_cast<size_t>(count), in.Remaining() / kMinPointBytes + 1));
    }
    DataSeries::Appender append(filled);
    for (int i = 0; i < count; ++i) {
        WrittenPoint point;
        if (ReadWrittenPoint(in, point)) {
            append(point.time, point.value, point.mask);
            continue;
        }
        ExpectHeader(in, "time");
        std::string_view text = in.RestOfLineView();
        KTRTime time = KTRTime::FromStoredForm(text);
        if (!time.IsValid()) {
            throw InputError("Parse error: unable to read the time '" + Trim(text) + "'");
        }
        ExpectHeader(in, "data");
        double value = in.ExtractDouble();
        // Not a number is no measurement: such a point is treated as missing.
        const bool finite = std::isfinite(value);
        const size_t line =
            !finite && report.WantsPlace(SkipRule::kNotANumber) ? in.LineNumber() : 0;
        ExpectHeader(in, "mask");
        int mask = in.ExtractInt();
        if (!finite) {
            report.Skip(SkipRule::kNotANumber, line, 0, line > 0 ? FormatG(value) : std::string());
            continue;
        }
        append(time, value, mask);
    }
    filled.SortByTime(1);
    filled.SetStationName(series.StationName());
    filled.SetStationLocation(series.StationLocation());
    filled.SetParameterName(series.ParameterName());
    filled.SetUnits(series.Units());
    filled.SetMultiplier(series.Multiplier());
    filled.SetOffset(series.Offset());
    series = std::move(filled);
}

void ReadSourceBlock(TextReader& in, DataSource& source, ImportReport& report,
                     SeriesBlockReader* blocks) {
    ExpectHeader(in, "filename");
    source.fileName = in.RestOfLine();
    ExpectHeader(in, "number of stations");
    int count = in.ExtractInt();
    source.series.clear();
    if (count > 0) {
        source.series.reserve(
            std::min(static_cast<size_t>(count), in.Remaining() / kMinSeriesBytes + 1));
    }
    for (int i = 0; i < count; ++i) {
        source.series.emplace_back();
        if (blocks != nullptr) {
            blocks->Read(in, source.series.back(), report);
        } else {
            ReadSeriesBlock(in, source.series.back(), report);
        }
    }
}

}  // namespace zav
