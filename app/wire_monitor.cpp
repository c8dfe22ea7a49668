#include "app/wire_monitor.h"

#include "serial/windows1252.h"

#include <QCoreApplication>

namespace ml::app {

WireMonitor::WireMonitor(QString title, QString kept)
    : title_(std::move(title)), kept_(std::move(kept)) {
    clock_.start();
}

WireMonitor::~WireMonitor() {
    delete window_;
}

void WireMonitor::written(const QByteArray& bytes) {
    lastRehearsal_.clear();
    feed(bytes, {});
}

void WireMonitor::rehearsed(const QString& transmission) {
    // Encoded as the port would write it; like the port, only when it changed.
    const QByteArray bytes = toWindows1252(transmission);
    if (bytes == lastRehearsal_)
        return;
    lastRehearsal_ = bytes;
    feed(bytes,
         QCoreApplication::translate("ml::app::WireMonitor",
                                     "COM-Port nicht geöffnet – so würde die Anzeige aussehen"));
}

void WireMonitor::feed(const QByteArray& bytes, const QString& note) {
    // Each write is a whole transmission: nothing more of it is to come.
    decoder_.feed(bytes, clock_.elapsed());
    decoder_.flush(clock_.elapsed());
    note_ = note;
    if (window_) {
        window_->setNote(note_);
        window_->refresh();
    }
}

void WireMonitor::show() {
    if (!window_) {
        window_ = new monitor::LedMonitor(
            decoder_, [this] { return clock_.elapsed(); }, title_, kept_);
        // The monitor does not keep Marklight running once the main window is closed.
        window_->setAttribute(Qt::WA_QuitOnClose, false);
        window_->setNote(note_);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

bool TappedSerialDevice::write(const QByteArray& bytes) {
    const bool accepted = device_.write(bytes);
    if (accepted && tap_)
        tap_(bytes);
    return accepted;
}

} // namespace ml::app
