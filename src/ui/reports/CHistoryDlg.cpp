#include "ui/reports/CHistoryDlg.h"
#include "ui/common/CoreText.h"

#include "core/reports/InvoiceRegister.h"

#include "ui_CHistoryDlg.h"

#include "core/reports/HistoryItems.h"
#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Clock.h"
#include "core/time/TimeText.h"
#include "ui/common/ListKeys.h"
#include "ui/common/Modal.h"
#include "ui/common/Prompter.h"
#include "ui/chart/CTimeFrameDlg.h"
#include "ui/common/RecordText.h"
#include "ui/reports/CHistoryFilterDlg.h"
#include "ui/reports/HistoryModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTreeView>

#include <algorithm>
#include <memory>

CHistoryDlg::CHistoryDlg(ql::FileSystem& fs, Prompter& prompter, Modal& modal, const ql::Clock& clock,
                         const ql::FileSet& set, ProjectChooser chooser, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::CHistoryDlg>()),
      m_fs(fs),
      m_prompter(prompter),
      m_modal(modal),
      m_clock(clock),
      m_set(set),
      m_chooser(std::move(chooser)),
      m_model(new HistoryModel(this)) {
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    const ql::HistoryFilterRecord saved =
        ql::readHistoryFilter(m_fs, m_set.historyFilter(), m_clock.now());
    m_filterProjectId = saved.projectId;
    m_filterPeriod = {saved.periodStart, saved.periodEnd};

    QTreeView* view = m_ui->historyList;
    view->setModel(m_model);
    m_emptyNote = new QLabel(this);
    m_emptyNote->setObjectName(QStringLiteral("emptyNote"));
    m_emptyNote->setWordWrap(true);
    m_emptyNote->hide();
    m_ui->mainLayout->insertWidget(m_ui->mainLayout->indexOf(view) + 1, m_emptyNote);
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    // The widths are the list's own, widened where this font would cut a heading or a
    // fixed-width text such as "12:00 PM".
    const std::string widest[HistoryModel::kColumnCount] = {"",      "00/00/00", ql::clock12Text(12, 0),
                                                            "00:00", "$0000.00", "0000000"};
    for (int c = 0; c < HistoryModel::kColumnCount; ++c) {
        const int heading = header->fontMetrics().horizontalAdvance(HistoryModel::tr(HistoryModel::kColumns[c].heading));
        const int cell = view->fontMetrics().horizontalAdvance(QString::fromStdString(widest[c]));
        view->setColumnWidth(c, std::max({HistoryModel::kColumns[c].width, heading + 28, cell + 16}));
    }
    connect(header, &QHeaderView::sectionClicked, this, &CHistoryDlg::sortByColumn);
    connect(view, &QTreeView::doubleClicked, this, [this] { updateFrame(); });
    view->installEventFilter(this);

    connect(m_ui->addButton, &QPushButton::clicked, this, &CHistoryDlg::addFrame);
    connect(m_ui->updateButton, &QPushButton::clicked, this, &CHistoryDlg::updateFrame);
    connect(m_ui->removeButton, &QPushButton::clicked, this, &CHistoryDlg::removeFrames);
    connect(m_ui->filterButton, &QPushButton::clicked, this, &CHistoryDlg::changeFilter);
    connect(m_ui->printButton, &QPushButton::clicked, this, &CHistoryDlg::accept);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &CHistoryDlg::reject);

    m_sortColumn = HistoryModel::kProject;
    reload();
    // The first row is selected, so Return updates it at once.
    if (m_model->rowCount() > 0) {
        view->setCurrentIndex(m_model->index(0, 0));
        view->selectionModel()->select(m_model->index(0, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // Ctrl+1 to Ctrl+5 sort by the columns, as a click on their headings does.
    for (int c = 0; c < HistoryModel::kColumnCount; ++c) {
        auto* sort = new QShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + c)), this);
        connect(sort, &QShortcut::activated, this, [this, c] { sortByColumn(c); });
    }
    header->setToolTip(tr("Click a heading, or press Ctrl+1 to Ctrl+%1, to sort by that column.")
                           .arg(HistoryModel::kColumnCount));
    view->setFocus();
}

CHistoryDlg::~CHistoryDlg() = default;

QTreeView* CHistoryDlg::list() const { return m_ui->historyList; }

bool CHistoryDlg::monthFirst() const {
    return ql::readSettings(m_fs, m_set).valueOr(ql::SettingsRecord{}).monthFirst();
}

void CHistoryDlg::report(const ql::Message& message) {
    m_prompter.inform(QStringLiteral("Quillory"), coreText(message), Prompter::Icon::Warning);
}

std::vector<int> CHistoryDlg::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_ui->historyList->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CHistoryDlg::reload() {
    const ql::SettingsRecord settings = ql::readSettings(m_fs, m_set).valueOr(ql::SettingsRecord{});
    ql::HistoryLoad load = ql::LoadHistoryItems(m_fs, m_set, {m_filterProjectId, m_filterPeriod});
    for (const ql::Message& message : load.messages) report(message);
    m_model->setHistory(std::move(load.history), settings.monthFirst(), settings.monetarySymbol);
    showInvoices();
    sortByColumn(m_sortColumn);
    // An empty list says why when the saved filter names a project that was deleted.
    const bool deletedFilter = load.filterProjectDeleted && m_model->rowCount() == 0;
    m_emptyNote->setText(deletedFilter ? tr("No time frame is listed: the filter names %1, which is no "
                                            "longer in the projects file. Choose Filter... to change it.")
                                             .arg(QString::fromStdString(ql::deletedProjectName(m_filterProjectId)))
                                       : QString());
    m_emptyNote->setVisible(deletedFilter);
}

namespace {

// What the register bills, looked up for the rows shown.
struct BilledIndex {
    explicit BilledIndex(ql::InvoiceRegister r) : reg(std::move(r)), frames(reg), numbers(reg.invoices().size()) {}
    ql::InvoiceRegister reg;
    ql::BilledFrames frames;
    std::vector<QString> numbers;  // each converted once, then shared by its rows
    std::string path;
    ql::FileIdentity identity;  // of the register when it was read
};

// The index of the last register read: opening the History again costs a look at the
// register's identity rather than a read of it, until an invoice is issued or voided (each a
// rename, so a new identity).
std::shared_ptr<BilledIndex>& lastBilledIndex() {
    static std::shared_ptr<BilledIndex> last;
    return last;
}

}  // namespace

void CHistoryDlg::showInvoices() {
    const std::string& path = m_set.invoiceRegister();
    const auto identity = m_fs.identify(path);
    std::shared_ptr<BilledIndex>& last = lastBilledIndex();
    if (!(identity && identity->type == ql::FileType::Regular && last && last->path == path &&
          identity->unchangedSince(last->identity))) {
        if (last && last->path == path && last.use_count() == 1) {
            // No list shows it: read again in place, so that after an issue only the new
            // invoice is decoded and indexed, and after a void the memory is used again.
            const std::size_t before = last->reg.invoices().size();
            auto kept = ql::rereadInvoiceRegister(m_fs, m_set, last->reg);
            // An unreadable register is said rather than shown as time never billed.
            if (!kept) return report(kept.status().userMessage());
            if (*kept == before) {
                last->frames.add(before);
            } else {
                last->frames.rebuild();
                last->numbers.clear();
            }
            last->numbers.resize(last->reg.invoices().size());
        } else {
            auto read = ql::readInvoiceRegister(m_fs, m_set);
            if (!read) return report(read.status().userMessage());
            last = std::make_shared<BilledIndex>(std::move(read).value());
        }
        last->path = path;
        // Taken before the read: a register replaced meanwhile is read again next time.
        last->identity = identity ? *identity : ql::FileIdentity{};
    }
    if (last->reg.invoices().empty()) return m_model->setInvoices(nullptr);
    m_model->setInvoices([billed = last](const ql::HistoryItem& item) {
        const ql::TimeFrameRecord& f = item.frame;
        const std::ptrdiff_t invoice = billed->frames.indexOf({f.projectId, f.start, f.end});
        if (invoice < 0) return QString();
        QString& number = billed->numbers[static_cast<std::size_t>(invoice)];
        if (number.isNull()) number = fromRecordText(billed->reg.invoices()[static_cast<std::size_t>(invoice)].number);
        return number;
    });
}

void CHistoryDlg::sortByColumn(int column) {
    if (column < 0 || column >= HistoryModel::kColumnCount) return;
    m_sortColumn = column;
    m_model->sortByColumn(column);
    // Ascending only, even when the header flipped its indicator on a second click.
    m_ui->historyList->header()->setSortIndicator(column, Qt::AscendingOrder);
}

QString CHistoryDlg::projectNameOf(std::int32_t projectId) const {
    const auto found = ql::findProjectById(m_fs, m_set.projects(), projectId);
    if (found && found->has_value()) return fromRecordText((*found)->name);
    return QString();
}

void CHistoryDlg::addFrame() {
    const std::optional<std::int32_t> chosen = m_chooser ? m_chooser() : std::nullopt;
    if (!chosen) return;
    const std::int32_t start = m_clock.now();
    const std::int32_t end = m_clock.now();
    CTimeFrameDlg dialog({*chosen, start, end}, projectNameOf(*chosen), monthFirst(), m_prompter, this);
    if (m_modal.runDialog(dialog) != QDialog::Accepted) return;
    if (const ql::Status st = ql::appendTimeFrame(m_fs, m_set, dialog.frame()); !st) report(st.userMessage());
    reload();
}

void CHistoryDlg::updateFrame() {
    const std::vector<int> rows = selectedRows();
    if (!rows.empty()) {
        const int top = rows.front();
        const ql::TimeFrameRecord old = m_model->item(top).frame;
        CTimeFrameDlg dialog(old, m_model->projectName(top), monthFirst(), m_prompter, this);
        // OK with nothing changed writes nothing.
        if (m_modal.runDialog(dialog) == QDialog::Accepted && dialog.frame() != old) {
            // One rewrite drops every copy of the old frame and appends the edited one, so a
            // failure can never lose the frame.
            const std::string path = m_set.timeFrames();
            if (const ql::Status st = ql::updateTimeFrame(m_fs, path, old, dialog.frame()); !st) report(st.userMessage());
        }
    }
    reload();
}

void CHistoryDlg::removeFrames() {
    if (!m_prompter.ask(tr("Confirmation"),
                        tr("Are you sure you want to remove the selected items?")))
        return;
    std::vector<ql::TimeFrameRecord> frames;
    for (const int row : selectedRows()) frames.push_back(m_model->item(row).frame);
    if (!frames.empty()) {
        const std::string path = m_set.timeFrames();
        if (const ql::Status st = ql::removeTimeFrames(m_fs, path, frames); !st) report(st.userMessage());
    }
    reload();
}

void CHistoryDlg::changeFilter() {
    CHistoryFilterDlg dialog(m_fs, m_prompter, m_clock, m_set, m_chooser, this);
    if (m_modal.runDialog(dialog) != QDialog::Accepted) return;
    m_filterProjectId = dialog.filterProjectId();
    m_filterPeriod = {dialog.filterStart(), dialog.filterEnd()};
    reload();
}

bool CHistoryDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->historyList && handleListEditKeys(event, [this] { updateFrame(); }, [this] { removeFrames(); }))
        return true;
    return QDialog::eventFilter(watched, event);
}
