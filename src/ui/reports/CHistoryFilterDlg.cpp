#include "ui/reports/CHistoryFilterDlg.h"
#include "ui/common/CoreText.h"

#include "ui_CHistoryFilterDlg.h"

#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/time/Clock.h"
#include "ui/common/Prompter.h"
#include "ui/common/RecordText.h"
#include "ui/reports/PeriodControls.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

PeriodControls periodControlsOf(Ui::CHistoryFilterDlg& ui) {
    return {ui.periodList, ui.fromLabel, ui.fromEdit, ui.toLabel, ui.toEdit};
}

}  // namespace

CHistoryFilterDlg::CHistoryFilterDlg(ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock,
                                     const ql::FileSet& set, ProjectChooser chooser, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::CHistoryFilterDlg>()),
      m_fs(fs),
      m_prompter(prompter),
      m_clock(clock),
      m_set(set),
      m_chooser(std::move(chooser)) {
    m_ui->setupUi(this);
    const ql::HistoryFilterRecord saved =
        ql::readHistoryFilter(m_fs, m_set.historyFilter(), m_clock.now());
    m_filterProjectId = saved.projectId;
    m_period = {saved.periodStart, saved.periodEnd};
    (saved.projectId == -1 ? m_ui->allRadio : m_ui->singleRadio)->setChecked(true);
    fillPeriodList(*m_ui->periodList,
                   ql::periodChoiceFromIndex(saved.periodChoice).value_or(ql::PeriodChoice::ThisYear));
    m_ui->saveCheck->setChecked(true);
    RefreshFilterControls();

    connect(m_ui->periodList, &QComboBox::currentIndexChanged, this, [this] { RefreshFilterControls(); });
    connect(m_ui->allRadio, &QRadioButton::clicked, this, [this] { RefreshFilterControls(); });
    connect(m_ui->singleRadio, &QRadioButton::clicked, this, [this] { RefreshFilterControls(); });
    connect(m_ui->selectButton, &QPushButton::clicked, this, &CHistoryFilterDlg::selectProject);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CHistoryFilterDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CHistoryFilterDlg::reject);
}

CHistoryFilterDlg::~CHistoryFilterDlg() = default;

bool CHistoryFilterDlg::monthFirst() const {
    // Read at the moment of use, as every settings value is.
    return ql::readSettings(m_fs, m_set).valueOr(ql::SettingsRecord{}).monthFirst();
}

void CHistoryFilterDlg::selectProject() {
    if (!m_chooser) return;
    if (const auto chosen = m_chooser()) m_filterProjectId = *chosen;
    RefreshFilterControls();
}

void CHistoryFilterDlg::RefreshFilterControls() {
    RefreshPeriodControls(periodControlsOf(*m_ui), monthFirst());
    const bool all = m_ui->allRadio->isChecked();
    if (all) m_filterProjectId = -1;
    m_ui->selectButton->setEnabled(!all);
    QString name;
    if (!all && m_filterProjectId != -1) {
        const auto index = ql::ProjectIndex::load(m_fs, m_set.projects());
        if (!index)
            m_prompter.inform(QStringLiteral("Quillory"), coreText(index.status()));
        else if (!index->find(m_filterProjectId))
            name = QString::fromStdString(ql::deletedProjectName(m_filterProjectId));  // as the rows name it
        else
            name = fromRecordText(index->fullName(m_filterProjectId, true));
    }
    // A long nested name would widen the dialog past the screen: it is elided in the middle,
    // and shown whole in the tip.
    QLabel* label = m_ui->projectLabel;
    const int room = std::max(label->width(), label->minimumWidth()) - 2 * label->frameWidth() - 2 * label->margin() - 6;
    const QString shown = label->fontMetrics().elidedText(name, Qt::ElideMiddle, room);
    label->setText(shown);
    label->setToolTip(shown == name ? QString() : name);
}

void CHistoryFilterDlg::accept() {
    if (!m_ui->allRadio->isChecked() && m_filterProjectId == -1) {
        m_prompter.inform(tr("Warning"), tr(kNoProjectSelected));
        return;
    }
    const PeriodControls controls = periodControlsOf(*m_ui);
    const auto period = resolvePeriodControls(controls, monthFirst(), m_clock.now(), m_prompter);
    if (!period) return;
    m_period = *period;
    if (m_ui->saveCheck->isChecked()) {
        const ql::HistoryFilterRecord record{m_filterProjectId, static_cast<std::int32_t>(selectedPeriodChoice(controls)),
                                             m_period.start, m_period.end};
        const ql::Status written =
            ql::writeHistoryFilter(m_fs, m_set.historyFilter(), record);
        if (!written)
            m_prompter.inform(tr("Warning"),
                              coreText(written) +
                                  tr("\nThe filter applies to this list only and was not saved."),
                              Prompter::Icon::Warning);
    }
    QDialog::accept();
}
