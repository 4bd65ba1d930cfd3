// The login movie's command protocol: command names, the comma-separated fields of "moveweb",
// the page rectangle it asks for, and the address "weburl" navigates to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavik {

enum class FlashCommand { Close, MoveWeb, HomepageUrl, CoinUrl, BbsUrl, CustomerUrl, OpenWeb, WebUrl, Min, Unknown };

// The command a name stands for, matched without regard to ASCII letter case in the order
// close, moveweb, homepageURL, coinURL, bbsURL, customerURL, openweb, weburl, min. A null or
// unknown name is Unknown.
FlashCommand MatchFlashCommand(const char* name);

// Splits text at every comma. No comma: the whole text is the one field (even when empty).
// Otherwise each comma ends a field (which may be empty); what follows the last comma is a
// last field only when it is not empty.
std::vector<std::string> SplitByComma(const std::string& text);

struct PageRect {
    int left, top, right, bottom;
};

// The page rectangle "moveweb" asks for, in the main window's client coordinates: from the
// third (W) and fourth (H) fields, left = W - 225, top = H - 240, W - 4 wide and H - 4 high.
// Fewer than four fields: no rectangle (the command is ignored).
std::optional<PageRect> MoveWebRect(const std::string& args);

// The page address of "weburl": the argument, "?", and the low 32 bits of the time in seconds
// as a signed decimal number; the "?" is added even when the argument has a query already.
std::string WebUrlWithTime(const std::string& url, int64_t secondsSince1970);

}  // namespace tavik
