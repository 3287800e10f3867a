#include "ui/BackgroundRun.h"

#include <QMetaObject>

namespace qv {

BackgroundRun::~BackgroundRun() {
    Cancel();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool BackgroundRun::Start(Job job, Done done) {
    if (Running()) {
        return false;
    }
    if (m_thread.joinable()) {
        m_thread.join(); // a cancelled job whose end was delivered by Wait
    }
    m_cancel.store(false, std::memory_order_relaxed);
    m_done = std::move(done);
    const unsigned generation = ++m_generation;
    m_thread = std::thread([this, generation, job = std::move(job)] {
        job(m_cancel);
        QMetaObject::invokeMethod(
            &m_owner, [this, generation] { Finish(generation); }, Qt::QueuedConnection);
    });
    return true;
}

void BackgroundRun::Wait() {
    Finish(m_generation);
}

void BackgroundRun::Finish(unsigned generation) {
    if (!m_done || generation != m_generation) {
        return; // already delivered (Wait came first)
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    const Done done = std::move(m_done);
    m_done = nullptr;
    done(m_cancel.load(std::memory_order_relaxed));
}

} // namespace qv
