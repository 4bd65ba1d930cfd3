// The module folder: drive and directory of the executable with exactly one trailing backslash.
#include <gtest/gtest.h>

#include "app/ModuleDir.h"

using tavik::IsGbkLeadByte;
using tavik::ModuleDirFromPath;

TEST(ModuleDir, DriveAndDirectoryWithOneBackslash)
{
    struct Case { const char* path; const char* dir; };
    const Case cases[] = {
        { "C:\\Games\\Tavik\\TavikGame.exe", "C:\\Games\\Tavik\\" },
        { "C:\\TavikGame.exe", "C:\\" },                    // drive root keeps a single backslash
        { "T:\\TavikGame.exe", "T:\\" },
        { "\\\\server\\share\\TavikGame.exe", "\\\\server\\share\\" },
        { "C:TavikGame.exe", "C:\\" },
        { "TavikGame.exe", "\\" },
        { "", "\\" },
        { "C:/Games/TavikGame.exe", "C:/Games/" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ModuleDirFromPath(c.path, &IsGbkLeadByte), c.dir) << c.path;
}

TEST(ModuleDir, DoubleByteTrailBackslashIsNotASeparator)
{
    // "\x95\x5C" is one GBK character whose second byte is the backslash code.
    const std::string folder = "C:\\\x95\x5C";
    EXPECT_EQ(ModuleDirFromPath(folder + "\\TavikGame.exe", &IsGbkLeadByte), folder + "\\");
    // A folder name that ends in that character still gets its own backslash.
    EXPECT_EQ(ModuleDirFromPath(folder, &IsGbkLeadByte), "C:\\");
    EXPECT_TRUE(tavik::EndsWithBackslash("C:\\", &IsGbkLeadByte));
    EXPECT_FALSE(tavik::EndsWithBackslash("C:\\\x95\x5C", &IsGbkLeadByte));
    // Without double-byte rules the trail byte would be taken for a separator.
    EXPECT_TRUE(tavik::EndsWithBackslash("C:\\\x95\x5C", nullptr));
}

TEST(ModuleDir, LongPathKeepsWholeFolder)
{
    std::string dir = "C:\\" + std::string(240, 'a') + "\\";
    EXPECT_EQ(ModuleDirFromPath(dir + "TavikGame.exe", &IsGbkLeadByte), dir);
}
