// The plug-in profile's location and content.
#include "launcher/PluginProfile.h"

namespace tavik {

PluginProfilePaths PluginProfilePathsFor(const std::string& desktopPath, LeadBytePredicate isLeadByte)
{
    static const std::string kMarker = "Desktop";
    size_t base = 0;
    bool found = false;
    for (size_t i = 0; i < desktopPath.size() && !found;) {
        if (desktopPath.compare(i, kMarker.size(), kMarker) == 0) {
            base = i;
            found = true;
            break;
        }
        i += (isLeadByte && isLeadByte(static_cast<unsigned char>(desktopPath[i])) && i + 1 < desktopPath.size()) ? 2 : 1;
    }
    PluginProfilePaths p;
    p.fancyFolder = (found ? desktopPath.substr(0, base) : std::string()) + "fancy";
    p.kingFolder = p.fancyFolder + "\\king";
    p.profileFile = p.kingFolder + "\\config.ini";
    return p;
}

std::vector<std::pair<std::string, std::string>> PluginProfileValues(const std::string& defaultTitle)
{
    return {
        { "window_w", "1000" }, { "window_h", "695" }, { "gameurl", "wd=1" }, { "name", defaultTitle }, { "fancy3d", "0" },
    };
}

}  // namespace tavik
