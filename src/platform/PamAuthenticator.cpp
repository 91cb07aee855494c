#include "platform/PamAuthenticator.h"

#include <security/pam_appl.h>

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <unistd.h>

namespace korvane {

namespace {

struct Conversation {
    QByteArray password;
};

// Answers every hidden prompt with the password; visible prompts (a user name) get nothing,
// messages are acknowledged. Memory handed to PAM is PAM's to free.
int converse(int count, const struct pam_message **messages, struct pam_response **responses, void *data)
{
    if (count <= 0 || !messages || !responses || !data)
        return PAM_CONV_ERR;
    const auto *conversation = static_cast<const Conversation *>(data);
    auto *reply = static_cast<pam_response *>(std::calloc(static_cast<size_t>(count), sizeof(pam_response)));
    if (!reply)
        return PAM_BUF_ERR;
    for (int i = 0; i < count; ++i) {
        switch (messages[i]->msg_style) {
        case PAM_PROMPT_ECHO_OFF:
            reply[i].resp = strdup(conversation->password.constData());
            if (!reply[i].resp) {
                for (int j = 0; j < i; ++j)
                    std::free(reply[j].resp);
                std::free(reply);
                return PAM_BUF_ERR;
            }
            break;
        case PAM_PROMPT_ECHO_ON:
        case PAM_ERROR_MSG:
        case PAM_TEXT_INFO:
        default: break;
        }
    }
    *responses = reply;
    return PAM_SUCCESS;
}

} // namespace

QString PamAuthenticator::currentUserName()
{
    const passwd *entry = getpwuid(getuid());
    return entry && entry->pw_name ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

bool PamAuthenticator::authenticate(const QString &userName, const QString &password)
{
    // An empty password is passed on like any other: the system's rules decide about it.
    if (userName.isEmpty())
        return false;
    Conversation conversation{password.toLocal8Bit()};
    const pam_conv conv{&converse, &conversation};
    pam_handle_t *handle = nullptr;
    const QByteArray user = userName.toLocal8Bit();
    int rc = pam_start(ServiceName, user.constData(), &conv, &handle);
    if (rc == PAM_SUCCESS)
        rc = pam_authenticate(handle, 0);
    if (rc == PAM_SUCCESS)
        rc = pam_acct_mgmt(handle, 0);
    if (handle)
        pam_end(handle, rc);
    conversation.password.fill('\0');
    return rc == PAM_SUCCESS;
}

} // namespace korvane
