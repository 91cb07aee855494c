#include "tools/saver/SaverSettings.h"
#include "ScriptedSaverSystem.h"
#include "platform/RegFileRegistry.h"
#include "tools/saver/LeadingNumber.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvane;

namespace {

constexpr std::uint32_t HKCU = 0x80000001u;

int sizeStored(const char *text)
{
    ScriptedSaverSystem store;
    store.setSetting(QStringLiteral("Samples"), QStringLiteral("Velt Screen Saver"), QStringLiteral("Size"),
                     QString::fromUtf8(text));
    return SaverSettings::readSize(store);
}

TEST(SaverSize, RoundsHalfToEvenAndKeepsWithinOneToNine)
{
    EXPECT_EQ(sizeStored("0"), 1);
    EXPECT_EQ(sizeStored("-3"), 1);
    EXPECT_EQ(sizeStored("12"), 9);
    EXPECT_EQ(sizeStored("4.5"), 4);
    EXPECT_EQ(sizeStored("5.5"), 6);
    EXPECT_EQ(sizeStored("7"), 7);
    EXPECT_EQ(sizeStored("  3 circles"), 3);
    EXPECT_EQ(sizeStored("9.4"), 9);
    EXPECT_EQ(sizeStored("1e300"), 9);
    EXPECT_EQ(sizeStored("-1e400"), 1);
}

TEST(SaverSize, TextWithoutNumberGivesOneAndNoValueGivesFive)
{
    EXPECT_EQ(sizeStored("big"), 1);
    EXPECT_EQ(sizeStored(""), 1);
    EXPECT_EQ(sizeStored("-"), 1);
    ScriptedSaverSystem empty;
    EXPECT_EQ(SaverSettings::readSize(empty), 5);
}

TEST(LeadingNumber, ReadsOnlyTheNumberTheTextBeginsWith)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("12abc")), 12.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("-2.5x")), -2.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("+.5")), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("3e2")), 300.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("3e")), 3.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("x12")), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral(".")), 0.0);
}

class RegistryText : public ::testing::Test {
protected:
    QString read(const QString &name, std::uint32_t root = HKCU,
                 const QString &key = QStringLiteral("Control Panel\\Desktop"))
    {
        return SaverSettings::readRegistryString(registry, root, key, name);
    }
    ScriptedSaverSystem registry;
};

TEST_F(RegistryText, StringLosesItsTerminatorAndNumbersGiveTheirFirstThreeDigits)
{
    registry.setRegistryString(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                               QStringLiteral("ScreenSaveUsePassword"), QStringLiteral("1"));
    registry.setRegistryDword(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                              QStringLiteral("One"), 1);
    registry.setRegistryDword(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                              QStringLiteral("Big"), 1234);
    registry.setRegistryDword(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                              QStringLiteral("Zero"), 0);
    registry.setRegistryDword(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                              QStringLiteral("Top"), 0xFFFFFFFFu);
    EXPECT_EQ(read(QStringLiteral("ScreenSaveUsePassword")), QStringLiteral("1"));
    EXPECT_EQ(read(QStringLiteral("One")), QStringLiteral("001"));
    EXPECT_EQ(read(QStringLiteral("Big")), QStringLiteral("123"));
    EXPECT_EQ(read(QStringLiteral("Zero")), QStringLiteral("000"));
    EXPECT_EQ(read(QStringLiteral("Top")), QStringLiteral("429")); // unsigned, through single precision
    EXPECT_EQ(SaverSettings::readUsePassword(registry), 1);
}

TEST_F(RegistryText, EveryFailureGivesEmptyText)
{
    registry.setRegistryString(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                               QStringLiteral("Here"), QStringLiteral("yes"));
    registry.setRegistryString(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                               QStringLiteral("Long"), QString(255, QLatin1Char('x'))); // 256 bytes with NUL
    registry.setRegistryString(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                               QStringLiteral("Fits"), QString(254, QLatin1Char('x')));
    registry.setRegistryValue(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                              QStringLiteral("NoTerminator"), {RegistryType::String, QByteArray("7")});
    EXPECT_EQ(read(QStringLiteral("Here")), QStringLiteral("yes"));
    EXPECT_EQ(read(QStringLiteral("Absent")), QString());
    EXPECT_EQ(read(QStringLiteral("Here"), HKCU, QStringLiteral("Control Panel\\Nowhere")), QString());
    EXPECT_EQ(read(QStringLiteral("Here"), 0x80000007u), QString());
    EXPECT_EQ(read(QStringLiteral("Here"), 0x7FFFFFFFu), QString());
    EXPECT_EQ(read(QStringLiteral("Here"), 0u), QString());
    EXPECT_EQ(read(QStringLiteral("Here"), 0x80000002u), QString()); // same key under another root
    EXPECT_EQ(read(QStringLiteral("Long")), QString());
    EXPECT_EQ(read(QStringLiteral("Fits")).size(), 254);
    EXPECT_EQ(read(QStringLiteral("NoTerminator")), QString());
    EXPECT_EQ(SaverSettings::readUsePassword(registry), 0);
}

TEST(RegFileRegistryTest, ReadsTypedValuesAndSkipsLinesItCannotRead)
{
    RegFileRegistry registry;
    registry.parse(QStringLiteral("; the user's own values\r\n"
                                  "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"
                                  "\"ScreenSaveUsePassword\"=dword:00000001\r\n"
                                  "\"Quoted\"=\"say \\\"hi\\\" \\\\ ok\"\n"
                                  "\"Broken\"=dword:xyz\n"
                                  "garbage line\n"
                                  "\"Wallpaper\"=\"壁纸\"\n"
                                  "[HKEY_NOWHERE\\Key]\n"
                                  "\"Lost\"=\"1\"\n"
                                  "[HKEY_CURRENT_USER\\Empty]\n"));
    const QString desktop = QStringLiteral("control panel\\DESKTOP");
    const auto flag = registry.value(RegistryRoot::CurrentUser, desktop, QStringLiteral("screensaveusepassword"));
    ASSERT_TRUE(flag);
    EXPECT_EQ(flag->type, RegistryType::Dword);
    EXPECT_EQ(flag->data, QByteArray("\x01\x00\x00\x00", 4));
    const auto quoted = registry.value(RegistryRoot::CurrentUser, desktop, QStringLiteral("Quoted"));
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->data, QByteArray("say \"hi\" \\ ok\0", 14));
    EXPECT_EQ(SaverSettings::readRegistryString(registry, HKCU, desktop, QStringLiteral("Wallpaper")),
              QStringLiteral("壁纸"));
    EXPECT_FALSE(registry.value(RegistryRoot::CurrentUser, desktop, QStringLiteral("Broken")));
    EXPECT_TRUE(registry.keyExists(RegistryRoot::CurrentUser, QStringLiteral("Empty")));
    EXPECT_FALSE(registry.keyExists(RegistryRoot::CurrentUser, QStringLiteral("Key")));
    EXPECT_EQ(SaverSettings::readUsePassword(registry), 1);
}

TEST(RegFileRegistryTest, FileEditsAreSeenWithoutRestart)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("registry.reg"));
    RegFileRegistry registry(path);
    EXPECT_EQ(SaverSettings::readUsePassword(registry), 0); // no file yet
    auto write = [&](const QByteArray &text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    write("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"ScreenSaveUsePassword\"=\"1\"\n");
    EXPECT_EQ(SaverSettings::readUsePassword(registry), 1);
    write("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"ScreenSaveUsePassword\"=\"00\"\n"); // another size: a
                                                                                              // same-second edit is
                                                                                              // seen too
    EXPECT_EQ(SaverSettings::readUsePassword(registry), 0);
}

} // namespace
