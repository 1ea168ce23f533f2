#include "link/page_fields.h"
#include "base/texts.h"
#include "base/errors.h"
#include <algorithm>
#include <iterator>

namespace portiqa::fields {

namespace {
bool IsDigitOrPlus(uint8_t b) { return b == '+' || (b >= '0' && b <= '9'); }
}

QString DecodeDigits(const uint8_t* page, int offset, int width) {
    QString out;
    for (int i = 0; i < width && IsDigitOrPlus(page[offset + i]); ++i) out += QChar(page[offset + i]);
    return out;
}

void EncodeDigits(uint8_t* page, int offset, int width, const QString& text) {
    if (text.isEmpty()) return;
    const QByteArray bytes = text.toLatin1();
    const int n = std::min<int>(width, int(bytes.size()));
    std::copy(bytes.begin(), bytes.begin() + n, page + offset);
    if (n < width) page[offset + n] = 0x00;
}

QString DecodeNumber16(const uint8_t* page, int offset) {
    return QString::number(page[offset] | page[offset + 1] << 8);
}

void EncodeNumber16(uint8_t* page, int offset, const QString& text) {
    if (text.isEmpty()) return;
    const int v = StrToInt(text);
    // A value the word cannot hold would reach the module as another number.
    if (v < 0 || v > 0xFFFF) throw EConvertError(text);
    page[offset] = static_cast<uint8_t>(v & 0xFF);
    page[offset + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}

namespace {

// Windows-1251's upper half (0x80-0xFF) in Unicode, as the system converters
// map it (0x98, unassigned, stands for U+0098). Written out, so that every
// platform converts alike, with or without ICU.
constexpr char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

} // namespace

QString FromCp1251(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* to = out.data();
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        *to++ = QChar(b < 0x80 ? char16_t(b) : kCp1251High[b - 0x80]);
    }
    return out;
}

bool ToCp1251(const QString& text, QByteArray& bytes) {
    bytes.resize(text.size());
    char* to = bytes.data();
    bool whole = true;
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            *to++ = char(u);
            continue;
        }
        const char16_t* hit = std::find(std::begin(kCp1251High), std::end(kCp1251High), u);
        if (hit == std::end(kCp1251High)) {
            whole = false;  // no such character in Windows-1251
            *to++ = '?';
            continue;
        }
        *to++ = char(0x80 + (hit - std::begin(kCp1251High)));
    }
    return whole;
}

QString DecodeText(const uint8_t* page, int offset, int width) {
    int n = 0;
    while (n < width && page[offset + n] != 0) ++n;
    return FromCp1251(QByteArray(reinterpret_cast<const char*>(page + offset), n));
}

void EncodeText(uint8_t* page, int offset, int width, const QString& text) {
    QByteArray bytes;
    if (!ToCp1251(text, bytes))
        throw EPortiqaError(TText::tr("Текст \"%1\" содержит символы, которые GSM модуль не может сохранить")
                                .arg(text));
    const int n = std::min<int>(width, int(bytes.size()));
    std::copy(bytes.begin(), bytes.begin() + n, page + offset);
    if (n < width) page[offset + n] = 0x00;
}

} // namespace portiqa::fields
