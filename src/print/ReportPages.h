#pragma once

#include "core/reports/ReportLayout.h"
#include "core/reports/ReportTable.h"
#include "print/CellTextCache.h"
#include "print/PageSource.h"

#include <functional>
#include <memory>
#include <string>

namespace ql {
class Clock;
class FileSystem;
class WeekChart;
}  // namespace ql

// The pages of a history or customer report. Each job reads the settings record once for the
// date order and lays the whole report out once; each page's footer takes the time it is
// painted at.
class ReportPages final : public PageSource {
public:
    // table, fileSystem and clock outlive the pages. titlePrefix is kHistoryTitle or
    // kCustomersTitle.
    ReportPages(const ql::ReportTable& table, const char* titlePrefix, ql::FileSystem& fileSystem,
                const ql::Clock& clock);

    void beginJob() override;
    int pageCount() const override;
    void paintPage(QPainter& painter, int page) override;
    // "History of charges YYYY-MM-DD" (the day it is printed) or "Customers".
    QString documentName() const override;

    const ql::ReportLayout& layout() const { return m_layout; }

    // The pages of this job painted with a text cache of their own: each thread that paints
    // some of them at once takes one.
    std::unique_ptr<PageSource> paintedElsewhere() const override;

private:
    friend class ReportPagesElsewhere;
    void paintPage(QPainter& painter, int page, CellTextCache& cells) const;

    const ql::ReportTable& m_table;
    const char* m_titlePrefix;
    ql::FileSystem& m_fs;
    const ql::Clock& m_clock;
    bool m_monthFirst = true;
    ql::ReportLayout m_layout;
    CellTextCache m_cells;
};

// The printed week chart: one landscape page with the chart at (20, 20, 400, 350) and its
// legend at (420, 20, 580, 350).
class WeekChartPages final : public PageSource {
public:
    explicit WeekChartPages(const ql::WeekChart& chart) : m_chart(chart) {}
    int pageCount() const override { return 1; }
    QPageLayout::Orientation orientation() const override { return QPageLayout::Landscape; }
    // "Week of YYYY-MM-DD", the Monday of the week shown.
    QString documentName() const override;
    void paintPage(QPainter& painter, int page) override;

private:
    const ql::WeekChart& m_chart;
};
