#pragma once

#include <QValidator>

namespace Corvo {

// Turns whatever is typed into upper case, in place: codes and names are searched in upper
// case, and the box shows what will be searched. Every input is acceptable.
class ToUpperCaseValidator : public QValidator
{
    Q_OBJECT
public:
    explicit ToUpperCaseValidator(QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
};

} // namespace Corvo
