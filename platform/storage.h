#pragma once

// What outlives a run: the operator's settings, the state of the match under way (so that a
// crashed match can be resumed) and the record of every match. The core decides what to keep and
// when; this interface only keeps it. Writes may finish later, off the user-interface thread, so
// that the tick never waits for a disk; their faults are asked for with `fault`.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

namespace ml {

class Storage {
  public:
    virtual ~Storage() = default;

    // --- settings ---
    virtual QVariantMap readSettings() = 0;
    // Replaces every stored setting by `values`; an empty map forgets them all.
    virtual void writeSettings(const QVariantMap& values) = 0;

    // --- the club's own sports: presets copied and changed, in a file beside the settings ---
    // The file's bytes; nothing when there is none, empty bytes when it cannot be read.
    virtual std::optional<QByteArray> readSports() = 0;
    // Replaces the file whole; a write that fails is a fault of the settings.
    virtual void writeSports(const QByteArray& bytes) = 0;

    // --- the state of the match under way ---
    // Claims the state for this run; false when another running instance holds it. A run that
    // has not claimed it neither reads nor writes it.
    virtual bool claimState() = 0;
    // The state last saved; nothing when there is none. A file that exists but cannot be read
    // (or is no regular file, or is too large for a state) gives empty bytes.
    virtual std::optional<QByteArray> readState() = 0;
    // Replaces the saved state in one step: a crash in the middle leaves the previous state.
    virtual void writeState(const QByteArray& state) = 0;
    enum class Aside { Backup, Unreadable };
    // Moves the saved state out of the way, kept under a name that says why; returns that name.
    virtual QString setStateAside(Aside why) = 0;

    // --- the record of a match: every log line, oldest first, never cut ---
    // Begins a new record and returns its name.
    virtual QString startRecord() = 0;
    // Appends to the record `name` (begun by an earlier run) from now on; false when it is gone.
    virtual bool continueRecord(const QString& name) = 0;
    virtual void appendRecord(const QString& line) = 0;
    // The lines of the current record, oldest first.
    virtual QStringList recordLines() = 0;

    // --- the key that pairs a remote: a file of its own beside the settings, which only this
    // user may read or write ---
    // The key kept last; nothing when there is none. A file that is no regular file or holds
    // more than a key gives empty bytes.
    virtual std::optional<QByteArray> readRemoteKey() = 0;
    // Replaces the kept key in one step; the reason when that fails (the older key stays).
    virtual std::optional<QString> writeRemoteKey(const QByteArray& key) = 0;
    // Makes the key's file this user's alone again when it has been opened to others (by hand, by
    // a copy); true when it had been.
    virtual bool guardRemoteKey() = 0;

    // --- the MQTT broker's password: a file of its own beside the settings, which only this user
    // may read or write ---
    // The password kept last; nothing when there is none.
    virtual std::optional<QByteArray> readBrokerPassword() = 0;
    // Replaces the kept password in one step (empty bytes: none); the reason when that fails.
    virtual std::optional<QString> writeBrokerPassword(const QByteArray& password) = 0;

    // Writes the whole file at `path` (chosen by the operator) in one step, all its bytes on the
    // disk before it replaces an older file; the reason when it fails (the older file stays).
    virtual std::optional<QString> writeFile(const QString& path, const QByteArray& bytes) = 0;

    // What is kept, told apart for its faults.
    enum class Kept { Settings, State, Record };
    // Why the last write of `what` failed: the reason ("Datenträger voll", "schreibgeschützt",
    // "keine Berechtigung", or the system's words) and the path in brackets. Empty while its writes
    // succeed: a write that succeeds again takes the fault back.
    virtual QString fault(Kept what) = 0;
};

} // namespace ml
