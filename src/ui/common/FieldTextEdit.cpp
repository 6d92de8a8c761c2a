#include "ui/common/FieldTextEdit.h"

#include "ui/common/RecordText.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

FieldTextEdit::FieldTextEdit(QWidget* parent) : QPlainTextEdit(parent) {}

bool FieldTextEdit::fits(const QString& text) const { return m_width == 0 || linesFitField(text, m_width); }

QString FieldTextEdit::withInsertion(const QString& inserted) const {
    const QTextCursor cursor = textCursor();
    QString text = toPlainText();
    text.replace(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart(), inserted);
    return text;
}

void FieldTextEdit::keyPressEvent(QKeyEvent* event) {
    // What the base class would insert for this key: a line break or printable text.
    QString inserted;
    if (!isReadOnly()) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            inserted = QStringLiteral("\n");
        else if (!event->text().isEmpty() && (event->text().at(0).isPrint() || event->text().at(0) == QLatin1Char('\t')))
            inserted = event->text();
    }
    if (!inserted.isEmpty() && !fits(withInsertion(inserted))) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void FieldTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText() || m_width == 0) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QString text = source->text();
    if (!fits(withInsertion(text))) {
        // As much of the start of the pasted text as the field still holds.
        qsizetype lo = 0, hi = text.size();
        while (lo < hi) {
            const qsizetype mid = (lo + hi + 1) / 2;
            if (fits(withInsertion(text.left(mid))))
                lo = mid;
            else
                hi = mid - 1;
        }
        if (lo > 0 && text.at(lo - 1).isHighSurrogate()) --lo;
        text.truncate(lo);
        QApplication::beep();
    }
    if (!text.isEmpty()) textCursor().insertText(text);
    ensureCursorVisible();
}

void FieldTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !fits(withInsertion(event->commitString()))) {
        QApplication::beep();
        QInputMethodEvent refused(event->preeditString(), event->attributes());
        refused.setCommitString(QString(), event->replacementStart(), event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&refused);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}
