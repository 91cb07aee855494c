#include "editor/commands/CipherCommands.h"

#include "editor/document/Editor.h"
#include "editor/commands/TextCipher.h"
#include "editor/document/TextDocument.h"
#include "platform/Platform.h"

#include <limits>
#include <new>

namespace korvane {

CipherCommands::CipherCommands(Editor &editor) : m_editor(editor) {}

// Hexadecimal digits are at most four per character (a double-byte code), binary digits
// eight; deciphering never makes more characters than it reads.
void CipherCommands::encryptHex() { run(EncryptPrompt, EncryptTitle, &cipher::encryptHex, 4); }
void CipherCommands::decryptHex() { run(DecryptPrompt, DecryptTitle, &cipher::decryptHex, 1); }
void CipherCommands::encryptBinary() { run(EncryptPrompt, EncryptTitle, &cipher::encryptBinary, 8); }
void CipherCommands::decryptBinary() { run(DecryptPrompt, DecryptTitle, &cipher::decryptBinary, 1); }

std::optional<qint64> CipherCommands::resultBytes(qsizetype textSize, int unitsPerChar)
{
    // A QString holds at most this many units, well below where the byte count wraps.
    constexpr qint64 MaxUnits = std::numeric_limits<qsizetype>::max() / 4;
    if (textSize > MaxUnits / unitsPerChar)
        return std::nullopt;
    return qint64(textSize) * unitsPerChar * qint64(sizeof(char16_t));
}

void CipherCommands::run(const QString &prompt, const QString &title, Transform transform, int unitsPerChar)
{
    const int n = m_editor.activeDocumentIndex();
    // The snapshot comes first, so Undo after a cancelled prompt gives the same text.
    m_editor.takeSnapshot(n);
    const QString code = m_editor.platform().input().inputBox(prompt, title);
    if (code.isEmpty() || !m_editor.isOpen(n))
        return;
    TextDocument &document = m_editor.document(n);
    const QString what = title == EncryptTitle ? QStringLiteral("加密") : QStringLiteral("解密");
    MessageBoxService &messages = m_editor.platform().messages();
    // The result is built beside the text: it must fit in what memory is left, and its
    // size must be one a string can have.
    const std::optional<qint64> needed = resultBytes(document.text().size(), unitsPerChar);
    const std::optional<qint64> available = m_editor.platform().memory().availableMemory();
    if (!needed || (available && *needed > *available)) {
        constexpr qint64 MB = 1024 * 1024;
        messages.showMessage(needed ? TooLongMessage.arg(what).arg((*needed + MB - 1) / MB).arg(*available / MB)
                                    : TooLongForStringMessage.arg(what),
                             MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    QString result;
    try {
        BusyScope busy(m_editor.platform().longTasks());
        result = transform(document.text(), code);
    } catch (const std::bad_alloc &) {
        messages.showMessage(NoMemoryMessage.arg(what), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    BusyScope busy(m_editor.platform().longTasks());
    document.setText(result);
}

} // namespace korvane
