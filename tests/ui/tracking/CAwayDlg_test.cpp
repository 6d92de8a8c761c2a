#include "ui/tracking/CAwayDlg.h"

#include "core/time/Calendar.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

std::int32_t at(int day, int hour, int minute) { return *ql::calendar::fromLocal(1996, 12, day, hour, minute); }

TEST(CAwayDlg, TheQuestionNamesTheTimesTheLengthAndTheProjects) {
    struct Case {
        ql::Absence absence;
        QStringList names;
        const char* text;
    };
    const Case cases[] = {
        {{at(11, 14, 5), at(11, 14, 47)}, {"Alpha", "Beta"},
         "You were away from 14:05 to 14:47 (42 minutes) while Alpha and Beta were running."},
        {{at(11, 9, 0), at(11, 9, 11) + 59}, {"Alpha"},
         "You were away from 09:00 to 09:11 (11 minutes) while Alpha was running."},
        {{at(11, 12, 0), at(11, 13, 1)}, {"A", "B", "C"},
         "You were away from 12:00 to 13:01 (1 hour 1 minute) while A, B and C were running."},
        {{at(11, 12, 0), at(11, 14, 0)}, {"Alpha"},
         "You were away from 12:00 to 14:00 (2 hours) while Alpha was running."},
        {{at(11, 23, 30), at(12, 7, 45)}, {"Alpha"},
         "You were away from 1996-12-11 23:30 to 1996-12-12 07:45 (8 hours 15 minutes) while Alpha was running."},
    };
    for (const Case& c : cases) EXPECT_EQ(CAwayDlg::questionText(c.absence, c.names), QString::fromUtf8(c.text));
}

// Return takes the first answer; Escape and closing keep the time, which its button says.
TEST(CAwayDlg, ReturnSubtractsAndContinuesAndEscapeKeepsTheTime) {
    const ql::Absence absence{at(11, 14, 5), at(11, 14, 47)};
    CAwayDlg dialog(absence, {"Alpha"});
    EXPECT_EQ(dialog.button(ql::AbsenceAnswer::SubtractAndContinue)->text(), QStringLiteral("Subtract and continue"));
    EXPECT_EQ(dialog.button(ql::AbsenceAnswer::SubtractAndCheckOut)->text(), QStringLiteral("Subtract and check out"));
    EXPECT_EQ(dialog.button(ql::AbsenceAnswer::KeepTime)->text(), QStringLiteral("Keep the time"));
    EXPECT_TRUE(dialog.button(ql::AbsenceAnswer::SubtractAndContinue)->isDefault());

    struct Case {
        Qt::Key key;
        ql::AbsenceAnswer answer;
    };
    for (const Case& c : {Case{Qt::Key_Return, ql::AbsenceAnswer::SubtractAndContinue},
                          Case{Qt::Key_Escape, ql::AbsenceAnswer::KeepTime}}) {
        CAwayDlg asked(absence, {"Alpha"});
        asked.show();
        QWidget* focused = asked.focusWidget();
        QTest::keyClick(focused ? focused : &asked, c.key);
        EXPECT_FALSE(asked.isVisible());
        EXPECT_EQ(asked.answer(), c.answer) << c.key;
    }
    CAwayDlg closed(absence, {"Alpha"});
    closed.button(ql::AbsenceAnswer::SubtractAndCheckOut)->click();
    EXPECT_EQ(closed.answer(), ql::AbsenceAnswer::SubtractAndCheckOut);
}

}  // namespace
