#include "cli/pdf/PdfHalves.h"

#include "print/PageSource.h"
#include "print/ReportPages.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <sched.h>

#include <exception>
#include <memory>
#include <system_error>
#include <thread>

namespace ql::cli {
namespace {

Status notJoined(const std::string& reason) {
    return Status::ioError("the PDF pages could not be made").withReason(reason);
}

}  // namespace

int usableProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return CPU_COUNT(&set);
}

Result<QByteArray> joinPdfs(const QByteArray& first, const QByteArray& second) {
    try {
        QPDF joined;
        joined.setSuppressWarnings(true);
        joined.processMemoryFile("first half", first.constData(), static_cast<std::size_t>(first.size()));
        QPDF tail;
        tail.setSuppressWarnings(true);
        tail.processMemoryFile("second half", second.constData(), static_cast<std::size_t>(second.size()));
        QPDFPageDocumentHelper pages(joined);
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(tail).getAllPages()) pages.addPage(page, false);
        QPDFWriter writer(joined);
        writer.setOutputMemory();
        // The pages' streams are already compressed: carried over, not decoded and made again.
        writer.setStreamDataMode(qpdf_s_preserve);
        writer.write();
        const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        return QByteArray(reinterpret_cast<const char*>(written->getBuffer()),
                          static_cast<qsizetype>(written->getSize()));
    } catch (const std::exception& e) {
        return notJoined(e.what());
    }
}

Result<QByteArray> renderReportPdf(ReportPages& pages, int processors) {
    const int count = pages.pageCount();
    if (count < kPagesWorthTwoThreads || processors < 2) return renderPdf(pages);

    pages.beginJob();
    const int middle = (count + 1) / 2;
    const std::unique_ptr<PageSource> firstHalf = pages.paintedElsewhere();
    const std::unique_ptr<PageSource> secondHalf = pages.paintedElsewhere();
    // The second thread paints into a writer of its own with a text cache of its own; it shares
    // only the laid-out pages, which neither thread changes.
    Result<QByteArray> second = notJoined("the second half was not painted");
    auto paintSecond = [&] { second = renderPdfPages(*secondHalf, middle + 1, count); };
    std::thread painter;
    try {
        painter = std::thread(paintSecond);
    } catch (const std::system_error&) {
        // No thread to be had (a process limit): the same halves, one after the other.
    }
    Result<QByteArray> first = renderPdfPages(*firstHalf, 1, middle);
    if (painter.joinable()) painter.join();
    else paintSecond();
    if (!first) return first.status();
    if (!second) return second.status();
    return joinPdfs(*first, *second);
}

}  // namespace ql::cli
