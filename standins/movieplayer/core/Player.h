// The movie player: the timelines and display list of a loaded movie, its actions and buttons,
// the pointer, and drawing the current frame into a pixel buffer fitted to a viewport.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Movie.h"
#include "Painter.h"
#include "Rasterizer.h"

namespace movieplayer {

enum class ScaleMode { ShowAll, ExactFit, NoBorder, NoScale };
// Reads a scale mode name ("showAll", any case); unknown names give ShowAll.
ScaleMode ParseScaleMode(const std::string& name);

enum class ButtonState { Up, Over, Down, OutDown };

struct Timeline;

// One thing on a display list: a shape, a sprite with its own timeline, or a button.
struct Instance {
    const Character* character = nullptr;
    uint16_t charId = 0;
    Matrix matrix;
    ColorTransform cxform;
    bool isClip = false;
    std::shared_ptr<Timeline> timeline;      // sprites
    std::weak_ptr<Timeline> owner;           // the timeline whose actions buttons run
    ButtonState buttonState = ButtonState::Up;
    std::map<int, std::shared_ptr<Instance>> buttonChildren;
    unsigned level = 0;                      // nesting depth below the root
    uint64_t bornTick = 0;                   // the tick in which it was placed
    std::shared_ptr<size_t> liveCount;       // the player's count of instances alive

    Instance() = default;
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;
    ~Instance()
    {
        if (liveCount)
            --*liveCount;
    }
};

struct Timeline {
    const TimelineDef* def = nullptr;
    int frame = 0;  // 0-based
    bool playing = true;
    unsigned level = 0;
    std::map<int, std::shared_ptr<Instance>> children;  // by depth
};

class Player {
public:
    using FsCommandHandler = std::function<void(const std::string& command, const std::string& args)>;

    // Limits that keep a hostile movie from exhausting the machine.
    static constexpr unsigned kMaxNesting = 16;
    static constexpr size_t kMaxInstances = 20000;
    static constexpr size_t kMaxActionsPerRun = 100000;

    bool Load(const uint8_t* data, size_t size);
    void Unload();
    bool Loaded() const { return m_movie != nullptr; }
    const Movie* GetMovie() const { return m_movie.get(); }

    void SetFsCommandHandler(FsCommandHandler handler) { m_fsCommand = std::move(handler); }

    void Play();
    void Stop();
    bool Playing() const;
    int CurrentFrame() const;  // 0-based frame of the root timeline
    int FrameCount() const;
    double FrameRate() const;
    void GotoFrame(int frame);  // root timeline, 0-based

    // One frame of time: timelines advance, then the actions of the frames entered run.
    void Tick();
    // True when the picture may have changed since the last call.
    bool TakeDirty();

    // Where the stage is drawn, in the pixel space of the canvas and of the pointer.
    void SetViewport(const PixelRect& viewport, ScaleMode mode);
    Matrix StageToPixels() const { return m_stageToPixels; }

    // Pointer in viewport pixels. True when the movie took the event (a button is involved).
    bool PointerMove(double x, double y);
    bool PointerDown(double x, double y);
    bool PointerUp(double x, double y);
    bool PointerOverButton() const;

    // Draws the current frame over the canvas; with a background colour the viewport is filled first.
    void Render(Canvas& canvas, const Rgba* background = nullptr);

private:
    struct Queued {
        std::weak_ptr<Timeline> target;
        const ActionList* actions;
    };
    struct PlaceState {
        uint16_t charId;
        Matrix matrix;
        ColorTransform cxform;
        bool isClip;
    };

    void BuildButtonChildren(Instance& button);
    std::shared_ptr<Instance> Create(uint16_t charId, const std::shared_ptr<Timeline>& owner);
    void ApplyTag(const std::shared_ptr<Timeline>& tl, const PlaceTag& tag);
    void Goto(const std::shared_ptr<Timeline>& tl, int frame);
    void Advance(const std::shared_ptr<Timeline>& tl);
    void AdvanceChildren(std::map<int, std::shared_ptr<Instance>>& children);
    void QueueFrameActions(const std::shared_ptr<Timeline>& tl, int frame);
    void RunQueue();
    void RunActions(const std::shared_ptr<Timeline>& tl, const ActionList& actions, size_t& budget);
    void RaiseUrl(const std::string& url, const std::string& target);

    std::shared_ptr<Instance> HitTest(double px, double py);
    std::shared_ptr<Instance> HitChildren(const std::map<int, std::shared_ptr<Instance>>& children,
                                          const Matrix& m, double px, double py);
    bool HitArea(const Instance& inst, const Matrix& m, double px, double py, unsigned level);
    void SetButtonState(const std::shared_ptr<Instance>& button, ButtonState state, uint16_t cond);

    void RenderChildren(const std::map<int, std::shared_ptr<Instance>>& children, const Matrix& m,
                        const ColorTransform& cx, Canvas& canvas, const PixelRect& clip);
    void RenderInstance(const Instance& inst, const Matrix& m, const ColorTransform& cx,
                        Canvas& canvas, const PixelRect& clip);

    std::shared_ptr<const Movie> m_movie;
    uint64_t m_tick = 0;
    uint64_t m_generation = 0;  // changes with every load, so stale actions stop
    std::shared_ptr<Timeline> m_root;
    std::vector<Queued> m_queue;
    FsCommandHandler m_fsCommand;
    std::shared_ptr<size_t> m_liveCount = std::make_shared<size_t>(0);
    bool m_dirty = false;

    PixelRect m_viewport;
    ScaleMode m_scaleMode = ScaleMode::ShowAll;
    Matrix m_stageToPixels;

    std::weak_ptr<Instance> m_hover;
    std::weak_ptr<Instance> m_pressed;
    bool m_down = false;
    Rasterizer m_raster;
};

}  // namespace movieplayer
