#include "widgets/CapitalsValidator.h"

namespace qx {

QValidator::State CapitalsValidator::validate(QString& input, int& pos) const
{
    (void)pos;
    input = input.toUpper();
    return Acceptable;
}

} // namespace qx
