// Reads the little-endian bytes and big-endian bit fields of the movie format. Every read is
// bounds-checked: reading past the end yields zeros and marks the reader as failed, so callers
// check Ok() once after a record instead of after each field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "SwfTypes.h"

namespace movieplayer {

class BitReader {
public:
    BitReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Ok() const { return !m_failed; }
    void Fail() { m_failed = true; }
    size_t Pos() const { return m_pos; }
    size_t Size() const { return m_size; }
    size_t Remaining() const { return m_pos < m_size ? m_size - m_pos : 0; }
    const uint8_t* Here() const { return m_data + m_pos; }

    void Align() { m_bitCount = 0; }
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t S16() { return static_cast<int16_t>(U16()); }
    double Double();  // the action format's word-swapped double
    float Float();
    bool Skip(size_t n);
    // A NUL-terminated string; fails when no terminator is left.
    std::string String();

    uint32_t UB(unsigned bits);
    int32_t SB(unsigned bits);
    double FB(unsigned bits) { return SB(bits) / 65536.0; }

    TwipRect Rect();
    Matrix ReadMatrix();
    ColorTransform ReadCxform(bool withAlpha);
    Rgba Rgb();
    Rgba RgbaColor();

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
    uint8_t m_bitBuf = 0;
    unsigned m_bitCount = 0;
    bool m_failed = false;
};

}  // namespace movieplayer
