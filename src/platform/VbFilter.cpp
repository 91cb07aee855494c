#include "platform/VbFilter.h"

#include <QRegularExpression>
#include <QStringList>

namespace korvane {

QString vbFilterToQt(const QString &vbFilter)
{
    const QStringList parts = vbFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        // The description usually repeats its pattern in parentheses; Qt reads the last
        // parenthesised group as the pattern list, so drop it and append ours.
        static const QRegularExpression trailingGroup(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
        description.remove(trailingGroup);
        QStringList patterns;
        for (const QString &p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            patterns << pattern.toLower();
            if (pattern.toUpper() != pattern.toLower())
                patterns << pattern.toUpper();
        }
        patterns.removeDuplicates();
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace korvane
