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
            QString::number(f.penaltyL.running),
            QString::number(f.penaltyL.endSec),
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
             p.click(p.form.OpenOutput);
         },
         [](FakeSerialDevice& d) { d.failClose = false; }},
        {"open refused",
         [](FakeSerialDevice& d, Program& p) {
             p.click(p.form.OpenOutput);
             d.openable.clear(); // taken by another program since the listing
             p.click(p.form.OpenOutput);
         },
         [](FakeSerialDevice& d) { d.openable = {1}; }},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        Desk desk;
        Program& p = desk.p;
        FakeSerialDevice& device = desk.device;
        desk.live();
        p.type(p.form.Pkt_l, QStringLiteral("3"));
        p.click(p.form.St_St);
        p.click(p.form.StrafeL);
        desk.clock.advance(5);
        p.tick();
        ASSERT_TRUE(p.form.PortOpen);
        const QStringList before = matchState(p.form);

        fault.strike(device, p);
        p.click(p.form.br_high); // new content for the line
        p.tick();
        EXPECT_EQ(matchState(p.form), before);
        EXPECT_FALSE(p.form.PortOpen);
        EXPECT_EQ(p.form.OpenOutput.text, QStringLiteral("öffnen"));
        EXPECT_TRUE(p.form.Combo6.enabled);

        fault.repair(device);
        const size_t writes = device.writes.size();
        p.click(p.form.OpenOutput);
        p.tick();
        ASSERT_TRUE(p.form.PortOpen);
        ASSERT_GT(device.writes.size(), writes);
        EXPECT_EQ(device.writes.back().size(), 48) << "the scoreboard comes back";
    }
}

// "Ende" closes the port, reporting a failed close, before the window closes.
TEST(SerialFaults, EndeClosesThePortBeforeTheWindow) {
    Desk desk;
    desk.live();
    desk.device.failClose = true;
    bool openAtWindowClose = true;
    desk.p.closeWindow = [&] { openAtWindowClose = desk.device.isOpen(); };
    ASSERT_TRUE(desk.p.click(desk.p.form.Ende));
    EXPECT_FALSE(openAtWindowClose);
    EXPECT_FALSE(desk.p.form.PortOpen);
    EXPECT_EQ(desk.dialogs.boxes.size(), 1U);
}

} // namespace
} // namespace ml::test
