#include "editor/commands/CipherCommands.h"

#include "editor/commands/TextCipher.h"
#include "editor/document/TextDocument.h"
#include "platform/Platform.h"

#include <QPointer>
#include <limits>
#include <new>

namespace korvane {

CipherCommands::CipherCommands(Platform &platform) : m_platform(platform) {}

// Hexadecimal digits are at most four per character (a double-byte code), binary digits
// eight; deciphering never makes more characters than it reads.
void CipherCommands::encryptHex(TextDocument &document)
{
    run(document, EncryptPrompt, EncryptTitle, &cipher::encryptHex, 4);
}
void CipherCommands::decryptHex(TextDocument &document)
{
    run(document, DecryptPrompt, DecryptTitle, &cipher::decryptHex, 1);
}
void CipherCommands::encryptBinary(TextDocument &document)
{
    run(document, EncryptPrompt, EncryptTitle, &cipher::encryptBinary, 8);
}
void CipherCommands::decryptBinary(TextDocument &document)
{
    run(document, DecryptPrompt, DecryptTitle, &cipher::decryptBinary, 1);
}

std::optional<qint64> CipherCommands::resultBytes(qsizetype textSize, int unitsPerChar)
{
    // A QString holds at most this many units, well below where the byte count wraps.
    constexpr qint64 MaxUnits = std::numeric_limits<qsizetype>::max() / 4;
    if (textSize > MaxUnits / unitsPerChar)
        return std::nullopt;
    return qint64(textSize) * unitsPerChar * qint64(sizeof(char16_t));
}

void CipherCommands::run(TextDocument &document, const QString &prompt, const QString &title, Transform transform,
                         int unitsPerChar)
{
    // The snapshot comes first, so Undo after a cancelled prompt gives the same text.
    document.beginCommand();
    // The document could be closed while the code is asked for.
    const QPointer<TextDocument> doc(&document);
    const QString code = m_platform.input().inputBox(prompt, title);
    if (code.isEmpty() || !doc)
        return;
    const QString what = title == EncryptTitle ? QStringLiteral("加密") : QStringLiteral("解密");
    MessageBoxService &messages = m_platform.messages();
    // The result is built beside the text: it must fit in what memory is left, and its
    // size must be one a string can have.
    const std::optional<qint64> needed = resultBytes(document.text().size(), unitsPerChar);
    const std::optional<qint64> available = m_platform.memory().availableMemory();
    if (!needed || (available && *needed > *available)) {
        constexpr qint64 MB = 1024 * 1024;
        messages.showMessage(needed ? TooLongMessage.arg(what).arg((*needed + MB - 1) / MB).arg(*available / MB)
                                    : TooLongForStringMessage.arg(what),
                             MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    QString result;
    try {
        BusyScope busy(m_platform.longTasks());
        result = transform(document.text(), code);
    } catch (const std::bad_alloc &) {
        messages.showMessage(NoMemoryMessage.arg(what), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    BusyScope busy(m_platform.longTasks());
    document.setText(result);
}

} // namespace korvane
