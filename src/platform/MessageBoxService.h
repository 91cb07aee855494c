#pragma once

#include <QString>

class QWidget;

namespace korvane {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Question, Information, Exclamation, Critical };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Modal message box. An empty title means the program's title, "Korvane". The box
// belongs to owner's window (else to the active one). While the screen saver covers the
// screen (ScreenCover) it waits; when owner is gone by then, it answers as a cancel.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MsgAnswer showMessage(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                                  MsgIcon icon = MsgIcon::None, const QString &title = QString(),
                                  QWidget *owner = nullptr) = 0;
    // As showMessage, owned by the active window, with a longer plain text the user can
    // unfold below the message, such as a list of files.
    virtual MsgAnswer showDetailedMessage(const QString &text, const QString &details, MsgButtons buttons,
                                          MsgIcon icon) = 0;
    // A message that waits beside the windows without taking the keyboard from them,
    // for trouble the user should know about while going on with the work.
    virtual void showNotice(const QString &text) = 0;

    // What a box answers when the user cancels it.
    static MsgAnswer cancelAnswer(MsgButtons buttons)
    {
        return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
               : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                              : MsgAnswer::Cancel;
    }
};

inline const QString ProgramTitle = QStringLiteral("Korvane");

} // namespace korvane
