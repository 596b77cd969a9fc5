// A CR that some exporters leave in a line (CR CR LF line ends, a stray CR
// in the station columns) never becomes part of a name: otherwise the name
// is saved with a blank for it and no longer matches when the same file is
// added again.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "io/CZAVDoc.h"
#include "io/ImportReport.h"

namespace zav {
namespace {

std::vector<std::string> StationNames(const CZAVDoc& doc) {
    std::vector<std::string> names;
    for (const auto& entry : doc.FieldManager().Stations().Entries()) {
        names.push_back(entry.first);
    }
    return names;
}

using CarriageReturnTest = test::DocumentTest;

TEST_F(CarriageReturnTest, AStationWithACarriageReturnMatchesItselfAfterASave) {
    // The regression input's one value is a control character, which is no
    // number: it adds no series and is reported. The same line with a
    // number after it makes the station.
    const std::string reproducer = test::DataPath("regressions/molvan-cr-in-station.mlv");
    ImportReport report;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.AddAgencyFiles({reproducer}, &report);
    EXPECT_TRUE(StationNames(doc).empty());
    EXPECT_EQ(report.Count(SkipRule::kNotANumber), 1u);

    std::string text = test::ReadFile(reproducer);
    text.insert(text.find('\x01') + 1, " 4.5");
    const std::string input = dir.File("cr.mlv");
    test::WriteFile(input, text);
    doc.AddAgencyFiles({input});
    const std::vector<std::string> first = StationNames(doc);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].find('\r'), std::string::npos);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("p.zav")));

    CZAVDoc again(ui, test::EnvironmentIn(dir));
    ASSERT_TRUE(again.OnOpenDocument(dir.File("p.zav")));
    EXPECT_EQ(StationNames(again), first);
    again.AddAgencyFiles({input});
    EXPECT_EQ(StationNames(again), first);
}

}  // namespace
}  // namespace zav
