// The settings rules: integer conversion, the installer flag, the order and defaults of the keys.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <vector>

#include "app/Settings.h"

using tavik::SettingToInt;

TEST(SettingToInt, FollowsAtoiRules)
{
    struct Case { const char* text; int value; };
    const Case cases[] = {
        { "1000", 1000 }, { "abc", 0 }, { "800px", 800 }, { "  695", 695 }, { "\t\n 12", 12 },
        { "-40", -40 }, { "+7", 7 }, { "", 0 }, { "- 5", 0 }, { "0x10", 0 }, { "12 34", 12 },
        { "2147483647", INT_MAX }, { "99999999999", INT_MAX }, { "-99999999999", INT_MIN },
        { "00100", 100 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingToInt(c.text), c.value) << "text: \"" << c.text << "\"";
}

TEST(PluginInstaller, OpensOnlyForExactOne)
{
    EXPECT_TRUE(tavik::ShouldOpenPluginInstaller("1"));
    for (const char* value : { "0", "true", "01", "", " 1", "1 ", "１", "2" })
        EXPECT_FALSE(tavik::ShouldOpenPluginInstaller(value)) << value;
}

TEST(PluginInstaller, UrlEndsWithInstallerPath)
{
    std::string url = tavik::kPluginInstallerUrl;
    const std::string path = "/download/fancysetup.exe";
    ASSERT_GT(url.size(), path.size());
    EXPECT_EQ(url.substr(url.size() - path.size()), path);
    EXPECT_EQ(url.rfind("http", 0), 0u);
}

TEST(ReadLauncherSettings, ReadsKeysInOrderWithDefaults)
{
    std::vector<std::pair<std::string, std::string>> asked;
    auto defaults = [&](const char* key, const char* def) {
        asked.emplace_back(key, def);
        return std::string(def);
    };
    tavik::LauncherSettings s = tavik::ReadLauncherSettings(defaults, "DefaultTitle");
    const std::vector<std::pair<std::string, std::string>> expected = {
        { "window_w", "1000" }, { "window_h", "695" }, { "gameurl", "wd=1" }, { "name", "DefaultTitle" }, { "fancy3d", "1" },
    };
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(s.windowWidth, 1000);
    EXPECT_EQ(s.windowHeight, 695);
    EXPECT_EQ(s.gameUrl, "wd=1");
    EXPECT_EQ(s.title, "DefaultTitle");
    EXPECT_EQ(s.fancy3d, "1");
}

TEST(ReadLauncherSettings, TakesValuesAsRead)
{
    const std::map<std::string, std::string> file = {
        { "window_w", "abc" }, { "window_h", "800px" }, { "gameurl", "play.php?srv=" },
        { "name", "\xB2\xE2\xCA\xD4" /* GBK text */ }, { "fancy3d", "01" },
    };
    auto read = [&](const char* key, const char* def) {
        auto it = file.find(key);
        return it == file.end() ? std::string(def) : it->second;
    };
    tavik::LauncherSettings s = tavik::ReadLauncherSettings(read, "x");
    EXPECT_EQ(s.windowWidth, 0);
    EXPECT_EQ(s.windowHeight, 800);
    EXPECT_EQ(s.gameUrl, "play.php?srv=");
    EXPECT_EQ(s.title, "\xB2\xE2\xCA\xD4");
    EXPECT_EQ(s.fancy3d, "01");
}
