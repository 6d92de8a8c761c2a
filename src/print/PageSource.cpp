#include "print/PageSource.h"

#include "core/store/OutputFile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

void mapLogicalPage(QPainter& painter) {
    painter.setWindow(0, 0, kLogicalPageWidth, kLogicalPageHeight);
}

bool paintPages(QPagedPaintDevice& device, PageSource& source, int fromPage, int toPage) {
    source.beginJob();
    const int count = source.pageCount();
    const int first = fromPage > 0 ? fromPage : 1;
    const int last = toPage > 0 ? std::min(toPage, count) : count;
    if (first > last) return true;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (int page = first; page <= last; ++page) {
        if (page != first && !device.newPage()) return false;
        painter.save();
        mapLogicalPage(painter);
        source.paintPage(painter, page);
        painter.restore();
    }
    return painter.end();
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

std::optional<QByteArray> renderPdf(PageSource& source) {
    QByteArray bytes;
    bool painted = false;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Quillory"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), source.orientation(), QMarginsF(10, 10, 10, 10),
                                         QPageLayout::Millimeter));
        painted = paintPages(writer, source);
        // A job of no pages still gives a readable file of one blank page.
        if (painted && source.pageCount() == 0) {
            QPainter blank(&writer);
            painted = blank.end();
        }
    }
    if (!painted) return std::nullopt;
    return bytes;
}

ql::Status writePdf(ql::FileSystem& fs, const QString& path, PageSource& source) {
    const ql::Status failed = ql::Status::ioError("Cannot write PDF file : " + path.toStdString());
    // Nothing touches the disk until the whole document is there.
    const std::optional<QByteArray> rendered = renderPdf(source);
    if (!rendered) return failed;
    const QByteArray& bytes = *rendered;
    const ql::Status written =
        ql::writeOutputFile(fs, QFile::encodeName(path).toStdString(), failed.message(), [&](ql::File& out) {
            return out.write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        });
    // The message alone, without the system's reason, reads as it always has.
    return written ? ql::Status::ok() : failed;
}

ql::Status writePdf(const QString& path, PageSource& source) { return writePdf(ql::defaultFileSystem(), path, source); }
