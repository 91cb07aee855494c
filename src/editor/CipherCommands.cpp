#include "editor/CipherCommands.h"

#include "editor/Editor.h"

namespace korvane {

CipherCommands::CipherCommands(Editor &editor) : m_editor(editor) {}

void CipherCommands::encryptHex() {}
void CipherCommands::decryptHex() {}
void CipherCommands::encryptBinary() {}
void CipherCommands::decryptBinary() {}

} // namespace korvane
