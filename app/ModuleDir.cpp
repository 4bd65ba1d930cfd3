// Module folder computation from the executable's path.
#include "app/ModuleDir.h"

namespace tavik {

bool IsGbkLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

namespace {
// Byte offsets where characters start; double-byte characters count once.
template <typename Fn>
void ForEachChar(const std::string& text, LeadBytePredicate isLeadByte, Fn fn)
{
    for (size_t i = 0; i < text.size();) {
        size_t len = (isLeadByte && isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
        fn(i, len);
        i += len;
    }
}
}  // namespace

bool EndsWithBackslash(const std::string& text, LeadBytePredicate isLeadByte)
{
    bool last = false;
    ForEachChar(text, isLeadByte, [&](size_t i, size_t len) { last = (len == 1 && (text[i] == '\\' || text[i] == '/')); });
    return last;
}

std::string ModuleDirFromPath(const std::string& exePath, LeadBytePredicate isLeadByte)
{
    // Everything up to and including the last separator; "C:name" keeps its drive.
    size_t end = 0;
    ForEachChar(exePath, isLeadByte, [&](size_t i, size_t len) {
        if (len == 1 && (exePath[i] == '\\' || exePath[i] == '/'))
            end = i + 1;
    });
    if (end == 0 && exePath.size() >= 2 && exePath[1] == ':')
        end = 2;
    std::string dir = exePath.substr(0, end);
    if (!EndsWithBackslash(dir, isLeadByte))
        dir += '\\';
    return dir;
}

}  // namespace tavik
