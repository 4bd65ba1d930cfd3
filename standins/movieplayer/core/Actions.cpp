// Decoder of action records, and the value conversions the player needs.
#include "Actions.h"

#include <cmath>
#include <cstdio>

#include "BitReader.h"

namespace movieplayer {
namespace {

bool DecodePush(BitReader& in, Action& a)
{
    while (in.Ok() && in.Remaining() > 0) {
        ActionValue v;
        unsigned type = in.U8();
        switch (type) {
        case 0: v.kind = ActionValue::String; v.text = in.String(); break;
        case 1: v.kind = ActionValue::Number; v.number = in.Float(); break;
        case 2: v.kind = ActionValue::Null; break;
        case 3: v.kind = ActionValue::Undefined; break;
        case 4: in.U8(); v.kind = ActionValue::Undefined; break;  // registers are not kept
        case 5: v.kind = ActionValue::Boolean; v.number = in.U8() ? 1 : 0; break;
        case 6: v.kind = ActionValue::Number; v.number = in.Double(); break;
        case 7: v.kind = ActionValue::Number; v.number = static_cast<int32_t>(in.U32()); break;
        case 8: v.kind = ActionValue::Constant; v.number = in.U8(); break;
        case 9: v.kind = ActionValue::Constant; v.number = in.U16(); break;
        default: return false;
        }
        a.values.push_back(v);
    }
    return in.Ok();
}

}  // namespace

bool DecodeActions(const uint8_t* data, size_t size, ActionList& out)
{
    BitReader in(data, size);
    while (in.Remaining() > 0) {
        unsigned code = in.U8();
        if (code == 0)
            return true;
        size_t length = code >= 0x80 ? in.U16() : 0;
        if (!in.Ok() || length > in.Remaining())
            return false;
        BitReader body(in.Here(), length);
        in.Skip(length);
        Action a;
        switch (code) {
        case 0x04: a.op = Action::NextFrame; break;
        case 0x05: a.op = Action::PrevFrame; break;
        case 0x06: a.op = Action::Play; break;
        case 0x07: a.op = Action::Stop; break;
        case 0x17: a.op = Action::Pop; break;
        case 0x81: a.op = Action::GotoFrame; a.frame = body.U16(); break;
        case 0x83:
            a.op = Action::GetUrl;
            a.url = body.String();
            a.target = body.String();
            break;
        case 0x88: {
            a.op = Action::ConstantPool;
            unsigned n = body.U16();
            for (unsigned i = 0; i < n && body.Ok(); ++i)
                a.pool.push_back(body.String());
            break;
        }
        case 0x8C: a.op = Action::GotoLabel; a.url = body.String(); break;
        case 0x96:
            a.op = Action::Push;
            if (!DecodePush(body, a))
                return false;
            break;
        case 0x9A: a.op = Action::GetUrl2; break;
        default: a.op = Action::Other; break;  // not run; its stack effect is not modelled
        }
        if (!body.Ok())
            return false;
        out.push_back(std::move(a));
    }
    return true;
}

std::string ValueToString(const ActionValue& v, const std::vector<std::string>& pool)
{
    switch (v.kind) {
    case ActionValue::String: return v.text;
    case ActionValue::Null: return "null";
    case ActionValue::Undefined: return "undefined";
    case ActionValue::Boolean: return v.number != 0 ? "true" : "false";
    case ActionValue::Constant: {
        size_t i = static_cast<size_t>(v.number);
        return i < pool.size() ? pool[i] : std::string("undefined");
    }
    case ActionValue::Number: {
        double n = v.number;
        if (std::isnan(n)) return "NaN";
        if (std::isinf(n)) return n > 0 ? "Infinity" : "-Infinity";
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", n);
        return buf;
    }
    }
    return std::string();
}

bool IsFsCommandUrl(const std::string& url, std::string& command)
{
    static const char prefix[] = "fscommand:";
    const size_t n = sizeof prefix - 1;
    if (url.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        char c = url[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    command = url.substr(n);
    return true;
}

}  // namespace movieplayer
