// The game-link test: where the configured marker makes a link a game link.
#include <gtest/gtest.h>

#include "web/GameLink.h"

TEST(GameLink, MarkerIsACaseSensitiveSubstring)
{
    struct Case {
        const char* link;
        const char* marker;
        bool game;
    };
    const Case cases[] = {
        { "http://game/play?wd=1&x", "wd=1", true },
        { "wd=1", "wd=1", true },
        { "http://game/play?WD=1", "wd=1", false },
        { "http://site/news", "wd=1", false },
        { "", "wd=1", false },
        { "anything", "", true },
        { "", "", true },
        { nullptr, "wd=1", false },
        { "x", nullptr, true },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsGameLink(c.link, c.marker), c.game) << (c.link ? c.link : "(null)") << " / " << (c.marker ? c.marker : "(null)");
}
