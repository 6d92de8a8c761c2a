#include "cli/CliRunner.h"
#include "ui/RecordingPrompter.h"
#include "ui/TempFileSet.h"

#include "collation/NameOrder.h"
#include "core/reports/HistoryItems.h"
#include "core/store/Customers.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/analysis/CExportDlg.h"
#include "ui/projects/CProjectInfoDlg.h"
#include "ui/reports/CNewInvoiceDlg.h"
#include "ui/reports/HistoryModel.h"

#include <QComboBox>
#include <QStringList>
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace {

// In file order; ids 0 to 3. An accent and both cases, which an order of bytes gets wrong.
const char* const kNames[] = {"zeta", "\xC3\x84pfel", "alpha", "Beta"};

struct LocaleCase {
    const char* locale;
    QStringList order;
};
const LocaleCase kLocales[] = {
    {"de_DE.UTF-8", {"alpha", QStringLiteral("Äpfel"), "Beta", "zeta"}},
    // No collation to follow: case folded, then code points, so the accent goes last.
    {"C", {"alpha", "Beta", "zeta", QStringLiteral("Äpfel")}},
};

// The locale variables of this process, as the window finds them, restored afterwards; a
// null value unsets its variable.
class ScopedLocaleEnv {
public:
    ScopedLocaleEnv(const char* all, const char* collate = nullptr, const char* lang = nullptr) {
        const char* values[] = {all, collate, lang};
        for (int i = 0; i < 3; ++i) {
            if (qEnvironmentVariableIsSet(kVariables[i])) m_saved[i] = qgetenv(kVariables[i]);
            if (values[i]) qputenv(kVariables[i], values[i]);
            else qunsetenv(kVariables[i]);
        }
    }
    ~ScopedLocaleEnv() {
        for (int i = 0; i < 3; ++i) {
            if (m_saved[i]) qputenv(kVariables[i], *m_saved[i]);
            else qunsetenv(kVariables[i]);
        }
    }

private:
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_COLLATE", "LANG"};
    std::optional<QByteArray> m_saved[3];
};

// Names joined by " | ", so a failure reads as names.
std::string joined(const QStringList& names) { return names.join(QStringLiteral(" | ")).toStdString(); }

std::string comboTexts(const QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i) texts << combo.itemText(i);
    return joined(texts);
}

class NameOrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<ql::ProjectRecord> projects;
        for (std::int32_t id = 0; id < 4; ++id) {
            ql::ProjectRecord p;
            p.id = id;
            p.name = kNames[id];
            projects.push_back(p);
            ql::CustomerRecord c;
            c.id = id;
            c.name = kNames[id];
            ASSERT_TRUE(ql::appendCustomer(ql::defaultFileSystem(), c, set.fileSet()));
            const std::int32_t start = *ql::calendar::fromLocal(1996, 12, 10, 9 + id, 0);
            ASSERT_TRUE(ql::appendTimeFrame(ql::defaultFileSystem(), set.fileSet(), {id, start, start + 600}));
        }
        ASSERT_TRUE(ql::writeProjects(ql::defaultFileSystem(), set.path(ql::FileKind::Projects), projects));
    }

    // The project column of the command line's history sorted by project, under locale.
    QStringList cliHistoryOrder(const char* locale) const {
        const auto run = ql::test::runCli({"history", set.settingsPath(), "--period", "this-year", "--at",
                                           "1996-12-11 10:00", "--sort", "project"},
                                          {std::string("LC_ALL=") + locale, std::string("LANG=") + locale});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        QStringList names;
        std::istringstream rows(run.out);
        std::string row;
        std::getline(rows, row);  // the heading
        while (std::getline(rows, row)) names << QString::fromStdString(row.substr(0, row.find('\t')));
        return names;
    }

    // The History dialog's rows sorted by their project column.
    static QStringList dialogHistoryOrder(const ql::FileSet& fileSet) {
        ql::HistoryFilter filter;
        filter.period = {*ql::calendar::fromLocal(1996, 1, 1, 0, 0), *ql::calendar::fromLocal(1996, 12, 31, 23, 59)};
        ql::HistoryLoad load = ql::LoadHistoryItems(ql::defaultFileSystem(), fileSet, filter);
        EXPECT_TRUE(load.messages.empty());
        HistoryModel model;
        model.setHistory(std::move(load.history), true, "$");
        model.sortByColumn(HistoryModel::kProject);
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row) names << model.projectName(row);
        return names;
    }

    TempFileSet set;
    RecordingPrompter prompter;
};

TEST_F(NameOrderTest, TheCommandLinesHistoryOrdersProjectsAsTheHistoryDialog) {
    for (const LocaleCase& c : kLocales) {
        SCOPED_TRACE(c.locale);
        ScopedLocaleEnv env(c.locale);
        EXPECT_EQ(joined(dialogHistoryOrder(set.fileSet())), joined(c.order));
        EXPECT_EQ(joined(cliHistoryOrder(c.locale)), joined(c.order));
    }
}

// The export's project list, the new invoice's and the project information's customer lists
// hold the same names: they list them in one order, "All Projects" standing among them.
TEST_F(NameOrderTest, EveryListOfNamesOrdersThemAlike) {
    for (const LocaleCase& c : kLocales) {
        SCOPED_TRACE(c.locale);
        ScopedLocaleEnv env(c.locale);
        CExportDlg exportDlg(ql::defaultFileSystem(), prompter, set.fileSet(), true);
        QStringList withAll = c.order;
        withAll.prepend(QStringLiteral("All Projects"));
        EXPECT_EQ(comboTexts(*exportDlg.findChild<QComboBox*>("projectCombo")), joined(withAll));

        ql::FixedClock clock(*ql::calendar::fromLocal(1996, 12, 11, 10, 0));
        CNewInvoiceDlg invoiceDlg(ql::defaultFileSystem(), prompter, clock, set.fileSet());
        EXPECT_EQ(comboTexts(*invoiceDlg.findChild<QComboBox*>("customerCombo")), joined(c.order));

        ql::ProjectRecord project;
        project.name = "Site";
        CProjectInfoDlg infoDlg(ql::defaultFileSystem(), prompter, set.fileSet(), project);
        EXPECT_EQ(comboTexts(*infoDlg.findChild<QComboBox*>("customerCombo")), joined(c.order));
    }
    EXPECT_TRUE(prompter.boxes.empty());
}

// The collation the environment selects, as the C library takes it: LC_ALL over LC_COLLATE
// over LANG, an empty one as unset, the C locale when none is set.
TEST(NameOrder, FollowsTheCollationTheEnvironmentSelects) {
    const char* const de = "de_DE.UTF-8";
    struct Case {
        const char* all;
        const char* collate;
        const char* lang;
        bool german;  // "Äpfel" before "Beta"
    };
    const Case cases[] = {
        {"C", de, de, false},       {nullptr, de, "C", true}, {nullptr, "C", de, false},
        {nullptr, nullptr, de, true}, {"", "", de, true},     {nullptr, nullptr, nullptr, false},
        {"POSIX", nullptr, de, false},
    };
    for (const Case& c : cases) {
        ScopedLocaleEnv env(c.all, c.collate, c.lang);
        const ql::NameOrder order;
        EXPECT_EQ(order.compareUtf8("\xC3\x84pfel", "Beta") < 0, c.german)
            << (c.all ? c.all : "-") << " " << (c.collate ? c.collate : "-") << " " << (c.lang ? c.lang : "-");
        EXPECT_EQ(order.compareUtf8("beta", "BETA"), 0);  // case never decides
    }
}

}  // namespace
