#pragma once
#include "numbers/number_table.h"
#include <QValidator>
#include <functional>

namespace portiqa {

// A number cell takes "+" and digits only, at most 22, as the save does; the
// separators people write between digit groups (spaces, dashes, brackets)
// are dropped as typed or pasted; any other key is refused and the view
// says why.
class TNumberValidator : public QValidator {
public:
    TNumberValidator(std::function<void(const QString&)> refused, QObject* parent)
        : QValidator(parent), refused_(std::move(refused)) {}
    State validate(QString& input, int& pos) const override {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            const QChar c = input[i];
            if (c == u' ' || c == u'-' || c == u'(' || c == u')' || c == QChar(0xA0)) {
                input.remove(i, 1);
                if (pos > i) --pos;
            }
        }
        const QString problem = TNumberTable::NumberProblem(input);
        if (problem.isEmpty()) return Acceptable;
        refused_(problem);
        return Invalid;
    }

private:
    std::function<void(const QString&)> refused_;
};

} // namespace portiqa
