// Description parser: tokens, commands, and the blocks of shapes, buttons and sprites.
#include "Description.h"

#include <cmath>
#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "PngReader.h"
#include "SwfWriter.h"
#include "standins/movieplayer/core/Movie.h"

namespace moviemaker {
namespace {

struct ParseError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& message) { throw ParseError{ message }; }

std::vector<std::string> Tokenize(const std::string& line)
{
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false, have = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else
                cur += c;
            continue;
        }
        // "#" and a space (or the line's end) start a comment; "#FF0000" is a colour.
        if (c == '#' && !have && (i + 1 == line.size() || line[i + 1] == ' ' || line[i + 1] == '\t'))
            break;
        if (c == '"') {
            quoted = have = true;
        } else if (c == ';') {
            if (have)
                out.push_back(cur);
            out.push_back(";");
            cur.clear();
            have = false;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (have)
                out.push_back(cur);
            cur.clear();
            have = false;
        } else {
            cur += c;
            have = true;
        }
    }
    if (quoted)
        Fail("unterminated quotes");
    if (have)
        out.push_back(cur);
    return out;
}

double Number(const std::string& s)
{
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (s.empty() || *end != '\0' || !std::isfinite(v) || std::fabs(v) > 1e6)
        Fail("not a number: " + s);
    return v;
}

int Integer(const std::string& s, int lo, int hi)
{
    double v = Number(s);
    if (v != std::floor(v) || v < lo || v > hi)
        Fail("expected a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) + ": " + s);
    return static_cast<int>(v);
}

Rgba Color(const std::string& s)
{
    if (s.size() != 7 && s.size() != 9)
        Fail("colour must be #RRGGBB or #RRGGBBAA: " + s);
    if (s[0] != '#')
        Fail("colour must start with #: " + s);
    for (size_t i = 1; i < s.size(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(s[i])))
            Fail("colour must be hexadecimal: " + s);
    auto byte = [&](size_t i) { return static_cast<uint8_t>(std::strtoul(s.substr(i, 2).c_str(), nullptr, 16)); };
    return Rgba{ byte(1), byte(3), byte(5), s.size() == 9 ? byte(7) : uint8_t(255) };
}

double Twips(double px) { return px * 20; }

class Parser {
public:
    explicit Parser(const FileReader& readFile) : m_readFile(readFile) {}

    std::vector<uint8_t> Run(const std::string& text)
    {
        std::istringstream in(text);
        std::string line;
        while (std::getline(in, line)) {
            ++m_line;
            std::vector<std::string> t = Tokenize(line);
            if (!t.empty())
                Command(t);
        }
        if (!m_movie)
            Fail("no movie command");
        if (m_block != None)
            Fail("block not closed with end");
        if (m_pending || m_movie->Frames() == 0)
            m_movie->ShowFrame();
        return m_movie->Finish(m_compressed);
    }

    int Line() const { return m_line; }

private:
    enum Block { None, InShape, InButton, InSprite };

    void Need(const std::vector<std::string>& t, size_t n)
    {
        if (t.size() < n)
            Fail("'" + t[0] + "' needs more values");
    }

    void Define(int id)
    {
        if (!m_ids.insert(id).second)
            Fail("id " + std::to_string(id) + " is already defined");
    }

    void Known(int id)
    {
        if (!m_ids.count(id))
            Fail("id " + std::to_string(id) + " is not defined (yet)");
    }

    SwfWriter& Timeline() { return m_block == InSprite ? *m_sprite : *m_movie; }

    void Command(const std::vector<std::string>& t)
    {
        const std::string& c = t[0];
        if (!m_movie) {
            if (c != "movie")
                Fail("the description must start with 'movie'");
            Need(t, 4);
            double w = Number(t[1]), h = Number(t[2]), fps = Number(t[3]);
            if (w < 1 || h < 1 || w > 8191 || h > 8191 || fps <= 0 || fps > 255)
                Fail("stage size or frame rate out of range");
            m_compressed = t.size() > 4 && t[4] == "compressed";
            m_movie = std::make_unique<SwfWriter>(w, h, fps);
            return;
        }
        if (m_block == InShape) {
            ShapeCommand(t);
            return;
        }
        if (m_block == InButton) {
            ButtonCommand(t);
            return;
        }
        if (c == "end") {
            if (m_block != InSprite)
                Fail("'end' without a block");
            if (m_spritePending || m_sprite->Frames() == 0)
                m_sprite->ShowFrame();
            Define(m_blockId);
            m_movie->DefineSprite(static_cast<uint16_t>(m_blockId), *m_sprite);
            m_sprite.reset();
            m_block = None;
            return;
        }
        if (TimelineCommand(t))
            return;
        if (m_block == InSprite)
            Fail("'" + c + "' cannot be used inside a sprite");
        if (c == "background") {
            Need(t, 2);
            m_movie->SetBackground(Color(t[1]));
        } else if (c == "bitmap") {
            Need(t, 3);
            int id = Integer(t[1], 1, 65535);
            std::vector<uint8_t> bytes;
            if (!m_readFile || !m_readFile(t[2], bytes))
                Fail("cannot read " + t[2]);
            Image img;
            std::string why;
            if (!ReadPng(bytes, img, why))
                Fail(t[2] + ": " + why);
            Define(id);
            m_movie->DefineBitmap(static_cast<uint16_t>(id), img.width, img.height, img.rgba);
            m_bitmapSizes[id] = { img.width, img.height };
        } else if (c == "shape" || c == "button" || c == "sprite") {
            Need(t, 2);
            m_blockId = Integer(t[1], 1, 65535);
            if (m_ids.count(m_blockId))
                Fail("id " + t[1] + " is already defined");
            if (c == "shape") {
                m_block = InShape;
                m_shape = ShapeSpec();
                if (t.size() > 2 && (t[2] == "v1" || t[2] == "v2"))
                    m_shape.version = t[2] == "v1" ? 1 : 2;  // older shape tags: no alpha
            } else if (c == "button") {
                m_block = InButton;
                m_records.clear();
                m_actions.clear();
            } else {
                m_block = InSprite;
                m_sprite = std::make_unique<SwfWriter>(0, 0, 0);
                m_spritePending = false;
            }
        } else {
            Fail("unknown command '" + c + "'");
        }
    }

    bool TimelineCommand(const std::vector<std::string>& t)
    {
        const std::string& c = t[0];
        bool& pending = m_block == InSprite ? m_spritePending : m_pending;
        if (c == "place" || c == "move") {
            size_t i = c == "place" ? 3 : 2;
            Need(t, i);
            int depth = Integer(t[1], 1, 65535);
            int ch = c == "place" ? Integer(t[2], 1, 65535) : 0;
            if (c == "place")
                Known(ch);
            Matrix m;
            ColorTransform cx;
            bool hasCx = Transform(t, i, m, cx);
            if (c == "place")
                Timeline().Place(static_cast<uint16_t>(depth), static_cast<uint16_t>(ch), m, hasCx ? &cx : nullptr);
            else
                Timeline().Move(static_cast<uint16_t>(depth), m, hasCx ? &cx : nullptr);
        } else if (c == "remove") {
            Need(t, 2);
            Timeline().Remove(static_cast<uint16_t>(Integer(t[1], 1, 65535)));
        } else if (c == "action") {
            Timeline().DoAction(Actions(t, 1));
        } else if (c == "frame") {
            Timeline().ShowFrame();
            pending = false;
            return true;
        } else {
            return false;
        }
        pending = true;
        return true;
    }

    // Reads TRANSFORM words from t[i]; true when a colour transform was given.
    bool Transform(const std::vector<std::string>& t, size_t i, Matrix& m, ColorTransform& cx)
    {
        double x = 0, y = 0, sx = 1, sy = 1, deg = 0;
        bool hasCx = false;
        while (i < t.size()) {
            const std::string& k = t[i];
            if (k == "at" && i + 2 < t.size()) {
                x = Number(t[i + 1]), y = Number(t[i + 2]);
                i += 3;
            } else if (k == "scale" && i + 1 < t.size()) {
                sx = sy = Number(t[i + 1]);
                i += 2;
                if (i < t.size() && !std::isalpha(static_cast<unsigned char>(t[i][0])))
                    sy = Number(t[i++]);
            } else if (k == "rotate" && i + 1 < t.size()) {
                deg = Number(t[i + 1]);
                i += 2;
            } else if (k == "alpha" && i + 1 < t.size()) {
                cx.mulA = static_cast<float>(Number(t[i + 1]));
                hasCx = true;
                i += 2;
            } else if ((k == "color" || k == "add") && i + 3 < t.size()) {
                float v[3] = { static_cast<float>(Number(t[i + 1])), static_cast<float>(Number(t[i + 2])),
                               static_cast<float>(Number(t[i + 3])) };
                if (k == "color")
                    cx.mulR = v[0], cx.mulG = v[1], cx.mulB = v[2];
                else
                    cx.addR = v[0], cx.addG = v[1], cx.addB = v[2];
                hasCx = true;
                i += 4;
            } else {
                Fail("unknown or incomplete transform word '" + k + "'");
            }
        }
        double r = deg * 3.14159265358979323846 / 180;
        m.a = sx * std::cos(r);
        m.b = sx * std::sin(r);
        m.c = -sy * std::sin(r);
        m.d = sy * std::cos(r);
        m.tx = Twips(x);
        m.ty = Twips(y);
        return hasCx;
    }

    Bytes Actions(const std::vector<std::string>& t, size_t i)
    {
        Bytes out;
        while (i < t.size()) {
            std::vector<std::string> a;
            while (i < t.size() && t[i] != ";")
                a.push_back(t[i++]);
            ++i;
            if (a.empty())
                continue;
            Bytes b;
            const std::string& k = a[0];
            auto arg = [&](size_t n) { return n < a.size() ? a[n] : std::string(); };
            if (k == "stop") {
                b = act::Stop();
            } else if (k == "play") {
                b = act::Play();
            } else if (k == "goto" && a.size() >= 2) {
                b = act::GotoFrame(static_cast<unsigned>(Integer(a[1], 1, 65535) - 1));
            } else if (k == "fscommand" && a.size() >= 2) {
                b = act::GetUrl("FSCommand:" + a[1], arg(2));
            } else if (k == "fscommand2" && a.size() >= 2) {
                Bytes p1 = act::PushString("FSCommand:" + a[1]), p2 = act::PushString(arg(2)), g = act::GetUrl2();
                b.insert(b.end(), p1.begin(), p1.end());
                b.insert(b.end(), p2.begin(), p2.end());
                b.insert(b.end(), g.begin(), g.end());
            } else if (k == "geturl" && a.size() >= 2) {
                b = act::GetUrl(a[1], arg(2));
            } else {
                Fail("unknown or incomplete action '" + k + "'");
            }
            out.insert(out.end(), b.begin(), b.end());
        }
        return out;
    }

    // fill N, hole N, line N after an outline.
    void Styles(const std::vector<std::string>& t, size_t i, ShapePath& p)
    {
        for (; i < t.size(); i += 2) {
            if (i + 1 >= t.size())
                Fail("'" + t[i] + "' needs a style number");
            const std::string& k = t[i];
            if (k == "fill") {
                p.fill1 = static_cast<uint32_t>(Integer(t[i + 1], 1, static_cast<int>(m_shape.fills.size())));
            } else if (k == "hole") {
                p.fill0 = static_cast<uint32_t>(Integer(t[i + 1], 1, static_cast<int>(m_shape.fills.size())));
            } else if (k == "line") {
                p.line = static_cast<uint32_t>(Integer(t[i + 1], 1, static_cast<int>(m_shape.lines.size())));
            } else {
                Fail("expected fill, hole or line, not '" + k + "'");
            }
        }
    }

    static ShapePath Closed(const std::vector<std::pair<double, double>>& pts)
    {
        ShapePath p;
        p.startX = Twips(pts[0].first);
        p.startY = Twips(pts[0].second);
        for (size_t k = 1; k <= pts.size(); ++k) {
            PathEdge e;
            e.x = Twips(pts[k % pts.size()].first);
            e.y = Twips(pts[k % pts.size()].second);
            p.edges.push_back(e);
        }
        return p;
    }

    void ShapeCommand(const std::vector<std::string>& t)
    {
        const std::string& c = t[0];
        if (c == "end") {
            Define(m_blockId);
            m_movie->DefineShape(static_cast<uint16_t>(m_blockId), m_shape);
            m_block = None;
        } else if (c == "solid") {
            Need(t, 2);
            FillStyle f;
            f.color = Color(t[1]);
            m_shape.fills.push_back(f);
        } else if (c == "bitmapfill") {
            Need(t, 2);
            int id = Integer(t[1], 1, 65535);
            if (!m_bitmapSizes.count(id))
                Fail("bitmap " + t[1] + " is not defined");
            FillStyle f;
            f.kind = FillStyle::Bitmap;
            f.bitmapId = static_cast<uint16_t>(id);
            double s = 1, x = 0, y = 0;
            for (size_t i = 2; i < t.size(); ++i) {
                if (t[i] == "clipped") f.repeat = false;
                else if (t[i] == "hard") f.smooth = false;
                else if (t[i] == "scale" && i + 1 < t.size()) s = Number(t[++i]);
                else if (t[i] == "at" && i + 2 < t.size()) x = Number(t[i + 1]), y = Number(t[i + 2]), i += 2;
                else Fail("unknown bitmapfill word '" + t[i] + "'");
            }
            f.matrix.a = f.matrix.d = 20 * s;  // one bitmap pixel is s stage pixels
            f.matrix.tx = Twips(x);
            f.matrix.ty = Twips(y);
            m_shape.fills.push_back(f);
        } else if (c == "line") {
            Need(t, 3);
            LineStyle l;
            l.width = static_cast<uint16_t>(std::lround(Twips(Number(t[1]))));
            l.color = Color(t[2]);
            m_shape.lines.push_back(l);
        } else if (c == "rect") {
            Need(t, 5);
            double x = Number(t[1]), y = Number(t[2]), w = Number(t[3]), h = Number(t[4]);
            ShapePath p = Closed({ { x, y }, { x + w, y }, { x + w, y + h }, { x, y + h } });
            Styles(t, 5, p);
            m_shape.paths.push_back(p);
        } else if (c == "poly") {
            std::vector<std::pair<double, double>> pts;
            size_t i = 1;
            while (i + 1 < t.size() && !std::isalpha(static_cast<unsigned char>(t[i][0]))) {
                pts.emplace_back(Number(t[i]), Number(t[i + 1]));
                i += 2;
            }
            if (pts.size() < 3)
                Fail("a polygon needs three points");
            ShapePath p = Closed(pts);
            Styles(t, i, p);
            m_shape.paths.push_back(p);
        } else if (c == "circle") {
            Need(t, 4);
            double cx = Number(t[1]), cy = Number(t[2]), r = Number(t[3]);
            // Eight quadratic arcs; the control points sit on the tangents' crossings.
            ShapePath p;
            p.startX = Twips(cx + r);
            p.startY = Twips(cy);
            const double step = 3.14159265358979323846 / 4, k = r / std::cos(step / 2);
            for (int i = 1; i <= 8; ++i) {
                double a1 = step * i, am = a1 - step / 2;
                p.edges.push_back(PathEdge{ true, Twips(cx + k * std::cos(am)), Twips(cy + k * std::sin(am)),
                                            Twips(cx + r * std::cos(a1)), Twips(cy + r * std::sin(a1)) });
            }
            Styles(t, 4, p);
            m_shape.paths.push_back(p);
        } else if (c == "path") {
            size_t colon = 1;
            while (colon < t.size() && t[colon] != ":")
                ++colon;
            if (colon == t.size())
                Fail("path needs ':' before its points");
            ShapePath p;
            std::vector<std::string> opts(t.begin(), t.begin() + colon);
            Styles(opts, 1, p);
            bool started = false;
            for (size_t i = colon + 1; i < t.size();) {
                const std::string& k = t[i];
                size_t n = k == "M" || k == "L" ? 2 : k == "Q" ? 4 : 0;
                if (n == 0)
                    Fail("path words are M X Y, L X Y and Q CX CY X Y");
                if (i + n >= t.size())
                    Fail("path command '" + k + "' needs more values");
                std::vector<double> v;
                for (size_t j = 1; j <= n; ++j)
                    v.push_back(Twips(Number(t[i + j])));
                if (k == "M") {
                    if (started)
                        Fail("a path moves only at its start; use another path");
                    p.startX = v[0], p.startY = v[1];
                } else if (k == "L") {
                    p.edges.push_back(PathEdge{ false, 0, 0, v[0], v[1] });
                } else {
                    p.edges.push_back(PathEdge{ true, v[0], v[1], v[2], v[3] });
                }
                started = true;
                i += n + 1;
            }
            m_shape.paths.push_back(p);
        } else {
            Fail("unknown shape command '" + c + "'");
        }
    }

    void ButtonCommand(const std::vector<std::string>& t)
    {
        const std::string& c = t[0];
        if (c == "end") {
            if (m_records.empty())
                Fail("a button needs at least one state");
            Define(m_blockId);
            m_movie->DefineButton2(static_cast<uint16_t>(m_blockId), m_records, m_actions);
            m_block = None;
        } else if (c == "state") {
            Need(t, 3);
            ButtonRecordSpec r;
            std::stringstream states(t[1]);
            std::string s;
            while (std::getline(states, s, ',')) {
                if (s == "up") r.states |= movieplayer::kStateUp;
                else if (s == "over") r.states |= movieplayer::kStateOver;
                else if (s == "down") r.states |= movieplayer::kStateDown;
                else if (s == "hit") r.states |= movieplayer::kStateHit;
                else Fail("button states are up, over, down and hit, not '" + s + "'");
            }
            int ch = Integer(t[2], 1, 65535);
            Known(ch);
            r.charId = static_cast<uint16_t>(ch);
            r.depth = static_cast<uint16_t>(m_records.size() + 1);
            ColorTransform unused;
            Transform(t, 3, r.matrix, unused);
            m_records.push_back(r);
        } else if (c == "on") {
            Need(t, 3);
            ButtonActionSpec a;
            const std::string& when = t[1];
            if (when == "release") a.conditions = movieplayer::kOverDownToOverUp;
            else if (when == "press") a.conditions = movieplayer::kOverUpToOverDown;
            else if (when == "over") a.conditions = movieplayer::kIdleToOverUp;
            else if (when == "out") a.conditions = movieplayer::kOverUpToIdle;
            else Fail("button events are release, press, over and out, not '" + when + "'");
            a.actions = Actions(t, 2);
            m_actions.push_back(a);
        } else {
            Fail("unknown button command '" + c + "'");
        }
    }

    const FileReader& m_readFile;
    int m_line = 0;
    std::unique_ptr<SwfWriter> m_movie;
    bool m_compressed = false;
    bool m_pending = false;
    std::set<int> m_ids;
    std::map<int, std::pair<int, int>> m_bitmapSizes;
    Block m_block = None;
    int m_blockId = 0;
    ShapeSpec m_shape;
    std::vector<ButtonRecordSpec> m_records;
    std::vector<ButtonActionSpec> m_actions;
    std::unique_ptr<SwfWriter> m_sprite;
    bool m_spritePending = false;
};

}  // namespace

bool BuildMovie(const std::string& description, const FileReader& readFile, std::vector<uint8_t>& movie,
                std::string& error)
{
    Parser parser(readFile);
    try {
        movie = parser.Run(description);
        return true;
    } catch (const ParseError& e) {
        error = "line " + std::to_string(parser.Line()) + ": " + e.message;
        movie.clear();
        return false;
    }
}

}  // namespace moviemaker
