#pragma once

#include "core/Progress.h"
#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <memory>

class QImage;
class QPagedPaintDevice;
class QPainter;
class QSize;

// The logical page every job draws on: 620 x 830 units, origin at the top-left corner of the
// printable area, stretched onto that area independently in x and y.
inline constexpr int kLogicalPageWidth = 620;
inline constexpr int kLogicalPageHeight = 830;

// What one print job prints. The same source serves the printer, the preview, PDF files and
// images, so every output shows the same pages.
class PageSource {
public:
    virtual ~PageSource() = default;
    // Called once before the pages of a job are painted (settings are read here).
    virtual void beginJob() {}
    // Pages of the job; 0 for a report without lines.
    virtual int pageCount() const = 0;
    virtual QPageLayout::Orientation orientation() const { return QPageLayout::Portrait; }
    // Paints page (1-based) in logical page units.
    virtual void paintPage(QPainter& painter, int page) = 0;
    // The document's name: the PDF's title and, with ".pdf", the file name offered when it is
    // exported ("Invoice 9600001"); empty for none.
    virtual QString documentName() const { return {}; }
    // The pages of this job painted by another source, with state of its own, so that two
    // threads may paint some of them at once; null where the pages cannot be painted so. The
    // job must have begun before the other source paints; its beginJob does nothing, and this
    // source outlives it and begins no other job meanwhile.
    virtual std::unique_ptr<PageSource> paintedElsewhere() const { return nullptr; }
};

// Maps the painter's window onto its whole viewport as the logical page.
void mapLogicalPage(QPainter& painter);

// Paints pages fromPage..toPage (1-based; 0, 0 for all) of source onto device, one device
// page each. False when painting could not start on the device, or when progress (told the
// pages painted before each page) was stopped; a caller printing on a printer aborts its job
// from the progress's stop. True for a job of 0 pages, which paints nothing.
bool paintPages(QPagedPaintDevice& device, PageSource& source, int fromPage = 0, int toPage = 0,
                ql::Progress* progress = nullptr);

// One page of source painted on a white image of size (tests, thumbnails).
QImage renderPage(PageSource& source, int page, const QSize& size);

// Which PDF the pages become: Plain, or Archival (PDF/A-1b: every font embedded, an sRGB
// output intent, no transparency), the base of a PDF that carries an e-invoice.
enum class PdfStandard { Plain, Archival };

// Every page of source as the bytes of one whole PDF document (A4, 10 mm margins, the
// source's orientation), made in memory; a failure when the pages could not be made, and
// Status::cancelled() when progress was stopped.
ql::Result<QByteArray> renderPdf(PageSource& source, ql::Progress* progress = nullptr,
                                 PdfStandard standard = PdfStandard::Plain);

// Pages fromPage..toPage (1-based; 0, 0 for all) of source as the bytes of one whole plain PDF
// document, painted on this thread, as paintPages paints them.
ql::Result<QByteArray> renderPdfPages(PageSource& source, int fromPage, int toPage, ql::Progress* progress = nullptr);

// True when bytes are one whole PDF document: the header, then the "%%EOF" trailer at the end.
bool isWholePdf(const QByteArray& bytes);

// Writes every page of source to a PDF at path (A4, 10 mm margins, the source's
// orientation) through writeOutputFile on fs, as every output file of both programs is
// written: the pages are rendered in memory first, then the file is written beside the
// target and renamed over it only when complete, so a failure leaves an existing file as it
// was and no partial file behind. Fails with "Cannot write PDF file : " + path and the
// system's reason. When reading names the set the pages are made from, a path that is one
// of its files is refused (InvalidArgument) with nothing written. A stop of progress writes
// nothing and returns Status::cancelled().
ql::Status writePdf(ql::FileSystem& fs, const QString& path, PageSource& source,
                    const ql::FileSet* reading = nullptr, ql::Progress* progress = nullptr);

// The same on the production file system.
ql::Status writePdf(const QString& path, PageSource& source);
