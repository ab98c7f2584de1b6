#include <gtest/gtest.h>

#include <string>

#include "sets/set_names.h"

TEST(SetNames, NamesAreUsedAsTyped) {
    EXPECT_EQ(checkSetName("week"), SetNameCheck::Usable);
    EXPECT_EQ(setPathForName("week"), ".\\Save\\week.ini");
    // A typed extension stays part of the name; blanks are not trimmed.
    EXPECT_EQ(setPathForName("week.ini"), ".\\Save\\week.ini.ini");
    EXPECT_EQ(checkSetName("   "), SetNameCheck::Usable);
    EXPECT_EQ(setPathForName("   "), ".\\Save\\   .ini");
    // Characters the file system refuses are left for the writer to report.
    EXPECT_EQ(checkSetName("a|b<c"), SetNameCheck::Usable);
    EXPECT_EQ(setPathForListedFile("Alpha.ini"), ".\\Save\\Alpha.ini");
}

TEST(SetNames, EmptyNamesAndNamesThatLeaveTheFolderAreRefused) {
    EXPECT_EQ(checkSetName(""), SetNameCheck::Empty);
    EXPECT_EQ(checkSetName(nullptr), SetNameCheck::Empty);
    for (const char* name : {"..\\week", "sub/week", "C:week", "week:stream", "\\", "/"}) {
        EXPECT_EQ(checkSetName(name), SetNameCheck::Invalid) << name;
    }
}
