// The default browser's program path and argument building: registered commands of every shape,
// URLs that a page could use to split the argument or add switches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/BrowserCommandLine.h"

namespace {

// Splits a command-line tail the way the Windows C runtime does (documented rules): 2n
// backslashes before a quote give n and toggle quoting, 2n+1 give n and a literal quote,
// other backslashes are literal; blanks outside quotes separate arguments.
std::vector<std::string> SplitLikeWindows(const std::string& line)
{
    std::vector<std::string> args;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size())
            return args;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            size_t n = 0;
            while (i < line.size() && line[i] == '\\') {
                ++n;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                arg.append(n / 2, '\\');
                if (n % 2) {
                    arg += '"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    arg += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                arg.append(n, '\\');
                if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')))
                    arg += line[i++];
            }
        }
        args.push_back(arg);
    }
}

}  // namespace

TEST(BrowserCommandLine, ProgramPathFromRegisteredCommands)
{
    struct Case {
        const char* command;
        const char* expected;
    };
    const Case cases[] = {
        // Quoted path: everything after the closing quote (switches, placeholder) is dropped.
        { "\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"", "\"C:\\Program Files\\Browser\\browser.exe\"" },
        { "\"C:\\tavik\\recorder.exe\" \"%1\"", "\"C:\\tavik\\recorder.exe\"" },
        { "  \"C:\\b.exe\"", "\"C:\\b.exe\"" },
        { "\"C:\\no closing quote.exe", "\"C:\\no closing quote.exe\"" },
        // Unquoted path: up to the end of its .exe in any case, keeping its first character.
        { "C:\\Program Files\\Browser\\browser.exe -url %1", "\"C:\\Program Files\\Browser\\browser.exe\"" },
        { "C:\\Browser\\BROWSER.EXE %1", "\"C:\\Browser\\BROWSER.EXE\"" },
        { "C:\\Browser\\Browser.Exe", "\"C:\\Browser\\Browser.Exe\"" },
        { "C:\\my.exefiles\\b.exe %1", "\"C:\\my.exefiles\\b.exe\"" },
        { "C:\\b.exe\"%1\"", "\"C:\\b.exe\"" },
        // No .exe: up to the first blank.
        { "C:\\tools\\browser %1", "\"C:\\tools\\browser\"" },
        { "browser", "\"browser\"" },
        // Nothing usable.
        { "", "" },
        { "   ", "" },
        { "\"\" %1", "" },
        { "\"   \"", "" },
        { "C:\\a\"b %1", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgramPathFromCommand(c.command), c.expected) << c.command;
}

TEST(BrowserCommandLine, SwitchLikeTexts)
{
    const char* switches[] = { "-url", "/c calc", "  -new-window", "\t/x", "--remote-debugging-port=1" };
    const char* plain[] = { "", "   ", "http://a/-x", "www.example.com/?a=-1", "a -b" };
    for (const char* s : switches)
        EXPECT_TRUE(LooksLikeSwitch(s)) << s;
    for (const char* s : plain)
        EXPECT_FALSE(LooksLikeSwitch(s)) << s;
}

TEST(BrowserCommandLine, QuotedUrlIsExactlyOneArgument)
{
    struct Case {
        std::string url;
        std::string quoted;
    };
    const Case cases[] = {
        { "http://example.com/", "\"http://example.com/\"" },
        { "http://a/b c d", "\"http://a/b c d\"" },
        { "http://a/?q=\"x\"", "\"http://a/?q=\\\"x\\\"\"" },
        { "http://a/?x=1&y=2^3", "\"http://a/?x=1&y=2^3\"" },
        { "C:\\dir\\", "\"C:\\dir\\\\\"" },
        { "a\\\"b", "\"a\\\\\\\"b\"" },
        { "a\\b", "\"a\\b\"" },
        { "\" --new-window \"http://evil/", "\"\\\" --new-window \\\"http://evil/\"" },
        { "", "\"\"" },
    };
    for (const Case& c : cases) {
        std::string quoted = QuoteArgument(c.url);
        EXPECT_EQ(quoted, c.quoted) << c.url;
        std::vector<std::string> args = SplitLikeWindows(quoted);
        ASSERT_EQ(args.size(), 1u) << quoted;
        EXPECT_EQ(args[0], c.url);
    }
}

TEST(BrowserCommandLine, BuildBrowserStart)
{
    const std::string command = "\"C:\\tavik\\recorder.exe\" \"%1\"";
    BrowserStart start;
    ASSERT_TRUE(BuildBrowserStart(command, "http://a/b c", &start));
    EXPECT_EQ(start.program, "\"C:\\tavik\\recorder.exe\"");
    EXPECT_EQ(start.parameters, "\"http://a/b c\"");

    // An empty URL starts the browser with no parameters at all.
    ASSERT_TRUE(BuildBrowserStart(command, "", &start));
    EXPECT_EQ(start.parameters, "");

    BrowserStart untouched{ "p", "q" };
    EXPECT_FALSE(BuildBrowserStart(command, "-remote http://a", &untouched));
    EXPECT_FALSE(BuildBrowserStart(command, " /c calc", &untouched));
    EXPECT_FALSE(BuildBrowserStart("", "http://a", &untouched));
    EXPECT_FALSE(BuildBrowserStart("   ", "http://a", &untouched));
    EXPECT_EQ(untouched.program, "p");
    EXPECT_EQ(untouched.parameters, "q");
    EXPECT_FALSE(BuildBrowserStart(command, "http://a", nullptr));
}
