#pragma once

#include "core/reports/ReportLayout.h"

#include <QFont>
#include <QString>

class CellTextCache;
class QPainter;

// The font of the report text: Liberation Sans (metric-compatible with Arial) at 11 units,
// whose ascent and descent (about 12.3 units) fit a 15-unit line on the logical page of any
// paper size, since the page is scaled as a whole.
QFont reportFont();

// Paints page (1-based) of layout on the logical page: the header boxes with their titles,
// the page's table lines (total lines in blue over their rules), and the footer with title
// on the left and "Page %d" on the right. Every text is clipped to its cell. The texts are laid
// out through cells, which keeps them for the job's other pages.
void paintReportPage(QPainter& painter, const ql::ReportLayout& layout, int page, const QString& title,
                     CellTextCache& cells);
