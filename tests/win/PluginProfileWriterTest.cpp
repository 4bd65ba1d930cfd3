// Writing the plug-in profile under the Wine user's profile folder.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <thread>

#include "framework/CString.h"
#include "launcher/PluginProfileWriter.h"
#include "support/TestSupport.h"

using namespace testing_support;

namespace {

// The user's profile folder: the desktop folder's parent.
std::wstring UserFolder()
{
    wchar_t desktop[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOP, FALSE);
    std::wstring d = desktop;
    return d.substr(0, d.rfind(L"Desktop"));
}

std::string ReadKey(const std::wstring& file, const char* section, const char* key)
{
    char value[256] = {};
    ::GetPrivateProfileStringA(section, key, "(missing)", value, sizeof value, CString(file.c_str()));
    return value;
}

struct PluginProfileWriter : ::testing::Test {
    void SetUp() override
    {
        fancy = UserFolder() + L"fancy";
        ASSERT_FALSE(UserFolder().empty());
        RemoveTree(fancy);
        ::DeleteFileW(fancy.c_str());
    }
    void TearDown() override
    {
        RemoveTree(fancy);
        ::DeleteFileW(fancy.c_str());
    }
    std::wstring fancy;
};

}  // namespace

TEST_F(PluginProfileWriter, CreatesFoldersAndWritesTheDefaultsWithPluginOff)
{
    WritePluginProfile();
    std::wstring profile = fancy + L"\\king\\config.ini";
    ASSERT_TRUE(FileExists(profile));
    EXPECT_EQ(ReadKey(profile, "config", "window_w"), "1000");
    EXPECT_EQ(ReadKey(profile, "config", "window_h"), "695");
    EXPECT_EQ(ReadKey(profile, "config", "gameurl"), "wd=1");
    EXPECT_EQ(ReadKey(profile, "config", "name"), "Pelk\xBC\xAB\xCB\xD9\xB5\xC7\xC2\xBD\xC6\xF7");
    EXPECT_EQ(ReadKey(profile, "config", "fancy3d"), "0");
}

TEST_F(PluginProfileWriter, ExistingProfileKeepsItsOtherContent)
{
    ASSERT_TRUE(::CreateDirectoryW(fancy.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW((fancy + L"\\king").c_str(), nullptr));
    std::wstring profile = fancy + L"\\king\\config.ini";
    WriteBytes(profile, "[plugin]\r\nquality=high\r\n[config]\r\nfancy3d=1\r\nextra=kept\r\nname=Other\r\n");
    WritePluginProfile();
    WritePluginProfile();  // a later close rewrites the same keys
    EXPECT_EQ(ReadKey(profile, "plugin", "quality"), "high");
    EXPECT_EQ(ReadKey(profile, "config", "extra"), "kept");
    EXPECT_EQ(ReadKey(profile, "config", "fancy3d"), "0");
    EXPECT_EQ(ReadKey(profile, "config", "name"), "Pelk\xBC\xAB\xCB\xD9\xB5\xC7\xC2\xBD\xC6\xF7");
}

TEST_F(PluginProfileWriter, FancyAsAFileIsReportedAndNothingIsWritten)
{
    ASSERT_TRUE(WriteBytes(fancy, "not a folder"));
    std::wstring text;
    std::thread user([&] {
        HWND box = WaitForMessageBox(::GetCurrentProcessId(), nullptr);
        if (box) {
            text = MessageBoxText(box);
            ClickDialogButton(box, IDOK);
        }
    });
    WritePluginProfile();
    user.join();
    EXPECT_EQ(text, fancy + L"创建失败！");
    EXPECT_EQ(ReadBytes(fancy), "not a folder");
}
