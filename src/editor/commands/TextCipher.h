#pragma once

#include <QString>
#include <QStringView>

// The editor's two reversible text ciphers: a repeating-key XOR whose key stream is made
// of the decimal digits of the code's character codes, written out as hexadecimal digits
// ("加密"/"解密") or as binary digits ("增强加密"/"增强解密"). Plain functions on strings,
// so that they can be tested and measured apart from the menu commands.
namespace korvane::cipher {

// The decimal texts of the code's character codes (see ansiCharCode), concatenated:
// only "0".."9" and "-". Empty only for an empty code.
QString keyDigits(QStringView code);

// The key values: the character codes of KeyDigits one after another, wrapping around
// after the last. Every value is 45 ("-") or 48..57 ("0".."9").
class KeyStream {
public:
    explicit KeyStream(QStringView code);
    bool isEmpty() const { return m_digits.isEmpty(); }
    int next()
    {
        const int c = m_digits.at(m_pos).unicode();
        if (++m_pos == m_digits.size())
            m_pos = 0;
        return c;
    }

private:
    QString m_digits;
    qsizetype m_pos = 0;
};

// Eight "0"/"1" characters, most significant bit first, of v limited to 0..255.
QString byteToBits(int v);
// Sum of 2^(7-i) over the positions i = 0..7 holding "1"; anything else, and any
// position past the end, counts as 0 (a short group gives the high-order bits).
int bitsToByte(QStringView bits);
// A group read as a hexadecimal number by its leading hexadecimal digits (either case),
// blanks, tabs and line feeds skipped; 0 when it begins with no hexadecimal digit.
int hexGroupValue(QStringView group);
// The character a deciphered code 0..255 stands for: ASCII below 128, otherwise the
// private stand-in of that byte, which saving writes back as the byte itself.
QChar charFromAnsiCode(int code);

// An empty code leaves the text as it is; every command asks for a non-empty code.
QString encryptHex(QStringView text, QStringView code);
QString decryptHex(QStringView text, QStringView code);
QString encryptBinary(QStringView text, QStringView code);
QString decryptBinary(QStringView text, QStringView code);

} // namespace korvane::cipher
