// The launcher's settings from config.ini: keys, defaults, the integer conversion the sizes use
// and the rule that opens the 3D plug-in installer.
#pragma once

#include <functional>
#include <string>

namespace tavik {

constexpr const char kConfigFileName[] = "config.ini";
constexpr const char kConfigSection[] = "config";
constexpr size_t kSettingBufferSize = 1024;  // a value arrives cut to 1023 bytes

// The installer of the 3D web plug-in, opened at start when fancy3d is "1".
constexpr const char kPluginInstallerUrl[] = TAVIK_INSTALLER_URL;

struct LauncherSettings {
    int windowWidth = 0;
    int windowHeight = 0;
    std::string gameUrl;
    std::string title;
    std::string fancy3d;
};

// Reads one key: (key, default) -> value. The default title is given in the ANSI code page by
// the caller, since only the caller knows that code page.
using SettingReader = std::function<std::string(const char* key, const char* defaultValue)>;

// Reads window_w, window_h, gameurl, name and fancy3d, in that order.
LauncherSettings ReadLauncherSettings(const SettingReader& read, const std::string& defaultTitle);

// Decimal conversion as atoi does it: leading white space, an optional sign, digits up to the
// first other character; no digits give 0; values beyond the int range stop at its ends.
int SettingToInt(const std::string& text);

// Only the exact value "1" opens the installer.
bool ShouldOpenPluginInstaller(const std::string& fancy3d);

}  // namespace tavik
