#pragma once

#include "core/Progress.h"
#include "core/Status.h"

#include <QByteArray>

class PageSource;

// Reports of at least this many pages are painted in two halves at once.
inline constexpr int kPagesWorthTwoThreads = 100;

// The processors this process may run on, which a container or taskset may keep below the
// machine's.
int usableProcessors();

// Every page of source as one plain PDF document, as renderPdf makes it (renderPdf calls this
// with usableProcessors()). With two processors or more, a source that can be painted on
// another thread (PageSource::paintedElsewhere) and kPagesWorthTwoThreads pages or more, the
// first half is painted on this thread and the second on another at the same time, each into
// a document of its own, and the second document's pages are then appended to the first's:
// the PDF writer spends about 30 ns on every glyph, and the history of a year has two million.
// The job begins once, here. progress is told the pages of both halves and stops both.
ql::Result<QByteArray> renderPdfOnProcessors(PageSource& source, int processors, ql::Progress* progress);

// The pages of second appended to those of first, as one whole PDF document; streams are
// carried over as they were written.
ql::Result<QByteArray> joinPdfs(const QByteArray& first, const QByteArray& second);
