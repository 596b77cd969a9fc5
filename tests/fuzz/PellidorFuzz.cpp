// The PELLIDOR reader on any text: what it reads is added to a project,
// whose points must be in order, round-trip through the project file and
// make a report.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "io/PellidorReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zav::fuzz::CheckAgencyText(zav::ReadPellidorText, "fuzz.pld", data, size);
    return 0;
}
