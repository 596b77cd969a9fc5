// The spreadsheet imports, from a file and from the clipboard, and the
// Edit Data page's paste. Option bytes at the front choose the layout (1,
// 2, or 3 with a parse string made of the next bytes), the separator and
// the first value column; the rest is the text. What is read must round-trip through the project
// file and make a report.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "io/CZAVDoc.h"
#include "io/ParsedColumns.h"

using namespace zav;

namespace {

std::string ParseStringFrom(fuzz::OptionBytes& options) {
    std::string parseString;
    const int tokens = 1 + options.Pick(6);
    for (int i = 0; i < tokens; ++i) {
        if (i > 0) {
            parseString += '\t';
        }
        parseString += kParseTokens[options.Pick(kParseTokenCount)];
    }
    return parseString;
}

// One scratch file per process, rewritten for every input and removed when
// the process ends; in memory where the system offers it, as a disk shared
// with other work slows every input down to its pace.
struct ScratchFile {
    std::string path = std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                       "/zav-fuzz-" + std::to_string(::getpid()) + ".txt";
    ~ScratchFile() { std::remove(path.c_str()); }
};

const std::string& ScratchPath() {
    static const ScratchFile file;
    return file.path;
}

// The Edit Data page's paste: one column into a series that has points.
bool PasteIntoSeries(CZAVDoc& doc, size_t columns, uint8_t column, const std::string& text) {
    DataSeries series;
    series.SetStationName("Pasted");
    series.SetParameterName("param 1");
    series.InsertPoint(KTRTime(1999, 1, 1, 0, 0, 0), 1.5, 0);
    DataSource source;
    source.series.push_back(std::move(series));
    doc.FieldManager().AddSource(std::move(source));
    const int valueColumn = 1 + static_cast<int>(column % (columns + 1));
    return ImportParsedColumn(doc.FieldManager(), "Pasted", "param 1", doc.ParseString(),
                              valueColumn, text);
}

bool Import(CZAVDoc& doc, fuzz::QuietUserInterface& ui, fuzz::OptionBytes& options) {
    const int layout = 1 + options.Pick(3);
    const bool fromClipboard = options.Pick(2) == 1;
    SpreadsheetOptions sheet;
    sheet.layout = layout == 3 ? 1 : layout;
    sheet.separator = options.Pick(2) == 1 ? '\t' : ',';
    sheet.startColumn = 1 + options.Pick(4);
    std::vector<std::string> parameters;
    if (layout == 3) {
        doc.SetParseString(ParseStringFrom(options));
        const int columns = CountValueColumns(doc.ParseString());
        for (int k = 0; k < columns; ++k) {
            parameters.push_back(options.Pick(4) == 0 ? "" : "param " + std::to_string(k + 1));
        }
    }
    const std::string text = options.Rest();
    if (layout == 3 && fromClipboard && options.Pick(2) == 1) {
        return PasteIntoSeries(doc, parameters.size(), options.Next(), text);
    }
    if (fromClipboard) {
        ui.clipboard = text;
        return layout == 3 ? doc.AddParsedClipboard(parameters) : doc.AddClipboardData(sheet) == 1;
    }
    // Written plainly: a safe write's fsync would cost more than the import.
    std::FILE* scratch = std::fopen(ScratchPath().c_str(), "wb");
    if (scratch == nullptr || std::fwrite(text.data(), 1, text.size(), scratch) != text.size() ||
        std::fclose(scratch) != 0) {
        fuzz::Fail("the scratch file is written", ScratchPath());
    }
    const std::vector<std::string> paths{ScratchPath()};
    return layout == 3 ? doc.AddParsedSpreadsheetFiles(paths, parameters)
                       : doc.AddSpreadsheetFiles(paths, sheet) == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::QuietUserInterface ui;
    DocumentEnvironment environment;
    environment.programDir = "/nonexistent/";
    environment.applyWorkingDirectory = false;
    CZAVDoc doc(ui, environment);
    fuzz::OptionBytes options(data, size);
    Import(doc, ui, options);
    fuzz::CheckSeriesInOrder(doc.FieldManager());
    fuzz::CheckProjectRoundTrip(doc.ParseString(), doc.FieldManager());
    fuzz::OptionBytes reportOptions(data, size);
    fuzz::ReportText(doc.FieldManager(), reportOptions);
    return 0;
}
