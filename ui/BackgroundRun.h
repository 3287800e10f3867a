#pragma once
// A long calculation run off the window's thread, so that the window stays responsive
// and its progress reaches the status bar: the job gets a stop request that it looks at,
// and when it has ended the window is told on its own thread whether it was cancelled.
// Destroying the run cancels the job and waits for it.
#include "calc/indoor/RoomGrid.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

namespace qv {

class BackgroundRun {
public:
    using Job = std::function<void(const GridCancel& cancel)>;
    using Done = std::function<void(bool cancelled)>;

    // done is delivered through owner's event loop; owner outlives the run.
    explicit BackgroundRun(QObject& owner) : m_owner(owner) {}
    ~BackgroundRun();
    BackgroundRun(const BackgroundRun&) = delete;
    BackgroundRun& operator=(const BackgroundRun&) = delete;

    // Whether a job was started whose end the window has not been told yet.
    bool Running() const { return static_cast<bool>(m_done); }
    // Starts job on its own thread; false, with nothing started, while one is running.
    bool Start(Job job, Done done);
    // Asks the job to stop; done follows with cancelled set.
    void Cancel() { m_cancel.store(true, std::memory_order_relaxed); }
    // Waits for the job and tells the window at once (tests, closing).
    void Wait();

private:
    // Joins the ended job of the generation and delivers done once; the end of an
    // older job (already delivered by Wait) is ignored.
    void Finish(unsigned generation);

    QObject& m_owner;
    std::thread m_thread;
    GridCancel m_cancel{false};
    Done m_done;
    unsigned m_generation = 0;
};

} // namespace qv
