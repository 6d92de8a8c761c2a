#include "ui/common/RecordText.h"

#include "core/store/FieldCodec.h"

#include <vector>

namespace {

bool utf8Fits(const std::string& utf8, std::size_t width) { return ql::codec::textFitsField(utf8, width); }

// Offsets in utf8 where a character ends, ascending; keepPair says an offset may not split
// a CR LF pair.
std::vector<std::size_t> characterEnds(const std::string& utf8, bool keepPair) {
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= utf8.size(); ++i) {
        if (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
        if (keepPair && i < utf8.size() && utf8[i - 1] == '\r' && utf8[i] == '\n') continue;
        ends.push_back(i);
    }
    return ends;
}

// The longest prefix ending at one of ends that fits; a binary search, since a pasted text
// may be long and each test converts the prefix.
std::string longestFittingPrefix(const std::string& utf8, std::size_t width, bool keepPair) {
    if (utf8Fits(utf8, width)) return utf8;
    const std::vector<std::size_t> ends = characterEnds(utf8, keepPair);
    std::size_t lo = 0, hi = ends.size();  // prefixes ends[0..lo) are known to fit
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (utf8Fits(utf8.substr(0, ends[mid]), width))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo == 0 ? std::string() : utf8.substr(0, ends[lo - 1]);
}

std::string crLfLines(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return lines.toStdString();
}

}  // namespace

QString fromRecordText(const std::string& field) {
    return QString::fromStdString(field);
}

bool fitsField(const QString& text, std::size_t width) { return utf8Fits(text.toStdString(), width); }

std::string toRecordText(const QString& text, std::size_t width) {
    return longestFittingPrefix(text.toStdString(), width, false);
}

QString fromRecordLines(const std::string& field) {
    QString text = QString::fromStdString(field);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool linesFitField(const QString& text, std::size_t width) { return utf8Fits(crLfLines(text), width); }

std::string toRecordLines(const QString& text, std::size_t width) {
    return longestFittingPrefix(crLfLines(text), width, true);
}
