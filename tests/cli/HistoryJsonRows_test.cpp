#include "cli/JsonRendering.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace ql::cli {
namespace {

class HistoryJsonRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
        m_history.projects = {{7, "Web \"site\"\n", 40.0}, {-1, "(deleted project -1)", 0.0}};
    }

    // The row of a frame of project slot 0 with this charge, as the writer puts it.
    std::string row(HistoryJsonRows& rows, double charge, const std::string* invoice = nullptr) {
        HistoryItem item;
        item.frame = {7, 850316400, 850320000};  // 11 December 1996, 10:00 to 11:00 in New York
        item.minutes = 60;
        item.charge = charge;
        std::string text(rows.room(item, invoice), '#');
        text.resize(static_cast<std::size_t>(rows.put(text.data(), item, invoice) - text.data()));
        return text;
    }

    // The text of the charge field of a row.
    static std::string chargeOf(const std::string& row) {
        const std::size_t from = row.find("\"charge\":") + 9;
        return row.substr(from, row.find(',', from) - from);
    }

    HistoryItems m_history;
};

TEST_F(HistoryJsonRowsTest, RowsHoldEveryFieldAsJson) {
    HistoryJsonRows rows(m_history);
    const std::string invoice = quotedJsonText("INV-\"7\"");
    EXPECT_EQ(row(rows, 40.0, &invoice),
              R"({"projectId":7,"projectName":"Web \"site\"\n","start":"1996-12-11T10:00:00-05:00",)"
              R"("startEpoch":850316400,"end":"1996-12-11T11:00:00-05:00","endEpoch":850320000,)"
              R"("minutes":60,"charge":40.0,"invoice":"INV-\"7\""})");
    EXPECT_EQ(nlohmann::json::parse(row(rows, 0.1))["invoice"], nullptr);
}

// Charges are kept in a table of slots that later charges take over: whatever went before,
// each charge reads back as itself, in its shortest form, ".0" on whole numbers and null for
// what JSON cannot hold.
TEST_F(HistoryJsonRowsTest, EveryChargeReadsBackAsItselfWhateverCameBefore) {
    HistoryJsonRows rows(m_history);
    struct Case {
        double charge;
        const char* text;
    };
    const Case fixed[] = {
        {0.0, "0.0"},
        {-0.0, "-0.0"},
        {40.0, "40.0"},
        {0.1, "0.1"},
        {1e21, "1e+21"},
        {1.2345678901234568e-300, "1.2345678901234568e-300"},
        {-1.2345678901234568e-300, "-1.2345678901234568e-300"},  // too long for a slot
        {std::numeric_limits<double>::quiet_NaN(), "null"},
        {std::numeric_limits<double>::infinity(), "null"},
    };
    for (int pass = 0; pass < 2; ++pass)
        for (const Case& c : fixed) EXPECT_EQ(chargeOf(row(rows, c.charge)), c.text) << c.text;

    // Far more charges than slots, each met several times among the others.
    std::mt19937 random(11);
    std::vector<double> charges;
    for (int i = 0; i < 40000; ++i)
        charges.push_back(static_cast<double>(random() % 5000) * 0.016666666666666666 * (20.0 + i % 50));
    for (int i = 0; i < 100000; ++i) {
        const double charge = charges[random() % charges.size()];
        const std::string text = chargeOf(row(rows, charge));
        const double read = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&read, &charge, sizeof read), 0) << text;
    }
}

}  // namespace
}  // namespace ql::cli
