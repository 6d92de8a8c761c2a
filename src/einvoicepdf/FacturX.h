#pragma once

#include "core/Status.h"

#include <cstdint>
#include <string>
#include <string_view>

// The PDF with the invoice inside: a PDF/A-3 document whose pages are the printed invoice and
// which carries the e-invoice XML as an attached file, declared in its XMP metadata, so a
// customer's software reads the XML and a person reads the pages. Plain C++ over libqpdf;
// only the programs that write PDF link it.
namespace ql {

// The attached file's name, which the receivers look for.
inline constexpr const char* kFacturXFileName = "factur-x.xml";

// What the document's metadata says besides the attachment.
struct FacturXDocument {
    std::string title;       // the document's title, "Invoice " + the number
    std::string author;      // the seller's name; none when empty
    std::int32_t date = 0;   // creation and modification date, local time (the invoice's issue date)
};

// Turns archivalPdf (a whole PDF/A-1b document as the page renderer makes it: fonts embedded,
// an sRGB output intent) into PDF/A-3b with xml attached as factur-x.xml (relationship
// Alternative, in the catalog's /AF and its EmbeddedFiles names) and XMP declaring PDF/A-3
// and the EN 16931 level. The same inputs give the same bytes: the dates come from document,
// the file identifier from the content. InvalidArgument when archivalPdf is no readable PDF.
Result<std::string> attachFacturX(std::string_view archivalPdf, std::string_view xml,
                                  const FacturXDocument& document);

// The bytes of the file attached to pdf as factur-x.xml. InvalidArgument when pdf is no
// readable PDF; NotFound when it attaches no such file. The messages name neither a path.
Result<std::string> facturXAttachment(std::string_view pdf);

// "D:YYYYMMDDHHmmSS+HH'mm'" and "YYYY-MM-DDThh:mm:ss+hh:mm" of seconds in local time.
std::string pdfDate(std::int32_t seconds);
std::string xmpDate(std::int32_t seconds);

}  // namespace ql
