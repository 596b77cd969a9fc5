// What a file dropped on the window is taken for.
#include <gtest/gtest.h>

#include "app/rules/DroppedFiles.h"

namespace {

TEST(DroppedFiles, DataFilesByExtensionInAnyCaseEverythingElseIsAProject) {
    const std::vector<std::pair<std::string, DroppedKind>> cases = {
        {"/data/lab.csv", DroppedKind::kCsvFile},
        {"/data/LAB.CSV", DroppedKind::kCsvFile},
        {"daily.tsv", DroppedKind::kCsvFile},
        {"notes.Txt", DroppedKind::kCsvFile},
        {"/x/north-basin.mlv", DroppedKind::kAgencyFile},
        {"talverene.PLD", DroppedKind::kAgencyFile},
        {"/x/sample.zav", DroppedKind::kProject},
        {"/x/no-extension", DroppedKind::kProject},
        // A dot in a folder's name is no extension of the file.
        {"/x/data.csv/project", DroppedKind::kProject},
        {"/x/archive.csv.zav", DroppedKind::kProject},
    };
    for (const auto& [path, kind] : cases) {
        EXPECT_EQ(KindOfDroppedFile(path), kind) << path;
    }
}

}  // namespace
