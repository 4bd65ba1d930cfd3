// Program path and argument quoting for the default-browser launcher. The URL comes from a web
// page (its status text), so it must never become more than one argument or a switch.
#include "web/BrowserCommandLine.h"

#include <cctype>

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// Where the first ".exe" that ends a word (end, blank or quote follows) ends, or npos.
size_t EndOfExe(const std::string& text)
{
    for (size_t i = 0; i + 4 <= text.size(); ++i) {
        if (text[i] != '.')
            continue;
        bool exe = std::tolower(static_cast<unsigned char>(text[i + 1])) == 'e' &&
                   std::tolower(static_cast<unsigned char>(text[i + 2])) == 'x' &&
                   std::tolower(static_cast<unsigned char>(text[i + 3])) == 'e';
        size_t end = i + 4;
        if (exe && (end == text.size() || IsBlank(text[end]) || text[end] == '"'))
            return end;
    }
    return std::string::npos;
}

}  // namespace

std::string ProgramPathFromCommand(const std::string& command)
{
    size_t start = 0;
    while (start < command.size() && IsBlank(command[start]))
        ++start;
    std::string path;
    if (start < command.size() && command[start] == '"') {
        size_t close = command.find('"', start + 1);
        path = command.substr(start + 1, close == std::string::npos ? std::string::npos : close - start - 1);
    } else {
        std::string rest = command.substr(start);
        size_t end = EndOfExe(rest);
        if (end == std::string::npos) {
            end = 0;
            while (end < rest.size() && !IsBlank(rest[end]))
                ++end;
        }
        path = rest.substr(0, end);
        // An unquoted path cannot hold a quote of its own.
        if (path.find('"') != std::string::npos)
            return std::string();
    }
    size_t last = path.find_last_not_of(" \t");
    if (last == std::string::npos)
        return std::string();
    path.erase(last + 1);
    return '"' + path + '"';
}

bool LooksLikeSwitch(const std::string& text)
{
    for (char ch : text) {
        if (IsBlank(ch))
            continue;
        return ch == '-' || ch == '/';
    }
    return false;
}

std::string QuoteArgument(const std::string& text)
{
    std::string out = "\"";
    size_t backslashes = 0;
    for (char ch : text) {
        if (ch == '\\') {
            ++backslashes;
            continue;
        }
        if (ch == '"') {
            // Backslashes before a quote are doubled, and the quote itself is escaped.
            out.append(backslashes * 2 + 1, '\\');
            out += '"';
        } else {
            out.append(backslashes, '\\');
            out += ch;
        }
        backslashes = 0;
    }
    // Backslashes before the closing quote are doubled so that it stays a closing quote.
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

bool BuildBrowserStart(const std::string& command, const std::string& url, BrowserStart* start)
{
    if (!start || LooksLikeSwitch(url))
        return false;
    std::string program = ProgramPathFromCommand(command);
    if (program.empty())
        return false;
    start->program = program;
    start->parameters = url.empty() ? std::string() : QuoteArgument(url);
    return true;
}
