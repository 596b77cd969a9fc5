// The project file from any text: when it opens, it must save, open again
// with every item the same, and save again to the same bytes; a report over
// it must come out the same before and after.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/InputError.h"
#include "io/ImportReport.h"
#include "io/ProjectFile.h"

using namespace zav;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::QuietUserInterface ui;
    ZAVFieldManager store(ui);
    std::string parseString;
    ImportReport report;
    report.StartInput("fuzz.zav");
    try {
        ReadProjectFileText(std::string(reinterpret_cast<const char*>(data), size), parseString,
                            store, report);
    } catch (const InputError&) {
        return 0;
    }
    fuzz::CheckSeriesInOrder(store);
    const std::string saved = fuzz::CheckProjectRoundTrip(parseString, store);

    ZAVFieldManager reopened(ui);
    std::string parseBack;
    ImportReport again;
    ReadProjectFileText(saved, parseBack, reopened, again);
    // The same option bytes for both, so both reports ask the same.
    fuzz::OptionBytes first(data, size);
    fuzz::OptionBytes second(data, size);
    const std::string before = fuzz::ReportText(store, first);
    const std::string after = fuzz::ReportText(reopened, second);
    ZAV_FUZZ_CHECK(before == after,
                   "the report changed through a save:\n" + before + "\n---\n" + after);
    return 0;
}
