// Turns a small text description of a movie into a movie file. One command a line; "#" and a
// space start a comment; words are separated by spaces, and "double quotes" keep spaces in a word. Sizes and
// positions are in pixels, colours #RRGGBB or #RRGGBBAA, frame numbers count from 1.
//
//   movie W H FPS [compressed]        always the first command
//   background #RRGGBB
//   bitmap ID FILE.png                (relative to the description's folder)
//   shape ID [v1|v2] ... end          styles and outlines of one shape (v1, v2: older tags):
//     solid #COLOR                    fill style; styles are numbered from 1 in order
//     bitmapfill BITMAP [clipped] [hard] [scale S] [at X Y]   fill style showing a bitmap
//     line WIDTH #COLOR               line style, numbered from 1
//     rect X Y W H [OPTIONS]          outlines; OPTIONS: fill N, hole N (filled outside it), line N
//     poly X Y X Y ... [OPTIONS]
//     circle CX CY R [OPTIONS]
//     path [OPTIONS] : M X Y L X Y Q CX CY X Y ...
//   button ID ... end
//     state up,over,down,hit CHAR [at X Y]
//     on release|press|over|out ACTIONS
//   sprite ID ... end                 a timeline of its own: place, move, remove, action, frame
//   place DEPTH CHAR [TRANSFORM]      TRANSFORM: at X Y, scale SX [SY], rotate DEG, alpha A,
//   move DEPTH [TRANSFORM]                       color MR MG MB (multipliers), add R G B
//   remove DEPTH
//   action ACTIONS                    ACTIONS, separated by ";": stop, play, goto N,
//   frame                                fscommand CMD [ARGS], fscommand2 CMD [ARGS] (pushed
//                                        and sent with GetURL2), geturl URL [TARGET]
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace moviemaker {

// Reads a file named in the description (relative names are the caller's business).
using FileReader = std::function<bool(const std::string& name, std::vector<uint8_t>& bytes)>;

// The movie file; false with "line N: reason" in error.
bool BuildMovie(const std::string& description, const FileReader& readFile, std::vector<uint8_t>& movie,
                std::string& error);

}  // namespace moviemaker
