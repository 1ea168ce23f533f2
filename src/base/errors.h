#pragma once
#include "base/texts.h"
#include <QString>
#include <stdexcept>

namespace portiqa {

// An operator-visible failure; its text is shown as it stands.
class EPortiqaError : public std::runtime_error {
public:
    explicit EPortiqaError(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// A cell text that should be an integer and is not.
class EConvertError : public EPortiqaError {
public:
    explicit EConvertError(const QString& text)
        : EPortiqaError(TText::tr("'%1' is not a valid integer value").arg(text)) {}
};

// Strict decimal conversion of a cell text: optional sign and digits only,
// within the 32-bit range; anything else raises EConvertError.
int StrToInt(const QString& text);

// Same, but true/false instead of raising.
bool TryStrToInt(const QString& text, int& value);

} // namespace portiqa
