// Aggregate blocks of a project file that the desktop cannot write: each is
// refused with a message naming it and the reason, the rest of the project
// opens, and the project saved afterwards reopens identically.
#include <gtest/gtest.h>

#include "StoreBuilders.h"
#include "TestSupport.h"
#include "io/CZAVDoc.h"

namespace zav {
namespace {

using test::MakeSeries;
using test::MakeSource;

class ProjectAggregatesTest : public test::DocumentTest {
protected:
    // A project of stations A, B, C and parameters P, Q, whose aggregate
    // sections are the given blocks (CR LF line ends, as saved).
    std::string ProjectWith(const std::string& stationBlocks, int stationCount,
                            const std::string& parameterBlocks = "", int parameterCount = 0) {
        CZAVDoc source(ui, test::EnvironmentIn(dir));
        source.FieldManager().AddSource(
            MakeSource("a.txt", {MakeSeries("A", "P", "u", {{KTRTime(1995, 1, 1, 0, 0, 0), 1}}),
                                 MakeSeries("B", "P", "u", {{KTRTime(1995, 1, 2, 0, 0, 0), 2}}),
                                 MakeSeries("C", "Q", "u", {{KTRTime(1995, 1, 3, 0, 0, 0), 3}})}));
        std::string text = source.ProjectText();
        Replace(text, "number of aggregated stations =0\r\n",
                "number of aggregated stations =" + std::to_string(stationCount) + "\r\n" +
                    stationBlocks);
        Replace(text, "number of aggregated parameters =0\r\n",
                "number of aggregated parameters =" + std::to_string(parameterCount) + "\r\n" +
                    parameterBlocks);
        return text;
    }

    static void Replace(std::string& text, const std::string& from, const std::string& to) {
        size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }

    static std::string Block(const std::string& alias, const std::vector<std::string>& names,
                             const char* countKey = "number of stations in aggregate =") {
        std::string block =
            "aggregate name =" + alias + "\r\n" + countKey + std::to_string(names.size()) + "\r\n";
        for (const std::string& name : names) {
            block += name + "\r\n";
        }
        return block;
    }

    // "alias: representative, members" of every aggregate of a kind.
    std::vector<std::string> Aggregates(int type) {
        std::vector<IndexInfo> infos;
        std::vector<std::string> aliases;
        doc.FieldManager().GetAggregates(infos, aliases, type);
        std::vector<std::string> out;
        for (const IndexInfo& info : infos) {
            std::string line = info.alias + ": " + info.name;
            for (const std::string& member : info.members) {
                line += ", " + member;
            }
            out.push_back(line);
        }
        return out;
    }

    // Opens the text; then saves, reopens and expects the same project
    // without a word.
    void OpenAndRoundTrip(const std::string& text) {
        test::WriteFile(dir.File("p.zav"), text);
        ASSERT_TRUE(doc.OnOpenDocument(dir.File("p.zav")));
        const std::string saved = doc.ProjectText();
        ASSERT_TRUE(doc.OnSaveDocument(dir.File("saved.zav")));
        CZAVDoc again(ui, test::EnvironmentIn(dir));
        const size_t messages = ui.messages.size();
        ASSERT_TRUE(again.OnOpenDocument(dir.File("saved.zav")));
        EXPECT_EQ(ui.messages.size(), messages);
        EXPECT_TRUE(test::SameLines(saved, again.ProjectText()));
    }

    void SetUp() override { test::WriteFile(dir.File("unitConversions.txt"), ""); }
};

TEST_F(ProjectAggregatesTest, TheNestedAggregateReproducerOpensWithoutIt) {
    OpenAndRoundTrip(test::ReadFile(test::DataPath("regressions/project-nested-aggregate.zav")));
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Station aggregate G2 was left out: G1 is an aggregate itself."});
    EXPECT_EQ(Aggregates(kStationType), std::vector<std::string>{"G1: A, B"});
    std::vector<std::string> names;
    doc.FieldManager().GetNameList(names, kStationType, false);
    EXPECT_EQ(names, (std::vector<std::string>{"C", "G1"}));
}

TEST_F(ProjectAggregatesTest, EachDamagedBlockIsRefusedAndTheRestOpens) {
    struct Case {
        std::string blocks;
        int count;
        std::string message;
        std::vector<std::string> kept;
    };
    const Case cases[] = {
        {Block("G1", {"A", "B"}) + Block("G2", {"C", "B"}),
         2,
         "Station aggregate G2 was left out: B is already in aggregate G1.",
         {"G1: A, B"}},
        {Block("G1", {"A", "B"}) + Block("G2", {"A", "C"}),
         2,
         "Station aggregate G2 was left out: A is already in aggregate G1.",
         {"G1: A, B"}},
        {Block("G1", {"A", "B", "C", "B"}) + Block("G2", {"B", "C"}),
         2,
         "Station aggregate G1 was left out: B is named twice.",
         {"G2: B, C"}},
        {Block("G1", {"X", "A"}) + Block("G2", {"A", "B"}),
         2,
         "Station aggregate G1 was left out: its representative X is not a station of the "
         "project.",
         {"G2: A, B"}},
        {Block("G1", {"A", "B"}) + Block("A", {"C"}),
         2,
         "Station aggregate A was left out: A is already in aggregate G1.",
         {"G1: A, B"}},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        OpenAndRoundTrip(ProjectWith(c.blocks, c.count));
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message}) << c.blocks;
        EXPECT_EQ(Aggregates(kStationType), c.kept) << c.blocks;
    }
}

TEST_F(ProjectAggregatesTest, ParameterAggregatesFollowTheSameRules) {
    const char* key = "number of parameters in aggregate =";
    OpenAndRoundTrip(
        ProjectWith("", 0, Block("W", {"Z", "P"}, key) + Block("V", {"P", "Q"}, key), 2));
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Parameter aggregate W was left out: its representative Z "
                                       "is not a parameter of the project."});
    EXPECT_EQ(Aggregates(kParameterType), std::vector<std::string>{"V: P, Q"});
}

// What the desktop can write keeps its meaning, a member whose data are
// gone included.
TEST_F(ProjectAggregatesTest, SoundAggregatesOpenAsBefore) {
    OpenAndRoundTrip(ProjectWith(Block("G1", {"A", "Gone"}) + Block("G2", {"B", "C"}), 2));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Aggregates(kStationType), (std::vector<std::string>{"G1: A, Gone", "G2: B, C"}));
}

}  // namespace
}  // namespace zav
