#pragma once

#include <QColor>
#include <QWidget>

class CTessalyDoc;
namespace ql {
class Clock;
}

// The main view, the frame's central widget: the totals and running-projects panels above
// the week chart. It follows the document's update hints (3 totals, 4 week chart) and applies
// both again whenever its window is activated, so the panels are current after any dialog.
class CTessalyView : public QWidget {
    Q_OBJECT
public:
    static constexpr QColor kBackground{192, 192, 192};

    // The document and clock outlive the view. Follows doc's updateHint signal.
    CTessalyView(CTessalyDoc& doc, const ql::Clock& clock, QWidget* parent = nullptr);

    CTessalyDoc& document() const { return m_doc; }
    const ql::Clock& clock() const { return m_clock; }

public slots:
    // Reacts to a document hint; 3 and 4 redraw the view.
    void onUpdateHint(int hint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    CTessalyDoc& m_doc;
    const ql::Clock& m_clock;
};
