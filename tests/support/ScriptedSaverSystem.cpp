#include "ScriptedSaverSystem.h"

namespace korvane {

static QString settingId(const QString &application, const QString &section, const QString &key)
{
    return application + QLatin1Char('\n') + section + QLatin1Char('\n') + key;
}

static QString keyId(RegistryRoot root, const QString &subKey)
{
    return QString::number(static_cast<std::uint32_t>(root), 16) + QLatin1Char('\\') + subKey.toLower();
}

void ScriptedSaverSystem::setSetting(const QString &application, const QString &section, const QString &key,
                                     const QString &value)
{
    m_settings.insert(settingId(application, section, key), value);
}

QString ScriptedSaverSystem::setting(const QString &application, const QString &section, const QString &key,
                                     const QString &defaultValue) const
{
    return m_settings.value(settingId(application, section, key), defaultValue);
}

void ScriptedSaverSystem::setRegistryValue(RegistryRoot root, const QString &subKey, const QString &name,
                                           RegistryValue value)
{
    m_registry[keyId(root, subKey)].insert(name.toLower(), std::move(value));
}

void ScriptedSaverSystem::setRegistryString(RegistryRoot root, const QString &subKey, const QString &name,
                                            const QString &text)
{
    QByteArray data = text.toUtf8();
    data.append('\0');
    setRegistryValue(root, subKey, name, {RegistryType::String, data});
}

void ScriptedSaverSystem::setRegistryDword(RegistryRoot root, const QString &subKey, const QString &name,
                                           std::uint32_t number)
{
    QByteArray data;
    for (int i = 0; i < 4; ++i)
        data.append(static_cast<char>((number >> (8 * i)) & 0xFF));
    setRegistryValue(root, subKey, name, {RegistryType::Dword, data});
}

bool ScriptedSaverSystem::keyExists(RegistryRoot root, const QString &subKey) const
{
    return m_registry.contains(keyId(root, subKey));
}

std::optional<RegistryValue> ScriptedSaverSystem::value(RegistryRoot root, const QString &subKey,
                                                        const QString &valueName) const
{
    const auto key = m_registry.constFind(keyId(root, subKey));
    if (key == m_registry.constEnd() || !key->contains(valueName.toLower()))
        return std::nullopt;
    return key->value(valueName.toLower());
}

bool ScriptedSaverSystem::verifyScreenSaverPassword()
{
    ++passwordPrompts;
    cursorHiddenAtPrompt = hidden;
    inputHeldAtPrompt = inputHolder != nullptr;
    if (passwordAnswers.empty())
        return false;
    const bool answer = passwordAnswers.front();
    passwordAnswers.pop_front();
    return answer;
}

InputGrab ScriptedSaverSystem::grabInput(QWindow *window)
{
    ++grabAttempts;
    InputGrab answer = InputGrab::Taken;
    if (!grabAnswers.empty()) {
        answer = grabAnswers.front();
        grabAnswers.pop_front();
    }
    if (answer == InputGrab::Taken)
        inputHolder = window;
    return answer;
}

void ScriptedSaverSystem::releaseInput()
{
    if (!inputHolder)
        return;
    inputHolder = nullptr;
    ++inputReleases;
}

} // namespace korvane
