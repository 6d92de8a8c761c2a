#pragma once

#include <QWidget>

#include <memory>

class QCheckBox;
class QSpinBox;
namespace Ui {
class CAwayPage;
}

// Away: whether absences while projects run are noticed, and after how many minutes away the
// user is asked. Per-user profile values, not part of the file set: shown from the profile,
// stored by store().
class CAwayPage final : public QWidget {
    Q_OBJECT
public:
    explicit CAwayPage(QWidget* parent = nullptr);
    ~CAwayPage() override;

    // Writes the controls that differ from the profile to it (Profile::setAwayDetection,
    // setAwayMinutes).
    void store() const;

    QCheckBox* detectionCheck() const;
    QSpinBox* minutesSpin() const;

private:
    std::unique_ptr<Ui::CAwayPage> m_ui;
};
