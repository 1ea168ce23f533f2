#pragma once
#include <QtGlobal>
#include <cstdint>
#include <iterator>

namespace portiqa {

// How a settings field is stored.
enum class TFieldKind {
    Digits,     // "+" and digits, ended by 0x00 when shorter than the field
    Text,       // Windows-1251, ended by 0x00 when shorter than the field
    Number16,   // a little-endian word
    Selection,  // one byte: a drop-down's item number
    Carried,    // bytes the program does not show (no row), carried from a read to a save as they are
};

// One field of the two settings pages: where it lives and, for a field the
// operator sees, its row in the settings table (0: none; the field is known
// by its place). Each field is listed once; the quirks of the layout are in
// the list:
// - row 10 (relay time) is stored twice, at 112 and at 114; the second copy
//   is the one shown, both are written;
// - bytes 110 and 111 cross over: 110 is row 9, 111 is row 8;
// - the carried bytes run from the last two bytes of page 1 into page 2.
struct TSettingsField {
    int row;
    int page;    // 1 or 2
    int offset;  // within the page
    int width;   // bytes
    TFieldKind kind;
    // The rows the operator sets: for a number the range its hint states,
    // for digits the length (equal ends: exactly that many, no "+").
    int low = 0, high = 0;
};

inline constexpr TSettingsField kSettingsLayout[] = {
    {1, 1, 0, 4, TFieldKind::Digits, 4, 4},
    {2, 1, 4, 22, TFieldKind::Digits, 0, 22},
    {3, 1, 26, 1, TFieldKind::Selection},
    {4, 1, 27, 1, TFieldKind::Selection},
    {5, 1, 28, 40, TFieldKind::Text},
    {6, 1, 68, 40, TFieldKind::Text},
    {7, 1, 108, 2, TFieldKind::Number16, 1, 999},
    {9, 1, 110, 1, TFieldKind::Selection},
    {8, 1, 111, 1, TFieldKind::Selection},
    {10, 1, 112, 2, TFieldKind::Number16, 0, 999},
    {10, 1, 114, 2, TFieldKind::Number16, 0, 999},
    {11, 1, 116, 1, TFieldKind::Selection},
    {12, 1, 117, 1, TFieldKind::Selection},
    {13, 1, 118, 40, TFieldKind::Text},
    {14, 1, 158, 40, TFieldKind::Text},
    {0, 1, 198, 2, TFieldKind::Carried},
    {15, 1, 200, 2, TFieldKind::Number16, 0, 999},
    {16, 1, 202, 2, TFieldKind::Number16, 0, 999},
    {0, 1, 204, 32, TFieldKind::Carried},
    {0, 1, 236, 2, TFieldKind::Carried},
    {0, 1, 238, 16, TFieldKind::Carried},
    {0, 1, 254, 2, TFieldKind::Carried},
    {0, 2, 0, 14, TFieldKind::Carried},
    {0, 2, 14, 16, TFieldKind::Carried},
};

// A row the operator sees and sets, in row order from row 1: its words and,
// for a drop-down, its items (in item-number order: the item number is the
// byte stored). Captions, hints and the translated items are looked up in
// the context "TText" when shown. Its place, kind and range are its field's
// in kSettingsLayout.
struct TSettingsRow {
    const char* caption;
    const char* hint;     // the factory value in words, and what may be set
    const char* factory;  // the value at start-up (a drop-down: none)
    const char* items[4] = {};
    int startItem = -1;   // the item a drop-down holds at start-up
    const char* editor = nullptr;  // the drop-down's name
};

#define PORTIQA_WHO QT_TRANSLATE_NOOP("TText", "0:Никому"), QT_TRANSLATE_NOOP("TText", "1:Администратор"), \
                    QT_TRANSLATE_NOOP("TText", "2:Пользователь"), QT_TRANSLATE_NOOP("TText", "3:Всем")
inline constexpr TSettingsRow kSettingsRows[] = {
    {QT_TRANSLATE_NOOP("TText", "1.Пароль"), QT_TRANSLATE_NOOP("TText", "5807"), "5807"},
    {QT_TRANSLATE_NOOP("TText", "2.Номер телефона сим карты установленной в GSM модуль"),
     QT_TRANSLATE_NOOP("TText", "Введите номер телефона сим карты установленной в GSM модуль"), ""},
    {QT_TRANSLATE_NOOP("TText", "3.Тип контакта датчика 1"), QT_TRANSLATE_NOOP("TText", "NO. Для изменения сделайте выбор из списка"), "",
     {"0:NC ", "1:NO"}, 1, "sensor1ContactBox"},
    {QT_TRANSLATE_NOOP("TText", "4.Тип контакта датчика 2"), QT_TRANSLATE_NOOP("TText", "NO. Для изменения сделайте выбор из списка"), "",
     {"0:NC ", "1:NO"}, 1, "sensor2ContactBox"},
    {QT_TRANSLATE_NOOP("TText", "5.Текст оповещения при срабатывании датчика 1"),
     QT_TRANSLATE_NOOP("TText", "Unauthorized door opened. Можно изменить текст не более 40 символов латинскими буквами"),
     "Unauthorized door opened"},
    {QT_TRANSLATE_NOOP("TText", "6.Текст оповещения при срабатывании датчика 2"),
     QT_TRANSLATE_NOOP("TText", "DIN2 Alarm. Можно изменить текст не более 40 символов латинскими буквами"), "DIN2 Alarm"},
    {QT_TRANSLATE_NOOP("TText", "7.Время автоматической активации режима охраны после звонка пользователя"),
     QT_TRANSLATE_NOOP("TText", "10 минут. Можно установить от 001 до 999 минут"), "10"},
    {QT_TRANSLATE_NOOP("TText", "8.Постановка/снятие с охраны"), QT_TRANSLATE_NOOP("TText", "Снято. Для изменения сделайте выбор из списка"), "",
     {QT_TRANSLATE_NOOP("TText", "0:Снято"), QT_TRANSLATE_NOOP("TText", "1:Поставлено")}, 0, "armingBox"},
    {QT_TRANSLATE_NOOP("TText", "9.Выбор пользователей для управления GSM модулем"),
     QT_TRANSLATE_NOOP("TText", "Только зарегистрированным пользователям. Для изменения сделайте выбор из списка"), "",
     {QT_TRANSLATE_NOOP("TText", "0:Всем"), QT_TRANSLATE_NOOP("TText", "1:Только зарегистрированным пользователям")}, 1, "callersBox"},
    {QT_TRANSLATE_NOOP("TText", "10.Время нахождения реле в замкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "0-означает 0,5 секунды. Можно установить от 0,5 до 998 секунд. 999-замкнуто до следующего звонка"), "0"},
    {QT_TRANSLATE_NOOP("TText", "11.Выбор пользователей для получения смс сообщений когда реле находится в замкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "Всем. Для изменения сделайте выбор из списка"), "", {PORTIQA_WHO}, 3, "relayClosedSmsBox"},
    {QT_TRANSLATE_NOOP("TText", "12.Выбор пользователей для получения смс сообщений когда реле находится в разомкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "Всем. Для изменения сделайте выбор из списка"), "", {PORTIQA_WHO}, 3, "relayOpenSmsBox"},
    {QT_TRANSLATE_NOOP("TText", "13.Текст смс сообщения когда реле находится в замкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "Relay ON. Можно изменить текст не более 40 символов латинскими буквами"), "Relay ON"},
    {QT_TRANSLATE_NOOP("TText", "14.Текст смс сообщения когда реле находится в разомкнутом состоянии"),
     QT_TRANSLATE_NOOP("TText", "Relay OFF. Можно изменить текст не более 40 символов латинскими буквами"), "Relay OFF"},
    {QT_TRANSLATE_NOOP("TText", "15.Время задержки смс сообщения после отключения питания"),
     QT_TRANSLATE_NOOP("TText", "999-отключено. 000-включение функции без задержки, 001-998 задержка в минутах"), "999"},
    {QT_TRANSLATE_NOOP("TText", "16.Временной интервал смс сообщения о состоянии GSM модуля"),
     QT_TRANSLATE_NOOP("TText", "0-отключено. 001-999 временной интервал в часах"), "0"},
};
#undef PORTIQA_WHO

// The rows that say which module it is and who may log in.
inline constexpr int kPasswordRow = 1, kSimNumberRow = 2;

// Rows 1..kSettingsValueRows are shown and set.
inline constexpr int kSettingsValueRows = int(std::size(kSettingsRows));
// The drop-down rows, in row order.
inline constexpr int kSettingsSelectionCount = [] {
    int n = 0;
    for (const TSettingsRow& r : kSettingsRows) n += r.items[0] != nullptr;
    return n;
}();
// The fields carried unseen from a read to a save.
inline constexpr int kCarriedFieldCount = [] {
    int n = 0;
    for (const TSettingsField& f : kSettingsLayout) n += f.kind == TFieldKind::Carried;
    return n;
}();

// The field of a row (its first, when it has two); null for none.
inline const TSettingsField* SettingsFieldOf(int row) {
    if (row < 1) return nullptr;
    for (const TSettingsField& f : kSettingsLayout)
        if (f.row == row) return &f;
    return nullptr;
}

// A carried field's place among the carried fields, in layout order.
inline int CarriedIndex(const TSettingsField& field) {
    int i = 0;
    for (const TSettingsField& f : kSettingsLayout) {
        if (&f == &field) return i;
        i += f.kind == TFieldKind::Carried;
    }
    return -1;
}

} // namespace portiqa
