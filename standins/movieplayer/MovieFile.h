// Reading a movie named by a path or a file: URL into memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace movieplayer {

// The local path a movie address names: a "file:" URL decoded, anything else as given.
std::wstring MoviePathFromUrl(const std::wstring& url);

// S_OK with the file's bytes; an error for a missing, unreadable, empty or oversized file.
HRESULT ReadMovieFile(const std::wstring& url, std::vector<uint8_t>& bytes);

}  // namespace movieplayer
