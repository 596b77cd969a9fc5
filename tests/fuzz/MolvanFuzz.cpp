// The MOLVAN reader on any text: what it reads is added to a project,
// whose points must be in order, round-trip through the project file and
// make a report.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "io/AgencyFile.h"
#include "io/ImportReport.h"
#include "io/MolvanReader.h"

using namespace zav;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::QuietUserInterface ui;
    DataSource source;
    source.fileName = "fuzz.mlv";
    ImportReport report;
    report.StartInput(source.fileName);
    if (!ReadMolvanText(source, std::string(reinterpret_cast<const char*>(data), size),
                        source.fileName, ui, report)) {
        return 0;
    }
    ZAVFieldManager store(ui);
    AddReadSource(store, std::move(source), report);
    fuzz::CheckSeriesInOrder(store);
    fuzz::CheckProjectRoundTrip("", store);
    fuzz::OptionBytes options(data, size);
    fuzz::ReportText(store, options);
    return 0;
}
