#pragma once
#include <QString>
#include <cstdint>

// Field encodings shared by the module's pages. Multi-byte numbers inside a
// page are little-endian, unlike the big-endian frame header.
namespace portiqa::fields {

// "+" and digits from the field's start, at most width of them.
QString DecodeDigits(const uint8_t* page, int offset, int width);
// The text's characters, at most width; a shorter text is followed by one
// 0x00; an empty text leaves the field as it is.
void EncodeDigits(uint8_t* page, int offset, int width, const QString& text);

QString DecodeNumber16(const uint8_t* page, int offset);
// The cell's integer, 0..65535, little-endian; an empty cell leaves the
// field as it is. Anything else raises EConvertError.
void EncodeNumber16(uint8_t* page, int offset, const QString& text);

// Windows-1251 text up to the first 0x00 or width bytes.
QString DecodeText(const uint8_t* page, int offset, int width);
// The text's first width bytes in Windows-1251; a shorter text is followed
// by one 0x00. Characters the code page lacks raise EPortiqaError.
void EncodeText(uint8_t* page, int offset, int width, const QString& text);

// A date or time part as two digits ("07").
inline QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0')); }

// Windows-1251 conversions for texts of the module and of comma-separated files.
QString FromCp1251(const QByteArray& bytes);
// Fails (returns false) when the text holds characters Windows-1251 lacks.
bool ToCp1251(const QString& text, QByteArray& bytes);

} // namespace portiqa::fields
