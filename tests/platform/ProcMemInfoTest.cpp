#include "platform/ProcMemInfo.h"

#include <gtest/gtest.h>

using namespace korvane;

TEST(ProcMemInfo, ReadsMemAvailableInBytesAndNothingElse)
{
    const struct {
        const char *text;
        std::optional<qint64> bytes;
    } cases[] = {
        {"MemTotal:       24684280 kB\nMemFree:        20481024 kB\nMemAvailable:   24201452 kB\n",
         qint64(24201452) * 1024},
        {"MemAvailable: 0 kB", 0},
        {"MemTotal:       24684280 kB\n", std::nullopt},           // a kernel before 3.14
        {"XMemAvailable:   5 kB\nMemAvailable: 7 kB\n", 7 * 1024}, // only a line's own name
        {"MemAvailable:   kB\n", std::nullopt},
        {"MemAvailable:   99999999999999999999 kB\n", std::nullopt}, // would wrap
    };
    for (const auto &c : cases)
        EXPECT_EQ(ProcMemInfo::parseAvailable(c.text), c.bytes) << c.text;
    EXPECT_GT(ProcMemInfo::available().value_or(0), 0); // this machine's own figure
}
