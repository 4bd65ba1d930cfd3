// Writes movie files: the header, tags in either length form, and the bodies of the tags the
// stand-in player understands (shapes, lossless bitmaps, placements, buttons, sprites, actions).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standins/movieplayer/core/Shape.h"
#include "standins/movieplayer/core/SwfTypes.h"

namespace moviemaker {

using movieplayer::ColorTransform;
using movieplayer::FillStyle;
using movieplayer::LineStyle;
using movieplayer::Matrix;
using movieplayer::Rgba;
using Bytes = std::vector<uint8_t>;

class BitWriter {
public:
    void UB(uint32_t value, unsigned bits);
    void SB(int32_t value, unsigned bits) { UB(static_cast<uint32_t>(value), bits); }
    void Align();
    void U8(unsigned v);
    void U16(unsigned v);
    void U32(uint32_t v);
    void String(const std::string& s);
    void Append(const Bytes& b);
    void Rect(int32_t xMin, int32_t xMax, int32_t yMin, int32_t yMax);
    void WriteMatrix(const Matrix& m);
    void WriteCxform(const ColorTransform& cx, bool withAlpha);
    void Color(Rgba c, bool withAlpha);
    Bytes& Data() { Align(); return m_data; }

    // Bits a signed field needs to hold v.
    static unsigned SignedBits(int32_t v);
    static unsigned UnsignedBits(uint32_t v);

private:
    Bytes m_data;
    uint8_t m_acc = 0;
    unsigned m_used = 0;
};

// One path of a shape: where it starts, the styles on its two sides and its stroke, its edges.
struct PathEdge {
    bool curved = false;
    double cx = 0, cy = 0, x = 0, y = 0;  // twips, absolute
};
struct ShapePath {
    double startX = 0, startY = 0;
    uint32_t fill0 = 0, fill1 = 0, line = 0;
    std::vector<PathEdge> edges;
};
struct ShapeSpec {
    int version = 3;  // 1, 2 or 3: the DefineShape tag used
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<ShapePath> paths;
};

struct ButtonRecordSpec {
    uint8_t states = 0;  // up 1, over 2, down 4, hit 8
    uint16_t charId = 0;
    uint16_t depth = 1;
    Matrix matrix;
    ColorTransform cxform;
};
struct ButtonActionSpec {
    uint16_t conditions = 0;
    Bytes actions;  // encoded records, without the end marker
};

// Encoders of action records.
namespace act {
Bytes Play();
Bytes Stop();
Bytes GotoFrame(unsigned frame);  // 0-based
Bytes GetUrl(const std::string& url, const std::string& target);
Bytes PushString(const std::string& s);
Bytes PushNumber(double n);
Bytes GetUrl2();
}  // namespace act

class SwfWriter {
public:
    SwfWriter(double widthPx, double heightPx, double frameRate, int version = 8);

    void Tag(unsigned code, const Bytes& body, bool forceLong = false);
    void SetBackground(Rgba c);
    void DefineShape(uint16_t id, const ShapeSpec& shape);
    // rgba: straight colour, width * height * 4 bytes; stored as DefineBitsLossless2.
    void DefineBitmap(uint16_t id, int width, int height, const std::vector<uint8_t>& rgba);
    void DefineButton2(uint16_t id, const std::vector<ButtonRecordSpec>& records,
                       const std::vector<ButtonActionSpec>& actions);
    void DefineSprite(uint16_t id, const SwfWriter& frames);  // the control tags of another writer
    void Place(uint16_t depth, uint16_t charId, const Matrix& m, const ColorTransform* cx = nullptr);
    void Move(uint16_t depth, const Matrix& m, const ColorTransform* cx = nullptr);
    void Remove(uint16_t depth);
    void DoAction(const Bytes& actions);  // without the end marker
    void ShowFrame();

    // The whole file; compressed gives "CWS".
    Bytes Finish(bool compressed = false) const;
    const Bytes& TagBytes() const { return m_tags; }
    unsigned Frames() const { return m_frames; }

private:
    double m_width, m_height, m_rate;
    int m_version;
    unsigned m_frames = 0;
    Bytes m_tags;
};

}  // namespace moviemaker
