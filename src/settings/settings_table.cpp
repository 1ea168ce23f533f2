#include "settings/settings_table.h"
#include "settings/settings_layout.h"
#include "base/texts.h"

namespace portiqa {

namespace {

struct RowText { const char* name; const char* hint; const char* value; };

// Rows 1..16: name, factory hint, value at start-up.
const RowText kRows[16] = {
    {QT_TRANSLATE_NOOP("TText", "1.Пароль"), QT_TRANSLATE_NOOP("TText", "5807"), "5807"},
    {QT_TRANSLATE_NOOP("TText", "2.Номер телефона сим карты установленной в GSM модуль"),
     QT_TRANSLATE_NOOP("TText", "Введите номер телефона сим карты установленной в GSM модуль"), ""},
    {QT_TRANSLATE_NOOP("TText", "3.Тип контакта датчика 1"), QT_TRANSLATE_NOOP("TText", "NO. Для изменения сделайте выбор из списка"), ""},
    {QT_TRANSLATE_NOOP("TText", "4.Тип контакта датчика 2"), QT_TRANSLATE_NOOP("TText", "NO. Для изменения сделайте выбор из списка"), ""},
    {QT_TRANSLATE_NOOP("TText", "5.Текст оповещения при срабатывании датчика 1"),
     QT_TRANSLATE_NOOP("TText", "Unauthorized door opened. Можно изменить текст не более 40 символов латинскими буквами"),
     "Unauthorized door opened"},
    {QT_TRANSLATE_NOOP("TText", "6.Текст оповещения при срабатывании датчика 2"),
     QT_TRANSLATE_NOOP("TText", "DIN2 Alarm. Можно изменить текст не более 40 символов латинскими буквами"), "DIN2 Alarm"},
    {QT_TRANSLATE_NOOP("TText", "7.Время автоматической активации режима охраны после звонка пользователя"),
     QT_TRANSLATE_NOOP("TText", "10 минут. Можно установить от 001 до 999 минут"), "10"},
    {QT_TRANSLATE_NOOP("TText", "8.Постановка/снятие с охраны"), QT_TRANSLATE_NOOP("TText", "Снято. Для изменения сделайте выбор из списка"), ""},
    {QT_TRANSLATE_NOOP("TText", "9.Выбор пользователей для управления GSM модулем"),
     QT_TRANSLATE_NOOP("TText", "Только зарегистрированным пользователям. Для изменения сделайте выбор из списка"), ""},
    {QT_TRANSLATE_NOOP("TText", "10.Время нахождения реле в замкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "0-означает 0,5 секунды. Можно установить от 0,5 до 998 секунд. 999-замкнуто до следующего звонка"), "0"},
    {QT_TRANSLATE_NOOP("TText", "11.Выбор пользователей для получения смс сообщений когда реле находится в замкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "Всем. Для изменения сделайте выбор из списка"), ""},
    {QT_TRANSLATE_NOOP("TText", "12.Выбор пользователей для получения смс сообщений когда реле находится в разомкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "Всем. Для изменения сделайте выбор из списка"), ""},
    {QT_TRANSLATE_NOOP("TText", "13.Текст смс сообщения когда реле находится в замкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "Relay ON. Можно изменить текст не более 40 символов латинскими буквами"), "Relay ON"},
    {QT_TRANSLATE_NOOP("TText", "14.Текст смс сообщения когда реле находится в разомкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "Relay OFF. Можно изменить текст не более 40 символов латинскими буквами"), "Relay OFF"},
    {QT_TRANSLATE_NOOP("TText", "15.Время задержки смс сообщения после отключения питания"),
     QT_TRANSLATE_NOOP("TText", "999-отключено. 000-включение функции без задержки, 001-998 задержка в минутах"), "999"},
    {QT_TRANSLATE_NOOP("TText", "16.Временной интервал смс сообщения о состоянии GSM модуля"),
     QT_TRANSLATE_NOOP("TText", "0-отключено. 001-999 временной интервал в часах"), "0"},
};

} // namespace

TSettingsTable::TSettingsTable() : grid_(kCols, kStoredRows, this) {
    const QStringList nc{QStringLiteral("0:NC "), QStringLiteral("1:NO")};
    const QStringList who{QStringLiteral(QT_TRANSLATE_NOOP("TText", "0:Никому")), QStringLiteral(QT_TRANSLATE_NOOP("TText", "1:Администратор")),
                          QStringLiteral(QT_TRANSLATE_NOOP("TText", "2:Пользователь")), QStringLiteral(QT_TRANSLATE_NOOP("TText", "3:Всем"))};
    editors_ = {{
        {QStringLiteral("cbb1"), 3, nc, 1, false},
        {QStringLiteral("cbb2"), 4, nc, 1, false},
        {QStringLiteral("cbb4"), 8, {QStringLiteral(QT_TRANSLATE_NOOP("TText", "0:Снято")), QStringLiteral(QT_TRANSLATE_NOOP("TText", "1:Поставлено"))}, 0, false},
        {QStringLiteral("cbb3"), 9,
         {QStringLiteral(QT_TRANSLATE_NOOP("TText", "0:Всем")), QStringLiteral(QT_TRANSLATE_NOOP("TText", "1:Только зарегистрированным пользователям"))}, 1, false},
        {QStringLiteral("cbb10"), 11, who, 3, false},
        {QStringLiteral("cbb12"), 12, who, 3, false},
    }};
    PutStartUpContents();
    edits_.Set(false);
    connect(this, &TSettingsTable::EditorChanged, &edits_, [this] { edits_.Touch(); });
}

void TSettingsTable::PutStartUpContents() {
    grid_.SetCells(0, 0, QStringLiteral(QT_TRANSLATE_NOOP("TText", "Функции")));
    grid_.SetCells(1, 0, QStringLiteral(QT_TRANSLATE_NOOP("TText", "Значения")));
    grid_.SetCells(2, 0, QStringLiteral(QT_TRANSLATE_NOOP("TText", "Заводские настройки")));
    for (int r = 1; r <= TSettingsTable::kValueRows; ++r) {
        grid_.SetCells(0, r, QString::fromUtf8(kRows[r - 1].name));
        grid_.SetCells(1, r, QString::fromUtf8(kRows[r - 1].value));
        grid_.SetCells(2, r, QString::fromUtf8(kRows[r - 1].hint));
    }
}

TSelectionEditor* TSettingsTable::EditorOfRow(int row) {
    for (auto& e : editors_)
        if (e.row == row) return &e;
    return nullptr;
}

const TSelectionEditor* TSettingsTable::EditorOfRow(int row) const {
    for (const auto& e : editors_)
        if (e.row == row) return &e;
    return nullptr;
}

TSelectionEditor& TSettingsTable::Editor(const QString& name) {
    for (auto& e : editors_)
        if (e.name == name) return e;
    return editors_[0];
}

void TSettingsTable::SetItemIndex(int row, int index) {
    TSelectionEditor* e = EditorOfRow(row);
    if (!e) return;
    e->itemIndex = (index >= 0 && index < e->items.size()) ? index : -1;
    emit EditorChanged(row);
}

int TSettingsTable::ItemIndex(int row) const {
    const TSelectionEditor* e = EditorOfRow(row);
    return e ? e->itemIndex : -1;
}

void TSettingsTable::MakeVisible(int row) {
    if (TSelectionEditor* e = EditorOfRow(row); e && !e->visible) {
        e->visible = true;
        emit EditorChanged(row);
    }
}

const TSettingsField* TSettingsTable::OperatorField(int row) {
    return row >= 1 && row <= kValueRows ? SettingsFieldOf(row) : nullptr;
}

bool TSettingsTable::IsSelectionRow(int row) {
    const TSettingsField* f = OperatorField(row);
    return f && f->kind == TFieldKind::Selection;
}

bool TSettingsTable::IsDigitRow(int row) {
    const TSettingsField* f = OperatorField(row);
    return f && (f->kind == TFieldKind::Digits || f->kind == TFieldKind::Number16);
}

int TSettingsTable::LengthLimit(int row) {
    const TSettingsField* f = OperatorField(row);
    if (!f) return 0;
    switch (f->kind) {
    case TFieldKind::Digits: case TFieldKind::Text: return f->width;
    case TFieldKind::Number16: return int(QString::number(f->high).size());
    default: return 0;
    }
}

bool TSettingsTable::IsPrintableLatin(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
    return true;
}

QString TSettingsTable::TypingProblem(int row, const QString& text, const QString& before) {
    if (row < 1 || row > TSettingsTable::kValueRows) return {};
    // The drop-down is the only way to change a coded setting.
    if (IsSelectionRow(row)) return TText::tr("Строка %1: выберите значение из списка").arg(row);
    const int limit = LengthLimit(row);
    if (IsDigitRow(row)) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            // The SIM number may start with its international "+".
            if (c >= u'0' && c <= u'9') continue;
            if (row == 2 && c == u'+' && i == 0) continue;
            return row == 2 ? TText::tr("Строка 2: только цифры и «+» в начале, не более 22 знаков")
                            : TText::tr("Строка %1: только цифры, не более %2").arg(row).arg(limit);
        }
    }
    if (limit > 0 && text.size() > limit) {
        if (IsSmsTextRow(row)) return TText::tr("Строка %1: не более %2 символов").arg(row).arg(limit);
        return TText::tr("Строка %1: не более %2 знаков").arg(row).arg(limit);
    }
    if (IsSmsTextRow(row)) {
        // A character outside printable Latin that the text did not hold
        // already is refused; one the module's text holds may stay while
        // the operator edits around it (the save's rules decide on it).
        QString allowed = before;
        for (QChar c : text) {
            if (c.unicode() >= 0x20 && c.unicode() <= 0x7E) continue;
            const qsizetype at = allowed.indexOf(c);
            if (at < 0) return TText::tr("Строка %1: текст пишется латинскими буквами").arg(row);
            allowed.remove(at, 1);
        }
    }
    return {};
}

bool TSettingsTable::SetEditText(int col, int row, const QString& text, const QString& before) {
    if (col == 1 && !TypingProblem(row, text, before).isEmpty()) return false;
    grid_.SetCells(col, row, text);
    return true;
}

QString TSettingsTable::ShownValue(int row) const {
    const TSelectionEditor* e = EditorOfRow(row);
    if (!e) return Value(row);
    if (e->itemIndex >= 0) return e->SelectedText().trimmed();
    if (e->moduleByte >= 0) return TText::tr("байт %1").arg(e->moduleByte);
    return TText::tr("(не выбрано)");
}

void TSettingsTable::EditorExit(int row) {
    if (const TSelectionEditor* e = EditorOfRow(row)) grid_.SetCells(1, row, e->SelectedText());
}

} // namespace portiqa
