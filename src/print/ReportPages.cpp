#include "print/ReportPages.h"

#include "core/chart/WeekChart.h"
#include "core/store/Settings.h"
#include "core/time/Clock.h"
#include "core/time/TimeText.h"
#include "print/ReportPainter.h"
#include "print/WeekChartPainter.h"

#include <QPainter>

#include <string_view>

ReportPages::ReportPages(const ql::ReportTable& table, const char* titlePrefix, ql::FileSystem& fileSystem,
                         const ql::Clock& clock)
    : m_table(table), m_titlePrefix(titlePrefix), m_fs(fileSystem), m_clock(clock) {}

void ReportPages::beginJob() {
    // An unreadable settings file prints dates month first, as a new file set would.
    const auto settings = ql::readSettings(m_fs, ql::FileSet(m_table.path()));
    m_monthFirst = settings ? settings->monthFirst() : true;
    m_layout = ql::layoutReport(m_table, m_monthFirst);
    // Another job may paint on another device of the same address.
    m_cells = CellTextCache();
}

QString ReportPages::documentName() const {
    if (std::string_view(m_titlePrefix) == ql::kCustomersTitle) return QStringLiteral("Customers");
    return QStringLiteral("History of charges ") + QString::fromStdString(ql::isoDateText(m_clock.now()));
}

QString WeekChartPages::documentName() const { return QStringLiteral("Week of ") + QString::fromStdString(ql::isoDateText(m_chart.weekStart())); }

int ReportPages::pageCount() const { return ql::ReportPageCount(m_table, ql::kReportBodyArea); }

void ReportPages::paintPage(QPainter& painter, int page) { paintPage(painter, page, m_cells); }

void ReportPages::paintPage(QPainter& painter, int page, CellTextCache& cells) const {
    const std::string title = ql::reportFooterTitle(m_titlePrefix, m_clock.now(), m_monthFirst);
    paintReportPage(painter, m_layout, page, QString::fromStdString(title), cells);
}

class ReportPagesElsewhere final : public PageSource {
public:
    explicit ReportPagesElsewhere(const ReportPages& pages) : m_pages(pages) {}
    int pageCount() const override { return m_pages.pageCount(); }
    QPageLayout::Orientation orientation() const override { return m_pages.orientation(); }
    void paintPage(QPainter& painter, int page) override { m_pages.paintPage(painter, page, m_cells); }
    QString documentName() const override { return m_pages.documentName(); }

private:
    const ReportPages& m_pages;
    CellTextCache m_cells;
};

std::unique_ptr<PageSource> ReportPages::paintedElsewhere() const {
    return std::make_unique<ReportPagesElsewhere>(*this);
}

void WeekChartPages::paintPage(QPainter& painter, int) {
    painter.save();
    // The legend's names are written in the surface's current font.
    painter.setFont(reportFont());
    paintPrintedWeekChart(painter, m_chart);
    painter.restore();
}
