#pragma once

#include <QValidator>

#include <cstddef>

class QLineEdit;

// Accepts a line edit's text only while the record field it goes into can store it whole
// (fitsField), so typing past the field's bytes is refused as it happens, whatever the
// characters cost, instead of the text being cut after OK.
class FieldValidator final : public QValidator {
    Q_OBJECT
public:
    // width is the field's size in the record, its terminating NUL included.
    FieldValidator(std::size_t width, QObject* parent);

    State validate(QString& input, int& pos) const override;
    std::size_t width() const { return m_width; }

    // Gives edit a validator for a field of width, owned by edit.
    static void install(QLineEdit* edit, std::size_t width);

private:
    std::size_t m_width;
};
