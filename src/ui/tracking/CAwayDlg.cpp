#include "ui/tracking/CAwayDlg.h"


#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QString clockText(std::int32_t time, bool withDay) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(time);
    // Fixed patterns: the same digits in every locale, like the other times the program shows.
    return local.toString(withDay ? QStringLiteral("yyyy-MM-dd HH:mm") : QStringLiteral("HH:mm"));
}

QString countText(int count, const char* one, const char* many) {
    return QString::number(count) + QLatin1Char(' ') + CAwayDlg::tr(count == 1 ? one : many);
}

QString durationText(std::int32_t seconds) {
    const int minutes = seconds / 60;
    if (minutes < 60)
        return countText(minutes, QT_TRANSLATE_NOOP("CAwayDlg", "minute"), QT_TRANSLATE_NOOP("CAwayDlg", "minutes"));
    QString text =
        countText(minutes / 60, QT_TRANSLATE_NOOP("CAwayDlg", "hour"), QT_TRANSLATE_NOOP("CAwayDlg", "hours"));
    if (minutes % 60 != 0) text += QLatin1Char(' ') + countText(minutes % 60, "minute", "minutes");
    return text;
}

QString namesText(const QStringList& names) {
    if (names.size() <= 1) return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + CAwayDlg::tr(" and ") + names.last();
}

}  // namespace

CAwayDlg::CAwayDlg(const ql::Absence& absence, const QStringList& names, QWidget* parent)
    : QDialog(parent),
      m_continue(new QPushButton(tr(kSubtractAndContinue), this)),
      m_checkOut(new QPushButton(tr(kSubtractAndCheckOut), this)),
      m_keep(new QPushButton(tr(kKeepTheTime), this)) {
    setObjectName(QStringLiteral("awayDialog"));
    setWindowTitle(QStringLiteral("Quillory"));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    auto* text = new QLabel(questionText(absence, names), this);
    text->setObjectName(QStringLiteral("awayText"));
    text->setWordWrap(true);
    text->setMinimumWidth(320);

    m_continue->setObjectName(QStringLiteral("subtractAndContinueButton"));
    m_checkOut->setObjectName(QStringLiteral("subtractAndCheckOutButton"));
    m_keep->setObjectName(QStringLiteral("keepTheTimeButton"));
    m_continue->setDefault(true);
    m_continue->setFocus();
    connect(m_continue, &QPushButton::clicked, this, [this] { answerWith(ql::AbsenceAnswer::SubtractAndContinue); });
    connect(m_checkOut, &QPushButton::clicked, this, [this] { answerWith(ql::AbsenceAnswer::SubtractAndCheckOut); });
    connect(m_keep, &QPushButton::clicked, this, [this] { answerWith(ql::AbsenceAnswer::KeepTime); });

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_continue);
    buttons->addWidget(m_checkOut);
    buttons->addWidget(m_keep);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAwayDlg::questionText(const ql::Absence& absence, const QStringList& names) {
    const bool crossesMidnight = QDateTime::fromSecsSinceEpoch(absence.start).date() !=
                                 QDateTime::fromSecsSinceEpoch(absence.end).date();
    // One pass over all parts, so a project name holding "%1" stays as it is.
    return (names.size() == 1 ? tr("You were away from %1 to %2 (%3) while %4 was running.")
                              : tr("You were away from %1 to %2 (%3) while %4 were running."))
        .arg(clockText(absence.start, crossesMidnight), clockText(absence.end, crossesMidnight),
             durationText(absence.seconds()), namesText(names));
}

QPushButton* CAwayDlg::button(ql::AbsenceAnswer answer) const {
    switch (answer) {
    case ql::AbsenceAnswer::SubtractAndContinue: return m_continue;
    case ql::AbsenceAnswer::SubtractAndCheckOut: return m_checkOut;
    case ql::AbsenceAnswer::KeepTime: break;
    }
    return m_keep;
}

void CAwayDlg::reject() {
    m_answer = ql::AbsenceAnswer::KeepTime;
    QDialog::reject();
}

void CAwayDlg::answerWith(ql::AbsenceAnswer answer) {
    m_answer = answer;
    accept();
}
