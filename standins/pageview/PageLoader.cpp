// Loads a page and its images on a worker thread.
#include "PageLoader.h"

#include <memory>
#include <new>

#include "HttpFetch.h"
#include "TextConvert.h"
#include "core/HtmlReader.h"
#include "core/HttpMessage.h"
#include "core/PageAddress.h"

namespace pageview {

namespace {

const size_t kMaxFileBytes = 16 * 1024 * 1024;
const size_t kMaxImages = 64;
const int kMaxRedirects = 5;

bool ReadLocalFile(const std::string& path, std::string& bytes)
{
    const std::wstring widePath = Utf8ToWide(path);
    HANDLE file = ::CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= kMaxFileBytes;
    if (ok) {
        std::string data(static_cast<size_t>(size.QuadPart), '\0');
        DWORD read = 0;
        ok = data.empty() || (::ReadFile(file, &data[0], static_cast<DWORD>(data.size()), &read, nullptr) && read == data.size());
        if (ok)
            bytes.swap(data);
    }
    ::CloseHandle(file);
    return ok;
}

std::string EscapeHtml(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string CannotShowPage(const std::string& address)
{
    return "<html><head><meta charset=\"utf-8\"><title>\xE6\x97\xA0\xE6\xB3\x95\xE6\x98\xBE\xE7\xA4\xBA\xE7\xBD\x91\xE9\xA1\xB5"
           "</title></head><body><h2>\xE6\x97\xA0\xE6\xB3\x95\xE6\x98\xBE\xE7\xA4\xBA\xE7\xBD\x91\xE9\xA1\xB5</h2><p>" +
           EscapeHtml(address) + "</p></body></html>";
}

struct LoadJob {
    HWND window;
    UINT message;
    unsigned generation;
    std::string address;
    HMODULE module;
};

DWORD WINAPI LoaderThread(void* parameter)
{
    std::unique_ptr<LoadJob> job(static_cast<LoadJob*>(parameter));
    HMODULE module = job->module;
    std::unique_ptr<LoadedPage> page(new (std::nothrow) LoadedPage());
    if (page) {
        page->generation = job->generation;
        page->address = job->address;
        std::string bytes;
        page->found = FetchAddress(job->address, bytes, page->address);
        if (!page->found)
            bytes = CannotShowPage(job->address);
        page->document = ReadHtml(bytes);
        const std::vector<Image>& images = page->document.images;
        page->images.resize(images.size());
        for (size_t i = 0; i < images.size() && i < kMaxImages; ++i) {
            if (images[i].src.empty())
                continue;
            std::string src = page->document.charset == Charset::Utf8 ? images[i].src : WideToUtf8(PageTextToWide(images[i].src, Charset::Ansi));
            std::string where;
            if (!FetchAddress(ResolveAddress(page->address, src), page->images[i], where))
                page->images[i].clear();
        }
        if (::PostMessageW(job->window, job->message, 0, reinterpret_cast<LPARAM>(page.get())))
            page.release();
    }
    job.reset();
    ::FreeLibraryAndExitThread(module, 0);
    return 0;
}

}  // namespace

bool FetchAddress(const std::string& address, std::string& bytes, std::string& finalAddress)
{
    std::string current = CanonicalAddress(address);
    for (int redirects = 0; redirects <= kMaxRedirects; ++redirects) {
        const std::string scheme = SchemeOf(current);
        if (scheme == "file") {
            std::string path;
            if (!FileUrlToPath(current, path) || !ReadLocalFile(path, bytes))
                return false;
            finalAddress = current;
            return true;
        }
        HttpTarget target;
        if (scheme != "http" || !ParseHttpUrl(current, target))
            return false;
        std::string raw;
        HttpResponse response;
        if (!HttpGetRaw(target, raw) || !ParseHttpResponse(raw, response))
            return false;
        if (response.status >= 300 && response.status < 400 && !response.location.empty()) {
            current = ResolveAddress(current, response.location);
            continue;
        }
        bytes.swap(response.body);
        finalAddress = current;
        return true;
    }
    return false;
}

bool StartPageLoad(HWND window, UINT message, unsigned generation, const std::string& address)
{
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&StartPageLoad), &module))
        return false;
    LoadJob* job = new (std::nothrow) LoadJob{ window, message, generation, address, module };
    HANDLE thread = job ? ::CreateThread(nullptr, 0, LoaderThread, job, 0, nullptr) : nullptr;
    if (!thread) {
        delete job;
        ::FreeLibrary(module);
        return false;
    }
    // The thread holds the module itself and frees it as it ends.
    ::CloseHandle(thread);
    return true;
}

}  // namespace pageview
