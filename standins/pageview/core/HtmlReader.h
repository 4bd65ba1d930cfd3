// Reads an HTML page into an HtmlDocument. Any bytes are accepted: unknown tags are passed over,
// unclosed constructs end with the input, and nothing is read past the end.
#pragma once

#include <string>

#include "HtmlDocument.h"

namespace pageview {

// The page's character set: a byte-order mark or a declared charset decides, otherwise UTF-8 when
// the bytes are valid UTF-8 and the ANSI code page when they are not.
Charset DetectCharset(const std::string& bytes);

HtmlDocument ReadHtml(const std::string& bytes);

// Whether a script element holds something to run. The view runs no scripts, so such a script
// is a script error; blank scripts and data blocks (other types) are not.
bool ScriptNeedsEngine(const Script& script);

}  // namespace pageview
