#include "ui/app/CTessalyView.h"

#include "ui/app/CTessalyDoc.h"
#include "ui/app/CommandIds.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

CTessalyView::CTessalyView(CTessalyDoc& doc, const ql::Clock& clock, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_clock(clock) {
    setObjectName(QStringLiteral("tessalyView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWhatsThis(QStringLiteral("The totals charged today, this week, this month and this year, the running "
                                "projects with their time and charges, and the week chart."));
    connect(&m_doc, &CTessalyDoc::updateHint, this, &CTessalyView::onUpdateHint);
}

void CTessalyView::onUpdateHint(int hint) {
    if (hint == hint::kTotals || hint == hint::kWeekChart) update();
}

void CTessalyView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kBackground);
}

void CTessalyView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        onUpdateHint(hint::kTotals);
        onUpdateHint(hint::kWeekChart);
    }
    QWidget::changeEvent(event);
}
