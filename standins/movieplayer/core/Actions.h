// Action records of frames and buttons: the handful a login movie uses, decoded ahead of time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace movieplayer {

struct ActionValue {
    enum Kind { Undefined, Null, String, Number, Boolean, Constant };
    Kind kind = Undefined;
    std::string text;
    double number = 0;  // numbers and booleans; the pool index for constants
};

struct Action {
    enum Op {
        Play, Stop, NextFrame, PrevFrame, GotoFrame, GotoLabel, GetUrl, GetUrl2, Push, Pop,
        ConstantPool, Other
    };
    Op op = Other;
    int frame = 0;            // GotoFrame, 0-based
    std::string url, target;  // GetUrl; the label of GotoLabel in url
    std::vector<ActionValue> values;  // Push
    std::vector<std::string> pool;    // ConstantPool
};

using ActionList = std::vector<Action>;

// Decodes records up to the end marker or the end of the data. False on a record that claims
// more bytes than there are.
bool DecodeActions(const uint8_t* data, size_t size, ActionList& out);

// Text form of a value as the player converts it for a URL or target.
std::string ValueToString(const ActionValue& v, const std::vector<std::string>& pool);

// "FSCommand:" in any case at the start of url; command gets the rest.
bool IsFsCommandUrl(const std::string& url, std::string& command);

}  // namespace movieplayer
