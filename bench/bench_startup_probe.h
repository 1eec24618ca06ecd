#pragma once

// The child side of bench_startup, shared by the program's start and the bare
// window's so both are measured alike. The parent puts the monotonic time at
// which it started the child into PILLORA_BENCH_SPAWNED_NS.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace StartupProbe {

inline long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

inline double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Waits for the first window to be exposed, and for the paint that follows to
// finish, then either prints the time since the start and quits ("shown"),
// or stays idle for idleSeconds and prints the CPU it used meanwhile ("idle").
class Probe : public QObject
{
public:
    Probe(bool idle, double idleSeconds) : m_idle(idle), m_idleSeconds(idleSeconds)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Expose) {
            const auto *window = qobject_cast<QWindow *>(watched);
            if (window && window->isExposed()) {
                m_seen = true;
                QTimer::singleShot(0, this, [this] { firstShown(); });
            }
        }
        return false;
    }

private:
    void firstShown()
    {
        if (!m_idle) {
            const char *spawned = std::getenv("PILLORA_BENCH_SPAWNED_NS");
            const long long start = spawned ? std::atoll(spawned) : 0;
            std::printf("shown_us=%lld\n", (monotonicNs() - start) / 1000);
            std::fflush(stdout);
            QCoreApplication::quit();
            return;
        }
        // Work a window leaves for after its first paint is start-up, not idling.
        QTimer::singleShot(SettleMs, this, [this] { measureIdle(); });
    }

    void measureIdle()
    {
        const long long wallStart = monotonicNs();
        const double cpuStart = cpuSeconds();
        QTimer::singleShot(int(m_idleSeconds * 1000), this, [wallStart, cpuStart] {
            const double wall = double(monotonicNs() - wallStart) / 1e9;
            std::printf("cpu_percent=%.4f\n", 100.0 * (cpuSeconds() - cpuStart) / wall);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }

    static constexpr int SettleMs = 500;

    bool m_idle;
    double m_idleSeconds;
    bool m_seen = false;
};

} // namespace StartupProbe
