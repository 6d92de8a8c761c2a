#include "print/PageSource.h"

#include "core/store/OutputFile.h"
#include "print/PdfHalves.h"

#include <QBuffer>
#include <QFile>
#include <QHashFunctions>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

void mapLogicalPage(QPainter& painter) {
    painter.setWindow(0, 0, kLogicalPageWidth, kLogicalPageHeight);
}

bool paintPages(QPagedPaintDevice& device, PageSource& source, int fromPage, int toPage, ql::Progress* progress) {
    source.beginJob();
    const int count = source.pageCount();
    const int first = fromPage > 0 ? fromPage : 1;
    const int last = toPage > 0 ? std::min(toPage, count) : count;
    if (first > last) return true;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int page = first; page <= last; ++page) {
        if (progress && !progress->advance(static_cast<std::uint64_t>(page - first),
                                           static_cast<std::uint64_t>(last - first + 1))) {
            painter.end();
            return false;
        }
        if (page != first && !device.newPage()) return false;
        painter.save();
        mapLogicalPage(painter);
        source.paintPage(painter, page);
        painter.restore();
    }
    return painter.end();
}

bool isWholePdf(const QByteArray& bytes) {
    if (!bytes.startsWith("%PDF-")) return false;
    // The trailer may be followed by an end of line only.
    const qsizetype eof = bytes.lastIndexOf("%%EOF");
    return eof >= 0 && bytes.mid(eof + 5).trimmed().isEmpty();
}

QImage renderPage(PageSource& source, int page, const QSize& size) {
    source.beginJob();
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    mapLogicalPage(painter);
    source.paintPage(painter, page);
    return image;
}

namespace {

ql::Result<QByteArray> renderPdfRange(PageSource& source, int fromPage, int toPage, ql::Progress* progress,
                                      PdfStandard standard) {
    // The writer numbers its objects, and names its font subsets after those numbers, in the
    // order of a hash: with the process's random seed, the same pages gave other bytes in each
    // run. An archived invoice is written again as the same file; hashes made meanwhile keep
    // the fixed seed they were made with, which costs them nothing here.
    struct FixedHashSeed {
        explicit FixedHashSeed(bool fixed) : m_fixed(fixed) {
            if (m_fixed) QHashSeed::setDeterministicGlobalSeed();
        }
        ~FixedHashSeed() {
            if (m_fixed) QHashSeed::resetRandomGlobalSeed();
        }
        bool m_fixed;
    } fixedSeed(standard == PdfStandard::Archival);
    QByteArray bytes;
    bool painted = false;
    bool bufferSound = false;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly))
            return ql::Status::ioError("the PDF pages could not be made").withReason(buffer.errorString().toStdString());
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Quillory"));
        writer.setTitle(source.documentName());
        if (standard == PdfStandard::Archival) writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), source.orientation(), QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
        painted = paintPages(writer, source, fromPage, toPage, progress);
        // A job of no pages still gives a readable file of one blank page.
        if (painted && source.pageCount() == 0) {
            QPainter blank(&writer);
            painted = blank.end();
        }
        // The PDF writer writes the cross-reference table and the trailer only when the painter
        // ends, and says nothing when the device then refuses them: look at the device.
        bufferSound = buffer.isOpen() && buffer.isWritable();
    }
    if (progress && progress->stopped()) return ql::Status::cancelled();
    if (!painted || !bufferSound || !isWholePdf(bytes))
        return ql::Status::ioError("the PDF pages could not be made").withReason("the PDF pages could not be made");
    return bytes;
}

}  // namespace

ql::Result<QByteArray> renderPdf(PageSource& source, ql::Progress* progress, PdfStandard standard) {
    if (standard == PdfStandard::Plain) return renderPdfOnProcessors(source, usableProcessors(), progress);
    return renderPdfRange(source, 0, 0, progress, standard);
}

ql::Result<QByteArray> renderPdfPages(PageSource& source, int fromPage, int toPage, ql::Progress* progress) {
    return renderPdfRange(source, fromPage, toPage, progress, PdfStandard::Plain);
}

ql::Status writePdf(ql::FileSystem& fs, const QString& path, PageSource& source, const ql::FileSet* reading,
                    ql::Progress* progress) {
    const ql::Message failureMessage(ql::MessageId::CannotWritePdfFile, {path.toStdString()});
    const std::string encodedPath = QFile::encodeName(path).toStdString();
    // Refused before any page is painted: nothing of the set is ever at risk.
    if (reading)
        if (ql::Status refused = ql::refuseFileOfSet(fs, encodedPath, *reading); !refused) return refused;
    // Nothing touches the disk until the whole document is there.
    const ql::Result<QByteArray> rendered = renderPdf(source, progress);
    if (!rendered && rendered.status().isCancelled()) return rendered.status();
    if (!rendered) return ql::Status::ioError(failureMessage).withReason(rendered.status().reason());
    const QByteArray& bytes = *rendered;
    return ql::writeOutputFile(fs, encodedPath, failureMessage, [&](ql::File& out) {
        return out.write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    });
}

ql::Status writePdf(const QString& path, PageSource& source) { return writePdf(ql::defaultFileSystem(), path, source); }
