#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace korvane {

class Platform;
class TextDocument;

// "加密", "解密", "增强加密" and "增强解密" of the "格式" menu: each asks for a code and
// replaces the whole text of the document with its enciphered or deciphered form.
class CipherCommands {
public:
    explicit CipherCommands(Platform &platform);

    void encryptHex(TextDocument &document);
    void decryptHex(TextDocument &document);
    void encryptBinary(TextDocument &document);
    void decryptBinary(TextDocument &document);

    static inline const QString EncryptPrompt = QStringLiteral("请输入加密码");
    static inline const QString DecryptPrompt = QStringLiteral("请输入解密码");
    static inline const QString EncryptTitle = QStringLiteral("Encrypt");
    static inline const QString DecryptTitle = QStringLiteral("Decrypt");

    // When the result would not fit: %1 is "加密" or "解密", %2 the MB it needs, %3 the MB available.
    static inline const QString TooLongMessage = QStringLiteral(
        "文字太长，无法%1：结果约需 %2 MB 内存，而系统现在只有 %3 MB 可用。");
    static inline const QString TooLongForStringMessage = QStringLiteral(
        "文字太长，无法%1：结果超出了文本的长度上限。");
    static inline const QString NoMemoryMessage = QStringLiteral("无法%1：内存不足。");

    // The bytes the result takes for a text of textSize units when each gives at most
    // unitsPerChar; empty when that is more than a string can hold.
    static std::optional<qint64> resultBytes(qsizetype textSize, int unitsPerChar);

private:
    using Transform = QString (*)(QStringView text, QStringView code);
    void run(TextDocument &document, const QString &prompt, const QString &title, Transform transform,
             int unitsPerChar);

    Platform &m_platform;
};

} // namespace korvane
