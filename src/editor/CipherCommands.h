#pragma once

#include <QString>
#include <QStringView>

namespace korvane {

class Editor;

// "加密", "解密", "增强加密" and "增强解密" of the "格式" menu: each asks for a code and
// replaces the whole text of the active document with its enciphered or deciphered form.
class CipherCommands {
public:
    explicit CipherCommands(Editor &editor);

    void encryptHex();
    void decryptHex();
    void encryptBinary();
    void decryptBinary();

    static inline const QString EncryptPrompt = QStringLiteral("请输入加密码");
    static inline const QString DecryptPrompt = QStringLiteral("请输入解密码");
    static inline const QString EncryptTitle = QStringLiteral("Encrypt");
    static inline const QString DecryptTitle = QStringLiteral("Decrypt");

private:
    using Transform = QString (*)(QStringView text, QStringView code);
    void run(const QString &prompt, const QString &title, Transform transform);

    Editor &m_editor;
};

} // namespace korvane
