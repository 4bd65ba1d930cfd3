// Settings rules of the launcher.
#include "app/Settings.h"

#include <climits>

namespace tavik {

LauncherSettings ReadLauncherSettings(const SettingReader& read, const std::string& defaultTitle)
{
    LauncherSettings s;
    s.windowWidth = SettingToInt(read("window_w", "1000"));
    s.windowHeight = SettingToInt(read("window_h", "695"));
    s.gameUrl = read("gameurl", "wd=1");
    s.title = read("name", defaultTitle.c_str());
    s.fancy3d = read("fancy3d", "1");
    return s;
}

int SettingToInt(const std::string& text)
{
    size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool ShouldOpenPluginInstaller(const std::string& fancy3d)
{
    return fancy3d == "1";
}

}  // namespace tavik
