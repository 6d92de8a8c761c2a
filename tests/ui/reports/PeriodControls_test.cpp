#include "ui/reports/PeriodControls.h"

#include "core/time/Calendar.h"
#include "ui/RecordingPrompter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct PeriodForm {
    QWidget window;
    QComboBox* list = new QComboBox(&window);
    QLabel* fromLabel = new QLabel(QStringLiteral("From :"), &window);
    QLineEdit* fromEdit = new QLineEdit(&window);
    QLabel* toLabel = new QLabel(QStringLiteral("To :"), &window);
    QLineEdit* toEdit = new QLineEdit(&window);
    PeriodControls controls{list, fromLabel, fromEdit, toLabel, toEdit};

    bool allEnabled(bool enabled) const {
        return fromLabel->isEnabled() == enabled && toLabel->isEnabled() == enabled &&
               fromEdit->isEnabled() == enabled && toEdit->isEnabled() == enabled;
    }
};

TEST(PeriodControls, EveryRefreshResetsTheTextsAndOnlyCustomEnablesThem) {
    PeriodForm form;
    fillPeriodList(*form.list, ql::PeriodChoice::Today);
    ASSERT_EQ(form.list->count(), 5);
    EXPECT_EQ(form.list->itemText(0), "This Year");
    EXPECT_EQ(form.list->itemText(4), "Custom");
    EXPECT_EQ(form.list->currentIndex(), 3);

    for (const bool monthFirst : {true, false}) {
        form.list->setCurrentIndex(4);
        form.fromEdit->setText(QStringLiteral("03/04/1997"));
        form.toEdit->setText(QStringLiteral("05/06/1997"));
        RefreshPeriodControls(form.controls, monthFirst);
        EXPECT_EQ(form.fromEdit->text(), "01/01/1996");
        EXPECT_EQ(form.toEdit->text(), monthFirst ? "12/31/1996" : "31/12/1996");
        EXPECT_TRUE(form.allEnabled(true));

        form.fromEdit->setText(QStringLiteral("03/04/1997"));
        form.list->setCurrentIndex(1);
        RefreshPeriodControls(form.controls, monthFirst);
        EXPECT_EQ(form.fromEdit->text(), "01/01/1996");
        EXPECT_TRUE(form.allEnabled(false));
    }
}

TEST(PeriodControls, AWrongTypedDateIsToldAndFocusedAndNothingResolves) {
    PeriodForm form;
    form.window.show();
    fillPeriodList(*form.list, ql::PeriodChoice::Custom);
    RefreshPeriodControls(form.controls, true);
    RecordingPrompter prompter;

    const auto ok = resolvePeriodControls(form.controls, true, 0, prompter);
    ASSERT_TRUE(ok.has_value());
    EXPECT_EQ(ok->start, *ql::calendar::fromLocal(1996, 1, 1));
    EXPECT_EQ(ok->end, *ql::calendar::fromLocal(1996, 12, 31, 23, 59, 59));
    EXPECT_TRUE(prompter.boxes.empty());

    form.toEdit->setText(QStringLiteral("12-31-1996"));
    EXPECT_FALSE(resolvePeriodControls(form.controls, true, 0, prompter).has_value());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, "Warning");
    EXPECT_TRUE(prompter.boxes[0].text.startsWith("The To date \"12-31-1996\" is not a date"));
    EXPECT_EQ(form.window.focusWidget(), form.toEdit);

    form.fromEdit->setText(QStringLiteral("1/1/96"));
    EXPECT_FALSE(resolvePeriodControls(form.controls, true, 0, prompter).has_value());
    ASSERT_EQ(prompter.boxes.size(), 2u);
    EXPECT_TRUE(prompter.boxes[1].text.startsWith("The From date"));
    EXPECT_EQ(form.window.focusWidget(), form.fromEdit);
    EXPECT_EQ(form.fromEdit->selectedText(), "1/1/96");
}

}  // namespace
