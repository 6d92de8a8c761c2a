#include "ui/common/FieldBytesLimit.h"

#include "core/store/FieldCodec.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include <algorithm>
#include <memory>

FieldBytesValidator::FieldBytesValidator(std::size_t width, QObject* parent) : QValidator(parent), m_width(width) {}

QValidator::State FieldBytesValidator::validate(QString& input, int&) const {
    return ql::codec::textFitsField(input.toStdString(), m_width) ? Acceptable : Invalid;
}

void limitToFieldBytes(QLineEdit* edit, std::size_t width) {
    edit->setValidator(new FieldBytesValidator(width, edit));
}

std::string linesToRecordText(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return lines.toStdString();
}

void limitLinesToFieldBytes(QPlainTextEdit* edit, std::size_t width) {
    // The last text that fits; a text set by code before the first edit counts as fitting.
    auto accepted = std::make_shared<QString>(edit->toPlainText());
    auto restoring = std::make_shared<bool>(false);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, width, accepted, restoring] {
        if (*restoring) return;
        const QString now = edit->toPlainText();
        if (ql::codec::textFitsField(linesToRecordText(now), width)) {
            *accepted = now;
            return;
        }
        const int position = edit->textCursor().position() - static_cast<int>(now.size() - accepted->size());
        *restoring = true;
        edit->setPlainText(*accepted);
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(std::clamp(position, 0, static_cast<int>(accepted->size())));
        edit->setTextCursor(cursor);
        *restoring = false;
    });
}
