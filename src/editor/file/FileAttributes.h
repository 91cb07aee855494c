#pragma once

#include <sys/stat.h>

namespace korvane {

// Everything about a file except its contents, given to the new file that replaces it:
// owner, group, mode (set-user-ID, set-group-ID and sticky bits included), and the
// extended attributes, which also hold the file's access control list
// (system.posix_acl_access) byte for byte, so no ACL library is needed to copy it.
class FileAttributes {
public:
    // Gives `to` the attributes of `from` (described by fromInfo). False when any of them
    // cannot be given (another user's group, an attribute the file system or the user may
    // not set): the new file would then differ from the old one in more than its text.
    static bool copy(int from, const struct stat &fromInfo, int to);
};

} // namespace korvane
