// Decoding of the movie's commands.
#include "launcher/FlashCommands.h"

#include <cstdlib>

#include "app/Settings.h"

namespace tavik {

namespace {
bool EqualsNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        char ca = *a, cb = *b;
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z') cb = static_cast<char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
        if (!ca)
            return true;
    }
}
}  // namespace

FlashCommand MatchFlashCommand(const char* name)
{
    static const struct { const char* name; FlashCommand command; } kCommands[] = {
        { "close", FlashCommand::Close },          { "moveweb", FlashCommand::MoveWeb },
        { "homepageURL", FlashCommand::HomepageUrl }, { "coinURL", FlashCommand::CoinUrl },
        { "bbsURL", FlashCommand::BbsUrl },        { "customerURL", FlashCommand::CustomerUrl },
        { "openweb", FlashCommand::OpenWeb },      { "weburl", FlashCommand::WebUrl },
        { "min", FlashCommand::Min },
    };
    if (!name)
        return FlashCommand::Unknown;
    for (const auto& c : kCommands) {
        if (EqualsNoCase(name, c.name))
            return c.command;
    }
    return FlashCommand::Unknown;
}

std::vector<std::string> SplitByComma(const std::string& text)
{
    std::vector<std::string> fields;
    size_t comma = text.find(',');
    if (comma == std::string::npos) {
        fields.push_back(text);
        return fields;
    }
    size_t start = 0;
    while (comma != std::string::npos) {
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
        comma = text.find(',', start);
    }
    if (start < text.size())
        fields.push_back(text.substr(start));
    return fields;
}

std::optional<PageRect> MoveWebRect(const std::string& args)
{
    std::vector<std::string> fields = SplitByComma(args);
    if (fields.size() < 4)
        return std::nullopt;
    // Widened so that extreme numbers wrap the way 32-bit arithmetic would, without overflow.
    const int64_t w = SettingToInt(fields[2]);
    const int64_t h = SettingToInt(fields[3]);
    auto wrap = [](int64_t v) { return static_cast<int>(static_cast<int32_t>(static_cast<uint32_t>(v))); };
    PageRect rc;
    rc.left = wrap(w - 225);
    rc.top = wrap(h - 240);
    rc.right = wrap(static_cast<int64_t>(rc.left) + w - 4);
    rc.bottom = wrap(static_cast<int64_t>(rc.top) + h - 4);
    return rc;
}

std::string WebUrlWithTime(const std::string& url, int64_t secondsSince1970)
{
    const int32_t low = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(secondsSince1970)));
    return url + "?" + std::to_string(low);
}

}  // namespace tavik
