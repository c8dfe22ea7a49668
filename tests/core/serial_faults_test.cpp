// Faults of the serial line in the middle of a match: whatever the line does, the match goes on
// unchanged, the port ends up closed and free to choose again, and opening it again brings the
// scoreboard back.

#include "tests/support/desk.h"

#include <gtest/gtest.h>

namespace ml::test {
namespace {

TEST(SerialFaults, LeaveTheMatchAsItWasAndThePortReadyToOpenAgain) {
    const std::pair<const char*, std::function<void(Desk&)>> faults[] = {
        {"write refused", [](Desk& d) { d.device.failWrite = true; }},
        {"device gone", [](Desk& d) { d.device.fail(QStringLiteral("weg")); }},
        {"close fails", [](Desk& d) { d.device.failClose = true, d.p.click(d.p.form.OpenOutput); }},
        {"open refused", // taken by another program since the listing
         [](Desk& d) {
             d.p.click(d.p.form.OpenOutput);
             d.device.openable.clear();
             d.p.click(d.p.form.OpenOutput);
         }},
    };
    for (const auto& [name, strike] : faults) {
        SCOPED_TRACE(name);
        Desk d;
        Form& f = d.p.form;
        d.live();
        d.p.type(f.Pkt_l, QStringLiteral("3"));
        d.p.click(f.St_St);
        d.p.click(f.StrafeL);
        d.pass(5000);
        const auto match = [&f] {
            return QStringList{f.D_Min.text,
                               f.D_Sec.text,
                               f.Pkt_l.text,
                               f.TxtStrL.text,
                               QString::number(f.ClockRunning),
                               QString::number(f.penaltyL.endSec)};
        };
        const QStringList before = match();

        strike(d);
        d.p.click(f.br_high); // new content for the line
        d.p.tick();
        EXPECT_EQ(match(), before);
        EXPECT_FALSE(f.PortOpen);
        EXPECT_EQ(f.OpenOutput.text, QStringLiteral("öffnen"));
        EXPECT_TRUE(f.Combo6.enabled);

        d.device.failWrite = d.device.failClose = false;
        d.device.openable = {1};
        d.p.click(f.OpenOutput);
        d.p.tick();
        EXPECT_EQ(d.wire().brightness, 3) << "the scoreboard comes back";
        EXPECT_EQ(d.rows()[1].left(4), QStringLiteral(" 3  "));
    }
}

} // namespace
} // namespace ml::test
