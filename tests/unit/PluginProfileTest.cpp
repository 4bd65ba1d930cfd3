// The plug-in profile's folders and values.
#include <gtest/gtest.h>

#include "launcher/PluginProfile.h"

using tavik::IsGbkLeadByte;
using tavik::PluginProfilePathsFor;

TEST(PluginProfilePaths, BesideTheDesktopFolder)
{
    struct Case { const char* desktop; const char* fancy; };
    const Case cases[] = {
        { "C:\\Users\\user\\Desktop", "C:\\Users\\user\\fancy" },
        { "C:\\users\\tester\\Desktop", "C:\\users\\tester\\fancy" },
        { "D:\\Desktop\\Desktop", "D:\\fancy" },               // cut at the first one
        { "C:\\Users\\user\\desktop", "fancy" },                // lower case is not the marker
        { "E:\\Redirected\\Schreibtisch", "fancy" },            // relative to the current folder
        { "", "fancy" },
        { "C:\\\xB5\xE7" "Desktop", "C:\\\xB5\xE7" "fancy" },               // after a double-byte character
    };
    for (const Case& c : cases) {
        tavik::PluginProfilePaths p = PluginProfilePathsFor(c.desktop, &IsGbkLeadByte);
        EXPECT_EQ(p.fancyFolder, c.fancy) << c.desktop;
        EXPECT_EQ(p.kingFolder, std::string(c.fancy) + "\\king");
        EXPECT_EQ(p.profileFile, std::string(c.fancy) + "\\king\\config.ini");
    }
}

TEST(PluginProfilePaths, MarkerInsideADoubleByteCharacterIsNotFound)
{
    // "\x81" starts a double-byte character whose second byte is 'D'; the marker cannot begin there.
    EXPECT_EQ(PluginProfilePathsFor("C:\\\x81\x44" "esktop", &IsGbkLeadByte).fancyFolder, "fancy");
    EXPECT_EQ(PluginProfilePathsFor("C:\\\x81\x44" "esktop", nullptr).fancyFolder, "C:\\\x81" "fancy");
}

TEST(PluginProfileValues, DefaultsWithThePluginOff)
{
    auto values = tavik::PluginProfileValues("Title");
    const std::vector<std::pair<std::string, std::string>> expected = {
        { "window_w", "1000" }, { "window_h", "695" }, { "gameurl", "wd=1" }, { "name", "Title" }, { "fancy3d", "0" },
    };
    EXPECT_EQ(values, expected);
}
