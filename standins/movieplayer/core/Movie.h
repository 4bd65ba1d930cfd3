// A loaded movie: header, character dictionary and the root timeline's frames.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Actions.h"
#include "Bitmap.h"
#include "Shape.h"
#include "SwfTypes.h"

namespace movieplayer {

// One PlaceObject/PlaceObject2 or RemoveObject/RemoveObject2 of a frame.
struct PlaceTag {
    bool remove = false;
    uint16_t depth = 0;
    bool move = false;  // modifies what is at the depth instead of placing anew
    bool hasChar = false;
    uint16_t charId = 0;
    bool hasMatrix = false;
    Matrix matrix;
    bool hasCxform = false;
    ColorTransform cxform;
    bool isClip = false;  // a mask layer: not drawn, masks are not supported
};

struct FrameDef {
    std::vector<PlaceTag> tags;
    std::vector<ActionList> actions;
    std::string label;
};

struct TimelineDef {
    std::vector<FrameDef> frames;
};

// Button transition conditions, bit for bit as stored.
enum ButtonCondition : uint16_t {
    kIdleToOverUp = 1 << 0,
    kOverUpToIdle = 1 << 1,
    kOverUpToOverDown = 1 << 2,
    kOverDownToOverUp = 1 << 3,
    kOverDownToOutDown = 1 << 4,
    kOutDownToOverDown = 1 << 5,
    kOutDownToIdle = 1 << 6,
    kIdleToOverDown = 1 << 7,
    kOverDownToIdle = 1 << 8,
};

enum ButtonStateBit : uint8_t { kStateUp = 1, kStateOver = 2, kStateDown = 4, kStateHit = 8 };

struct ButtonRecord {
    uint8_t states = 0;  // ButtonStateBit mask
    uint16_t charId = 0;
    uint16_t depth = 0;
    Matrix matrix;
    ColorTransform cxform;
};

struct ButtonCondAction {
    uint16_t conditions = 0;
    ActionList actions;
};

struct ButtonDef {
    bool trackAsMenu = false;
    std::vector<ButtonRecord> records;
    std::vector<ButtonCondAction> actions;
};

struct Character {
    enum Kind { Shape, Bitmap, Button, Sprite };
    Kind kind = Shape;
    std::shared_ptr<ShapeDef> shape;
    std::shared_ptr<BitmapDef> bitmap;
    std::shared_ptr<ButtonDef> button;
    std::shared_ptr<TimelineDef> sprite;
};

struct Movie {
    int version = 0;
    TwipRect stage;
    double frameRate = 12;
    int headerFrameCount = 0;
    bool hasBackground = false;
    Rgba background{ 255, 255, 255, 255 };
    std::map<uint16_t, Character> characters;
    TimelineDef root;

    const Character* Find(uint16_t id) const
    {
        auto it = characters.find(id);
        return it == characters.end() ? nullptr : &it->second;
    }
};

}  // namespace movieplayer
