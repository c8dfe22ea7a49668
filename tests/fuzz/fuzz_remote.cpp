// libFuzzer target over what a remote sends: the command parser, and the rules of the remote
// control behind it on a running desk. An input that starts with 'K' is a message given the
// right key, so that the fuzzer reaches the commands that run.

#include "tests/support/desk.h"
#include "web/remote_control.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

struct Remote {
    int argc = 1;
    char name[7] = "remote";
    char* argv[1] = {name};
    QCoreApplication app{argc, argv};
    ml::test::Desk desk;
    ml::web::RemoteControl control{desk.p, desk.clock, desk.storage};
    int id = 0;
    quint32 address = 0x0A000001;

    Remote() {
        desk.live();
        control.cut = [this](int cut) {
            control.close(cut);
            id = 0;
        };
    }
    // A paired connection, from a fresh address once one is locked out.
    void pair() {
        while (id == 0)
            id = control.open(QHostAddress(address++));
        const QJsonObject hello{{"type", "hello"},
                                {"key", control.keyText()},
                                {"at", double(desk.clock.wallMs())}};
        control.receive(id, QJsonDocument(hello).toJson());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Remote remote;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)ml::web::parseRemoteMessage(bytes);
    remote.desk.clock.advanceMs(150);
    if (remote.id == 0)
        remote.pair();
    if (bytes.startsWith('K')) {
        QJsonObject m = QJsonDocument::fromJson(bytes.mid(1)).object();
        m.insert(QStringLiteral("key"), remote.control.keyText());
        remote.control.receive(remote.id, QJsonDocument(m).toJson());
    } else {
        remote.control.receive(remote.id, bytes);
    }
    return 0;
}
