#pragma once

#include "core/Status.h"

#include <QByteArray>

class ReportPages;

namespace ql::cli {

// Reports of at least this many pages are painted in two halves at once.
inline constexpr int kPagesWorthTwoThreads = 100;

// The processors this process may run on, which a container or taskset may keep below the
// machine's.
int usableProcessors();

// Every page of pages as one PDF document, as renderPdf makes it. With two processors or more
// and a report of kPagesWorthTwoThreads pages or more, the first half is painted on this thread
// and the second on another at the same time, each into a document of its own, and the second
// document's pages are then appended to the first's: the PDF writer spends about 30 ns on every
// glyph, and the history of a year has two million. The job begins here, once.
ql::Result<QByteArray> renderReportPdf(ReportPages& pages, int processors);

// The pages of second appended to those of first, as one whole PDF document; streams are
// carried over as they were written.
ql::Result<QByteArray> joinPdfs(const QByteArray& first, const QByteArray& second);

}  // namespace ql::cli
