#include "settings/settings_rules.h"
#include "base/texts.h"
#include "link/page_fields.h"
#include "settings/settings_layout.h"

namespace portiqa {

namespace {

bool AllDigits(const QString& s) {
    for (QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

QString Shown(const QString& value) {
    // A long value is named by its start only.
    return value.size() > 30 ? value.left(30) + QStringLiteral("…") : value;
}

QString Row(int row) { return TText::tr("Строка %1: ").arg(row); }

} // namespace

// Each row by the kind of its field in the layout; the lengths and ranges
// are the layout's too.
QString CheckSettingsValue(int row, const QString& value, const QString* moduleValue) {
    const TSettingsField* f = TSettingsTable::OperatorField(row);
    if (!f) return {};
    switch (f->kind) {
    case TFieldKind::Digits:
        if (f->low == f->high) {  // the password: exactly so many digits
            if (value.size() != f->high || !AllDigits(value))
                return Row(row) + TText::tr("пароль должен состоять ровно из %1 цифр, а не «%2»").arg(f->high).arg(Shown(value));
            return {};
        } else {
            const QString digits = value.startsWith(u'+') ? value.mid(1) : value;
            if (!AllDigits(digits) || value.size() > f->high || (value.startsWith(u'+') && digits.isEmpty()))
                return Row(row) + TText::tr("номер сим карты: только цифры и один «+» в начале, не более %1 знаков, "
                                                 "а не «%2»").arg(f->high).arg(Shown(value));
            return {};
        }
    case TFieldKind::Text: {
        if (moduleValue && value == *moduleValue) return {};  // the module's own text goes back as it is
        if (value.size() > f->width)
            return Row(row) + TText::tr("текст длиннее %1 символов (%2)").arg(f->width).arg(value.size());
        if (!TSettingsTable::IsPrintableLatin(value))
            return Row(row) + TText::tr("текст пишется латинскими буквами, цифрами и знаками, а не «%1»")
                                  .arg(Shown(value));
        QByteArray bytes;
        if (!fields::ToCp1251(value, bytes))
            return Row(row) + TText::tr("текст «%1» содержит символы, которые GSM модуль не может сохранить")
                                  .arg(Shown(value));
        return {};
    }
    case TFieldKind::Number16: {
        // The range each hint states, kept with the field's place.
        bool ok = !value.isEmpty() && value.size() <= TSettingsTable::LengthLimit(row) && AllDigits(value);
        const int v = ok ? value.toInt() : -1;
        ok = ok && v >= f->low && v <= f->high;
        if (!ok)
            return Row(row) + TText::tr("нужно число от %1 до %2, а не «%3»").arg(f->low).arg(f->high).arg(Shown(value));
        return {};
    }
    default:
        return {};
    }
}

QString CheckSettingsTyping(int row, const QString& text, const QString& before) {
    const TSettingsField* f = TSettingsTable::OperatorField(row);
    if (!f) return {};
    const int limit = TSettingsTable::LengthLimit(row);
    switch (f->kind) {
    case TFieldKind::Selection:
        // The drop-down is the only way to change a coded setting.
        return TText::tr("Строка %1: выберите значение из списка").arg(row);
    case TFieldKind::Digits:
    case TFieldKind::Number16: {
        // The SIM number may start with its international "+"; the password
        // and the numbers are digits only.
        const bool takesPlus = f->kind == TFieldKind::Digits && f->low != f->high;
        const bool plus = takesPlus && text.startsWith(u'+');
        if (!AllDigits(plus ? text.mid(1) : text))
            return takesPlus ? TText::tr("Строка %1: только цифры и «+» в начале, не более %2 знаков").arg(row).arg(limit)
                             : TText::tr("Строка %1: только цифры, не более %2").arg(row).arg(limit);
        if (text.size() > limit) return TText::tr("Строка %1: не более %2 знаков").arg(row).arg(limit);
        return {};
    }
    case TFieldKind::Text: {
        if (text.size() > limit) return TText::tr("Строка %1: не более %2 символов").arg(row).arg(limit);
        QString allowed = before;
        for (QChar c : text) {
            if (c.unicode() >= 0x20 && c.unicode() <= 0x7E) continue;
            const qsizetype at = allowed.indexOf(c);
            if (at < 0) return TText::tr("Строка %1: текст пишется латинскими буквами").arg(row);
            allowed.remove(at, 1);
        }
        return {};
    }
    default:
        return {};
    }
}

namespace {

// A drop-down row's choice: an item's number, or its number and a colon as
// the list and the profiles write it ("3:Всем").
QString ParseChoice(int row, const QString& value, int& index) {
    QStringList items;
    for (const char* item : kSettingsRows[row - 1].items)
        if (item) items << QString::fromUtf8(item).trimmed();
    const QString t = value.trimmed();
    if (!t.isEmpty() && t[0] >= u'0' && t[0] <= u'9' && (t.size() == 1 || t[1] == u':')) {
        if (const int i = t[0].unicode() - u'0'; i < items.size()) {
            index = i;
            return {};
        }
    }
    return Row(row) + TText::tr("выберите из списка (%1), а не «%2»").arg(items.join(QStringLiteral(", ")), Shown(value));
}

} // namespace

QString ParseSettingValue(int row, const QString& text, TSettingValue& out, const QString* held) {
    const TSettingsField* f = TSettingsTable::OperatorField(row);
    if (!f) return Row(row) + TText::tr("такой строки нет");
    if (f->kind == TFieldKind::Selection) {
        int index = -1;
        if (QString problem = ParseChoice(row, text, index); !problem.isEmpty()) return problem;
        out = {{}, index};
        return {};
    }
    if (QString problem = CheckSettingsValue(row, text, held); !problem.isEmpty()) return problem;
    out = f->kind == TFieldKind::Number16 ? TSettingValue{{}, text.toInt()} : TSettingValue{text, -1};
    return {};
}

QString SettingValueText(const TSettingValue& value, int row) {
    const TSettingsField* f = TSettingsTable::OperatorField(row);
    return f && (f->kind == TFieldKind::Selection || f->kind == TFieldKind::Number16) ? QString::number(value.number)
                                                                                       : value.text;
}

QString CheckSettingsTable(const TSettingsTable& table, const TSettingsTable* module) {
    for (int row = 1; row <= TSettingsTable::kValueRows; ++row) {
        if (TSettingsTable::IsSelectionRow(row)) continue;
        const QString moduleValue = module ? module->Value(row) : QString();
        if (QString problem = CheckSettingsValue(row, table.Value(row), module ? &moduleValue : nullptr);
            !problem.isEmpty())
            return problem;
    }
    return {};
}

QList<TSettingsChange> SettingsDifferences(const TSettingsTable& module, const TSettingsTable& table) {
    QList<TSettingsChange> out;
    for (int row = 1; row <= TSettingsTable::kValueRows; ++row) {
        const QString before = module.ShownValue(row), after = table.ShownValue(row);
        if (before != after) out.append({row, before, after});
    }
    return out;
}

QStringList SettingsChanges(const TSettingsTable& module, const TSettingsTable& table) {
    QStringList out;
    const auto word = [](const QString& v) { return v.isEmpty() ? TText::tr("(пусто)") : Shown(v); };
    for (const TSettingsChange& c : SettingsDifferences(module, table))
        out << TText::tr("строка %1: %2 → %3").arg(c.row).arg(word(c.before), word(c.after));
    return out;
}

} // namespace portiqa
