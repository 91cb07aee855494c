#include "platform/StateFolder.h"

#include <QDir>

namespace korvane {

QString stateFolder()
{
    // A relative value is invalid and must be ignored.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/Korvane"));
}

} // namespace korvane
