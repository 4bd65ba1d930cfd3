// A top-level window of the view's own, for links that ask for a new window when the host lets
// the view open one.
#pragma once

#include <string>

namespace pageview {

void OpenPopupPage(const std::string& address);  // UTF-8
void UnregisterPopupPageClass();

}  // namespace pageview
