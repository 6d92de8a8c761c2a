#include "ui/tracking/CRecoveryDlg.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/time/Calendar.h"
#include "core/tracking/Charges.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString timeText(std::int32_t t, bool monthFirst) {
    const std::string pattern = std::string(ql::calendar::datePattern(monthFirst)) + " %H:%M:%S";
    return QString::fromStdString(ql::calendar::formatLocal(t, pattern.c_str()));
}

}  // namespace

CRecoveryDlg::CRecoveryDlg(ql::FileSystem& fs, const ql::FileSet& set, ql::JournalState state,
                           QWidget* parent)
    : QDialog(parent),
      m_message(new QLabel(this)),
      m_list(new QTreeWidget(this)),
      m_checkOut(new QPushButton(this)),
      m_keep(new QPushButton(QStringLiteral("&Keep running"), this)),
      m_discard(new QPushButton(QStringLiteral("&Discard"), this)) {
    setWindowTitle(QStringLiteral("Running projects"));
    const bool monthFirst = ql::readSettingsOrDefaults(fs, set, "$", true).monthFirst();
    const QString lastSeen = timeText(state.heartbeat, monthFirst);

    QString text = QStringLiteral("Quillory ended while these projects were running. It was last seen running at ") +
                   lastSeen + QLatin1Char('.');
    if (state.paused) text += QStringLiteral(" They were paused.");
    m_message->setObjectName(QStringLiteral("recoveryMessage"));
    m_message->setText(text);
    m_message->setWordWrap(true);

    m_list->setObjectName(QStringLiteral("entriesList"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setHeaderLabels({QStringLiteral("Project"), QStringLiteral("Started"), QStringLiteral("Time")});
    auto index = ql::ProjectIndex::load(fs, set.projects());
    // The time shown is what "Check out" writes: the pause accounting up to the heartbeat.
    const std::vector<ql::TimeFrameRecord> frames = ql::framesAtLastSeen(state);
    for (std::size_t i = 0; i < state.entries.size() && i < frames.size(); ++i) {
        const ql::RunningEntry& entry = state.entries[i];
        QString name = index ? QString::fromStdString(index->name(entry.projectId)) : QString();
        if (name.isEmpty()) name = QStringLiteral("Project ") + QString::number(entry.projectId);
        const std::int64_t worked = std::int64_t{frames[i].end} - frames[i].start;
        auto* item = new QTreeWidgetItem(
            {name, timeText(entry.start, monthFirst),
             QString::fromStdString(ql::durationText(ql::wholeMinutes(worked)))});
        m_list->addTopLevelItem(item);
    }
    for (int column = 0; column < m_list->columnCount(); ++column) m_list->resizeColumnToContents(column);
    m_list->setMinimumWidth(m_list->header()->length() + 24);
    m_list->setMaximumHeight(m_list->sizeHintForRow(0) * 6 + m_list->header()->sizeHint().height() + 8);

    m_checkOut->setObjectName(QStringLiteral("checkOutButton"));
    m_checkOut->setText(QStringLiteral("&Check out at ") + lastSeen);
    m_checkOut->setDefault(true);
    m_keep->setObjectName(QStringLiteral("keepButton"));
    m_discard->setObjectName(QStringLiteral("discardButton"));
    connect(m_checkOut, &QPushButton::clicked, this, [this] { choose(ql::RecoveryChoice::CheckOutAtLastSeen); });
    connect(m_keep, &QPushButton::clicked, this, [this] { choose(ql::RecoveryChoice::KeepRunning); });
    connect(m_discard, &QPushButton::clicked, this, [this] { choose(ql::RecoveryChoice::Discard); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_checkOut);
    buttons->addWidget(m_keep);
    buttons->addStretch();
    buttons->addWidget(m_discard);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_message);
    column->addWidget(m_list);
    column->addLayout(buttons);
    m_checkOut->setFocus();
}

void CRecoveryDlg::choose(ql::RecoveryChoice choice) {
    m_choice = choice;
    accept();
}
