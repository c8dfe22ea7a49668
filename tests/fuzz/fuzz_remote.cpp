// libFuzzer target over what a remote sends: the command parser, and the rules of the remote
// control behind it on a running desk. An input that starts with 'K' is a message given the
// right key, so that the fuzzer reaches the commands that run.

#include "tests/support/desk.h"
#include "web/remote_control.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ml;
    static test::Desk desk;
    static web::RemoteControl control(desk.p, desk.clock, desk.storage);
    static int id = 0;
    static quint32 address = 0x0A000001;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)web::parseRemoteMessage(bytes);
    desk.clock.advanceMs(150);
    // A connection paired anew, from a fresh address once one is locked out.
    control.cut = [](int cut) {
        id = 0;
        control.close(cut);
    };
    while (id == 0) {
        id = control.open(QHostAddress(address++));
        control.receive(id, QJsonDocument(QJsonObject{{"type", "hello"},
                                                      {"key", control.keyText()},
                                                      {"at", double(desk.clock.wallMs())}})
                                .toJson());
    }
    QJsonObject keyed = QJsonDocument::fromJson(bytes.mid(1)).object();
    keyed.insert(QStringLiteral("key"), control.keyText());
    control.receive(id, bytes.startsWith('K') ? QJsonDocument(keyed).toJson() : bytes);
    return 0;
}
