// The MOLVAN reader on any text: what it reads is added to a project,
// whose points must be in order, round-trip through the project file and
// make a report.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "io/MolvanReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zav::fuzz::CheckAgencyText(zav::ReadMolvanText, "fuzz.mlv", data, size);
    return 0;
}
