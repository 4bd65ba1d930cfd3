// Where the 3D plug-in's profile goes and what it holds: the folder "fancy\king" beside the
// user's desktop folder, and the launcher's default settings with the plug-in flag off.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/ModuleDir.h"

namespace tavik {

struct PluginProfilePaths {
    std::string fancyFolder;  // made first
    std::string kingFolder;   // then this one, inside it
    std::string profileFile;  // the config.ini inside king
};

// From the desktop folder's path: the part before the first "Desktop" (case-sensitive, found
// only where a character starts) followed by "fancy"; with no "Desktop", the relative "fancy".
PluginProfilePaths PluginProfilePathsFor(const std::string& desktopPath, LeadBytePredicate isLeadByte);

// The five keys in the order they are written, with the given default title (in the ANSI code
// page) as "name" and fancy3d "0".
std::vector<std::pair<std::string, std::string>> PluginProfileValues(const std::string& defaultTitle);

}  // namespace tavik
