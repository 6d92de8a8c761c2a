#include "ui/common/FieldValidator.h"

#include "ui/common/RecordText.h"

#include <QLineEdit>

FieldValidator::FieldValidator(std::size_t width, QObject* parent) : QValidator(parent), m_width(width) {}

QValidator::State FieldValidator::validate(QString& input, int&) const {
    return fitsField(input, m_width) ? Acceptable : Invalid;
}

void FieldValidator::install(QLineEdit* edit, std::size_t width) {
    edit->setValidator(new FieldValidator(width, edit));
}
