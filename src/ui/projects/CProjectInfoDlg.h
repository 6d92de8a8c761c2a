#pragma once

#include "core/store/FileSystem.h"
#include "core/store/ProjectRecord.h"

#include <QDialog>
#include <QString>

#include <memory>

class Prompter;
namespace ql {
class FileSet;
}
namespace Ui {
class CProjectInfoDlg;
}

// Edits the name, customer, charges per hour and memo of one project held by the caller.
// Reads the customers and settings files of the set once when it opens; writes nothing.
class CProjectInfoDlg : public QDialog {
    Q_OBJECT
public:
    // Reads the customers and settings files of set. A customers file that cannot be read is
    // reported through prompter; the list then stays empty and the project's fields are still
    // shown and kept.
    CProjectInfoDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set,
                    const ql::ProjectRecord& record, QWidget* parent = nullptr);
    ~CProjectInfoDlg() override;

    // The project with the edits stored by Done; as given until then. Only fields the user
    // changed are replaced, so a project confirmed unchanged comes back equal. Id and parent
    // id never change.
    const ql::ProjectRecord& record() const { return m_record; }

public slots:
    // Done: stores the fields into record() and closes with Accepted. Refused (Done is
    // disabled) while the name is empty or blank. Each edit takes only what its record
    // field can store, refusing the rest as it is typed.
    void accept() override;

private:
    QString chargesText() const;
    void fillCustomers(ql::FileSystem& fs, Prompter& prompter, const std::string& customersPath);

    std::unique_ptr<Ui::CProjectInfoDlg> m_ui;
    ql::ProjectRecord m_record;
};
