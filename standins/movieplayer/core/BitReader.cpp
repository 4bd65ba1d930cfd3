// Bounds-checked reader of the movie format's fields.
#include "BitReader.h"

#include <cstring>

namespace movieplayer {

uint8_t BitReader::U8()
{
    m_bitCount = 0;
    if (m_pos >= m_size) {
        m_failed = true;
        return 0;
    }
    return m_data[m_pos++];
}

uint16_t BitReader::U16()
{
    uint16_t lo = U8();
    return static_cast<uint16_t>(lo | (U8() << 8));
}

uint32_t BitReader::U32()
{
    uint32_t lo = U16();
    return lo | (static_cast<uint32_t>(U16()) << 16);
}

float BitReader::Float()
{
    uint32_t bits = U32();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

double BitReader::Double()
{
    // Stored as two little-endian words, the high word first.
    uint64_t hi = U32();
    uint64_t lo = U32();
    uint64_t bits = (hi << 32) | lo;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

bool BitReader::Skip(size_t n)
{
    m_bitCount = 0;
    if (n > Remaining()) {
        m_pos = m_size;
        m_failed = true;
        return false;
    }
    m_pos += n;
    return true;
}

std::string BitReader::String()
{
    m_bitCount = 0;
    size_t start = m_pos;
    while (m_pos < m_size && m_data[m_pos] != 0)
        ++m_pos;
    if (m_pos >= m_size) {
        m_failed = true;
        return std::string();
    }
    std::string s(reinterpret_cast<const char*>(m_data + start), m_pos - start);
    ++m_pos;
    return s;
}

uint32_t BitReader::UB(unsigned bits)
{
    uint32_t v = 0;
    for (unsigned i = 0; i < bits; ++i) {
        if (m_bitCount == 0) {
            if (m_pos >= m_size) {
                m_failed = true;
                return 0;
            }
            m_bitBuf = m_data[m_pos++];
            m_bitCount = 8;
        }
        --m_bitCount;
        v = (v << 1) | ((m_bitBuf >> m_bitCount) & 1u);
    }
    return v;
}

int32_t BitReader::SB(unsigned bits)
{
    if (bits == 0)
        return 0;
    if (bits > 32) {  // no field of the format is wider; a longer one is a broken file
        m_failed = true;
        return 0;
    }
    uint32_t v = UB(bits);
    if (bits < 32 && (v & (1u << (bits - 1))))
        v |= ~0u << bits;
    return static_cast<int32_t>(v);
}

TwipRect BitReader::Rect()
{
    Align();
    unsigned n = UB(5);
    TwipRect r;
    r.xMin = SB(n);
    r.xMax = SB(n);
    r.yMin = SB(n);
    r.yMax = SB(n);
    Align();
    return r;
}

Matrix BitReader::ReadMatrix()
{
    Align();
    Matrix m;
    if (UB(1)) {
        unsigned n = UB(5);
        m.a = FB(n);
        m.d = FB(n);
    }
    if (UB(1)) {
        unsigned n = UB(5);
        m.b = FB(n);
        m.c = FB(n);
    }
    unsigned n = UB(5);
    m.tx = SB(n);
    m.ty = SB(n);
    Align();
    return m;
}

ColorTransform BitReader::ReadCxform(bool withAlpha)
{
    Align();
    ColorTransform cx;
    bool hasAdd = UB(1) != 0;
    bool hasMul = UB(1) != 0;
    unsigned n = UB(4);
    if (hasMul) {
        cx.mulR = SB(n) / 256.0f;
        cx.mulG = SB(n) / 256.0f;
        cx.mulB = SB(n) / 256.0f;
        if (withAlpha)
            cx.mulA = SB(n) / 256.0f;
    }
    if (hasAdd) {
        cx.addR = static_cast<float>(SB(n));
        cx.addG = static_cast<float>(SB(n));
        cx.addB = static_cast<float>(SB(n));
        if (withAlpha)
            cx.addA = static_cast<float>(SB(n));
    }
    Align();
    return cx;
}

Rgba BitReader::Rgb()
{
    Rgba c;
    c.r = U8();
    c.g = U8();
    c.b = U8();
    c.a = 255;
    return c;
}

Rgba BitReader::RgbaColor()
{
    Rgba c = Rgb();
    c.a = U8();
    return c;
}

}  // namespace movieplayer
