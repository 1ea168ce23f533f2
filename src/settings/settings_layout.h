#pragma once
#include <cstdint>

namespace portiqa {

// How a settings field is stored.
enum class TFieldKind {
    Digits,     // "+" and digits, ended by 0x00 when shorter than the field
    Text,       // Windows-1251, ended by 0x00 when shorter than the field
    Number16,   // a little-endian word
    Selection,  // one byte: a drop-down's item number
    Carried,    // bytes the program does not show, carried from a read to a save
};

// One field of the two settings pages: where it lives and what its row is.
// Each field is listed once; the quirks of the layout are in the list:
// - row 10 (relay time) is stored twice, at 112 and at 114; the second copy
//   is the one shown, both are written;
// - bytes 110 and 111 cross over: 110 is row 9, 111 is row 8;
// - row 21 runs from the last two bytes of page 1 into page 2.
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
    {17, 1, 198, 2, TFieldKind::Number16},
    {15, 1, 200, 2, TFieldKind::Number16, 0, 999},
    {16, 1, 202, 2, TFieldKind::Number16, 0, 999},
    {18, 1, 204, 32, TFieldKind::Carried},
    {19, 1, 236, 2, TFieldKind::Number16},
    {20, 1, 238, 16, TFieldKind::Carried},
    {21, 1, 254, 2, TFieldKind::Carried},
    {21, 2, 0, 14, TFieldKind::Carried},
    {22, 2, 14, 16, TFieldKind::Carried},
};

// The field of a row (its first, when it has two); null for none.
inline const TSettingsField* SettingsFieldOf(int row) {
    for (const TSettingsField& f : kSettingsLayout)
        if (f.row == row) return &f;
    return nullptr;
}

} // namespace portiqa
