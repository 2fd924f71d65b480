#include "platform/FileSystemUtil.h"

#include <gtest/gtest.h>

// Guards the directory-search patterns the publisher and the backups pass: a name without a dot has an
// empty extension, so "*.*" is every name; case is ignored.
TEST(FileSystemUtil, WildcardsMatchAsADirectorySearch)
{
    struct Case { QString name, pattern; bool matches; };
    const Case cases[] = {
        {"Style.CSS", "*.css", true},     {"style.css", "St?le.*", true},  {"README", "*.*", true},
        {"README", "*", true},            {"README", "README.*", true},    {"README", "*.", true},
        {"a.txt", "*.", false},           {"README", "*.txt", false},      {"a.b.c", "*.c", true},
        {"a.b.c", "a.*", true},           {"ab", "a?", true},              {"a", "a?", false},
        {".", "*.*", true},               {"x.css", "*.css*", true},       {"x", "", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CorvFs::MatchesWildcard(c.name, c.pattern), c.matches)
            << qPrintable(c.name) << " ~ " << qPrintable(c.pattern);
}
