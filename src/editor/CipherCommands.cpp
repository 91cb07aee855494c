#include "editor/CipherCommands.h"

#include "editor/Editor.h"
#include "editor/TextCipher.h"
#include "editor/TextDocument.h"
#include "platform/Platform.h"

namespace korvane {

CipherCommands::CipherCommands(Editor &editor) : m_editor(editor) {}

void CipherCommands::encryptHex() { run(EncryptPrompt, EncryptTitle, &cipher::encryptHex); }
void CipherCommands::decryptHex() { run(DecryptPrompt, DecryptTitle, &cipher::decryptHex); }
void CipherCommands::encryptBinary() { run(EncryptPrompt, EncryptTitle, &cipher::encryptBinary); }
void CipherCommands::decryptBinary() { run(DecryptPrompt, DecryptTitle, &cipher::decryptBinary); }

void CipherCommands::run(const QString &prompt, const QString &title, Transform transform)
{
    const int n = m_editor.activeDocumentIndex();
    // The snapshot comes first, so Undo after a cancelled prompt gives the same text.
    m_editor.takeSnapshot(n);
    const QString code = m_editor.platform().input().inputBox(prompt, title);
    if (code.isEmpty() || !m_editor.isOpen(n))
        return;
    TextDocument &document = m_editor.document(n);
    document.setText(transform(document.text(), code));
}

} // namespace korvane
