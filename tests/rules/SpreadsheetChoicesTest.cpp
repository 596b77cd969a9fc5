// What the spreadsheet dialogs show and give back: the parameter list and the
// five column choices of the parse string.
#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"
#include "StoreBuilders.h"
#include "app/rules/SpreadsheetChoices.h"
#include "io/ParsedColumns.h"
#include "store/ZAVFieldManager.h"

namespace zav {
namespace {

TEST(SpreadsheetChoicesTest, ParametersAreListedByNameWithTheirUnits) {
    ScriptedUserInterface ui;
    ZAVFieldManager store(ui);
    store.AddSource(test::MakeSource(
        "f", {test::MakeSeries("A", "pH", "su"), test::MakeSeries("A", "DO", "mg/l"),
              test::MakeSeries("B", "DO", "mg/l")}));
    const std::vector<ParameterChoice> choices = ParameterChoices(store);
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].text, "DO (mg/l)");
    EXPECT_EQ(choices[1].name, "pH");
    EXPECT_EQ(choices[1].units, "su");
}

TEST(SpreadsheetChoicesTest, EveryColumnChoiceSurvivesTheParseString) {
    for (int token = 0; token < kParseTokenCount; ++token) {
        ParseColumns choices{token, 0, token, kParseTokenCount - 1, 0};
        EXPECT_EQ(ParseColumnChoices(BuildParseString(choices)), choices) << kParseTokens[token];
    }
}

TEST(SpreadsheetChoicesTest, ColumnsWithoutAKnownTokenHaveNoChoiceAndAreWrittenAsSkip) {
    // Tokens are matched exactly: a lower-case or padded one is no choice.
    const ParseColumns choices = ParseColumnChoices("VALUE\tvalue\t HH:MM");
    EXPECT_EQ(choices, (ParseColumns{0, -1, -1, -1, -1}));
    EXPECT_EQ(BuildParseString(choices), "VALUE\tSKIP\tSKIP\tSKIP\tSKIP");
    EXPECT_EQ(BuildParseString(ParseColumns{-1, 99, 6, 5, 4}),
              "SKIP\tSKIP\tHH:MM\tHH:MM:SS\tMM/DD/[YY]YY");
}

}  // namespace
}  // namespace zav
