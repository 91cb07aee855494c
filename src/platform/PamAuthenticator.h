#pragma once

#include <QString>

namespace korvane {

// Checks a password for a user with the system's PAM stack. Blocking: it may take seconds
// (PAM delays after a wrong password), so the program calls it off the interface thread.
// Any failure - unknown service, conversation error, wrong password, locked account - is false.
class PamAuthenticator {
public:
    // The rules live in /etc/pam.d/korvane, installed with the program: the system's own
    // authentication and account rules. Without that file the system's "other" rules apply,
    // which on many systems refuse everyone.
    static constexpr const char *ServiceName = "korvane";

    static QString currentUserName();
    static bool authenticate(const QString &userName, const QString &password);
};

} // namespace korvane
