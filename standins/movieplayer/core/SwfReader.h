// Reads a whole movie file ("FWS", or "CWS" compressed with zlib) into a Movie.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Movie.h"

namespace movieplayer {

// Largest uncompressed movie accepted.
constexpr uint32_t kMaxMovieBytes = 64u * 1024 * 1024;

// False, with out left empty, for anything that is not a well-formed movie.
bool ReadMovie(const uint8_t* data, size_t size, Movie& out);

// One tag header, in either the short or the long form.
struct TagHeader {
    unsigned code = 0;
    uint32_t length = 0;
};
bool ReadTagHeader(class BitReader& in, TagHeader& out);

}  // namespace movieplayer
