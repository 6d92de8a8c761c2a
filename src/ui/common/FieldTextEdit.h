#pragma once

#include <QPlainTextEdit>

#include <cstddef>

// A multi-line edit for a record field: typing, pasting, dropping and input-method text
// are taken only as far as the field can store them (its lines kept with CR LF breaks,
// linesFitField); the rest is refused with a beep. Without a width it takes anything.
class FieldTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit FieldTextEdit(QWidget* parent = nullptr);

    // width is the field's size in the record, its terminating NUL included; 0 for no limit.
    void setFieldWidth(std::size_t width) { m_width = width; }
    std::size_t fieldWidth() const { return m_width; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // The whole text once inserted replaces the selection.
    QString withInsertion(const QString& inserted) const;
    bool fits(const QString& text) const;

    std::size_t m_width = 0;
};
