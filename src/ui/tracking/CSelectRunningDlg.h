#pragma once

#include <QDialog>

#include <cstdint>
#include <vector>

class QListWidget;
class Prompter;

namespace ql {
class FileSet;
class FileSystem;
}  // namespace ql

// Asks which of the running projects to check out. Lists their names in running order,
// the first selected; OK or a double-click chooses.
class CSelectRunningDlg : public QDialog {
    Q_OBJECT
public:
    // ids are the running entries' project ids in running order; names come from the projects
    // file of set. A projects file that cannot be read is reported once; its items are still
    // listed (with empty names) so that positions keep matching ids.
    CSelectRunningDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set,
                      std::vector<std::int32_t> ids, QWidget* parent = nullptr);

    // The id at the selected position after OK; -1 before.
    std::int32_t chosenId() const { return m_chosenId; }
    QListWidget* list() const { return m_list; }

    void accept() override;

private:
    std::vector<std::int32_t> m_ids;
    std::int32_t m_chosenId = -1;
    QListWidget* m_list;
};
