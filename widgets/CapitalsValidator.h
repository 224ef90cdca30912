// Turns letters into capitals as they are typed or pasted: the radio's
// keyer and beacon texts have no small letters, and an answer carrying one
// would not be taken back.
#pragma once
#include <QValidator>

namespace qx {

class CapitalsValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace qx
