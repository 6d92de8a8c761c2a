#pragma once

#include "core/store/Projects.h"
#include "core/tracking/RunningJournal.h"
#include "core/tracking/RunningRecovery.h"

#include <QDialog>

class Prompter;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace ql {
class FileSet;
class FileSystem;
}  // namespace ql

// Asked once when a journal shows that Quillory ended while projects ran: lists each project
// with the time it was checked in and the time worked up to when Quillory was last seen
// running, and offers "Check out at <last seen>", "Keep running" and "Discard" (after a
// confirmation). Closing it (Escape, the close box) checks them out at the last time seen, as
// the dialog says: keeping them running would count the time Quillory was not running as
// worked.
class CRecoveryDlg : public QDialog {
    Q_OBJECT
public:
    // Offers review.state and says what the review clamped or dropped; then "Keep running"
    // is the default, as the one answer that neither writes a frame nor gives up an entry
    // offered. Names come from projects, the index the review was made against (null when the
    // file could not be read; a project it does not hold is shown by its id); dates follow the
    // set's date order.
    CRecoveryDlg(ql::FileSystem& fs, Prompter& prompter, const ql::FileSet& set, const ql::RecoveryReview& review,
                 const ql::ProjectIndex* projects, QWidget* parent = nullptr);

    // CheckOutAtLastSeen until a button is pressed.
    ql::RecoveryChoice choice() const { return m_choice; }
    // Chooses and closes, as the buttons do (Discard without its confirmation).
    void choose(ql::RecoveryChoice choice);
    // Escape and the close box: checked out at the last time seen.
    void reject() override;

    QTreeWidget* entriesList() const { return m_list; }
    QLabel* message() const { return m_message; }
    QPushButton* checkOutButton() const { return m_checkOut; }
    QPushButton* keepButton() const { return m_keep; }
    QPushButton* discardButton() const { return m_discard; }

private:
    void confirmDiscard();

    Prompter& m_prompter;
    ql::RecoveryChoice m_choice = ql::RecoveryChoice::CheckOutAtLastSeen;
    QLabel* m_message;
    QTreeWidget* m_list;
    QPushButton* m_checkOut;
    QPushButton* m_keep;
    QPushButton* m_discard;
};
