#include "ui/common/RecordText.h"

#include "core/store/FieldCodec.h"

QString fromRecordText(const std::string& field) {
    return QString::fromStdString(field);
}

std::string toRecordText(const QString& text, std::size_t width) {
    std::string utf8 = text.toStdString();
    // A text whose 8-bit form fits is stored whole, in that form, by the record codec.
    if (ql::codec::textFitsField(utf8, width)) return utf8;
    return std::string(ql::codec::utf8Prefix(utf8, width == 0 ? 0 : width - 1));
}

QString fromRecordLines(const std::string& field) {
    QString text = QString::fromStdString(field);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string toRecordLines(const QString& text, std::size_t width) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::string stored = toRecordText(lines, width);
    if (!stored.empty() && stored.back() == '\r') stored.pop_back();
    return stored;
}
