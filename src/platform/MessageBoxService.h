#pragma once

#include <QString>

namespace korvane {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Question, Information, Exclamation, Critical };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Modal message box. An empty title means the program's title, "Korvane".
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MsgAnswer showMessage(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                                  MsgIcon icon = MsgIcon::None, const QString &title = QString()) = 0;
    // A message that waits beside the windows without taking the keyboard from them,
    // for trouble the user should know about while going on with the work.
    virtual void showNotice(const QString &text) = 0;
};

inline const QString ProgramTitle = QStringLiteral("Korvane");

} // namespace korvane
