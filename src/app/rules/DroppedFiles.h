// What a file dropped on the main window is, by its name: data to add to the
// active project (CSV and text files through Add From CSV, MOLVAN and
// PELLIDOR files as agency files) or a project to open.
#pragma once

#include <string>

enum class DroppedKind { kProject, kCsvFile, kAgencyFile };

// By the extension, in any case: .csv, .tsv and .txt are CSV, .mlv and .pld
// agency files; everything else is opened as a project.
DroppedKind KindOfDroppedFile(const std::string& path);
