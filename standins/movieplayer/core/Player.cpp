// The player: display lists built from frame tags, frame advance and goto, the action queue,
// button tracking, and the drawing walk over the display tree.
#include "Player.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "ShapeRenderer.h"
#include "SwfReader.h"

namespace movieplayer {

namespace {

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

uint8_t VisibleStateBit(ButtonState s)
{
    switch (s) {
    case ButtonState::Up: return kStateUp;
    case ButtonState::Down: return kStateDown;
    default: return kStateOver;  // pressed and dragged off shows "over", as push buttons do
    }
}

constexpr size_t kMaxStack = 4096;

}  // namespace

ScaleMode ParseScaleMode(const std::string& name)
{
    if (EqualNoCase(name, "exactFit")) return ScaleMode::ExactFit;
    if (EqualNoCase(name, "noBorder")) return ScaleMode::NoBorder;
    if (EqualNoCase(name, "noScale")) return ScaleMode::NoScale;
    return ScaleMode::ShowAll;
}

bool Player::Load(const uint8_t* data, size_t size)
{
    auto movie = std::make_shared<Movie>();
    if (!ReadMovie(data, size, *movie))
        return false;  // whatever played before keeps playing
    Unload();
    m_movie = movie;
    m_root = std::make_shared<Timeline>();
    m_root->def = &m_movie->root;
    SetViewport(m_viewport, m_scaleMode);
    for (const PlaceTag& tag : m_root->def->frames[0].tags)
        ApplyTag(m_root, tag);
    QueueFrameActions(m_root, 0);
    RunQueue();
    m_dirty = true;
    return true;
}

void Player::Unload()
{
    ++m_generation;
    m_queue.clear();
    m_hover.reset();
    m_pressed.reset();
    m_down = false;
    m_root.reset();
    m_movie.reset();
    m_dirty = true;
}

void Player::Play()
{
    if (m_root)
        m_root->playing = true;
}

void Player::Stop()
{
    if (m_root)
        m_root->playing = false;
}

bool Player::Playing() const { return m_root && m_root->playing; }
int Player::CurrentFrame() const { return m_root ? m_root->frame : 0; }
int Player::FrameCount() const { return m_root ? static_cast<int>(m_root->def->frames.size()) : 0; }
double Player::FrameRate() const { return m_movie ? m_movie->frameRate : 12.0; }

void Player::GotoFrame(int frame)
{
    if (!m_root)
        return;
    Goto(m_root, frame);
    RunQueue();
}

bool Player::TakeDirty()
{
    bool d = m_dirty;
    m_dirty = false;
    return d;
}

std::shared_ptr<Instance> Player::Create(uint16_t charId, const std::shared_ptr<Timeline>& owner)
{
    unsigned level = owner->level + 1;
    if (level > kMaxNesting || *m_liveCount >= kMaxInstances)
        return nullptr;
    const Character* c = m_movie->Find(charId);
    if (c == nullptr || c->kind == Character::Bitmap)
        return nullptr;  // a bitmap is drawn through a shape's fill, never placed by itself
    auto inst = std::make_shared<Instance>();
    inst->character = c;
    inst->charId = charId;
    inst->owner = owner;
    inst->level = level;
    inst->bornTick = m_tick;
    inst->liveCount = m_liveCount;
    ++*m_liveCount;
    if (c->kind == Character::Sprite) {
        inst->timeline = std::make_shared<Timeline>();
        inst->timeline->def = c->sprite.get();
        inst->timeline->level = level;
        for (const PlaceTag& tag : inst->timeline->def->frames[0].tags)
            ApplyTag(inst->timeline, tag);
        QueueFrameActions(inst->timeline, 0);
    } else if (c->kind == Character::Button) {
        BuildButtonChildren(*inst);
    }
    m_dirty = true;
    return inst;
}

void Player::BuildButtonChildren(Instance& button)
{
    button.buttonChildren.clear();
    auto owner = button.owner.lock();
    if (!owner)
        return;
    // The button's records live one level below it; a stand-in timeline carries that level.
    auto holder = std::make_shared<Timeline>();
    holder->level = button.level;
    uint8_t bit = VisibleStateBit(button.buttonState);
    for (const ButtonRecord& r : button.character->button->records) {
        if (!(r.states & bit))
            continue;
        auto child = Create(r.charId, holder);
        if (!child)
            continue;
        child->owner = owner;
        if (child->timeline)
            child->owner = child->timeline;
        child->matrix = r.matrix;
        child->cxform = r.cxform;
        button.buttonChildren[r.depth] = child;
    }
    m_dirty = true;
}

void Player::ApplyTag(const std::shared_ptr<Timeline>& tl, const PlaceTag& tag)
{
    auto& children = tl->children;
    m_dirty = true;
    if (tag.remove) {
        children.erase(tag.depth);
        return;
    }
    auto it = children.find(tag.depth);
    bool exists = it != children.end();
    if (tag.hasChar && (!tag.move || !exists || it->second->charId != tag.charId)) {
        auto inst = Create(tag.charId, tl);
        if (!inst)
            return;
        if (tag.move && exists) {  // a new character keeps the old one's place
            inst->matrix = it->second->matrix;
            inst->cxform = it->second->cxform;
        }
        if (tag.hasMatrix)
            inst->matrix = tag.matrix;
        if (tag.hasCxform)
            inst->cxform = tag.cxform;
        inst->isClip = tag.isClip;
        children[tag.depth] = inst;
    } else if (exists) {
        if (tag.hasMatrix)
            it->second->matrix = tag.matrix;
        if (tag.hasCxform)
            it->second->cxform = tag.cxform;
    }
}

void Player::Goto(const std::shared_ptr<Timeline>& tl, int frame)
{
    int count = static_cast<int>(tl->def->frames.size());
    frame = std::max(0, std::min(frame, count - 1));
    if (frame == tl->frame)
        return;
    // The display list of the target frame, replayed from the start.
    std::map<int, PlaceState> target;
    for (int f = 0; f <= frame; ++f) {
        for (const PlaceTag& tag : tl->def->frames[f].tags) {
            auto it = target.find(tag.depth);
            if (tag.remove) {
                if (it != target.end())
                    target.erase(it);
            } else if (tag.hasChar && (!tag.move || it == target.end() || it->second.charId != tag.charId)) {
                PlaceState s{ tag.charId, Matrix(), ColorTransform(), tag.isClip };
                if (tag.move && it != target.end()) {
                    s.matrix = it->second.matrix;
                    s.cxform = it->second.cxform;
                }
                if (tag.hasMatrix) s.matrix = tag.matrix;
                if (tag.hasCxform) s.cxform = tag.cxform;
                target[tag.depth] = s;
            } else if (it != target.end()) {
                if (tag.hasMatrix) it->second.matrix = tag.matrix;
                if (tag.hasCxform) it->second.cxform = tag.cxform;
            }
        }
    }
    // Objects that stay keep their own state (a sprite keeps its frame).
    auto& children = tl->children;
    for (auto it = children.begin(); it != children.end();) {
        auto t = target.find(it->first);
        if (t == target.end() || t->second.charId != it->second->charId)
            it = children.erase(it);
        else
            ++it;
    }
    for (const auto& [depth, s] : target) {
        auto it = children.find(depth);
        std::shared_ptr<Instance> inst;
        if (it != children.end()) {
            inst = it->second;
        } else {
            inst = Create(s.charId, tl);
            if (!inst)
                continue;
            children[depth] = inst;
        }
        inst->matrix = s.matrix;
        inst->cxform = s.cxform;
        inst->isClip = s.isClip;
    }
    tl->frame = frame;
    QueueFrameActions(tl, frame);
    m_dirty = true;
}

void Player::Advance(const std::shared_ptr<Timeline>& tl)
{
    int count = static_cast<int>(tl->def->frames.size());
    if (!tl->playing || count <= 1)
        return;
    int next = tl->frame + 1;
    if (next >= count) {
        Goto(tl, 0);
        return;
    }
    for (const PlaceTag& tag : tl->def->frames[next].tags)
        ApplyTag(tl, tag);
    tl->frame = next;
    QueueFrameActions(tl, next);
    m_dirty = true;
}

void Player::AdvanceChildren(std::map<int, std::shared_ptr<Instance>>& children)
{
    std::vector<std::shared_ptr<Instance>> list;
    list.reserve(children.size());
    for (auto& kv : children)
        list.push_back(kv.second);
    for (auto& inst : list) {
        if (inst->bornTick == m_tick)
            continue;  // placed during this tick: shows its first frame once
        if (inst->timeline) {
            Advance(inst->timeline);
            AdvanceChildren(inst->timeline->children);
        } else if (!inst->buttonChildren.empty()) {
            AdvanceChildren(inst->buttonChildren);
        }
    }
}

void Player::Tick()
{
    if (!m_root)
        return;
    ++m_tick;
    Advance(m_root);
    AdvanceChildren(m_root->children);
    RunQueue();
}

void Player::QueueFrameActions(const std::shared_ptr<Timeline>& tl, int frame)
{
    for (const ActionList& list : tl->def->frames[frame].actions)
        m_queue.push_back(Queued{ tl, &list });
}

void Player::RunQueue()
{
    // The movie and the generation are held so that a handler loading another movie
    // from inside an action cannot pull the actions from under us. Entries are taken out in
    // batches, so a nested run (a handler stepping the movie) never runs them a second time.
    std::shared_ptr<const Movie> keep = m_movie;
    const uint64_t generation = m_generation;
    size_t budget = kMaxActionsPerRun;
    while (!m_queue.empty() && budget > 0 && generation == m_generation) {
        std::vector<Queued> batch;
        batch.swap(m_queue);
        for (const Queued& q : batch) {
            if (budget == 0 || generation != m_generation)
                break;
            --budget;
            if (auto tl = q.target.lock())
                RunActions(tl, *q.actions, budget);
        }
    }
    if (generation == m_generation && budget == 0)
        m_queue.clear();  // a movie that keeps jumping is cut off here
}

void Player::RunActions(const std::shared_ptr<Timeline>& tl, const ActionList& actions, size_t& budget)
{
    std::vector<std::string> stack;
    std::vector<std::string> pool;
    const uint64_t generation = m_generation;
    auto pop = [&stack]() {
        if (stack.empty())
            return std::string("undefined");
        std::string s = std::move(stack.back());
        stack.pop_back();
        return s;
    };
    for (const Action& a : actions) {
        if (budget == 0 || generation != m_generation)
            return;
        --budget;
        switch (a.op) {
        case Action::Play: tl->playing = true; break;
        case Action::Stop: tl->playing = false; break;
        case Action::NextFrame: Goto(tl, tl->frame + 1); tl->playing = false; break;
        case Action::PrevFrame: Goto(tl, tl->frame - 1); tl->playing = false; break;
        case Action::GotoFrame: Goto(tl, a.frame); break;
        case Action::GotoLabel: {
            const auto& frames = tl->def->frames;
            for (size_t f = 0; f < frames.size(); ++f) {
                if (!frames[f].label.empty() && EqualNoCase(frames[f].label, a.url)) {
                    Goto(tl, static_cast<int>(f));
                    break;
                }
            }
            break;
        }
        case Action::GetUrl: RaiseUrl(a.url, a.target); break;
        case Action::Push:
            for (const ActionValue& v : a.values)
                if (stack.size() < kMaxStack)
                    stack.push_back(ValueToString(v, pool));
            break;
        case Action::Pop: pop(); break;
        case Action::GetUrl2: {
            std::string target = pop();
            std::string url = pop();
            RaiseUrl(url, target);
            break;
        }
        case Action::ConstantPool: pool = a.pool; break;
        case Action::Other: break;
        }
    }
}

void Player::RaiseUrl(const std::string& url, const std::string& target)
{
    std::string command;
    // Other addresses would open a browser; a login movie has no business doing that here.
    if (IsFsCommandUrl(url, command) && m_fsCommand) {
        FsCommandHandler handler = m_fsCommand;  // the handler may replace itself
        handler(command, target);
    }
}

void Player::SetViewport(const PixelRect& viewport, ScaleMode mode)
{
    m_viewport = viewport;
    m_scaleMode = mode;
    Matrix m;
    if (m_movie) {
        const TwipRect& st = m_movie->stage;
        double sw = (st.xMax - st.xMin) / 20.0, sh = (st.yMax - st.yMin) / 20.0;
        double vw = viewport.right - viewport.left, vh = viewport.bottom - viewport.top;
        double sx = vw / sw, sy = vh / sh;
        switch (mode) {
        case ScaleMode::ShowAll: sx = sy = std::min(sx, sy); break;
        case ScaleMode::NoBorder: sx = sy = std::max(sx, sy); break;
        case ScaleMode::NoScale: sx = sy = 1; break;
        case ScaleMode::ExactFit: break;
        }
        m.a = sx / 20;
        m.d = sy / 20;
        m.tx = viewport.left + (vw - sw * sx) / 2 - st.xMin * m.a;
        m.ty = viewport.top + (vh - sh * sy) / 2 - st.yMin * m.d;
    }
    const Matrix& o = m_stageToPixels;
    if (m.a != o.a || m.b != o.b || m.c != o.c || m.d != o.d || m.tx != o.tx || m.ty != o.ty)
        m_dirty = true;
    m_stageToPixels = m;
}

bool Player::HitArea(const Instance& inst, const Matrix& m, double px, double py, unsigned level)
{
    for (const ButtonRecord& r : inst.character->button->records) {
        if (!(r.states & kStateHit))
            continue;
        const Character* c = m_movie->Find(r.charId);
        if (c == nullptr || c->kind != Character::Shape)
            continue;  // hit areas are shapes in the movies we play
        Matrix inv;
        if (!(m * r.matrix).Invert(inv))
            continue;
        double x, y;
        inv.Apply(px, py, x, y);
        if (ShapeContains(*c->shape, x, y))
            return true;
    }
    (void)level;
    return false;
}

std::shared_ptr<Instance> Player::HitChildren(const std::map<int, std::shared_ptr<Instance>>& children,
                                              const Matrix& m, double px, double py)
{
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const auto& inst = it->second;
        if (inst->isClip)
            continue;
        Matrix cm = m * inst->matrix;
        if (inst->character->kind == Character::Button) {
            if (HitArea(*inst, cm, px, py, inst->level))
                return inst;
        } else if (inst->timeline) {
            if (auto hit = HitChildren(inst->timeline->children, cm, px, py))
                return hit;
        }
    }
    return nullptr;
}

std::shared_ptr<Instance> Player::HitTest(double px, double py)
{
    if (!m_root)
        return nullptr;
    Matrix inv;
    if (!m_stageToPixels.Invert(inv))
        return nullptr;
    double x, y;
    inv.Apply(px, py, x, y);
    return HitChildren(m_root->children, Matrix(), x, y);
}

void Player::SetButtonState(const std::shared_ptr<Instance>& button, ButtonState state, uint16_t cond)
{
    bool redraw = VisibleStateBit(button->buttonState) != VisibleStateBit(state);
    button->buttonState = state;
    if (redraw)
        BuildButtonChildren(*button);
    auto owner = button->owner.lock();
    if (!owner)
        return;
    for (const ButtonCondAction& ca : button->character->button->actions)
        if (ca.conditions & cond)
            m_queue.push_back(Queued{ owner, &ca.actions });
}

bool Player::PointerMove(double x, double y)
{
    if (!m_root)
        return false;
    auto hit = HitTest(x, y);
    if (m_down) {
        auto pressed = m_pressed.lock();
        if (pressed) {
            if (hit == pressed && pressed->buttonState == ButtonState::OutDown)
                SetButtonState(pressed, ButtonState::Down, kOutDownToOverDown);
            else if (hit != pressed && pressed->buttonState == ButtonState::Down)
                SetButtonState(pressed, ButtonState::OutDown, kOverDownToOutDown);
        }
        m_hover = hit;
        RunQueue();
        return pressed != nullptr || hit != nullptr;
    }
    auto hover = m_hover.lock();
    if (hit != hover) {
        if (hover)
            SetButtonState(hover, ButtonState::Up, kOverUpToIdle);
        if (hit)
            SetButtonState(hit, ButtonState::Over, kIdleToOverUp);
        m_hover = hit;
    }
    RunQueue();
    return hit != nullptr;
}

bool Player::PointerDown(double x, double y)
{
    if (!m_root)
        return false;
    m_down = false;
    PointerMove(x, y);
    m_down = true;
    auto hit = m_hover.lock();
    m_pressed = hit;
    if (!hit)
        return false;
    SetButtonState(hit, ButtonState::Down, kOverUpToOverDown);
    RunQueue();
    return true;
}

bool Player::PointerUp(double x, double y)
{
    if (!m_root)
        return false;
    m_down = false;
    auto pressed = m_pressed.lock();
    m_pressed.reset();
    bool took = false;
    if (pressed) {
        took = true;
        if (pressed->buttonState == ButtonState::Down) {
            SetButtonState(pressed, ButtonState::Over, kOverDownToOverUp);
            m_hover = pressed;
        } else {
            SetButtonState(pressed, ButtonState::Up, kOutDownToIdle);
            m_hover.reset();
        }
        RunQueue();
    }
    // The release's actions may have changed what lies under the pointer.
    bool over = PointerMove(x, y);
    return took || over;
}

bool Player::PointerOverButton() const { return !m_hover.expired(); }

void Player::Render(Canvas& canvas, const Rgba* background)
{
    PixelRect clip{ std::max(0, m_viewport.left), std::max(0, m_viewport.top),
                    std::min(canvas.width, m_viewport.right), std::min(canvas.height, m_viewport.bottom) };
    if (clip.Empty() || canvas.bits == nullptr)
        return;
    if (background != nullptr) {
        for (int y = clip.top; y < clip.bottom; ++y) {
            uint8_t* p = canvas.bits + std::ptrdiff_t(y) * canvas.stride + std::ptrdiff_t(clip.left) * 4;
            for (int x = clip.left; x < clip.right; ++x, p += 4)
                p[0] = background->b, p[1] = background->g, p[2] = background->r, p[3] = 255;
        }
    }
    if (m_root)
        RenderChildren(m_root->children, m_stageToPixels, ColorTransform(), canvas, clip);
}

void Player::RenderChildren(const std::map<int, std::shared_ptr<Instance>>& children, const Matrix& m,
                            const ColorTransform& cx, Canvas& canvas, const PixelRect& clip)
{
    for (const auto& kv : children)
        RenderInstance(*kv.second, m, cx, canvas, clip);
}

void Player::RenderInstance(const Instance& inst, const Matrix& m, const ColorTransform& cx,
                            Canvas& canvas, const PixelRect& clip)
{
    if (inst.isClip)
        return;  // mask layers are not drawn
    Matrix im = m * inst.matrix;
    ColorTransform icx = cx * inst.cxform;
    switch (inst.character->kind) {
    case Character::Shape:
        DrawShape(*inst.character->shape, *m_movie, im, icx, canvas, clip, m_raster);
        break;
    case Character::Sprite:
        RenderChildren(inst.timeline->children, im, icx, canvas, clip);
        break;
    case Character::Button:
        RenderChildren(inst.buttonChildren, im, icx, canvas, clip);
        break;
    case Character::Bitmap:
        break;
    }
}

}  // namespace movieplayer
