// moviemaker: writes a movie file from a text description.
//   moviemaker DESCRIPTION.txt OUTPUT.swf
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "Description.h"

namespace {

bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream f(path, std::ios::binary);
    if (!f)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: moviemaker DESCRIPTION.txt OUTPUT.swf\n");
        return 2;
    }
    std::vector<uint8_t> text;
    if (!ReadAll(argv[1], text)) {
        std::fprintf(stderr, "moviemaker: cannot read %s\n", argv[1]);
        return 1;
    }
    // Files named in the description are found beside it.
    std::string input = argv[1];
    size_t slash = input.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : input.substr(0, slash + 1);
    auto readFile = [&folder](const std::string& name, std::vector<uint8_t>& bytes) {
        return ReadAll(!name.empty() && name[0] == '/' ? name : folder + name, bytes);
    };
    std::vector<uint8_t> movie;
    std::string error;
    if (!moviemaker::BuildMovie(std::string(text.begin(), text.end()), readFile, movie, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(movie.data()), static_cast<std::streamsize>(movie.size()));
    if (!out) {
        std::fprintf(stderr, "moviemaker: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
