#include "ui/analysis/CPieChartDlg.h"
#include "ui/common/CoreText.h"

#include "ui_CPieChartDlg.h"

#include "core/reports/ReportPeriod.h"
#include "core/store/FileSet.h"
#include "core/store/Settings.h"
#include "core/text/NumberText.h"
#include "core/time/Clock.h"
#include "ui/common/Contrast.h"
#include "ui/common/Prompter.h"
#include "ui/common/RecordText.h"
#include "ui/reports/PeriodControls.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

QFont labelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setWeight(QFont::Bold);
    return font;
}

QRect toQRect(const ql::ChartRect& r) { return {r.left, r.top, r.width(), r.height()}; }

const QColor kChartGrey(192, 192, 192);

// Qt counts sixteenths of a degree anticlockwise; the pie runs clockwise.
int sixteenths(double degrees) { return -static_cast<int>(std::lround(degrees * 16.0)); }

}  // namespace

CPieChartDlg::CPieChartDlg(ql::FileSystem& fs, Prompter& prompter, const ql::Clock& clock, const ql::FileSet& set,
                           bool localeMonthFirst, QWidget* parent, ProgressFactory progress)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::CPieChartDlg>()),
      m_fs(fs),
      m_prompter(prompter),
      m_clock(clock),
      m_set(set),
      m_localeMonthFirst(localeMonthFirst),
      m_progress(std::move(progress)) {
    m_ui->setupUi(this);
    QPalette black = m_ui->separator->palette();
    black.setColor(QPalette::Window, Qt::black);
    m_ui->separator->setPalette(black);
    // The controls stand on the chart's grey, where the style's disabled grey would vanish:
    // dimmed, but still readable there, and in a disabled field on the theme's own field colour.
    QPalette controls = m_ui->controlsPanel->palette();
    const QColor dimmed(128, 128, 128);
    controls.setColor(QPalette::Disabled, QPalette::WindowText, readableOn(kChartGrey, dimmed));
    controls.setColor(QPalette::Disabled, QPalette::Text,
                      readableOn(controls.color(QPalette::Disabled, QPalette::Base), dimmed));
    // The labels stand on that fixed light grey too: black, whatever a dark palette says.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        controls.setColor(group, QPalette::WindowText, Qt::black);
    m_ui->controlsPanel->setPalette(controls);
    // The paint covers the whole client area, so nothing is erased before it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);

    fillPeriodList(*m_ui->periodCombo, ql::PeriodChoice::ThisYear);
    resetDateFields();
    compute();

    connect(m_ui->periodCombo, &QComboBox::currentIndexChanged, this, [this] {
        resetDateFields();
        compute();
        repaintChart();
    });
    m_ui->fromEdit->installEventFilter(this);
    m_ui->toEdit->installEventFilter(this);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &QDialog::accept);
}

CPieChartDlg::~CPieChartDlg() = default;

bool CPieChartDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == m_ui->fromEdit || watched == m_ui->toEdit)) {
        // Switching windows or opening a menu is not leaving the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return QDialog::eventFilter(watched, event);
        // Leaving for Exit closes: a warning about the date would swallow the click.
        if (QApplication::focusWidget() == m_ui->exitButton) return QDialog::eventFilter(watched, event);
        compute();
        repaintChart();
    }
    return QDialog::eventFilter(watched, event);
}

bool CPieChartDlg::monthFirst() const {
    const auto settings = ql::readSettings(m_fs, m_set);
    return settings ? settings->monthFirst() : m_localeMonthFirst;
}

PeriodControls CPieChartDlg::periodControls() const {
    return {m_ui->periodCombo, m_ui->fromLabel, m_ui->fromEdit, m_ui->toLabel, m_ui->toEdit};
}

void CPieChartDlg::resetDateFields() { RefreshPeriodControls(periodControls(), monthFirst()); }

void CPieChartDlg::compute() {
    // Resolved here rather than through resolvePeriodControls: that one hands the focus back
    // to the field at fault, and as leaving a field recomputes, the user could never leave it.
    const auto period = ql::ResolvePeriod(selectedPeriodChoice(periodControls()), m_ui->fromEdit->text().toStdString(),
                                          m_ui->toEdit->text().toStdString(), monthFirst(), m_clock.now());
    if (!period) {
        // An unreadable typed date gives an empty chart and says why.
        m_chart.clear();
        m_prompter.inform(tr("Warning"), coreText(period.status()),
                          Prompter::Icon::Information);
        return;
    }
    // Over the main window: on opening, this dialog is not shown yet.
    QWidget* over = isVisible() ? this : parentWidget();
    const QString label = tr("Adding up the time frames...");
    const std::unique_ptr<ql::Progress> progress =
        m_progress ? m_progress(over, label) : std::make_unique<ProgressWindow>(over, label);
    const ql::Status st = m_chart.compute(m_fs, m_set, *period, progress.get());
    // Stopped by the user: an empty chart, nothing to say.
    if (st.isCancelled()) return;
    if (!st) m_prompter.inform(QStringLiteral("Quillory"), coreText(st), Prompter::Icon::Warning);
}

void CPieChartDlg::repaintChart() {
    const ql::PieGeometry g = ql::pieGeometry(m_chart, width(), height());
    update(toQRect(ql::hoverRepaintRect(g)).united(m_lastLabel));
}

QString CPieChartDlg::labelTextAt(const QPoint& at) const {
    const ql::PieGeometry g = ql::pieGeometry(m_chart, width(), height());
    const int slice = ql::pieSliceAt(m_chart, g, at.x(), at.y());
    if (slice < 0) return {};
    return fromRecordText(ql::hoverLabelText(m_chart.slices()[static_cast<std::size_t>(slice)]));
}

QRect CPieChartDlg::labelRect(const QString& text, const QPoint& at) const {
    if (text.isEmpty()) return {};
    QRect box(at, QSize(QFontMetrics(labelFont()).horizontalAdvance(text) + 20, 15));
    // Near the right or bottom edge the label turns back inside the dialog.
    if (box.right() >= width()) box.moveRight(std::max(0, width() - 1));
    if (box.bottom() >= height()) box.moveBottom(std::max(0, height() - 1));
    if (box.left() < 0) box.moveLeft(0);
    return box;
}

void CPieChartDlg::mouseMoveEvent(QMouseEvent* event) {
    m_pointer = event->position().toPoint();
    const QRect next = labelRect(labelTextAt(m_pointer), m_pointer);
    // A long name or a pointer near the bottom puts the label beyond the chart area: the
    // label's old and new places are repainted too, so no piece of it is left behind.
    const ql::PieGeometry g = ql::pieGeometry(m_chart, width(), height());
    update(toQRect(ql::hoverRepaintRect(g)).united(m_lastLabel).united(next));
    QDialog::mouseMoveEvent(event);
}

void CPieChartDlg::leaveEvent(QEvent* event) {
    m_pointer = {-1, -1};
    update(m_lastLabel);
    QDialog::leaveEvent(event);
}

std::vector<AccessibleItem> CPieChartDlg::accessibleItems() const {
    const ql::PieGeometry g = ql::pieGeometry(m_chart, width(), height());
    const QRect square = g.drawn ? toQRect(g.pieSquare) : QRect();
    AccessibleItem pie{QAccessible::Chart, tr("Projects pie chart"), {}, square, false, {}};
    if (m_chart.slices().empty()) pie.description = tr("No time in this period");
    const double total = static_cast<double>(m_chart.totalMinutes());
    for (const ql::PieSlice& slice : m_chart.slices()) {
        const double share = total > 0 ? static_cast<double>(slice.minutes) / total * 100.0 : 0.0;
        pie.children.push_back({QAccessible::ListItem,
                                tr("%1, %2, %3%").arg(fromRecordText(slice.name),
                                                      QString::fromStdString(ql::pieTimeText(slice.minutes)),
                                                      QString::fromStdString(ql::fixed2Text(share))),
                                {}, square, false, {}});
    }
    return {std::move(pie)};
}

void CPieChartDlg::paintEvent(QPaintEvent*) {
    // Sized to the client area at the screen's pixel ratio, so a large or high-DPI dialog is
    // painted whole and sharp.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(qCeil(width() * ratio), qCeil(height() * ratio));
    if (m_buffer.size() != pixels) m_buffer = QPixmap(pixels);
    m_buffer.setDevicePixelRatio(ratio);

    QPainter p(&m_buffer);
    p.fillRect(rect(), kChartGrey);
    const ql::PieGeometry g = ql::pieGeometry(m_chart, width(), height());
    if (g.drawn) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        const QRect square = toQRect(g.pieSquare);
        const auto sweeps = ql::sliceSweeps(m_chart);
        for (std::size_t i = 0; i < sweeps.size(); ++i) {
            const int from = sixteenths(sweeps[i].startDegrees);
            const int to = sixteenths(sweeps[i].startDegrees + sweeps[i].spanDegrees);
            if (from == to) continue;  // no minutes, no angle
            const ql::Rgb c = m_chart.slices()[i].colour;
            p.setBrush(QColor(c.r, c.g, c.b));
            p.drawPie(square, from, to - from);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
    }

    m_hoverText = labelTextAt(m_pointer);
    m_lastLabel = labelRect(m_hoverText, m_pointer);
    if (!m_hoverText.isEmpty()) {
        // The frame is drawn inside the box, which is width + 20 by 15 pixels.
        p.fillRect(m_lastLabel, QColor(255, 255, 128));
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(m_lastLabel.adjusted(0, 0, -1, -1));
        p.setFont(labelFont());
        p.drawText(m_lastLabel, Qt::AlignCenter | Qt::TextSingleLine, m_hoverText);
    }
    p.end();

    QPainter(this).drawPixmap(0, 0, m_buffer);
}
