#pragma once

namespace korvane {

class Editor;

// "加密", "解密", "增强加密" and "增强解密" of the "格式" menu.
class CipherCommands {
public:
    explicit CipherCommands(Editor &editor);

    void encryptHex();
    void decryptHex();
    void encryptBinary();
    void decryptBinary();

private:
    Editor &m_editor;
};

} // namespace korvane
