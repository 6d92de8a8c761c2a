#include "ui/reports/PeriodControls.h"

#include "ui/common/CoreText.h"
#include "ui/common/Prompter.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void fillPeriodList(QComboBox& list, ql::PeriodChoice choice) {
    list.clear();
    for (const ql::MessageId name : ql::kPeriodChoiceTexts) list.addItem(coreText(ql::Message(name)));
    list.setCurrentIndex(static_cast<int>(choice));
}

void RefreshPeriodControls(const PeriodControls& c, bool monthFirst) {
    c.fromEdit->setText(QString::fromLatin1(ql::kDefaultFromText));
    c.toEdit->setText(QString::fromLatin1(ql::defaultToText(monthFirst)));
    const bool custom = c.list->currentIndex() == static_cast<int>(ql::PeriodChoice::Custom);
    c.fromLabel->setEnabled(custom);
    c.toLabel->setEnabled(custom);
    c.fromEdit->setEnabled(custom);
    c.toEdit->setEnabled(custom);
}

ql::PeriodChoice selectedPeriodChoice(const PeriodControls& c) {
    return ql::periodChoiceFromIndex(c.list->currentIndex()).value_or(ql::PeriodChoice::ThisYear);
}

std::optional<ql::ReportPeriod> resolvePeriodControls(const PeriodControls& c, bool monthFirst, std::int32_t now,
                                                      Prompter& prompter) {
    const std::string from = c.fromEdit->text().toStdString();
    const std::string to = c.toEdit->text().toStdString();
    const auto period = ql::ResolvePeriod(selectedPeriodChoice(c), from, to, monthFirst, now);
    if (period) return *period;
    // Only a typed date can be refused; the From field is read first.
    QLineEdit* wrong =
        ql::ParseDateText(from, monthFirst, ql::DayClock::Start).isOk() ? c.toEdit : c.fromEdit;
    prompter.inform(QCoreApplication::translate("PeriodControls", "Warning"), coreText(period.status()),
                    Prompter::Icon::Information);
    wrong->setFocus();
    wrong->selectAll();
    return std::nullopt;
}
