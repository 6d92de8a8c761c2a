#include "core/reports/Invoice.h"
#include "core/store/FieldCodec.h"
#include "core/store/FileSet.h"
#include "core/store/Settings.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace ql {
namespace {

using test::readBytes;
using test::TempDir;

struct TextField {
    const char* label;  // as a refusal names it
    std::string SettingsRecord::*member;
    std::size_t offset;
    std::size_t width;
};

const std::vector<TextField>& textFields() {
    using R = SettingsRecord;
    static const std::vector<TextField> fields = {
        {"company name", &R::companyName, 0, 61},       {"company address", &R::companyAddress, 61, 61},
        {"city", &R::city, 122, 61},                     {"ZIP", &R::zip, 183, 61},
        {"state", &R::state, 244, 61},                   {"country", &R::country, 305, 61},
        {"phone", &R::phone, 366, 61},                   {"invoice text", &R::invoiceText, 427, 41},
        {"next invoice number", &R::nextInvoiceNumber, 468, 41}, {"invoice footer", &R::footer, 509, 1001},
        {"sales tax label", &R::salesTaxLabel, 1514, 41}, {"monetary symbol", &R::monetarySymbol, 1571, 31},
    };
    return fields;
}

constexpr std::size_t kRateOffset = 1555;
constexpr std::size_t kNumberOffset = 468;
constexpr std::size_t kNumberWidth = 41;

// A record that reads fine but that encodeSettings(decodeSettings(...)) alone would not give back.
struct OddRecord {
    std::string name;
    std::size_t offset;  // the odd bytes, which every rewrite must keep
    std::vector<unsigned char> bytes;
};

std::vector<OddRecord> oddRecords() {
    std::vector<OddRecord> odd;
    for (const TextField& f : textFields()) {
        // Digits, so that a full invoice number still counts on.
        odd.push_back({std::string("full ") + f.label, f.offset, std::vector<unsigned char>(f.width, '7')});
    }
    auto rate = [](double value) {
        std::vector<unsigned char> b(8);
        codec::putDouble(b.data(), 0, value);
        return b;
    };
    odd.push_back({"NaN rate", kRateOffset, rate(std::numeric_limits<double>::quiet_NaN())});
    std::vector<unsigned char> payloadNaN(8, 0xff);  // a NaN with a payload and the sign set
    odd.push_back({"NaN rate with payload", kRateOffset, payloadNaN});
    odd.push_back({"infinite rate", kRateOffset, rate(std::numeric_limits<double>::infinity())});
    odd.push_back({"negative infinite rate", kRateOffset, rate(-std::numeric_limits<double>::infinity())});
    odd.push_back({"negative zero rate", kRateOffset, rate(-0.0)});
    const std::string afterNul("Springfield\0old town", 20);
    odd.push_back({"bytes after a NUL", 122, std::vector<unsigned char>(afterNul.begin(), afterNul.end())});
    return odd;
}

// One way of changing a single field of the settings file, as each front end does it.
struct Rewrite {
    const char* name;
    std::size_t offset;  // of the field it changes
    std::size_t width;
    std::function<Status(FileSystem&, const FileSet&)> run;
};

std::vector<Rewrite> rewrites() {
    return {
        {"updateSettings of the phone", 366, 61,
         [](FileSystem& fs, const FileSet& set) {
             return updateSettings(fs, set, [](SettingsRecord& r) {
                 r.phone = "555-0100";
                 return Status::ok();
             });
         }},
        {"advanceInvoiceNumber", kNumberOffset, kNumberWidth,
         [](FileSystem& fs, const FileSet& set) { return advanceInvoiceNumber(fs, set, "12"); }},
        {"writeSettings over the loaded record, the state changed", 244, 61,
         [](FileSystem& fs, const FileSet& set) {
             const SettingsRecord loaded = *readSettings(fs, set);
             SettingsRecord edited = loaded;
             edited.state = "Ohio";
             return writeSettings(fs, edited, set, loaded);
         }},
        {"writeSettings of the read record, the ZIP changed", 183, 61,
         [](FileSystem& fs, const FileSet& set) {
             SettingsRecord edited = *readSettings(fs, set);
             edited.zip = "43004";
             return writeSettings(fs, edited, set);
         }},
    };
}

class SettingsRewrite : public ::testing::Test {
protected:
    std::vector<unsigned char> writeOdd(const OddRecord& odd) {
        const auto plain = encodeSettings(defaultSettings("$", true));
        std::vector<unsigned char> bytes(plain.begin(), plain.end());
        std::copy(odd.bytes.begin(), odd.bytes.end(), bytes.begin() + static_cast<std::ptrdiff_t>(odd.offset));
        test::writeBytes(set.settings(), bytes);
        return bytes;
    }

    TempDir dir;
    FileSystem& fs = defaultFileSystem();
    FileSet set{dir.path("Work.qlr")};
};

TEST_F(SettingsRewrite, ChangingOneFieldKeepsEveryOtherFieldsBytesHoweverOdd) {
    for (const OddRecord& odd : oddRecords()) {
        for (const Rewrite& rewrite : rewrites()) {
            const bool sameField = odd.offset < rewrite.offset + rewrite.width && rewrite.offset < odd.offset + odd.bytes.size();
            if (sameField) continue;
            SCOPED_TRACE(odd.name + " / " + rewrite.name);
            const auto before = writeOdd(odd);
            const Status st = rewrite.run(fs, set);
            ASSERT_TRUE(st) << st.message();
            auto after = readBytes(set.settings());
            ASSERT_EQ(after.size(), before.size());
            EXPECT_NE(after, before) << "the change was not written";
            // Outside the changed field, not one byte moved.
            std::fill_n(after.begin() + static_cast<std::ptrdiff_t>(rewrite.offset), rewrite.width, 0);
            auto expected = before;
            std::fill_n(expected.begin() + static_cast<std::ptrdiff_t>(rewrite.offset), rewrite.width, 0);
            EXPECT_EQ(after, expected);
        }
    }
}

TEST_F(SettingsRewrite, ATextTooLongForItsFieldIsRefusedNamingThatField) {
    const OddRecord fullName = oddRecords().front();
    for (const TextField& f : textFields()) {
        SCOPED_TRACE(f.label);
        const auto before = writeOdd(fullName);
        const Status st = updateSettings(fs, set, [&](SettingsRecord& r) {
            r.*f.member = std::string(f.width, '8');
            return Status::ok();
        });
        ASSERT_FALSE(st);
        EXPECT_EQ(st.code(), StatusCode::InvalidArgument);
        EXPECT_EQ(st.message(), std::string("The ") + f.label + " is too long to be stored (at most " +
                                    std::to_string(f.width - 1) + " bytes)");
        EXPECT_EQ(readBytes(set.settings()), before);

        SettingsRecord edited = *readSettings(fs, set);
        const SettingsRecord loaded = edited;
        edited.*f.member = std::string(f.width, '8');
        const Status sheet = writeSettings(fs, edited, set, loaded);
        EXPECT_EQ(sheet.message(), st.message());
        EXPECT_EQ(readBytes(set.settings()), before);
    }
}

TEST_F(SettingsRewrite, AnOddRecordChangedByAnotherProgramIsStillRefused) {
    for (const OddRecord& odd : oddRecords()) {
        SCOPED_TRACE(odd.name);
        writeOdd(odd);
        const SettingsRecord loaded = *readSettings(fs, set);
        ASSERT_TRUE(advanceInvoiceNumber(fs, set, "41"));
        const auto advanced = readBytes(set.settings());
        SettingsRecord edited = loaded;
        edited.phone = "555-0100";
        const Status st = writeSettings(fs, edited, set, loaded);
        EXPECT_EQ(st.message(), settingsChangedMessage(set));
        EXPECT_EQ(readBytes(set.settings()), advanced);
    }
}

}  // namespace
}  // namespace ql
