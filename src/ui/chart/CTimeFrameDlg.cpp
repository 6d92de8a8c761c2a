#include "ui/chart/CTimeFrameDlg.h"
#include "ui/common/CoreText.h"

#include "core/chart/TimeFrameForm.h"
#include "ui/common/FormDialogLayout.h"
#include "ui/common/Prompter.h"

#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

CTimeFrameDlg::CTimeFrameDlg(const ql::TimeFrameRecord& frame, const QString& projectName, bool monthFirst,
                             Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      m_frame(frame),
      m_monthFirst(monthFirst),
      m_prompter(prompter),
      m_project(new QLabel(projectName, this)),
      m_date(new QLineEdit(this)),
      m_time(new QLineEdit(this)),
      m_duration(new QLineEdit(this)) {
    setWindowTitle(tr("Time frame"));
    m_project->setObjectName(QStringLiteral("projectLabel"));
    // The name's box is as wide as the template's, whatever the name: a long one is elided
    // and shown whole in the tip instead of widening the dialog.
    const QFontMetrics metrics(m_project->font());
    const int nameWidth = metrics.averageCharWidth() * 24;
    m_project->setFixedWidth(nameWidth);
    m_project->setText(metrics.elidedText(projectName, Qt::ElideRight, nameWidth));
    if (m_project->text() != projectName) m_project->setToolTip(projectName);
    m_date->setObjectName(QStringLiteral("dateEdit"));
    m_time->setObjectName(QStringLiteral("timeEdit"));
    m_duration->setObjectName(QStringLiteral("durationEdit"));
    const ql::TimeFrameTexts texts = ql::formatTimeFrameTexts(frame, monthFirst);
    m_date->setText(QString::fromStdString(texts.date));
    m_time->setText(QString::fromStdString(texts.time));
    m_duration->setText(QString::fromStdString(texts.duration));

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(tr("Project :"), m_project);
    form->addRow(tr("Date :"), m_date);
    form->addRow(tr("Time :"), m_time);
    form->addRow(tr("Duration :"), m_duration);
    layOutFormWithOkCancel(*this, form, Qt::AlignBottom);
    m_date->setFocus();
}

void CTimeFrameDlg::accept() {
    const ql::TimeFrameTexts texts{m_date->text().toStdString(), m_time->text().toStdString(),
                                   m_duration->text().toStdString()};
    const ql::TimeFrameInput input = ql::parseTimeFrameTexts(m_frame, texts, m_monthFirst);
    if (!input.frame) {
        m_prompter.inform(tr("Time frame"), coreText(input.frame.status()),
                          Prompter::Icon::Warning);
        QLineEdit* edit = input.field == ql::TimeFrameField::Date   ? m_date
                          : input.field == ql::TimeFrameField::Time ? m_time
                                                                    : m_duration;
        edit->setFocus();
        edit->selectAll();
        return;
    }
    m_frame = *input.frame;
    QDialog::accept();
}
