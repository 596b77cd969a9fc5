// The clipboard text of the table widget: what a copy writes and how a paste
// is cut into cells.
#include <gtest/gtest.h>

#include "app/rules/GridText.h"

namespace zav {
namespace {

struct PasteCase {
    const char* text;
    TextBlock cells;
};

class PasteTextTest : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteTextTest, IsCutAtLineFeedsTabsAndCommas) {
    EXPECT_EQ(SplitPasteText(GetParam().text), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(Texts, PasteTextTest,
                         ::testing::Values(
                             // Blanks and the CR of a CR LF leave every cell; the last line end
                             // makes no extra row.
                             PasteCase{"a, b\t c \r\nd,,e\r\n", {{"a", "b", "c"}, {"d", "", "e"}}},
                             // A leading empty field keeps its column.
                             PasteCase{",x\n\ty", {{"", "x"}, {"", "y"}}},
                             PasteCase{"one", {{"one"}}}, PasteCase{"", {}},
                             // Only one line end after the last row is dropped: a blank row
                             // inside the block stays.
                             PasteCase{"a\n\nb\n", {{"a"}, {""}, {"b"}}}, PasteCase{"\n", {{""}}}));

TEST(CopyTextTest, JoinsCellsWithTabsAndRowsWithLineFeeds) {
    EXPECT_EQ(BuildCopyText(TextBlock{{"a", ""}, {"", "b"}}), "a\t\n\tb");
    EXPECT_EQ(BuildCopyText(TextBlock{}), "");
    // What a copy writes, a paste reads back into the same cells.
    const TextBlock block{{"r1", "x1", "y1"}, {"", "x2", ""}};
    EXPECT_EQ(SplitPasteText(BuildCopyText(block)), block);
}

}  // namespace
}  // namespace zav
