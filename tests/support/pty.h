#pragma once

// Pseudo-terminal pairs for tests that reach the serial link through MARKLIGHT_PORTS. The test
// holds the master side, as the display line would.

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <functional>

namespace ml::test {

// One pseudo-terminal pair. The slave stays open here too, to read its line settings.
struct Pty {
    Pty() {
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0)
            path = QString::fromLocal8Bit(name);
    }
    ~Pty() { closeBoth(); }
    void closeBoth() {
        for (int fd : {master, slave})
            if (fd >= 0)
                ::close(fd);
        master = slave = -1;
    }
    int master = -1;
    int slave = -1;
    QString path;
};

// The one application object of a test program that runs an event loop.
inline void application() {
    static int argc = 1;
    static char name[] = "marklight-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Runs the event loop until `done` holds or `ms` have passed.
inline bool waitFor(const std::function<bool()>& done, qint64 ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// What reaches the master side until `count` bytes have come.
inline QByteArray readMaster(const Pty& pty, qsizetype count) {
    QByteArray got;
    waitFor([&] {
        pollfd p{pty.master, POLLIN, 0};
        char buf[256];
        if (::poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
            const ssize_t n = ::read(pty.master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, n);
        }
        return got.size() >= count;
    });
    return got;
}

} // namespace ml::test
