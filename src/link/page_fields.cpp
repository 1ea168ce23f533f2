#include "link/page_fields.h"
#include "base/texts.h"
#include "base/errors.h"
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

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

QString FromCp1251(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

bool ToCp1251(const QString& text, QByteArray& bytes) {
    QStringEncoder encoder("windows-1251");
    bytes = encoder.encode(text);
    return !encoder.hasError();
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

QString DecodeCarried(const uint8_t* page, int offset, int width, bool trimTrailing) {
    const QString all = QString::fromLatin1(reinterpret_cast<const char*>(page + offset), width);
    return trimTrailing ? TrimTrailingFF(all) : all;
}

QString TrimTrailingFF(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == QChar(0xFF)) --n;
    return text.left(n);
}

void EncodeCarried(uint8_t* page, int offset, int width, const QString& text) {
    const QByteArray bytes = text.toLatin1();
    const int n = std::min<int>(width, int(bytes.size()));
    std::copy(bytes.begin(), bytes.begin() + n, page + offset);
}

} // namespace portiqa::fields
