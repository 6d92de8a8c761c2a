#include "ui/tracking/CRecoveryDlg.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/time/Calendar.h"
#include "core/tracking/Charges.h"
#include "ui/common/Prompter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString timeText(std::int32_t t, bool monthFirst) {
    const std::string pattern = std::string(ql::calendar::datePattern(monthFirst)) + " %H:%M:%S";
    return QString::fromStdString(ql::calendar::formatLocal(t, pattern.c_str()));
}

}  // namespace

CRecoveryDlg::CRecoveryDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set,
                           const ql::RecoveryReview& review, const ql::ProjectIndex* projects, QWidget* parent)
    : QDialog(parent),
      m_prompter(prompter),
      m_message(new QLabel(this)),
      m_list(new QTreeWidget(this)),
      m_checkOut(new QPushButton(this)),
      m_keep(new QPushButton(tr("&Keep running"), this)),
      m_discard(new QPushButton(tr("&Discard"), this)) {
    setWindowTitle(tr("Running projects"));
    const ql::JournalState& state = review.state;
    const bool monthFirst = ql::readSettingsOrDefaults(fs, set, "$", true).monthFirst();
    const QString lastSeen = timeText(state.heartbeat, monthFirst);
    const auto nameOf = [projects](std::int32_t id) {
        QString name = projects ? QString::fromStdString(projects->name(id)) : QString();
        return name.isEmpty() ? tr("Project ") + QString::number(id) : name;
    };

    QString text = tr("Quillory ended while these projects were running. It was last seen running at ");
    // The journal's end is the start of the user's absence: say why it is not the last tick.
    const bool away = state.awaySince != 0 && review.journalledHeartbeat == state.awaySince;
    if (away && !review.clamped())
        text = tr("Quillory ended while these projects were running, during an absence that began at ") +
               lastSeen + QLatin1Char('.');
    else if (review.clamped())
        text += timeText(review.journalledHeartbeat, monthFirst) +
                tr(", which is later than now, so they count up to ") + lastSeen + QLatin1Char('.');
    else
        text += lastSeen + QLatin1Char('.');
    if (state.paused) text += tr(" They were paused.");
    if (!review.dropped.empty()) {
        QStringList left;
        for (const ql::DroppedEntry& dropped : review.dropped)
            left << nameOf(dropped.entry.projectId) + tr(" started ") +
                        timeText(dropped.entry.start, monthFirst) +
                        (dropped.reason == ql::DropReason::UnknownProject
                             ? tr(" (not in the projects file)")
                             : tr(" (after ") + lastSeen + QLatin1Char(')'));
        text += tr(" Left out, as they cannot be checked out: ") + left.join(QStringLiteral(", ")) +
                QLatin1Char('.');
    }
    text += tr(" Closing this window checks them out at ") + lastSeen + QLatin1Char('.');
    m_message->setObjectName(QStringLiteral("recoveryMessage"));
    m_message->setText(text);
    m_message->setWordWrap(true);

    m_list->setObjectName(QStringLiteral("entriesList"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setHeaderLabels({tr("Project"), tr("Started"), tr("Time")});
    // "Started" is when the user checked in; the time shown is what "Check out" writes: the
    // pause accounting up to the heartbeat, which moves the start the frame is written with.
    const std::vector<ql::TimeFrameRecord> frames = ql::framesAtLastSeen(state);
    for (std::size_t i = 0; i < state.entries.size() && i < frames.size(); ++i) {
        const ql::RunningEntry& entry = state.entries[i];
        const std::int64_t worked = std::int64_t{frames[i].end} - frames[i].start;
        auto* item = new QTreeWidgetItem(
            {nameOf(entry.projectId), timeText(entry.checkedIn, monthFirst),
             QString::fromStdString(ql::durationText(ql::wholeMinutes(worked)))});
        m_list->addTopLevelItem(item);
    }
    for (int column = 0; column < m_list->columnCount(); ++column) m_list->resizeColumnToContents(column);
    m_list->setMinimumWidth(m_list->header()->length() + 24);
    m_list->setMaximumHeight(m_list->sizeHintForRow(0) * 6 + m_list->header()->sizeHint().height() + 8);

    m_checkOut->setObjectName(QStringLiteral("checkOutButton"));
    m_checkOut->setText(tr("&Check out at ") + lastSeen);
    // A journal that could not be taken as it stands may be wrong in ways the list does not
    // show: Return then keeps the projects offered running, which writes no frame and gives
    // none of them up, so the user can still check out or discard once they have looked.
    QPushButton* const safest = review.changed() ? m_keep : m_checkOut;
    safest->setDefault(true);
    m_keep->setObjectName(QStringLiteral("keepButton"));
    m_discard->setObjectName(QStringLiteral("discardButton"));
    connect(m_checkOut, &QPushButton::clicked, this, [this] { choose(ql::RecoveryChoice::CheckOutAtLastSeen); });
    connect(m_keep, &QPushButton::clicked, this, [this] { choose(ql::RecoveryChoice::KeepRunning); });
    connect(m_discard, &QPushButton::clicked, this, &CRecoveryDlg::confirmDiscard);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_checkOut);
    buttons->addWidget(m_keep);
    buttons->addStretch();
    buttons->addWidget(m_discard);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_message);
    column->addWidget(m_list);
    column->addLayout(buttons);
    safest->setFocus();
}

void CRecoveryDlg::choose(ql::RecoveryChoice choice) {
    m_choice = choice;
    accept();
}

void CRecoveryDlg::reject() {
    m_choice = ql::RecoveryChoice::CheckOutAtLastSeen;
    QDialog::reject();
}

void CRecoveryDlg::confirmDiscard() {
    // The time worked is written nowhere else: a slip of the mouse must not lose it.
    if (m_prompter.ask(tr("Running projects"),
                       tr("The time these projects ran will not be written anywhere. Discard it?")))
        choose(ql::RecoveryChoice::Discard);
}
