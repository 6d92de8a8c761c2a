#include "einvoicepdf/FacturX.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEFStreamObjectHelper.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <ctime>
#include <exception>

namespace ql {
namespace {

struct LocalParts {
    std::tm tm{};
    int offsetMinutes = 0;
};

LocalParts localParts(std::int32_t seconds) {
    LocalParts parts;
    const std::time_t t = seconds;
    localtime_r(&t, &parts.tm);
    parts.offsetMinutes = static_cast<int>(parts.tm.tm_gmtoff / 60);
    return parts;
}

std::string escapedXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// Each property of the fx schema must be described in the file itself: a PDF/A reader accepts
// no XMP property it cannot find a description of.
std::string fxPropertyDescription(const char* name, const char* description) {
    return std::string("          <rdf:li rdf:parseType=\"Resource\">\n"
                       "            <pdfaProperty:name>") + name + "</pdfaProperty:name>\n"
           "            <pdfaProperty:valueType>Text</pdfaProperty:valueType>\n"
           "            <pdfaProperty:category>external</pdfaProperty:category>\n"
           "            <pdfaProperty:description>" + description + "</pdfaProperty:description>\n"
           "          </rdf:li>\n";
}

std::string xmpPacket(const FacturXDocument& document) {
    const std::string date = xmpDate(document.date);
    std::string xmp =
        "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
        "  <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
        "    <rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\n"
        "      <pdfaid:part>3</pdfaid:part>\n"
        "      <pdfaid:conformance>B</pdfaid:conformance>\n"
        "    </rdf:Description>\n"
        "    <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
        "      <dc:format>application/pdf</dc:format>\n"
        "      <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + escapedXml(document.title) +
        "</rdf:li></rdf:Alt></dc:title>\n";
    if (!document.author.empty())
        xmp += "      <dc:creator><rdf:Seq><rdf:li>" + escapedXml(document.author) + "</rdf:li></rdf:Seq></dc:creator>\n";
    xmp +=
        "    </rdf:Description>\n"
        "    <rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\">\n"
        "      <pdf:Producer>Quillory</pdf:Producer>\n"
        "    </rdf:Description>\n"
        "    <rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
        "      <xmp:CreatorTool>Quillory</xmp:CreatorTool>\n"
        "      <xmp:CreateDate>" + date + "</xmp:CreateDate>\n"
        "      <xmp:ModifyDate>" + date + "</xmp:ModifyDate>\n"
        "    </rdf:Description>\n"
        "    <rdf:Description rdf:about=\"\" xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"\n"
        "        xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\"\n"
        "        xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
        "      <pdfaExtension:schemas>\n"
        "        <rdf:Bag>\n"
        "          <rdf:li rdf:parseType=\"Resource\">\n"
        "            <pdfaSchema:schema>Factur-X PDFA Extension Schema</pdfaSchema:schema>\n"
        "            <pdfaSchema:namespaceURI>urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#</pdfaSchema:namespaceURI>\n"
        "            <pdfaSchema:prefix>fx</pdfaSchema:prefix>\n"
        "            <pdfaSchema:property>\n"
        "              <rdf:Seq>\n" +
        fxPropertyDescription("DocumentFileName", "The name of the embedded XML document") +
        fxPropertyDescription("DocumentType", "The type of the hybrid document in capital letters, e.g. INVOICE or ORDER") +
        fxPropertyDescription("Version", "The actual version of the standard applying to the embedded XML document") +
        fxPropertyDescription("ConformanceLevel", "The conformance level of the embedded XML document") +
        "              </rdf:Seq>\n"
        "            </pdfaSchema:property>\n"
        "          </rdf:li>\n"
        "        </rdf:Bag>\n"
        "      </pdfaExtension:schemas>\n"
        "    </rdf:Description>\n"
        "    <rdf:Description rdf:about=\"\" xmlns:fx=\"urn:factur-x:pdfa:CrossIndustryDocument:invoice:1p0#\">\n"
        "      <fx:DocumentType>INVOICE</fx:DocumentType>\n"
        "      <fx:DocumentFileName>factur-x.xml</fx:DocumentFileName>\n"
        "      <fx:Version>1.0</fx:Version>\n"
        "      <fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>\n"
        "    </rdf:Description>\n"
        "  </rdf:RDF>\n"
        "</x:xmpmeta>\n"
        "<?xpacket end=\"w\"?>";
    return xmp;
}

// The library's own messages name the memory buffer as if it were a file: its detail alone.
Status unreadablePdf(const std::exception& e) {
    const auto* damaged = dynamic_cast<const QPDFExc*>(&e);
    return Status::invalidArgument("not a readable PDF document")
        .withReason(damaged ? damaged->getMessageDetail() : e.what());
}

}  // namespace

namespace {

// The local time of seconds with its offset from UTC, in the pattern of one of the two forms.
std::string dateWithOffset(std::int32_t seconds, const char* pattern) {
    const LocalParts p = localParts(seconds);
    const int offset = p.offsetMinutes < 0 ? -p.offsetMinutes : p.offsetMinutes;
    char text[80];
    std::snprintf(text, sizeof text, pattern, p.tm.tm_year + 1900, p.tm.tm_mon + 1, p.tm.tm_mday, p.tm.tm_hour,
                  p.tm.tm_min, p.tm.tm_sec, p.offsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
    return text;
}

}  // namespace

std::string pdfDate(std::int32_t seconds) { return dateWithOffset(seconds, "D:%04d%02d%02d%02d%02d%02d%c%02d'%02d'"); }

std::string xmpDate(std::int32_t seconds) { return dateWithOffset(seconds, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d"); }

Result<std::string> attachFacturX(std::string_view archivalPdf, std::string_view xml, const FacturXDocument& document) {
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("invoice.pdf", archivalPdf.data(), archivalPdf.size());
        QPDFObjectHandle root = pdf.getRoot();

        QPDFObjectHandle metadata = QPDFObjectHandle::newStream(&pdf, xmpPacket(document));
        metadata.getDict().replaceKey("/Type", QPDFObjectHandle::newName("/Metadata"));
        metadata.getDict().replaceKey("/Subtype", QPDFObjectHandle::newName("/XML"));
        root.replaceKey("/Metadata", metadata);

        const std::string date = pdfDate(document.date);
        QPDFEFStreamObjectHelper file = QPDFEFStreamObjectHelper::createEFStream(pdf, std::string(xml));
        file.setSubtype("text/xml").setModDate(date);
        QPDFFileSpecObjectHelper fileSpec = QPDFFileSpecObjectHelper::createFileSpec(pdf, kFacturXFileName, file);
        fileSpec.setDescription("Factur-X invoice");
        QPDFObjectHandle fileSpecObject = fileSpec.getObjectHandle();
        // The pages and the XML are the same invoice in two forms.
        fileSpecObject.replaceKey("/AFRelationship", QPDFObjectHandle::newName("/Alternative"));
        QPDFEmbeddedFileDocumentHelper(pdf).replaceEmbeddedFile(kFacturXFileName, fileSpec);
        root.replaceKey("/AF", QPDFObjectHandle::newArray({fileSpecObject}));

        // The information dictionary must say what the XMP says, dates included.
        QPDFObjectHandle info = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(document.title));
        if (!document.author.empty()) info.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(document.author));
        info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString("Quillory"));
        info.replaceKey("/Producer", QPDFObjectHandle::newUnicodeString("Quillory"));
        info.replaceKey("/CreationDate", QPDFObjectHandle::newString(date));
        info.replaceKey("/ModDate", QPDFObjectHandle::newString(date));
        QPDFObjectHandle trailer = pdf.getTrailer();
        trailer.replaceKey("/Info", info);
        // The writer keeps the first half of an old identifier, which the page renderer drew
        // at random: without it, both halves come from the content and the same invoice gives
        // the same bytes.
        trailer.removeKey("/ID");

        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.setDeterministicID(true);
        writer.setMinimumPDFVersion("1.7");
        writer.write();
        const std::shared_ptr<Buffer> written = writer.getBufferSharedPointer();
        return std::string(reinterpret_cast<const char*>(written->getBuffer()), written->getSize());
    } catch (const std::exception& e) {
        return unreadablePdf(e);
    }
}

Result<std::string> facturXAttachment(std::string_view pdfBytes) {
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("invoice.pdf", pdfBytes.data(), pdfBytes.size());
        QPDFEmbeddedFileDocumentHelper files(pdf);
        const std::shared_ptr<QPDFFileSpecObjectHelper> fileSpec = files.getEmbeddedFile(kFacturXFileName);
        if (!fileSpec) return Status::notFound(std::string("no file named ") + kFacturXFileName + " is attached");
        QPDFObjectHandle stream = fileSpec->getEmbeddedFileStream();
        if (!stream.isStream()) return Status::notFound(std::string("no file named ") + kFacturXFileName + " is attached");
        const std::shared_ptr<Buffer> data = stream.getStreamData(qpdf_dl_all);
        return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
    } catch (const std::exception& e) {
        return unreadablePdf(e);
    }
}

}  // namespace ql
