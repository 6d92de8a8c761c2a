#include "ui/analysis/CExportDlg.h"
#include "ui/common/CoreText.h"

#include "ui_CExportDlg.h"

#include "collation/NameOrder.h"
#include "core/analysis/ExportWriter.h"
#include "core/analysis/UserName.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/FileSet.h"
#include "core/store/OutputFile.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/time/TimeText.h"
#include "ui/common/Profile.h"
#include "ui/common/ExistingFolder.h"
#include "ui/common/Prompter.h"
#include "ui/common/RecordText.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr const char* kAllProjects = QT_TRANSLATE_NOOP("CExportDlg", "All Projects");

QString profileUserName() {
    QSettings settings{QLatin1String(Profile::kOrganization), QLatin1String(Profile::kApplication)};
    return settings.value(QStringLiteral("Settings/UserName")).toString();
}

}  // namespace

CExportDlg::CExportDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set, bool localeMonthFirst,
                       QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::CExportDlg>()),
      m_fs(fs),
      m_prompter(prompter),
      m_set(set),
      m_localeMonthFirst(localeMonthFirst) {
    m_ui->setupUi(this);
    const ql::ReportPeriod period = ql::defaultExportPeriod();
    const bool dayOrder = monthFirst();
    m_ui->fromEdit->setText(QString::fromStdString(ql::dateText(period.start, dayOrder)));
    m_ui->toEdit->setText(QString::fromStdString(ql::dateText(period.end, dayOrder)));
    m_ui->fileLabel->setText(QLatin1String(kDefaultFileName));

    const std::string& projectsPath = m_set.projects();
    const auto projects = ql::loadProjects(m_fs, projectsPath);
    if (!projects) {
        m_prompter.inform(QStringLiteral("Quillory"),
                          tr("Cannot open Projects file : ") + QString::fromStdString(projectsPath),
                          Prompter::Icon::Warning);
    } else {
        std::vector<std::pair<QString, std::int32_t>> entries;
        entries.reserve(projects->size() + 1);
        for (const auto& p : *projects) entries.emplace_back(fromRecordText(p.name), p.id);
        entries.emplace_back(tr(kAllProjects), -1);
        // A sorted list: "All Projects" stands among the names, which sort as every list of
        // names does; two projects of one name keep the file's order.
        const ql::NameOrder order;
        std::stable_sort(entries.begin(), entries.end(),
                         [&order](const auto& a, const auto& b) { return order(a.first, b.first); });
        for (const auto& [name, id] : entries) m_ui->projectCombo->addItem(name, id);
        m_ui->projectCombo->setCurrentIndex(m_ui->projectCombo->findData(-1));
    }

    connect(m_ui->fileButton, &QPushButton::clicked, this, &CExportDlg::onFileButton);
    connect(m_ui->okButton, &QPushButton::clicked, this, &CExportDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CExportDlg::reject);
    // The first field of the tab order, not the default button, has the focus at first.
    m_ui->fileButton->setFocus();
}

CExportDlg::~CExportDlg() = default;

QString CExportDlg::exportPath() const { return m_ui->fileLabel->text(); }

QString CExportDlg::chooseExportFile(QWidget* parent, const QString& initialName) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilter(tr("QL Export Files (*.txt)"));
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.selectFile(initialName);
    // Overwriting is asked by the dialog itself (QFileDialog confirms by default).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

void CExportDlg::onFileButton() {
    const QString chosen = m_chooseFile(this, exportPath());
    // A save dialog lets a path into a missing folder through: told, and the file kept as it was.
    if (chosen.isEmpty() || !folderExistsOrTell(m_prompter, tr("Warning"), chosen)) return;
    m_ui->fileLabel->setText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
}

bool CExportDlg::monthFirst() const {
    const auto settings = ql::readSettings(m_fs, m_set);
    return settings ? settings->monthFirst() : m_localeMonthFirst;
}

void CExportDlg::accept() {
    ql::ExportRequest request;
    request.monthFirst = monthFirst();
    // A refused typed date is told like in every period dialog, and its field gets the focus.
    const std::pair<QLineEdit*, ql::DayClock> fields[] = {{m_ui->fromEdit, ql::DayClock::Start},
                                                          {m_ui->toEdit, ql::DayClock::End}};
    std::int32_t ends[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const auto [edit, clock] = fields[i];
        const auto t = ql::ParseDateText(edit->text().toStdString(), request.monthFirst, clock, i == 0 ? ql::MessageId::FieldFrom : ql::MessageId::FieldTo);
        if (!t) {
            m_prompter.inform(tr("Warning"), coreText(t.status()),
                              Prompter::Icon::Information);
            edit->setFocus();
            edit->selectAll();
            return;
        }
        ends[i] = *t;
    }
    request.period = {ends[0], ends[1]};
    const QVariant project = m_ui->projectCombo->currentData();
    request.projectId = project.isValid() ? project.toInt() : -1;
    request.options.minutes = m_ui->minutesCheck->isChecked();
    request.options.hours24 = m_ui->hours24Check->isChecked();
    request.options.oneField = m_ui->oneFieldCheck->isChecked();
    request.userName = ql::exportUserName(profileUserName().toStdString());

    bool stopped = false;
    const QString failure = writeExportFile(request, stopped);
    // Stopped by the user: no file, nothing to say, and the dialog stays for another try.
    if (stopped) return;
    if (!failure.isEmpty()) {
        m_prompter.inform(QStringLiteral("Quillory"), failure, Prompter::Icon::Warning);
        return;
    }
    m_prompter.inform(tr("Status"), tr(kSuccess), Prompter::Icon::Information);
    QDialog::accept();
}

QString CExportDlg::writeExportFile(const ql::ExportRequest& request, bool& stopped) {
    const QString path = exportPath();
    const QString label = tr("Writing the export file...");
    const std::unique_ptr<ql::Progress> progress =
        m_progress ? m_progress(this, label) : std::make_unique<ProgressWindow>(this, label);
    bool created = false;
    ql::Status fileWrite;
    ql::Status produced;
    // The one writer of output files, as quillory-cli export --out writes them.
    const ql::Status written = ql::writeOutputFile(
        m_fs, QFile::encodeName(path).toStdString(), ql::Message(ql::MessageId::CannotWriteExportFile, {path.toStdString()}),
        [&](ql::File& file) {
            created = true;
            produced = ql::writeExport(
                m_fs, m_set, request,
                [&](std::string_view piece) {
                    if (fileWrite) fileWrite = file.write(piece.data(), piece.size());
                    return fileWrite.isOk();
                },
                nullptr, progress.get());
            return fileWrite ? produced : fileWrite;
        },
        &m_set);
    if (written) return {};
    stopped = produced.isCancelled();
    // A refused path (a file of the open set) is said as it is: nothing was created.
    if (written.code() == ql::StatusCode::InvalidArgument) return coreText(written);
    const QString reason = QString::fromStdString(written.reason());
    if (!created) return tr("Cannot create the export file : %1\n%2").arg(path, reason);
    // A file that cannot be read is said in its own words; the export file's failures with their reason.
    if (fileWrite && !produced) return coreText(produced);
    return tr("Cannot write the export file : %1\n%2").arg(path, reason);
}
