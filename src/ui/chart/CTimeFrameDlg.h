#pragma once

#include "core/store/TimeFrameRecord.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class Prompter;

// Time frame: the date, start time and duration of one frame. OK reads the edits back and
// refuses (with a message, the dialog staying open) anything that is not a real date, an
// hours:minutes time or duration, or a frame ending before it starts.
class CTimeFrameDlg : public QDialog {
    Q_OBJECT
public:
    // projectName is shown, not edited; monthFirst is the settings' date order.
    CTimeFrameDlg(const ql::TimeFrameRecord& frame, const QString& projectName, bool monthFirst, Prompter& prompter,
                  QWidget* parent = nullptr);

    // The edited frame after OK (the original before).
    const ql::TimeFrameRecord& frame() const { return m_frame; }

    QLineEdit* dateEdit() const { return m_date; }
    QLineEdit* timeEdit() const { return m_time; }
    QLineEdit* durationEdit() const { return m_duration; }
    QLabel* projectLabel() const { return m_project; }

    void accept() override;

private:
    ql::TimeFrameRecord m_frame;
    bool m_monthFirst;
    Prompter& m_prompter;
    QLabel* m_project;
    QLineEdit* m_date;
    QLineEdit* m_time;
    QLineEdit* m_duration;
};
