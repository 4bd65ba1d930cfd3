// Whether a link of the launcher's page leads to the game.
#pragma once

// True when the marker occurs in the link as a case-sensitive byte substring; an empty marker
// matches every link. Null texts count as empty.
bool IsGameLink(const char* linkUrl, const char* marker);
