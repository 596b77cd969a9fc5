#include "app/rules/DroppedFiles.h"

#include <algorithm>
#include <cctype>

DroppedKind KindOfDroppedFile(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return DroppedKind::kProject;
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "csv" || extension == "tsv" || extension == "txt") {
        return DroppedKind::kCsvFile;
    }
    if (extension == "mlv" || extension == "pld") {
        return DroppedKind::kAgencyFile;
    }
    return DroppedKind::kProject;
}
