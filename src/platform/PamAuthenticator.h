#pragma once

#include <QString>

namespace korvane {

// Checks a password for a user with the system's PAM stack. Blocking: it may take seconds
// (PAM delays after a wrong password), so the program calls it off the interface thread.
// Any failure - unknown service, conversation error, wrong password, locked account - is false.
class PamAuthenticator {
public:
    // Looks up rules under this service name; without its own file in /etc/pam.d the
    // system's "other" rules apply.
    static constexpr const char *ServiceName = "korvane";

    static QString currentUserName();
    static bool authenticate(const QString &userName, const QString &password);
};

} // namespace korvane
