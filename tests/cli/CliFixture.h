#pragma once

#include "CliRunner.h"

#include "core/time/Calendar.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace ql::test {

// A fresh folder with the path of a file set in it; the test process and the program both
// run in New York time.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
    }

    void init() {
        const CliRun r = runCli({"init", path});
        ASSERT_EQ(r.exitCode, 0) << r.err;
    }

    // Runs `show path what --json`, expecting success and a JSON array.
    nlohmann::json showJson(const std::string& what) {
        const CliRun r = runCli({"show", path, what, "--json"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        nlohmann::json parsed = nlohmann::json::parse(r.out);  // throws, failing the test, if it is not JSON
        EXPECT_TRUE(parsed.is_array());
        return parsed;
    }

    // Runs a command that must succeed and returns what it printed.
    std::string ok(const std::vector<std::string>& args) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        return r.out;
    }

    static std::int32_t local(int y, int mo, int d, int h, int mi, int s = 0) {
        return *calendar::fromLocal(y, mo, d, h, mi, s);
    }

    TempDir dir;
    std::string path = dir.path("Work.qlr");
};

}  // namespace ql::test
