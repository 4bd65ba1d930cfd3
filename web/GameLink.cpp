// The game-link test: the configured marker anywhere in the link's address.
#include "web/GameLink.h"

#include <cstring>

bool IsGameLink(const char* linkUrl, const char* marker)
{
    return std::strstr(linkUrl ? linkUrl : "", marker ? marker : "") != nullptr;
}
