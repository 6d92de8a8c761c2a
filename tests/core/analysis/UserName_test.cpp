#include "core/analysis/UserName.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

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

TEST(UserName, TheAccountIsFoundInThePasswordFile) {
    const std::string path = ::testing::TempDir() + "/quillory-passwd";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << "root:x:0:0:root:/root:/bin/bash\n"
                "ann:x:1000:1000:Ann Smith,Room 4,555:/home/ann:/bin/sh\n"
                "bob:x:1001:1001::/home/bob:/bin/sh\n";
    }
    const char* before = std::getenv("USER");
    const std::string saved = before ? before : "";
    ::setenv("USER", "from-environment", 1);
    struct Case {
        const char* profile;
        unsigned uid;
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"", 1000, path.c_str(), "Ann Smith"},
        {"", 1001, path.c_str(), "bob"},
        {"", 0, path.c_str(), "root"},
        {"Profile", 1000, path.c_str(), "Profile"},
        // An account from a directory service, or no readable file: the login of the session.
        {"", 4242, path.c_str(), "from-environment"},
        {"", 1000, "/nonexistent/passwd", "from-environment"},
    };
    for (const auto& c : cases) EXPECT_EQ(exportUserName(c.profile, c.uid, c.path), c.expected) << c.uid << " " << c.path;
    if (before) ::setenv("USER", saved.c_str(), 1);
    else ::unsetenv("USER");
}

}  // namespace
}  // namespace ql
