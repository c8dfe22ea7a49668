// Faults of the serial line in the middle of a match: whatever the line does, the match goes on
// unchanged, the port ends up closed, and opening it again brings the scoreboard back.

#include "tests/support/desk.h"

#include <gtest/gtest.h>

namespace ml::test {
namespace {

struct Fault {
    const char* name;
    std::function<void(FakeSerialDevice&, Program&)> strike;
    std::function<void(FakeSerialDevice&)> repair;
};

QStringList matchState(const Form& f) {
    return {f.D_Min.text,
            f.D_Sec.text,
            f.Pkt_l.text,
            f.Pkt_r.text,
            f.TxtStrL.text,
            f.Text_l.text,
            f.Text_r.text,
            QString::number(f.ClockRunning),
            QString::number(f.StrafeLActive),
            QString::number(f.StrafeLEndSec),
            f.FreeT_O.text};
}

TEST(SerialFaults, MatchStateSurvivesAndPortReopens) {
    const Fault faults[] = {
        {"write refused", [](FakeSerialDevice& d, Program&) { d.failWrite = true; },
         [](FakeSerialDevice& d) { d.failWrite = false; }},
        {"device gone", [](FakeSerialDevice& d, Program&) { d.fail(QStringLiteral("weg")); },
         [](FakeSerialDevice&) {}},
        {"close fails",
         [](FakeSerialDevice& d, Program& p) {
             d.failClose = true;
             p.click(QStringLiteral("OpenOutput"));
         },
         [](FakeSerialDevice& d) { d.failClose = false; }},
        {"open refused",
         [](FakeSerialDevice& d, Program& p) {
             p.click(QStringLiteral("OpenOutput"));
             d.openable.clear(); // taken by another program since the listing
             p.click(QStringLiteral("OpenOutput"));
         },
         [](FakeSerialDevice& d) { d.openable = {1}; }},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        Desk desk;
        Program& p = desk.p;
        FakeSerialDevice& device = desk.device;
        desk.live();
        p.type(QStringLiteral("Pkt_l"), QStringLiteral("3"));
        p.click(QStringLiteral("St_St"));
        p.click(QStringLiteral("StrafeL"));
        desk.clock.advance(5);
        p.tick();
        ASSERT_TRUE(p.form.PortOpen);
        const QStringList before = matchState(p.form);

        fault.strike(device, p);
        p.click(QStringLiteral("br_high")); // new content for the line
        p.tick();
        EXPECT_EQ(matchState(p.form), before);
        EXPECT_FALSE(p.form.PortOpen);
        EXPECT_EQ(p.form.OpenOutput.text, QStringLiteral("öffnen"));
        EXPECT_TRUE(p.form.Combo6.enabled);

        fault.repair(device);
        const size_t writes = device.writes.size();
        p.click(QStringLiteral("OpenOutput"));
        p.tick();
        ASSERT_TRUE(p.form.PortOpen);
        ASSERT_GT(device.writes.size(), writes);
        EXPECT_EQ(device.writes.back().size(), 48) << "the scoreboard comes back";
    }
}

} // namespace
} // namespace ml::test
