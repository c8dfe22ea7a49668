// libFuzzer target over what a remote sends: the command parser, and the rules of the remote
// control behind it on a running desk. An input that starts with 'K' is a message proven with
// the right key over the connection's challenge, so that the fuzzer reaches the commands that
// run; now and then the time passes on to what is due (a horn let go, a hello too late).

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
    control.challenge = [] { return QStringLiteral("0123456789abcdef0123456789abcdef"); };
    const QByteArray key = QByteArray::fromHex(control.keyText().toLatin1());
    const auto proven = [&key](const QJsonObject& m) {
        return QJsonDocument(web::withMac(m, key, control.challenge())).toJson();
    };
    while (id == 0) {
        id = control.open(QHostAddress(address++));
        control.greet(id);
        control.receive(id, proven({{"type", "hello"}, {"at", double(desk.clock.wallMs())}}));
    }
    control.receive(
        id, bytes.startsWith('K') ? proven(QJsonDocument::fromJson(bytes.mid(1)).object()) : bytes);
    if (size % 7 == 0) {
        desk.clock.advanceMs(1000);
        control.due();
    }
    return 0;
}
