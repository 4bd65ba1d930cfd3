// A command handler that runs the player again from inside (as a message box's modal loop does
// with the frame timer) must not see the same command twice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standins/movieplayer/core/Player.h"
#include "tools/moviemaker/Description.h"

TEST(MoviePlayerReentry, ActionsRunOnceWhenTheHandlerTicksAgain)
{
    const char* description = R"(movie 100 100 20
frame
action fscommand close; fscommand second x
frame
frame
action goto 3
frame
)";
    std::vector<uint8_t> movie;
    std::string error;
    ASSERT_TRUE(moviemaker::BuildMovie(description, nullptr, movie, error)) << error;

    movieplayer::Player player;
    std::vector<std::string> commands;
    int depth = 0;
    player.SetFsCommandHandler([&](const std::string& command, const std::string&) {
        commands.push_back(command);
        if (command == "close" && depth++ < 3) {
            for (int i = 0; i < 5; ++i)
                player.Tick();  // the timer keeps running while the question is open
        }
    });
    ASSERT_TRUE(player.Load(movie.data(), movie.size()));
    player.Play();
    for (int i = 0; i < 10; ++i)
        player.Tick();
    EXPECT_EQ(commands, (std::vector<std::string>{ "close", "second" }));
}
