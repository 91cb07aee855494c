#include "tools/saver/PasswordProtection.h"

#include "platform/SaverSystemService.h"
#include "tools/saver/SaverModule.h"
#include "tools/saver/SaverSettings.h"

namespace korvane {

PasswordProtection::PasswordProtection(SaverModule &module, SaverSystemService &system, const RegistryService &registry)
    : m_module(module), m_system(system), m_registry(registry)
{}

bool PasswordProtection::inForce() const { return inForce(m_module.platformId, m_module.usePassword); }

void PasswordProtection::start()
{
    m_module.usePassword = SaverSettings::readUsePassword(m_registry);
    m_module.platformId = m_system.platformId();
    m_started = true;
    m_finished = false;
    if (inForce())
        m_system.setScreenSaverRunning(true);
}

bool PasswordProtection::allowClose()
{
    if (!inForce())
        return true;
    m_system.showCursor();
    if (m_system.verifyScreenSaverPassword())
        return true;
    m_system.hideCursor();
    return false;
}

void PasswordProtection::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_system.showCursor();
    if (m_started && inForce())
        m_system.setScreenSaverRunning(false);
}

} // namespace korvane
