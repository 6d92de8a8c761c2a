#include "print/PdfHalves.h"

#include "print/PageSource.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <sched.h>

#include <atomic>
#include <chrono>
#include <exception>
#include <future>
#include <memory>
#include <system_error>

namespace {

ql::Status notJoined(const std::string& reason) {
    return ql::Status::ioError("the PDF pages could not be made").withReason(reason);
}

// The second half's progress, on its own thread: counts its pages and stops when told.
class SecondHalfProgress final : public ql::Progress {
public:
    SecondHalfProgress(std::atomic<std::uint64_t>& done, const std::atomic<bool>& stop) : m_done(done), m_stop(stop) {}

protected:
    bool onAdvance(std::uint64_t done, std::uint64_t) override {
        m_done.store(done);
        return !m_stop.load();
    }

private:
    std::atomic<std::uint64_t>& m_done;
    const std::atomic<bool>& m_stop;
};

// The first half's, on the caller's thread: tells the caller's progress the pages of both
// halves, and stops the second when the caller's stops.
class FirstHalfProgress final : public ql::Progress {
public:
    FirstHalfProgress(ql::Progress& whole, const std::atomic<std::uint64_t>& secondDone, std::atomic<bool>& stop,
                      std::uint64_t pages)
        : m_whole(whole), m_secondDone(secondDone), m_stop(stop), m_pages(pages) {}

    // firstDone pages of the first half painted; false once the caller's progress stopped.
    bool tell(std::uint64_t firstDone) {
        if (!m_whole.advance(firstDone + m_secondDone.load(), m_pages)) m_stop.store(true);
        return !m_stop.load();
    }

protected:
    bool onAdvance(std::uint64_t done, std::uint64_t) override { return tell(done); }

private:
    ql::Progress& m_whole;
    const std::atomic<std::uint64_t>& m_secondDone;
    std::atomic<bool>& m_stop;
    std::uint64_t m_pages;
};

}  // namespace

int usableProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return CPU_COUNT(&set);
}

ql::Result<QByteArray> joinPdfs(const QByteArray& first, const QByteArray& second) {
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
        QByteArray bytes(reinterpret_cast<const char*>(written->getBuffer()),
                         static_cast<qsizetype>(written->getSize()));
        // Held to what a document painted whole is held to before anything is written.
        if (!isWholePdf(bytes)) return notJoined("the joined document is not whole");
        return bytes;
    } catch (const std::exception& e) {
        return notJoined(e.what());
    }
}

ql::Result<QByteArray> renderPdfOnProcessors(PageSource& source, int processors, ql::Progress* progress) {
    const std::unique_ptr<PageSource> firstHalf = processors >= 2 ? source.paintedElsewhere() : nullptr;
    if (!firstHalf) return renderPdfPages(source, 0, 0, progress);
    // The job begins once; the sources painted elsewhere begin none of their own.
    source.beginJob();
    const int count = source.pageCount();
    if (count < kPagesWorthTwoThreads) return renderPdfPages(*firstHalf, 0, 0, progress);

    const int middle = (count + 1) / 2;
    const std::unique_ptr<PageSource> secondHalf = source.paintedElsewhere();
    std::atomic<std::uint64_t> secondDone{0};
    std::atomic<bool> stop{false};
    SecondHalfProgress secondProgress(secondDone, stop);
    std::unique_ptr<FirstHalfProgress> firstProgress;
    if (progress) firstProgress = std::make_unique<FirstHalfProgress>(*progress, secondDone, stop, count);
    // The one thread besides the user interface's: it paints into a writer of its own with a
    // text cache of its own, and shares only the laid-out pages, which neither thread changes.
    auto paintSecond = [&] { return renderPdfPages(*secondHalf, middle + 1, count, &secondProgress); };
    std::future<ql::Result<QByteArray>> painting;
    try {
        painting = std::async(std::launch::async, paintSecond);
    } catch (const std::system_error&) {
        // No thread to be had (a process limit): the same halves, one after the other.
    }
    ql::Result<QByteArray> first = renderPdfPages(*firstHalf, 1, middle, firstProgress.get());
    // The window keeps showing the second half's pages, and can still stop it.
    if (painting.valid())
        while (painting.wait_for(std::chrono::milliseconds(40)) != std::future_status::ready)
            if (firstProgress && !stop.load()) firstProgress->tell(static_cast<std::uint64_t>(middle));
    ql::Result<QByteArray> second = painting.valid() ? painting.get() : paintSecond();
    if (stop.load() || (progress && progress->stopped())) return ql::Status::cancelled();
    if (!first) return first.status();
    if (!second) return second.status();
    return joinPdfs(*first, *second);
}
