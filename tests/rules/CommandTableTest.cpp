// The command table the frame builds its menus and toolbar from.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/rules/CommandTable.h"

namespace {

TEST(CommandTableTest, EveryCommandHasItsOwnIdentifierAndAMenuText) {
    int count = 0;
    const CommandInfo* table = CommandTable(count);
    ASSERT_GT(count, 0);
    std::set<int> ids;
    for (int i = 0; i < count; ++i) {
        EXPECT_TRUE(ids.insert(table[i].id).second) << table[i].text;
        ASSERT_NE(table[i].text, nullptr);
        EXPECT_NE(std::string(table[i].text).find('&'), std::string::npos) << table[i].text;
    }
    // The recent files are numbered in a block of their own.
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(ids.count(cmd::kRecentFile1 + k), 0u);
    }
}

TEST(CommandTableTest, AShortcutIsTheOneTheMenuTextShows) {
    int count = 0;
    const CommandInfo* table = CommandTable(count);
    for (int i = 0; i < count; ++i) {
        const std::string text = table[i].text;
        const size_t tab = text.find('\t');
        if (table[i].shortcut == nullptr) {
            EXPECT_EQ(tab, std::string::npos) << text;
        } else {
            ASSERT_NE(tab, std::string::npos) << text;
            EXPECT_EQ(text.substr(tab + 1), table[i].shortcut);
        }
    }
}

}  // namespace
