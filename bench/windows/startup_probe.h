// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>

// Reports the moment a window is first painted, as wall-clock nanoseconds
// (CLOCK_REALTIME, so that the timing script can subtract the moment it
// started the process), and the process's peak and current resident memory.
namespace dealwise::bench {

inline long long realtimeNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// VmHWM and VmRSS from /proc/self/status, in kilobytes.
inline std::pair<long, long> residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    long peak = 0, current = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:")) {
                peak = line.mid(6).trimmed().split(' ').first().toLong();
            } else if (line.startsWith("VmRSS:")) {
                current = line.mid(6).trimmed().split(' ').first().toLong();
            }
        }
    }
    return {peak, current};
}

inline void reportMemory(const char* when) {
    const auto [peak, current] = residentKilobytes();
    std::printf("memory %s peak_kb=%ld rss_kb=%ld\n", when, peak, current);
    std::fflush(stdout);
}

// Watches the whole application for the first paint of any widget of the
// window named `windowName` (a window covered by its children gets no paint
// of its own). The paint pass that starts there runs to its end before
// queued calls, so the time is taken in one: when the first frame is drawn.
class FirstPaint : public QObject {
public:
    FirstPaint(QString windowName, std::function<void()> then)
        : windowName_(std::move(windowName)), then_(std::move(then)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) {
            return false;
        }
        if (static_cast<QWidget*>(watched)->window()->objectName() != windowName_) {
            return false;
        }
        qApp->removeEventFilter(this);
        QMetaObject::invokeMethod(
            this,
            [this] {
                std::printf("first_paint_ns %lld\n", realtimeNanoseconds());
                std::fflush(stdout);
                then_();
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    QString windowName_;
    std::function<void()> then_;
};

} // namespace dealwise::bench
