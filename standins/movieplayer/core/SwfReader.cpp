// Movie file reader: decompression, header, tag stream, and the tags of the supported subset.
#include "SwfReader.h"

#include "Inflate.h"

#include "BitReader.h"

namespace movieplayer {
namespace {

enum TagCode {
    kEnd = 0, kShowFrame = 1, kDefineShape = 2, kPlaceObject = 4, kRemoveObject = 5,
    kDefineButton = 7, kSetBackgroundColor = 9, kDoAction = 12, kDefineBitsLossless = 20,
    kDefineShape2 = 22, kPlaceObject2 = 26, kRemoveObject2 = 28, kDefineShape3 = 32,
    kDefineButton2 = 34, kDefineBitsLossless2 = 36, kDefineSprite = 39, kFrameLabel = 43,
};

bool ReadPlaceObject2(BitReader& in, PlaceTag& p)
{
    unsigned flags = in.U8();
    p.depth = in.U16();
    p.move = (flags & 0x01) != 0;
    if (flags & 0x02) {
        p.hasChar = true;
        p.charId = in.U16();
    }
    if (flags & 0x04) {
        p.hasMatrix = true;
        p.matrix = in.ReadMatrix();
    }
    if (flags & 0x08) {
        p.hasCxform = true;
        p.cxform = in.ReadCxform(true);
    }
    if (flags & 0x10)
        in.U16();  // morph ratio
    if (flags & 0x20)
        in.String();  // instance name
    if (flags & 0x40) {
        in.U16();
        p.isClip = true;
    }
    // Clip actions follow; they belong to newer scripting and are not run.
    return in.Ok();
}

bool ReadButtonRecords(BitReader& in, bool withCxform, ButtonDef& b)
{
    for (;;) {
        unsigned flags = in.U8();
        if (!in.Ok())
            return false;
        if (flags == 0)
            return true;
        ButtonRecord r;
        r.states = static_cast<uint8_t>(flags & 0x0F);
        r.charId = in.U16();
        r.depth = in.U16();
        r.matrix = in.ReadMatrix();
        if (withCxform)
            r.cxform = in.ReadCxform(true);
        if (flags & 0x10) {  // filter list: skipped only when empty, we do not draw filters
            if (in.U8() != 0)
                return false;
        }
        if (flags & 0x20)
            in.U8();  // blend mode
        if (!in.Ok())
            return false;
        b.records.push_back(r);
    }
}

bool ReadButton2(BitReader& in, ButtonDef& b)
{
    b.trackAsMenu = (in.U8() & 1) != 0;
    size_t actionOffset = in.U16();
    size_t recordsStart = in.Pos();
    if (!ReadButtonRecords(in, true, b))
        return false;
    if (actionOffset == 0)
        return true;
    // The offset counts from its own field, two bytes before the records.
    size_t pos = recordsStart - 2 + actionOffset;
    if (pos < in.Pos() || pos > in.Size())
        return false;
    in.Skip(pos - in.Pos());
    for (;;) {
        size_t start = in.Pos();
        size_t size = in.U16();
        uint16_t cond = in.U16();
        if (!in.Ok())
            return false;
        size_t end = size == 0 ? in.Size() : start + size;
        if (end < in.Pos() || end > in.Size())
            return false;
        ButtonCondAction ca;
        ca.conditions = static_cast<uint16_t>(cond & 0x01FF);
        if (!DecodeActions(in.Here(), end - in.Pos(), ca.actions))
            return false;
        b.actions.push_back(std::move(ca));
        in.Skip(end - in.Pos());
        if (size == 0)
            return true;
    }
}

bool ReadButton1(BitReader& in, ButtonDef& b)
{
    if (!ReadButtonRecords(in, false, b))
        return false;
    ButtonCondAction ca;
    ca.conditions = kOverDownToOverUp;
    if (!DecodeActions(in.Here(), in.Remaining(), ca.actions))
        return false;
    b.actions.push_back(std::move(ca));
    return true;
}

class TagStreamReader {
public:
    explicit TagStreamReader(Movie& movie) : m_movie(movie) {}

    // Reads tags into timeline until End or the end of the data; sprites may not nest.
    bool Read(BitReader& in, TimelineDef& timeline, bool inSprite)
    {
        FrameDef frame;
        while (in.Remaining() > 0) {
            TagHeader h;
            if (!ReadTagHeader(in, h) || h.length > in.Remaining())
                return false;
            BitReader body(in.Here(), h.length);
            in.Skip(h.length);
            if (h.code == kEnd)
                break;
            if (!ReadTag(h.code, body, timeline, frame, inSprite) || !body.Ok())
                return false;
        }
        // Tags after the last shown frame still make a frame.
        if (!frame.tags.empty() || !frame.actions.empty() || timeline.frames.empty())
            timeline.frames.push_back(std::move(frame));
        return true;
    }

private:
    bool ReadTag(unsigned code, BitReader& body, TimelineDef& timeline, FrameDef& frame,
                 bool inSprite)
    {
        switch (code) {
        case kShowFrame:
            timeline.frames.push_back(std::move(frame));
            frame = FrameDef();
            return true;
        case kPlaceObject: {
            PlaceTag p;
            p.hasChar = true;
            p.charId = body.U16();
            p.depth = body.U16();
            p.hasMatrix = true;
            p.matrix = body.ReadMatrix();
            if (body.Remaining() > 0) {
                p.hasCxform = true;
                p.cxform = body.ReadCxform(false);
            }
            frame.tags.push_back(p);
            return true;
        }
        case kPlaceObject2: {
            PlaceTag p;
            if (!ReadPlaceObject2(body, p))
                return false;
            frame.tags.push_back(p);
            return true;
        }
        case kRemoveObject:
        case kRemoveObject2: {
            PlaceTag p;
            p.remove = true;
            if (code == kRemoveObject)
                body.U16();
            p.depth = body.U16();
            frame.tags.push_back(p);
            return true;
        }
        case kDoAction: {
            ActionList list;
            if (!DecodeActions(body.Here(), body.Remaining(), list))
                return false;
            frame.actions.push_back(std::move(list));
            return true;
        }
        case kFrameLabel:
            frame.label = body.String();
            return true;
        default:
            break;
        }
        if (inSprite)
            return true;  // definitions have no place inside a sprite; skipped
        switch (code) {
        case kSetBackgroundColor:
            m_movie.background = body.Rgb();
            m_movie.hasBackground = true;
            return true;
        case kDefineShape:
        case kDefineShape2:
        case kDefineShape3: {
            uint16_t id = body.U16();
            auto shape = std::make_shared<ShapeDef>();
            int version = code == kDefineShape ? 1 : code == kDefineShape2 ? 2 : 3;
            if (!DecodeShape(body, version, *shape))
                return false;
            Character c;
            c.kind = Character::Shape;
            c.shape = shape;
            Define(id, c);
            return true;
        }
        case kDefineBitsLossless:
        case kDefineBitsLossless2: {
            uint16_t id = body.U16();
            auto bitmap = std::make_shared<BitmapDef>();
            if (!DecodeLosslessBitmap(body, code == kDefineBitsLossless2, *bitmap))
                return false;
            Character c;
            c.kind = Character::Bitmap;
            c.bitmap = bitmap;
            Define(id, c);
            return true;
        }
        case kDefineButton:
        case kDefineButton2: {
            uint16_t id = body.U16();
            auto button = std::make_shared<ButtonDef>();
            bool ok = code == kDefineButton ? ReadButton1(body, *button) : ReadButton2(body, *button);
            if (!ok)
                return false;
            Character c;
            c.kind = Character::Button;
            c.button = button;
            Define(id, c);
            return true;
        }
        case kDefineSprite: {
            uint16_t id = body.U16();
            body.U16();  // frame count; the frames shown are what counts
            auto sprite = std::make_shared<TimelineDef>();
            BitReader inner(body.Here(), body.Remaining());
            if (!body.Ok() || !Read(inner, *sprite, true))
                return false;
            body.Skip(body.Remaining());
            Character c;
            c.kind = Character::Sprite;
            c.sprite = sprite;
            Define(id, c);
            return true;
        }
        default:
            return true;  // tags we do not play are skipped
        }
    }

    // The first definition of an id wins; a later one cannot change what is on stage.
    void Define(uint16_t id, const Character& c) { m_movie.characters.emplace(id, c); }

    Movie& m_movie;
};

}  // namespace

bool ReadTagHeader(BitReader& in, TagHeader& out)
{
    uint16_t codeAndLength = in.U16();
    out.code = codeAndLength >> 6;
    out.length = codeAndLength & 0x3F;
    if (out.length == 0x3F)
        out.length = in.U32();
    return in.Ok();
}

bool ReadMovie(const uint8_t* data, size_t size, Movie& out)
{
    out = Movie();
    if (data == nullptr || size < 8)
        return false;
    bool compressed = data[0] == 'C';
    if ((data[0] != 'F' && data[0] != 'C') || data[1] != 'W' || data[2] != 'S')
        return false;
    uint32_t fileLength = data[4] | (data[5] << 8) | (data[6] << 16) | (uint32_t(data[7]) << 24);
    if (fileLength < 8 || fileLength > kMaxMovieBytes)
        return false;

    std::vector<uint8_t> body;
    const uint8_t* bodyData;
    size_t bodySize = fileLength - 8;
    if (compressed) {
        if (!InflateExactly(data + 8, size - 8, body, bodySize))
            return false;
        bodyData = body.data();
    } else {
        if (size < fileLength)
            return false;  // truncated, or a header that lies about the length
        bodyData = data + 8;
    }

    Movie movie;
    movie.version = data[3];
    BitReader in(bodyData, bodySize);
    movie.stage = in.Rect();
    movie.frameRate = in.U16() / 256.0;
    movie.headerFrameCount = in.U16();
    if (!in.Ok() || movie.stage.xMax <= movie.stage.xMin || movie.stage.yMax <= movie.stage.yMin)
        return false;
    if (!(movie.frameRate > 0))
        movie.frameRate = 12;  // a zero rate plays as the authoring tools' default
    TagStreamReader reader(movie);
    if (!reader.Read(in, movie.root, false))
        return false;
    out = std::move(movie);
    return true;
}

}  // namespace movieplayer
