// Agency files: the fixed-layout station exports (MOLVAN ".mlv", PELLIDOR
// ".pld") that users add to a project. The reader is chosen by the path; a
// file is added to the store only when it was read through without error.
#pragma once

#include <string>

#include "core/TextReader.h"
#include "store/DataSource.h"
#include "store/ZAVFieldManager.h"

namespace zav {

class ImportReport;
class UserInterface;

// Sets the source's file name and reads the file with the reader its path
// names: ".mlv" anywhere in it (checked first, case-sensitive), then ".pld".
// Any other path is refused with a message. True when the file was read;
// what the reader skipped is noted in `report`.
bool ReadAgencyFile(DataSource& source, const std::string& path, UserInterface& ui,
                    ImportReport& report);

// Reads the file into a fresh source and appends it to the store (which
// rebuilds its indexes) only when the read succeeded. 1 when added, else 0.
// The file is one input of `report`, named by its path.
int AddAgencyFile(ZAVFieldManager& store, const std::string& path, ImportReport& report);

// Appends a source that was read to the store and notes its points as the
// current input's values. Returns 1, the count of sources added.
int AddReadSource(ZAVFieldManager& store, DataSource source, ImportReport& report);

// Opens an agency file or spreadsheet for reading; shows "Unable to open
// file <path> for input." (or that the path is a folder or not a regular
// file) and returns false when it cannot be read.
bool LoadAgencyText(TextReader& in, const std::string& path, UserInterface& ui);
// After a read: false, with the same message, when the file failed to read
// to its end, so that a part of it is never taken for the whole.
bool ReadToTheEnd(const TextReader& in, const std::string& path, UserInterface& ui);

}  // namespace zav
