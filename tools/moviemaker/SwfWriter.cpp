// Movie file writer: bit-packed records, tag framing and zlib compression of the body.
#include "SwfWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <zlib.h>

namespace moviemaker {

void BitWriter::UB(uint32_t value, unsigned bits)
{
    for (unsigned i = bits; i-- > 0;) {
        m_acc = static_cast<uint8_t>((m_acc << 1) | ((value >> i) & 1u));
        if (++m_used == 8) {
            m_data.push_back(m_acc);
            m_acc = 0;
            m_used = 0;
        }
    }
}

void BitWriter::Align()
{
    if (m_used > 0) {
        m_data.push_back(static_cast<uint8_t>(m_acc << (8 - m_used)));
        m_acc = 0;
        m_used = 0;
    }
}

void BitWriter::U8(unsigned v) { Align(); m_data.push_back(static_cast<uint8_t>(v)); }
void BitWriter::U16(unsigned v) { U8(v & 0xFF); U8((v >> 8) & 0xFF); }
void BitWriter::U32(uint32_t v) { U16(v & 0xFFFF); U16(v >> 16); }

void BitWriter::String(const std::string& s)
{
    Align();
    m_data.insert(m_data.end(), s.begin(), s.end());
    m_data.push_back(0);
}

void BitWriter::Append(const Bytes& b)
{
    Align();
    m_data.insert(m_data.end(), b.begin(), b.end());
}

unsigned BitWriter::SignedBits(int32_t v)
{
    uint32_t u = v < 0 ? ~static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
    return UnsignedBits(u) + 1;
}

unsigned BitWriter::UnsignedBits(uint32_t v)
{
    unsigned n = 0;
    while (v) {
        ++n;
        v >>= 1;
    }
    return n;
}

void BitWriter::Rect(int32_t xMin, int32_t xMax, int32_t yMin, int32_t yMax)
{
    Align();
    unsigned n = 1;
    for (int32_t v : { xMin, xMax, yMin, yMax })
        n = std::max(n, SignedBits(v));
    UB(n, 5);
    SB(xMin, n), SB(xMax, n), SB(yMin, n), SB(yMax, n);
    Align();
}

void BitWriter::WriteMatrix(const Matrix& m)
{
    Align();
    auto fixed = [](double v) { return static_cast<int32_t>(std::lround(v * 65536)); };
    if (m.a != 1 || m.d != 1) {
        int32_t a = fixed(m.a), d = fixed(m.d);
        unsigned n = std::max(SignedBits(a), SignedBits(d));
        UB(1, 1);
        UB(n, 5);
        SB(a, n), SB(d, n);
    } else {
        UB(0, 1);
    }
    if (m.b != 0 || m.c != 0) {
        int32_t b = fixed(m.b), c = fixed(m.c);
        unsigned n = std::max(SignedBits(b), SignedBits(c));
        UB(1, 1);
        UB(n, 5);
        SB(b, n), SB(c, n);
    } else {
        UB(0, 1);
    }
    int32_t tx = static_cast<int32_t>(std::lround(m.tx)), ty = static_cast<int32_t>(std::lround(m.ty));
    unsigned n = (tx == 0 && ty == 0) ? 0 : std::max(SignedBits(tx), SignedBits(ty));
    UB(n, 5);
    SB(tx, n), SB(ty, n);
    Align();
}

void BitWriter::WriteCxform(const ColorTransform& cx, bool withAlpha)
{
    Align();
    auto mul = [](float v) { return static_cast<int32_t>(std::lround(v * 256)); };
    auto add = [](float v) { return static_cast<int32_t>(std::lround(v)); };
    int32_t m[4] = { mul(cx.mulR), mul(cx.mulG), mul(cx.mulB), mul(cx.mulA) };
    int32_t a[4] = { add(cx.addR), add(cx.addG), add(cx.addB), add(cx.addA) };
    int count = withAlpha ? 4 : 3;
    bool hasMul = false, hasAdd = false;
    unsigned n = 1;
    for (int i = 0; i < count; ++i) {
        hasMul |= m[i] != 256;
        hasAdd |= a[i] != 0;
    }
    for (int i = 0; i < count; ++i) {
        if (hasMul) n = std::max(n, SignedBits(m[i]));
        if (hasAdd) n = std::max(n, SignedBits(a[i]));
    }
    UB(hasAdd, 1);
    UB(hasMul, 1);
    UB(n, 4);
    if (hasMul)
        for (int i = 0; i < count; ++i) SB(m[i], n);
    if (hasAdd)
        for (int i = 0; i < count; ++i) SB(a[i], n);
    Align();
}

void BitWriter::Color(Rgba c, bool withAlpha)
{
    U8(c.r), U8(c.g), U8(c.b);
    if (withAlpha)
        U8(c.a);
}

namespace act {
namespace {
Bytes Long(unsigned code, const Bytes& body)
{
    Bytes b{ static_cast<uint8_t>(code), static_cast<uint8_t>(body.size() & 0xFF),
             static_cast<uint8_t>(body.size() >> 8) };
    b.insert(b.end(), body.begin(), body.end());
    return b;
}
}  // namespace

Bytes Play() { return { 0x06 }; }
Bytes Stop() { return { 0x07 }; }
Bytes GotoFrame(unsigned frame)
{
    return Long(0x81, { static_cast<uint8_t>(frame & 0xFF), static_cast<uint8_t>(frame >> 8) });
}
Bytes GetUrl(const std::string& url, const std::string& target)
{
    BitWriter w;
    w.String(url);
    w.String(target);
    return Long(0x83, w.Data());
}
Bytes PushString(const std::string& s)
{
    BitWriter w;
    w.U8(0);
    w.String(s);
    return Long(0x96, w.Data());
}
Bytes PushNumber(double n)
{
    BitWriter w;
    w.U8(6);
    uint64_t bits;
    std::memcpy(&bits, &n, sizeof bits);
    w.U32(static_cast<uint32_t>(bits >> 32));
    w.U32(static_cast<uint32_t>(bits));
    return Long(0x96, w.Data());
}
Bytes GetUrl2() { return Long(0x9A, { 0 }); }
}  // namespace act

SwfWriter::SwfWriter(double widthPx, double heightPx, double frameRate, int version)
    : m_width(widthPx), m_height(heightPx), m_rate(frameRate), m_version(version)
{
}

void SwfWriter::Tag(unsigned code, const Bytes& body, bool forceLong)
{
    BitWriter w;
    if (body.size() < 0x3F && !forceLong) {
        w.U16((code << 6) | static_cast<unsigned>(body.size()));
    } else {
        w.U16((code << 6) | 0x3F);
        w.U32(static_cast<uint32_t>(body.size()));
    }
    w.Append(body);
    Bytes& d = w.Data();
    m_tags.insert(m_tags.end(), d.begin(), d.end());
}

void SwfWriter::SetBackground(Rgba c)
{
    BitWriter w;
    w.Color(c, false);
    Tag(9, w.Data());
}

namespace {

void WriteFillStyles(BitWriter& w, const std::vector<FillStyle>& fills, int version)
{
    if (fills.size() >= 0xFF && version >= 2) {
        w.U8(0xFF);
        w.U16(static_cast<unsigned>(fills.size()));
    } else {
        w.U8(static_cast<unsigned>(fills.size()));
    }
    for (const FillStyle& f : fills) {
        switch (f.kind) {
        case FillStyle::Solid:
            w.U8(0);
            w.Color(f.color, version >= 3);
            break;
        case FillStyle::LinearGradient:
        case FillStyle::RadialGradient:
            w.U8(f.kind == FillStyle::LinearGradient ? 0x10 : 0x12);
            w.WriteMatrix(f.matrix);
            w.UB(0, 4);
            w.UB(static_cast<uint32_t>(f.stops.size()), 4);
            for (const auto& s : f.stops) {
                w.U8(s.ratio);
                w.Color(s.color, version >= 3);
            }
            break;
        case FillStyle::Bitmap:
            w.U8(0x40 + (f.repeat ? 0 : 1) + (f.smooth ? 0 : 2));
            w.U16(f.bitmapId);
            w.WriteMatrix(f.matrix);
            break;
        }
    }
}

void WriteLineStyles(BitWriter& w, const std::vector<LineStyle>& lines, int version)
{
    w.U8(static_cast<unsigned>(lines.size()));
    for (const LineStyle& l : lines) {
        w.U16(l.width);
        w.Color(l.color, version >= 3);
    }
}

int32_t Twip(double v) { return static_cast<int32_t>(std::lround(v)); }

unsigned UnsignedBitsAtLeast1(uint32_t v)
{
    return std::max(1u, BitWriter::UnsignedBits(v));
}

}  // namespace

void SwfWriter::DefineShape(uint16_t id, const ShapeSpec& s)
{
    BitWriter w;
    w.U16(id);
    // Bounds: every point, widened by the thickest stroke.
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    auto grow = [&](double x, double y) {
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    };
    for (const ShapePath& p : s.paths) {
        grow(p.startX, p.startY);
        for (const PathEdge& e : p.edges) {
            if (e.curved)
                grow(e.cx, e.cy);
            grow(e.x, e.y);
        }
    }
    if (x0 > x1)
        x0 = y0 = x1 = y1 = 0;
    double pad = 0;
    for (const LineStyle& l : s.lines)
        pad = std::max(pad, l.width / 2.0);
    w.Rect(Twip(x0 - pad), Twip(x1 + pad), Twip(y0 - pad), Twip(y1 + pad));
    WriteFillStyles(w, s.fills, s.version);
    WriteLineStyles(w, s.lines, s.version);
    unsigned fillBits = UnsignedBitsAtLeast1(static_cast<uint32_t>(s.fills.size()));
    unsigned lineBits = UnsignedBitsAtLeast1(static_cast<uint32_t>(s.lines.size()));
    w.UB(fillBits, 4);
    w.UB(lineBits, 4);
    for (const ShapePath& p : s.paths) {
        // Style change: move, both fills and the line, every time.
        int32_t mx = Twip(p.startX), my = Twip(p.startY);
        w.UB(0, 1);
        w.UB(0x0F, 5);
        unsigned n = std::max(BitWriter::SignedBits(mx), BitWriter::SignedBits(my));
        w.UB(n, 5);
        w.SB(mx, n), w.SB(my, n);
        w.UB(p.fill0, fillBits);
        w.UB(p.fill1, fillBits);
        w.UB(p.line, lineBits);
        int32_t x = mx, y = my;
        for (const PathEdge& e : p.edges) {
            w.UB(1, 1);
            if (!e.curved) {
                int32_t dx = Twip(e.x) - x, dy = Twip(e.y) - y;
                unsigned nb = std::max({ 2u, BitWriter::SignedBits(dx), BitWriter::SignedBits(dy) });
                w.UB(1, 1);
                w.UB(nb - 2, 4);
                if (dx != 0 && dy != 0) {
                    w.UB(1, 1);
                    w.SB(dx, nb), w.SB(dy, nb);
                } else {
                    w.UB(0, 1);
                    w.UB(dx == 0 ? 1 : 0, 1);
                    w.SB(dx == 0 ? dy : dx, nb);
                }
                x += dx, y += dy;
            } else {
                int32_t cdx = Twip(e.cx) - x, cdy = Twip(e.cy) - y;
                int32_t adx = Twip(e.x) - Twip(e.cx), ady = Twip(e.y) - Twip(e.cy);
                unsigned nb = std::max({ 2u, BitWriter::SignedBits(cdx), BitWriter::SignedBits(cdy),
                                         BitWriter::SignedBits(adx), BitWriter::SignedBits(ady) });
                w.UB(0, 1);
                w.UB(nb - 2, 4);
                w.SB(cdx, nb), w.SB(cdy, nb), w.SB(adx, nb), w.SB(ady, nb);
                x += cdx + adx, y += cdy + ady;
            }
        }
    }
    w.UB(0, 1);
    w.UB(0, 5);
    unsigned code = s.version == 1 ? 2 : s.version == 2 ? 22 : 32;
    Tag(code, w.Data());
}

void SwfWriter::DefineBitmap(uint16_t id, int width, int height, const std::vector<uint8_t>& rgba)
{
    Bytes raw;
    raw.reserve(size_t(width) * height * 4);
    for (size_t i = 0; i + 3 < rgba.size() && i < size_t(width) * height * 4; i += 4) {
        unsigned a = rgba[i + 3];
        raw.push_back(static_cast<uint8_t>(a));
        for (int k = 0; k < 3; ++k)
            raw.push_back(static_cast<uint8_t>((rgba[i + k] * a + 127) / 255));
    }
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(size);
    compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    packed.resize(size);
    BitWriter w;
    w.U16(id);
    w.U8(5);
    w.U16(static_cast<unsigned>(width));
    w.U16(static_cast<unsigned>(height));
    w.Append(packed);
    Tag(36, w.Data());
}

void SwfWriter::DefineButton2(uint16_t id, const std::vector<ButtonRecordSpec>& records,
                              const std::vector<ButtonActionSpec>& actions)
{
    BitWriter recs;
    for (const ButtonRecordSpec& r : records) {
        recs.U8(r.states & 0x0F);
        recs.U16(r.charId);
        recs.U16(r.depth);
        recs.WriteMatrix(r.matrix);
        recs.WriteCxform(r.cxform, true);
    }
    recs.U8(0);
    BitWriter w;
    w.U16(id);
    w.U8(0);
    const Bytes& rb = recs.Data();
    w.U16(actions.empty() ? 0 : static_cast<unsigned>(rb.size() + 2));
    w.Append(rb);
    for (size_t i = 0; i < actions.size(); ++i) {
        const Bytes& a = actions[i].actions;
        bool last = i + 1 == actions.size();
        w.U16(last ? 0 : static_cast<unsigned>(a.size() + 5));
        w.U16(actions[i].conditions);
        w.Append(a);
        w.U8(0);
    }
    Tag(34, w.Data());
}

void SwfWriter::DefineSprite(uint16_t id, const SwfWriter& frames)
{
    BitWriter w;
    w.U16(id);
    w.U16(frames.Frames());
    w.Append(frames.TagBytes());
    w.U16(0);  // end
    Tag(39, w.Data());
}

void SwfWriter::Place(uint16_t depth, uint16_t charId, const Matrix& m, const ColorTransform* cx)
{
    BitWriter w;
    w.U8(0x02 | 0x04 | (cx ? 0x08 : 0));
    w.U16(depth);
    w.U16(charId);
    w.WriteMatrix(m);
    if (cx)
        w.WriteCxform(*cx, true);
    Tag(26, w.Data());
}

void SwfWriter::Move(uint16_t depth, const Matrix& m, const ColorTransform* cx)
{
    BitWriter w;
    w.U8(0x01 | 0x04 | (cx ? 0x08 : 0));
    w.U16(depth);
    w.WriteMatrix(m);
    if (cx)
        w.WriteCxform(*cx, true);
    Tag(26, w.Data());
}

void SwfWriter::Remove(uint16_t depth)
{
    BitWriter w;
    w.U16(depth);
    Tag(28, w.Data());
}

void SwfWriter::DoAction(const Bytes& actions)
{
    Bytes b = actions;
    b.push_back(0);
    Tag(12, b);
}

void SwfWriter::ShowFrame()
{
    Tag(1, {});
    ++m_frames;
}

Bytes SwfWriter::Finish(bool compressed) const
{
    BitWriter body;
    body.Rect(0, static_cast<int32_t>(std::lround(m_width * 20)), 0,
              static_cast<int32_t>(std::lround(m_height * 20)));
    body.U16(static_cast<unsigned>(std::lround(m_rate * 256)) & 0xFFFF);
    body.U16(m_frames);
    body.Append(m_tags);
    body.U16(0);  // end
    Bytes b = body.Data();
    uint32_t length = static_cast<uint32_t>(b.size() + 8);
    Bytes out{ static_cast<uint8_t>(compressed ? 'C' : 'F'), 'W', 'S', static_cast<uint8_t>(m_version),
               static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
               static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24) };
    if (!compressed) {
        out.insert(out.end(), b.begin(), b.end());
        return out;
    }
    uLongf size = compressBound(static_cast<uLong>(b.size()));
    Bytes packed(size);
    compress2(packed.data(), &size, b.data(), static_cast<uLong>(b.size()), 9);
    out.insert(out.end(), packed.begin(), packed.begin() + size);
    return out;
}

}  // namespace moviemaker
