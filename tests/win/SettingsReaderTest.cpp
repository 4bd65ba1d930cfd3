// Reading config.ini through the profile functions: defaults, values as read, the 1023-byte cut,
// and files that cannot be read.
#include <gtest/gtest.h>

#include "app/LauncherSettings.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {
void Load(const std::wstring& path)
{
    LoadLauncherSettings(CString(path.c_str()));
}
}  // namespace

TEST(SettingsReader, MissingFileGivesDefaults)
{
    TempDir dir;
    Load(dir.File(L"config.ini"));
    EXPECT_EQ(g_nWindowWidth, 1000);
    EXPECT_EQ(g_nWindowHeight, 695);
    EXPECT_EQ(g_strGameUrl, "wd=1");
    EXPECT_EQ(g_strTitle, "Pelk\xBC\xAB\xCB\xD9\xB5\xC7\xC2\xBD\xC6\xF7");  // GBK of the default title
    EXPECT_EQ(g_strFancy3d, "1");
}

TEST(SettingsReader, UnreadableFileGivesDefaults)
{
    TempDir dir;
    // A folder where the file should be.
    ASSERT_TRUE(::CreateDirectoryW(dir.File(L"config.ini").c_str(), nullptr));
    Load(dir.File(L"config.ini"));
    EXPECT_EQ(g_nWindowWidth, 1000);
    EXPECT_EQ(g_strFancy3d, "1");
}

TEST(SettingsReader, ValuesAreTakenAsRead)
{
    TempDir dir;
    WriteBytes(dir.File(L"config.ini"),
               "[other]\r\nwindow_w=5\r\n[config]\r\nwindow_w=800px\r\nwindow_h=abc\r\ngameurl=game.php?x=1\r\n"
               "name=\xB2\xE2\xCA\xD4\r\nfancy3d=true\r\n");
    Load(dir.File(L"config.ini"));
    EXPECT_EQ(g_nWindowWidth, 800);
    EXPECT_EQ(g_nWindowHeight, 0);
    EXPECT_EQ(g_strGameUrl, "game.php?x=1");
    EXPECT_EQ(g_strTitle, "\xB2\xE2\xCA\xD4");
    EXPECT_EQ(g_strFancy3d, "true");
}

TEST(SettingsReader, LongValuesAreCutTo1023Bytes)
{
    TempDir dir;
    WriteBytes(dir.File(L"config.ini"), "[config]\r\ngameurl=" + std::string(5000, 'g') + "\r\nname=" +
                                            std::string(1023, 'n') + "\r\n");
    Load(dir.File(L"config.ini"));
    EXPECT_EQ(g_strGameUrl.GetLength(), 1023);
    EXPECT_EQ(g_strTitle, std::string(1023, 'n').c_str());
}

TEST(SettingsReader, ModuleDirEndsWithOneBackslash)
{
    CString dir = ComputeModuleDir();
    ASSERT_GE(dir.GetLength(), 3);
    EXPECT_EQ(dir.GetAt(dir.GetLength() - 1), '\\');
    EXPECT_NE(dir.GetAt(dir.GetLength() - 2), '\\');
    EXPECT_EQ(std::wstring(dir.Wide()), BinDir());
}
