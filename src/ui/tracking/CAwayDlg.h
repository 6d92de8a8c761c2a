#pragma once

#include "core/tracking/AbsenceAnswer.h"

#include <QDialog>
#include <QStringList>

class QPushButton;

// The question after an absence while projects ran: the absence's times and the projects,
// and three answers. The first is the default; Escape and closing the window keep the time.
class CAwayDlg final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kSubtractAndContinue = QT_TRANSLATE_NOOP("CAwayDlg", "Subtract and continue");
    static constexpr const char* kSubtractAndCheckOut = QT_TRANSLATE_NOOP("CAwayDlg", "Subtract and check out");
    static constexpr const char* kKeepTheTime = QT_TRANSLATE_NOOP("CAwayDlg", "Keep the time");

    // names: the projects that ran through the absence, in check-in order.
    CAwayDlg(const ql::Absence& absence, const QStringList& names, QWidget* parent = nullptr);

    // "You were away from 14:05 to 14:47 (42 minutes) while Alpha and Beta were running."
    // Times are local hours and minutes; a day is named too when the absence crossed midnight.
    static QString questionText(const ql::Absence& absence, const QStringList& names);

    // The answer given; KeepTime until one was.
    ql::AbsenceAnswer answer() const { return m_answer; }
    QPushButton* button(ql::AbsenceAnswer answer) const;

public slots:
    void reject() override;

private:
    void answerWith(ql::AbsenceAnswer answer);

    ql::AbsenceAnswer m_answer = ql::AbsenceAnswer::KeepTime;
    QPushButton* m_continue = nullptr;
    QPushButton* m_checkOut = nullptr;
    QPushButton* m_keep = nullptr;
};
