#include "serial_rig.h"

#include <gtest/gtest.h>

namespace ml::test {
namespace {

const QString kNoPort = QStringLiteral("Kein Comport verfügbar");
const QString kOpenFailed = QStringLiteral(
    "Fehler! Sind eventuell keine COM-Ports vorhanden oder die Einstellungen falsch?");

void expectBox(const RecordedBox& box, const QString& text) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, QStringLiteral("Marklight"));
    EXPECT_EQ(box.icon, Icon::None);
    EXPECT_EQ(box.buttons, Buttons::Ok);
}

void expectClosed(const Form& form) {
    EXPECT_FALSE(form.PortOpen);
    EXPECT_EQ(form.OpenOutput.text, QStringLiteral("öffnen"));
    EXPECT_TRUE(form.Combo6.enabled);
    EXPECT_TRUE(form.PortClosedWarn);
}

TEST(PortListing, PortsThreeAndTwelveAreListedInOrderWithTheirDevicesAndCount) {
    LinkRig r;
    r.device.openable = {12, 3};
    r.handlers.click[QStringLiteral("check_comPorts")]();
    EXPECT_EQ(r.form.Combo6.items,
              QStringList({QStringLiteral("COM 3"), QStringLiteral("COM 12")}));
    EXPECT_EQ(r.form.Combo6.notes,
              QStringList({QStringLiteral("fake3"), QStringLiteral("fake12")}));
    EXPECT_EQ(r.form.Combo6.currentText(), QStringLiteral("COM 3"));
    EXPECT_EQ(r.logLines(), QStringList({QStringLiteral(" +++ 2 Comport(s) verfügbar"),
                                         QStringLiteral(" +++ Vorhandene COM-Ports abfragen")}));
    EXPECT_TRUE(r.form.Text1.text.startsWith(QStringLiteral("14:05:09 +++ 2 Comport(s)")));
    EXPECT_TRUE(r.dialogs.boxes.empty());
    EXPECT_FALSE(r.device.isOpen()) << "every probe closes its port again";
}

TEST(PortListing, NoOpenablePortOrRefusedNumbersLeaveTheNoPortEntry) {
    for (bool refuse : {false, true}) {
        LinkRig r;
        r.device.openable = refuse ? QSet<int>{3} : QSet<int>{};
        r.device.refuseNumber = refuse;
        r.link.check_comPorts_Click();
        EXPECT_EQ(r.form.Combo6.items, QStringList({kNoPort}));
        EXPECT_EQ(r.form.Combo6.index, 0);
        EXPECT_EQ(r.logLines().first(), QStringLiteral(" +++ Kein Comport verfügbar"));
        EXPECT_TRUE(r.dialogs.boxes.empty()) << "a failed probe is silent";
    }
}

TEST(PortListing, WhileAPortIsOpenItIsClosedFirstAndListedAgain) {
    LinkRig r;
    r.openAt({3}, QStringLiteral("COM 3"));
    r.link.check_comPorts_Click();
    EXPECT_EQ(r.logLines(),
              QStringList({QStringLiteral(" +++ 1 Comport(s) verfügbar"),
                           QStringLiteral(" +++ Vorhandene COM-Ports abfragen"),
                           QStringLiteral(" +++ COM-Port 3 geschlossen"),
                           QStringLiteral(" +++ Versuch den COM-Port 3 zu schließen")}));
    EXPECT_EQ(r.form.Combo6.items, QStringList({QStringLiteral("COM 3")}));
    expectClosed(r.form);
}

TEST(PortOpen, Com12At2400OpensWithItsSettingsAndLocksTheList) {
    LinkRig r;
    r.device.openable = {3, 12};
    r.link.check_comPorts_Click();
    r.link.Baud_2400_Click();
    r.form.Combo6.index = 1;
    r.form.Text1.text.clear();
    r.handlers.click[QStringLiteral("OpenOutput")]();
    EXPECT_TRUE(r.device.isOpen());
    EXPECT_EQ(r.device.portNumber(), 12);
    EXPECT_EQ(r.device.settings, QStringLiteral("2400,n,8,1"));
    EXPECT_EQ(r.logLines(),
              QStringList({QStringLiteral(" +++ COM-Port 12 wurde geöffnet"),
                           QStringLiteral(" +++ Versuch den COM-Port 12 zu öffnen")}));
    EXPECT_TRUE(r.form.PortOpen);
    EXPECT_EQ(r.form.OpenOutput.text, QStringLiteral("schliessen"));
    EXPECT_FALSE(r.form.Combo6.enabled);
    EXPECT_TRUE(r.dialogs.boxes.empty());
}

TEST(PortOpen, NoPortEntryGivesTheBoxAndALineEndingInABlank) {
    LinkRig r;
    r.link.check_comPorts_Click();
    r.form.Text1.text.clear();
    r.link.OpenOutput_Click();
    ASSERT_EQ(r.dialogs.boxes.size(), 1u);
    expectBox(r.dialogs.boxes[0],
              QStringLiteral("Fehler! Sind eventuell keine COM-Ports vorhanden?"));
    EXPECT_EQ(r.logLines(),
              QStringList({QStringLiteral(" +++ COM-Port 0 kann nicht geöffnet werden "),
                           QStringLiteral(" +++ Versuch den COM-Port 0 zu öffnen")}));
    EXPECT_TRUE(r.device.settings.isEmpty()) << "the device is not touched";
    EXPECT_FALSE(r.form.PortOpen);
}

TEST(PortOpen, AFailedOpenOrARefusedNumberReportsAndStaysClosed) {
    for (bool refuse : {false, true}) {
        LinkRig r;
        r.device.openable = {5};
        r.link.check_comPorts_Click();
        r.device.openable.clear();
        r.device.refuseNumber = refuse;
        r.form.Text1.text.clear();
        // The tick that runs during the box sees the port closed.
        bool openDuringBox = true;
        r.dialogs.whileOpen = [&] { openDuringBox = r.form.PortOpen; };
        r.link.OpenOutput_Click();
        ASSERT_EQ(r.dialogs.boxes.size(), 1u);
        expectBox(r.dialogs.boxes[0], kOpenFailed);
        EXPECT_FALSE(openDuringBox);
        EXPECT_EQ(r.logLines(),
                  QStringList({QStringLiteral(" +++ COM-Port 5 kann nicht geöffnet werden"),
                               QStringLiteral(" +++ Versuch den COM-Port 5 zu öffnen")}));
        EXPECT_FALSE(r.form.PortOpen);
        EXPECT_EQ(r.form.OpenOutput.text, QStringLiteral("öffnen"));
        EXPECT_TRUE(r.form.Combo6.enabled);
    }
}

TEST(PortClose, AFailedCloseReportsAndStillClosesAfterTheBox) {
    LinkRig r;
    r.openAt({3, 7}, QStringLiteral("COM 7"));
    r.form.PortClosedWarn = false;
    r.form.Combo6.index = 0; // the selection plays no part in closing
    r.device.failClose = true;
    bool openDuringBox = false;
    r.dialogs.whileOpen = [&] { openDuringBox = r.form.PortOpen; };
    r.link.OpenOutput_Click();
    ASSERT_EQ(r.dialogs.boxes.size(), 1u);
    expectBox(r.dialogs.boxes[0], QStringLiteral("Fehler beim Schließen des Ports 7"));
    EXPECT_TRUE(openDuringBox);
    EXPECT_EQ(r.logLines(),
              QStringList({QStringLiteral(" +++ COM-Port 7 kann nicht geschlossen werden"),
                           QStringLiteral(" +++ Versuch den COM-Port 7 zu schließen")}));
    expectClosed(r.form);
}

TEST(PortExit, ExitWhileOpenWritesBothCloseLinesBeforeTheWindowCloses) {
    LinkRig r;
    r.openAt({3}, QStringLiteral("COM 3"));
    QStringList atClose;
    r.link.closeWindow = [&] { atClose = r.logLines(); };
    r.handlers.click[QStringLiteral("Ende")]();
    EXPECT_EQ(atClose, QStringList({QStringLiteral(" +++ COM-Port 3 geschlossen"),
                                    QStringLiteral(" +++ Versuch den COM-Port 3 zu schließen")}));
    EXPECT_FALSE(r.device.isOpen());
}

TEST(LineSpeed, EachItemTakesTheOnlyMarkAndAnOpenPortKeepsItsSpeed) {
    LinkRig r;
    r.openAt({3}, QStringLiteral("COM 3"));
    const struct {
        const char* name;
        MenuItem* item;
    } items[] = {{"Baud_1200", &r.form.Baud_1200},
                 {"Baud_2400", &r.form.Baud_2400},
                 {"Baud_4800", &r.form.Baud_4800},
                 {"Baud_9600", &r.form.Baud_9600}};
    for (const auto& clicked : items) {
        r.handlers.click[QString::fromLatin1(clicked.name)]();
        for (const auto& other : items)
            EXPECT_EQ(other.item->checked, other.item == clicked.item) << clicked.name;
    }
    r.link.Baud_4800_Click();
    EXPECT_EQ(r.device.settings, QStringLiteral("9600,n,8,1"));
    EXPECT_TRUE(r.device.isOpen());
    EXPECT_TRUE(r.form.Text1.text.isEmpty());
    r.link.OpenOutput_Click();
    r.link.OpenOutput_Click();
    EXPECT_EQ(r.device.settings, QStringLiteral("4800,n,8,1"));
}

TEST(LineWrite, ATransmissionGoesOutInOnePieceAsWindows1252) {
    LinkRig r;
    r.link.output(QStringLiteral("\x02"
                                 "1ä\n")); // closed: nothing is written
    r.openAt({3}, QStringLiteral("COM 3"));
    r.link.output(QStringLiteral("\x02"
                                 "1Öß\u20ac\n\x02"
                                 "2\u2014\n"));
    ASSERT_EQ(r.device.writes.size(), 1u);
    EXPECT_EQ(r.device.writes[0],
              bytes({0x02, '1', 0xD6, 0xDF, 0x80, 0x0A, 0x02, '2', 0x97, 0x0A}));
}

TEST(LineWrite, SlowLineHoldsAtMostOneWaitingTransmissionAndTheNewestWins) {
    LinkRig r;
    r.link.Baud_1200_Click();
    r.openAt({3}, QStringLiteral("COM 3"));
    r.device.holdWrites = true;
    for (const char* t : {"A", "B", "C", "D"})
        r.link.output(QString::fromLatin1(t));
    EXPECT_EQ(r.device.writes, std::vector<QByteArray>({"A"}));
    r.device.drain();
    EXPECT_EQ(r.device.writes, std::vector<QByteArray>({"A", "D"}));
    r.link.output(QStringLiteral("E"));
    r.device.drain();
    r.device.drain();
    EXPECT_EQ(r.device.writes, std::vector<QByteArray>({"A", "D", "E"}));
}

TEST(LineWrite, ACommandInOrderIsNeverReplacedAndLaterContentWaitsBehindIt) {
    LinkRig r;
    r.openAt({3}, QStringLiteral("COM 3"));
    r.device.holdWrites = true;
    r.link.output(QStringLiteral("A"));
    r.link.output(QStringLiteral("B"));
    r.link.outputInOrder(QStringLiteral("M"));
    r.link.output(QStringLiteral("C"));
    r.link.output(QStringLiteral("D"));
    for (int i = 0; i < 4; ++i)
        r.device.drain();
    EXPECT_EQ(r.device.writes, std::vector<QByteArray>({"A", "B", "M", "D"}));
}

TEST(LineWrite, WhatWaitsIsForgottenWhenThePortCloses) {
    LinkRig r;
    r.openAt({3}, QStringLiteral("COM 3"));
    r.device.holdWrites = true;
    r.link.output(QStringLiteral("A"));
    r.link.output(QStringLiteral("B"));
    r.link.OpenOutput_Click();
    r.link.OpenOutput_Click();
    r.device.drain();
    r.link.output(QStringLiteral("C"));
    EXPECT_EQ(r.device.writes, std::vector<QByteArray>({"A", "C"}));
}

TEST(DeviceFailure, AFailingDeviceIsReportedAndTakesTheClosePath) {
    LinkRig r;
    r.openAt({3}, QStringLiteral("COM 3"));
    r.form.PortClosedWarn = false;
    r.form.D_Min.text = QStringLiteral("12");
    int writesDuringBox = -1;
    r.dialogs.whileOpen = [&] {
        // A tick while the box is up: nothing goes to the failed device, no second report.
        r.link.output(QStringLiteral("X"));
        r.device.fail(QStringLiteral("again"));
        writesDuringBox = static_cast<int>(r.device.writes.size());
    };
    r.device.fail(QStringLiteral("Gerät nicht mehr erreichbar"));
    r.dialogs.whileOpen = nullptr;
    ASSERT_EQ(r.dialogs.boxes.size(), 1u);
    expectBox(
        r.dialogs.boxes[0],
        QStringLiteral("Fehler! Der COM-Port 3 ist ausgefallen: Gerät nicht mehr erreichbar"));
    EXPECT_EQ(writesDuringBox, 0);
    EXPECT_EQ(
        r.logLines(),
        QStringList({QStringLiteral(" +++ COM-Port 3 geschlossen"),
                     QStringLiteral(" +++ Versuch den COM-Port 3 zu schließen"),
                     QStringLiteral(" +++ COM-Port 3 ausgefallen: Gerät nicht mehr erreichbar")}));
    expectClosed(r.form);
    EXPECT_FALSE(r.device.isOpen());
    EXPECT_EQ(r.form.D_Min.text, QStringLiteral("12"));

    r.device.fail(QStringLiteral("late"));
    EXPECT_EQ(r.dialogs.boxes.size(), 1u) << "a closed port has nothing to report";
    r.link.OpenOutput_Click();
    EXPECT_TRUE(r.form.PortOpen);
    r.link.output(QStringLiteral("Y"));
    EXPECT_EQ(r.device.writes, std::vector<QByteArray>({"Y"}));
}

TEST(DeviceFailure, ARefusedWriteIsReportedAsAWriteErrorAndClosesThePort) {
    LinkRig r;
    r.openAt({3}, QStringLiteral("COM 3"));
    r.device.failWrite = true;
    r.link.output(QStringLiteral("A"));
    ASSERT_EQ(r.dialogs.boxes.size(), 1u);
    EXPECT_EQ(r.dialogs.boxes[0].text,
              QStringLiteral("Fehler! Der COM-Port 3 ist ausgefallen: Schreibfehler"));
    EXPECT_EQ(r.logLines().last(), QStringLiteral(" +++ COM-Port 3 ausgefallen: Schreibfehler"));
    expectClosed(r.form);
}

TEST(DeviceFailure, AWriteRefusedAfterTheLineDrainedTakesTheSamePath) {
    LinkRig r;
    r.openAt({3}, QStringLiteral("COM 3"));
    r.device.holdWrites = true;
    r.link.output(QStringLiteral("A"));
    r.link.output(QStringLiteral("B"));
    r.device.failWrite = true;
    r.device.drain();
    ASSERT_EQ(r.dialogs.boxes.size(), 1u);
    expectClosed(r.form);
}

} // namespace
} // namespace ml::test
