#pragma once

#include <QValidator>

#include <cstddef>
#include <string>

class QLineEdit;
class QPlainTextEdit;

// Refuses, while the user types or pastes, any text that its record field (width bytes with
// the NUL) could not hold whole, so nothing is ever cut when the dialog stores it. Bytes count,
// not characters: "é" takes two in UTF-8.
class FieldBytesValidator final : public QValidator {
    Q_OBJECT
public:
    FieldBytesValidator(std::size_t width, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    std::size_t m_width;
};

// Sets a FieldBytesValidator on edit.
void limitToFieldBytes(QLineEdit* edit, std::size_t width);

// The same for a multi-line edit whose line feeds are stored as CR LF: an edit that would
// overflow the field is undone, the cursor kept where the typing was.
void limitLinesToFieldBytes(QPlainTextEdit* edit, std::size_t width);

// Multi-line edit text with its line breaks as CR LF, as records keep them.
std::string linesToRecordText(const QString& text);
