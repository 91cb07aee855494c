#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

// Every test program runs with a QApplication (headless under the offscreen platform),
// in the program's locale.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setOrganizationName(QStringLiteral("KorvaneTests"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
