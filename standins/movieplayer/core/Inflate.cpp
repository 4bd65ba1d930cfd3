// zlib inflation to a known size.
#include "Inflate.h"

#include <zlib.h>

namespace movieplayer {

bool InflateExactly(const uint8_t* src, size_t srcSize, std::vector<uint8_t>& out, size_t expected)
{
    out.assign(expected, 0);
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return false;
    zs.next_in = const_cast<Bytef*>(src);
    zs.avail_in = static_cast<uInt>(srcSize);
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(expected);
    int rc = Z_OK;
    while (zs.avail_out > 0 && rc == Z_OK)
        rc = inflate(&zs, Z_NO_FLUSH);
    bool ok = zs.avail_out == 0;
    inflateEnd(&zs);
    return ok;
}

}  // namespace movieplayer
