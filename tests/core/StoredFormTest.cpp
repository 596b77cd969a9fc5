// The stored time form: lines as the program writes them are read by a
// short path, and every other spelling must read exactly as before.
#include <gtest/gtest.h>

#include "core/KTRTime.h"

namespace zav {
namespace {

TEST(StoredFormTest, WrittenAndHandEditedFormsReadAlike) {
    const KTRTime expected(1995, 1, 5, 13, 5, 9);
    for (const char* text :
         {"1995: 1: 5:13: 5: 9", " 1995: 1: 5:13: 5: 9", "1995:01:05:13:05:09",
          "1995: 1: 5:13: 5: 9 trailing", "  1995:1:5:13:5:9", "1995: 1: 5:13: 5: 9\r"}) {
        EXPECT_EQ(KTRTime::FromStoredForm(text), expected) << text;
    }
    // A digit right after the seconds belongs to them (at most two digits).
    EXPECT_EQ(KTRTime::FromStoredForm("1995: 1: 5:13: 5: 95"), KTRTime(1995, 1, 5, 13, 6, 35));
    EXPECT_EQ(KTRTime::FromStoredForm("2004: 2:29: 0: 0: 0").ToStoredForm(), "2004: 2:29: 0: 0: 0");
    for (const char* text :
         {"1995: 1: 5:13: 5", "1995-01-05 13:05:09", "1995: 1 : 5:13: 5: 9", ""}) {
        EXPECT_FALSE(KTRTime::FromStoredForm(text).IsValid()) << text;
    }
}

}  // namespace
}  // namespace zav
