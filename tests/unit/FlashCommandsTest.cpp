// The movie's command protocol: names, fields, the page rectangle and the page address.
#include <gtest/gtest.h>

#include "launcher/FlashCommands.h"

using tavik::FlashCommand;

TEST(MatchFlashCommand, NamesIgnoreLetterCase)
{
    struct Case { const char* name; FlashCommand command; };
    const Case cases[] = {
        { "close", FlashCommand::Close }, { "CLOSE", FlashCommand::Close }, { "MoveWeb", FlashCommand::MoveWeb },
        { "HOMEPAGEurl", FlashCommand::HomepageUrl }, { "coinURL", FlashCommand::CoinUrl },
        { "bbsurl", FlashCommand::BbsUrl }, { "CustomerURL", FlashCommand::CustomerUrl },
        { "openweb", FlashCommand::OpenWeb }, { "WebUrl", FlashCommand::WebUrl }, { "min", FlashCommand::Min },
        { "fullscreen", FlashCommand::Unknown }, { "", FlashCommand::Unknown }, { nullptr, FlashCommand::Unknown },
        { "close ", FlashCommand::Unknown }, { "minimize", FlashCommand::Unknown }, { "\xB9\xD8", FlashCommand::Unknown },
    };
    for (const Case& c : cases)
        EXPECT_EQ(tavik::MatchFlashCommand(c.name), c.command) << (c.name ? c.name : "(null)");
}

TEST(SplitByComma, FieldsAsTheProtocolDefinesThem)
{
    using V = std::vector<std::string>;
    struct Case { const char* text; V fields; };
    const Case cases[] = {
        { "0,0,800,500", V{ "0", "0", "800", "500" } },
        { "a,,b", V{ "a", "", "b" } },
        { "a,b,", V{ "a", "b" } },
        { ",a", V{ "", "a" } },
        { "abc", V{ "abc" } },
        { "", V{ "" } },
        { ",", V{ "" } },
        { ",,", V{ "", "" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(tavik::SplitByComma(c.text), c.fields) << c.text;
}

TEST(MoveWebRect, UsesEachSizeTwice)
{
    auto rc = tavik::MoveWebRect("10,20,800,500");
    ASSERT_TRUE(rc);
    EXPECT_EQ(rc->left, 575);
    EXPECT_EQ(rc->top, 260);
    EXPECT_EQ(rc->right, 1371);
    EXPECT_EQ(rc->bottom, 756);

    rc = tavik::MoveWebRect("0,0,4,4");  // an empty rectangle: width 0
    ASSERT_TRUE(rc);
    EXPECT_EQ(rc->right - rc->left, 0);

    rc = tavik::MoveWebRect("x,y,abc,500px");  // fields without digits count as 0
    ASSERT_TRUE(rc);
    EXPECT_EQ(rc->left, -225);
    EXPECT_EQ(rc->right, -229);
    EXPECT_EQ(rc->top, 260);
    EXPECT_EQ(rc->bottom, 260 + 500 - 4);

    for (const char* tooFew : { "", "1", "1,2", "1,2,3", "1,2,3," })
        EXPECT_FALSE(tavik::MoveWebRect(tooFew)) << tooFew;
    EXPECT_TRUE(tavik::MoveWebRect("1,2,3,4,5"));
    EXPECT_TRUE(tavik::MoveWebRect("1,2,99999999999,-99999999999"));  // no overflow
}

TEST(WebUrlWithTime, AppendsQuestionMarkAndSignedLowBits)
{
    EXPECT_EQ(tavik::WebUrlWithTime("http://a/game.php", 1700000000), "http://a/game.php?1700000000");
    EXPECT_EQ(tavik::WebUrlWithTime("game.php?a=1", 5), "game.php?a=1?5");
    EXPECT_EQ(tavik::WebUrlWithTime("", 42), "?42");
    // After 2038 the low 32 bits read as a negative number.
    EXPECT_EQ(tavik::WebUrlWithTime("u", 0x80000000LL), "u?-2147483648");
    EXPECT_EQ(tavik::WebUrlWithTime("u", 0x1'0000'0007LL), "u?7");
}
