// One data source block with its station data blocks, as a project carries
// an input: when it reads, it is added to a project, which must round-trip.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/InputError.h"
#include "core/TextReader.h"
#include "io/ImportReport.h"
#include "io/StationBlocks.h"

using namespace zav;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::QuietUserInterface ui;
    TextReader in(std::string(reinterpret_cast<const char*>(data), size));
    DataSource source;
    ImportReport report;
    report.StartInput("fuzz");
    try {
        ReadSourceBlock(in, source, report);
    } catch (const InputError&) {
        return 0;
    }
    ZAVFieldManager store(ui);
    store.AddSource(std::move(source));
    fuzz::CheckSeriesInOrder(store);
    fuzz::CheckProjectRoundTrip("", store);
    fuzz::OptionBytes options(data, size);
    fuzz::ReportText(store, options);
    return 0;
}
