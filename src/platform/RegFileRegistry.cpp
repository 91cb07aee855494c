#include "platform/RegFileRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace korvane {

RegFileRegistry::RegFileRegistry(const QString &filePath) : m_filePath(filePath) { reload(); }

QString RegFileRegistry::rootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot: return QStringLiteral("HKEY_CLASSES_ROOT");
    case RegistryRoot::CurrentUser: return QStringLiteral("HKEY_CURRENT_USER");
    case RegistryRoot::LocalMachine: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case RegistryRoot::Users: return QStringLiteral("HKEY_USERS");
    case RegistryRoot::PerformanceData: return QStringLiteral("HKEY_PERFORMANCE_DATA");
    case RegistryRoot::CurrentConfig: return QStringLiteral("HKEY_CURRENT_CONFIG");
    case RegistryRoot::DynData: return QStringLiteral("HKEY_DYN_DATA");
    }
    return QString();
}

QString RegFileRegistry::keyId(const QString &rootName, const QString &subKey)
{
    QString path = subKey;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    const QString id = path.isEmpty() ? rootName : rootName + QLatin1Char('\\') + path;
    return id.toLower();
}

void RegFileRegistry::reload() const
{
    const QFileInfo info(m_filePath);
    m_loadedStamp = info.lastModified();
    m_loadedSize = info.exists() ? info.size() : -1;
    QFile file(m_filePath);
    if (m_filePath.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        m_keys.clear();
        return;
    }
    parseInto(QString::fromUtf8(file.readAll()));
}

void RegFileRegistry::refresh() const
{
    if (m_filePath.isEmpty())
        return;
    const QFileInfo info(m_filePath);
    if (info.lastModified() != m_loadedStamp || (info.exists() ? info.size() : -1) != m_loadedSize)
        reload();
}

// Reads a quoted string starting at text[pos] == '"'; on success pos is after the closing quote.
static std::optional<QString> readQuoted(const QString &text, qsizetype &pos)
{
    if (pos >= text.size() || text[pos] != QLatin1Char('"'))
        return std::nullopt;
    QString out;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == QLatin1Char('\\') && pos + 1 < text.size()) {
            out += text[++pos];
        } else if (c == QLatin1Char('"')) {
            ++pos;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

void RegFileRegistry::parse(const QString &text)
{
    m_filePath.clear();
    parseInto(text);
}

void RegFileRegistry::parseInto(const QString &text) const
{
    m_keys.clear();
    static const QRegularExpression dwordRe(QStringLiteral("^dword:([0-9a-fA-F]{1,8})$"));
    QString current; // key id of the section being read, empty before the first header
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString path = line.mid(1, line.size() - 2).trimmed();
            const qsizetype slash = path.indexOf(QLatin1Char('\\'));
            const QString root = slash < 0 ? path : path.left(slash);
            bool known = false;
            for (std::uint32_t r = 0x80000000u; r <= 0x80000006u; ++r)
                known = known || root.compare(rootName(RegistryRoot(r)), Qt::CaseInsensitive) == 0;
            current = known ? keyId(root, slash < 0 ? QString() : path.mid(slash + 1)) : QString();
            if (!current.isEmpty())
                m_keys[current]; // an empty key still exists
            continue;
        }
        if (current.isEmpty())
            continue;
        qsizetype pos = 0;
        QString name;
        if (line.startsWith(QLatin1Char('@'))) {
            pos = 1; // the key's default value has an empty name
        } else if (auto quoted = readQuoted(line, pos)) {
            name = *quoted;
        } else {
            continue;
        }
        if (pos >= line.size() || line[pos] != QLatin1Char('='))
            continue;
        ++pos;
        RegistryValue value;
        if (line.mid(pos).startsWith(QLatin1Char('"'))) {
            const auto s = readQuoted(line, pos);
            if (!s || !line.mid(pos).trimmed().isEmpty())
                continue;
            value.type = RegistryType::String;
            value.data = s->toUtf8();
            value.data.append('\0');
        } else {
            const auto m = dwordRe.match(line.mid(pos).trimmed());
            if (!m.hasMatch())
                continue;
            const std::uint32_t n = m.captured(1).toUInt(nullptr, 16);
            value.type = RegistryType::Dword;
            for (int i = 0; i < 4; ++i)
                value.data.append(static_cast<char>((n >> (8 * i)) & 0xFF));
        }
        m_keys[current].insert(name.toLower(), value);
    }
}

bool RegFileRegistry::keyExists(RegistryRoot root, const QString &subKey) const
{
    refresh();
    return m_keys.contains(keyId(rootName(root), subKey));
}

std::optional<RegistryValue> RegFileRegistry::value(RegistryRoot root, const QString &subKey,
                                                    const QString &valueName) const
{
    refresh();
    const auto key = m_keys.constFind(keyId(rootName(root), subKey));
    if (key == m_keys.constEnd())
        return std::nullopt;
    const auto v = key->constFind(valueName.toLower());
    if (v == key->constEnd())
        return std::nullopt;
    return *v;
}

} // namespace korvane
