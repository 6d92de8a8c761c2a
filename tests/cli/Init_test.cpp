#include "CliFixture.h"

#include "core/store/FileSet.h"
#include "core/store/SettingsRecord.h"

namespace ql::test {
namespace {

using Init = CliTest;

std::vector<unsigned char> bytesOf(const SettingsRecord& r) {
    const auto b = encodeSettings(r);
    return {b.begin(), b.end()};
}

TEST_F(Init, CreatesTheFourFilesAndShowReproducesTheDefaultRecord) {
    init();
    EXPECT_EQ(readBytes(fileSetPath(path, FileKind::Settings)), bytesOf(defaultSettings("", true)));  // the "C" locale
    for (FileKind kind : {FileKind::Projects, FileKind::TimeFrames, FileKind::Customers})
        EXPECT_TRUE(fileExists(fileSetPath(path, kind)) && readBytes(fileSetPath(path, kind)).empty());
    EXPECT_FALSE(fileExists(fileSetPath(path, FileKind::HistoryFilter)));

    const nlohmann::json shown = showJson("settings");
    ASSERT_EQ(shown.size(), 1u);
    const SettingsRecord d = defaultSettings("", true);
    const nlohmann::json& s = shown[0];
    EXPECT_EQ(s["companyName"], d.companyName);
    EXPECT_EQ(s["companyAddress"], d.companyAddress);
    for (const char* empty : {"city", "zip", "state", "country", "phone", "monetarySymbol"}) EXPECT_EQ(s[empty], "") << empty;
    EXPECT_EQ(s["invoiceText"], "INVOICE#");
    EXPECT_EQ(s["nextInvoiceNumber"], "9600001");
    EXPECT_EQ(s["footer"], "This invoice has been compiled using Quillory.\nThank you for your prompt payment.");
    EXPECT_EQ(s["applySalesTax"], 1);
    EXPECT_EQ(s["salesTaxLabel"], "Sales Tax : ");
    EXPECT_EQ(s["salesTaxRate"], 6.0);
    EXPECT_EQ(s["showTips"], 1);
    EXPECT_EQ(s["dateFormat"], 1);

    const std::string text = ok({"show", path, "settings"});
    EXPECT_NE(text.find("Company name:        <Your Company Name>\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Invoice footer:      This invoice has been compiled using Quillory.\n"
                        "                     Thank you for your prompt payment.\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Date format:         1 (month/day/year)\n"), std::string::npos) << text;
}

TEST_F(Init, OptionsOverrideTheLocale) {
    ok({"init", path, "--currency", "€", "--date-order", "dmy"});
    EXPECT_EQ(readBytes(fileSetPath(path, FileKind::Settings)), bytesOf(defaultSettings("€", false)));
    const nlohmann::json s = showJson("settings")[0];
    EXPECT_EQ(s["monetarySymbol"], "€");
    EXPECT_EQ(s["dateFormat"], 0);
}

TEST_F(Init, AnyChosenNameLosesItsLastThreeCharacters) {
    const std::string chosen = dir.path("Work.txt");
    ok({"init", chosen});
    EXPECT_TRUE(fileExists(chosen));
    EXPECT_TRUE(readBytes(chosen).empty());
    EXPECT_EQ(readBytes(dir.path("Work.qlr")).size(), SettingsRecord::kSize);
    ok({"show", chosen, "settings"});  // any file of the set names the set
}

TEST_F(Init, NeverEmptiesAnExistingFileSetUnlessForced) {
    init();
    ok({"add-customer", path, "--name", "Kept"});
    const auto before = folderSnapshot(dir.root());

    const CliRun refused = runCli({"init", path, "--currency", "£"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("already exists"), std::string::npos) << refused.err;
    EXPECT_EQ(folderSnapshot(dir.root()), before);

    ok({"init", path, "--force", "--currency", "£"});
    EXPECT_TRUE(readBytes(fileSetPath(path, FileKind::Customers)).empty());
    EXPECT_EQ(showJson("settings")[0]["monetarySymbol"], "£");
}

TEST_F(Init, RefusesBadValuesAndWritesNothing) {
    const std::string tooLong(31, '$');
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"init", path, "--currency", tooLong}, {"init", path, "--date-order", "ymd"},
          {"init", dir.path("abc")}, {"init", path, "--currency"}}) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_TRUE(folderSnapshot(dir.root()).empty()) << args.back();
    }
}

TEST_F(Init, ReportsAFolderThatCannotHoldTheSet) {
    const CliRun r = runCli({"init", dir.path("missing/Work.qlr")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "quillory-cli: Cannot create new project. Check your disk-drive for write-protection (No such file "
                     "or directory)\n");
}

}  // namespace
}  // namespace ql::test
