// How the default browser is started: the program path taken from the registered HTTP open
// command, and the URL turned into exactly one command-line argument.
#pragma once

#include <string>

// The browser program, quoted, from a registered command: a quoted path up to its closing quote,
// or an unquoted path up to the end of its ".exe" (any case), else up to the first blank.
// Empty when the command holds no usable path.
std::string ProgramPathFromCommand(const std::string& command);

// True when a browser could read the text as a switch: its first non-blank character is '-' or '/'.
bool LooksLikeSwitch(const std::string& text);

// The text as one argument under the Windows command-line rules: in double quotes, with quotes
// and the backslashes before them (or before the closing quote) escaped.
std::string QuoteArgument(const std::string& text);

struct BrowserStart {
    std::string program;     // quoted program path
    std::string parameters;  // the URL as one argument; empty for an empty URL
};

// What to start for url with the registered command; false when nothing may be started.
bool BuildBrowserStart(const std::string& command, const std::string& url, BrowserStart* start);
