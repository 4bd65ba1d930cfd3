// libFuzzer target for the page view's reader: any bytes as a page, then layout, link
// resolution and hit testing; also the same bytes as an address and as an HTTP response.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "standins/pageview/core/HtmlReader.h"
#include "standins/pageview/core/HttpMessage.h"
#include "standins/pageview/core/PageAddress.h"
#include "standins/pageview/core/PageLayout.h"

namespace {

class ByteMeasure : public pageview::TextMeasure {
public:
    int TextWidth(const std::string& text, int font) override { return static_cast<int>(text.size()) * (6 + font % 5); }
    int LineHeight(int font) override { return 14 + pageview::FontHeading(font) * 3; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    pageview::HtmlDocument doc = pageview::ReadHtml(bytes);
    for (const pageview::Script& script : doc.scripts)
        pageview::ScriptNeedsEngine(script);

    std::vector<pageview::Size> sizes;
    for (size_t i = 0; i < doc.images.size(); ++i)
        sizes.push_back({ static_cast<int>(i % 300), static_cast<int>(i % 7) * 40 });
    ByteMeasure measure;
    const int width = size ? data[0] * 4 - 100 : 300;
    pageview::PageLayout layout = pageview::LayOutPage(doc, width, size > 1 ? data[1] : 0, measure, sizes);
    for (const pageview::Box& box : layout.boxes) {
        int link = pageview::LinkAt(layout, box.x, box.y);
        if (link >= static_cast<int>(doc.links.size()))
            __builtin_trap();
    }
    for (const pageview::Link& link : doc.links) {
        std::string resolved = pageview::ResolveAddress("http://host:81/dir/page.html?q", link.href);
        pageview::ResolveAddress("file:///C:/site/index.html", link.href);
        pageview::HttpTarget target;
        pageview::ParseHttpUrl(resolved, target);
    }

    std::string path;
    pageview::FileUrlToPath(bytes, path);
    pageview::HttpTarget target;
    if (pageview::ParseHttpUrl(bytes, target))
        pageview::BuildHttpRequest(target);
    pageview::HttpResponse response;
    pageview::ParseHttpResponse(bytes, response);
    return 0;
}
