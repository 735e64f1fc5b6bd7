#include "ui/touppercasevalidator.h"

#include <algorithm>

namespace Corvo {

ToUpperCaseValidator::ToUpperCaseValidator(QObject *parent) : QValidator(parent) {}

QValidator::State ToUpperCaseValidator::validate(QString &input, int &pos) const
{
    // Some letters grow in upper case ("ß" becomes "SS"): the cursor stays behind the same
    // character rather than moving into the middle of the text.
    const int before = std::clamp(pos, 0, static_cast<int>(input.size()));
    pos = static_cast<int>(input.left(before).toUpper().size());
    input = input.toUpper();
    return Acceptable;
}

} // namespace Corvo
