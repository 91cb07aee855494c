#pragma once

namespace korvane {

class SaverSystemService;
class RegistryService;
struct SaverModule;

// The saver's password rule. Protection is in force when the user switched on
// "ScreenSaveUsePassword" and the system does not check saver passwords itself.
// It applies at three points of a saver window's life: start, every close request, close.
class PasswordProtection {
public:
    PasswordProtection(SaverModule &module, SaverSystemService &system, const RegistryService &registry);

    // The platform id of a system that asks for saver passwords itself.
    static constexpr int PlatformChecksPasswords = 2;

    static bool inForce(int platformId, int usePassword)
    {
        return platformId != PlatformChecksPasswords && usePassword != 0;
    }
    bool inForce() const;

    // Reads the switch and the platform; tells the system a saver runs when protected.
    void start();
    // Whether a close may go on. When protected, the password is asked for with the pointer
    // visible; a refusal hides it again and keeps the saver running.
    bool allowClose();
    // The saver ends: the pointer comes back whatever happened before. Runs once; later calls do nothing.
    void finish();

private:
    SaverModule &m_module;
    SaverSystemService &m_system;
    const RegistryService &m_registry;
    bool m_started = false;
    bool m_finished = false;
};

} // namespace korvane
