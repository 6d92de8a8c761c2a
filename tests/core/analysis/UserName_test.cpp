#include "core/analysis/UserName.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(UserName, ProfileThenFullNameThenLogin) {
    struct Case {
        const char* profile;
        const char* gecos;
        const char* login;
        const char* expected;
    };
    const Case cases[] = {
        {"Ann Smith", "Bob Jones,Room 4,555", "bob", "Ann Smith"},
        {"", "Bob Jones,Room 4,555", "bob", "Bob Jones"},
        {"", "Bob Jones", "bob", "Bob Jones"},
        {"", ",Room 4", "bob", "bob"},
        {"", "", "bob", "bob"},
    };
    for (const auto& c : cases) EXPECT_EQ(chooseUserName(c.profile, c.gecos, c.login), c.expected) << c.gecos;
    EXPECT_EQ(exportUserName("Ann"), "Ann");
    EXPECT_FALSE(exportUserName("").empty());
}

}  // namespace
}  // namespace ql
