// What is kept between runs: settings, the match under way (resumed after a crash) and the
// match record, over storage in memory. A "crash" is a run destroyed without "Ende".

#include "core/commands.h"
#include "core/match_report.h"
#include "core/match_state.h"
#include "form/setting_table.h"
#include "tests/support/desk.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << s.toStdString();
}
inline void PrintTo(const QJsonObject& o, std::ostream* os) {
    *os << QJsonDocument(o).toJson().toStdString();
}
inline void PrintTo(const QJsonArray& a, std::ostream* os) {
    *os << QJsonDocument(a).toJson(QJsonDocument::Compact).toStdString();
}

namespace ml::test {
namespace {

// One run of the program: a desk on the shared clock and kept files, with ports 1 and 2.
struct Session : Desk {
    Session(FakeClock& c, FakeStorage& s, std::optional<Answer> answer = std::nullopt)
        : Desk(c, s, {1, 2}, answer) {}
};

struct Store : ::testing::Test {
    FakeClock clock{QStringLiteral("10:00:00")};
    FakeStorage storage;
    std::unique_ptr<Session> run = std::make_unique<Session>(clock, storage);

    // Time passes on the wall and on the time of day alike.
    void pass(int seconds, bool ticking = false) {
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1);
            if (ticking)
                run->p.tick();
        }
    }
    std::unique_ptr<Session> restart(std::optional<Answer> answer = Answer::Yes) {
        return std::make_unique<Session>(clock, storage, answer);
    }
    static QString shown(const Form& f) { return f.D_Min.text + ':' + f.D_Sec.text; }
    // The stored form, but the second clock and the penalties' boxes and ends only while they
    // are shown: a count that ended while the program was down leaves the last value it showed.
    static QJsonObject seen(const Form& f) {
        QJsonObject content = stateContent(f);
        QJsonObject controls = content[QStringLiteral("controls")].toObject();
        for (const TextControl* box : {&f.Spec_Min, &f.Spec_Sec, &f.TxtStrL, &f.TxtStrR})
            if (!box->visible)
                controls.remove(box->name);
        content[QStringLiteral("controls")] = controls;
        QJsonObject fields = content[QStringLiteral("fields")].toObject();
        for (const auto& [side, penalty] :
             {std::pair{"penaltyL", &f.penaltyL}, {"penaltyR", &f.penaltyR}})
            if (!penalty->running)
                for (const char* end : {".endMin", ".endSec"})
                    fields.remove(QLatin1String(side) + QLatin1String(end));
        content[QStringLiteral("fields")] = fields;
        return content;
    }
};

TEST_F(Store, SettingsComeBackAndImpossibleOnesFallBackOneByOne) {
    Session& r = *run;
    r.click("Baud_2400");
    r.click("br_high");
    r.click("miror");
    r.click("Mode_up");
    r.type("Startwert", "15.0");
    r.type("TimeoutValue", "0.5");
    r.type("BreakValue", "10.0");
    r.type("ValStrafeL", "5.0");
    r.type("ValStrafeR", "1.0");
    r.type("Text_l", "Füchse");
    r.type("Text_r", "Bären");
    r.p.select(r.p.form.Combo6, QStringLiteral("COM 2"));
    for (const auto& [name, value] : {std::pair{"HornOn", 0},
                                      {"HornLength", 3000},
                                      {"StopAtZero", 1},
                                      {"WebOn", 1},
                                      {"WebNetwork", 1},
                                      {"WebPort", 18470},
                                      {"MqttOn", 1},
                                      {"MqttPort", 8883},
                                      {"MqttTls", 1}})
        r.p.setting(QLatin1String(name), value);
    r.p.brokerTexts({false, QStringLiteral("broker.halle"), 0, false, QStringLiteral("/etc/ca.crt"),
                     QStringLiteral("feld2"), QStringLiteral("geheim"), QStringLiteral("halle1"),
                     QStringLiteral("Feld 2")});
    r.p.form.settings[SettingId::WindowScale] = 150;
    r.p.viewChanged();
    // The next start shows the clock at the kept start value.
    r.p.match.ResetTime();
    const QJsonObject kept = stateContent(r.p.form);
    r.click("Ende"); // no match to resume: the settings alone

    Session again(clock, storage);
    EXPECT_EQ(stateContent(again.p.form), kept);
    EXPECT_EQ(again.p.form.brightness(), 3);
    EXPECT_FALSE(again.p.form.PortOpen);
    EXPECT_TRUE(!again.p.form.settings[SettingId::HornOn] && !again.p.form.horn.enabled &&
                again.p.form.settings[SettingId::StopAtZero]);
    EXPECT_EQ(again.p.form.settings[SettingId::HornLength], 3000);
    EXPECT_TRUE(again.p.form.settings[SettingId::WebOn] &&
                again.p.form.settings[SettingId::WebNetwork] &&
                again.p.form.settings[SettingId::WebPort] == 18470);
    EXPECT_EQ(again.p.form.settings[SettingId::WindowScale], 150);
    const BrokerSettings broker = brokerSettings(again.p.form);
    EXPECT_EQ(broker, (BrokerSettings{true,
                                      QStringLiteral("broker.halle"),
                                      8883,
                                      true,
                                      QStringLiteral("/etc/ca.crt"),
                                      QStringLiteral("feld2"),
                                      {},
                                      QStringLiteral("halle1"),
                                      QStringLiteral("Feld 2")}));
    // The password is never among the settings.
    for (const QVariant& v : std::as_const(storage.settings))
        EXPECT_NE(v.toString(), QStringLiteral("geheim"));
    // The names typed, newest first, each once and the last 20 only.
    EXPECT_EQ(again.p.form.TeamNames,
              QStringList({QStringLiteral("Bären"), QStringLiteral("Füchse")}));
    for (int i = 0; i < 25; ++i) {
        again.type(i % 2 ? "Text_l" : "Text_r", QString::number(i % 21).toUtf8().constData());
        again.p.typingEnded();
    }
    EXPECT_EQ(again.p.form.TeamNames.size(), kTeamNamesKept);
    EXPECT_EQ(again.p.form.TeamNames.first(), QStringLiteral("3"));
    EXPECT_EQ(again.p.form.TeamNames.count(QStringLiteral("3")), 1);
    again.type("Text_l", "Füchse");
    again.type("Text_r", "Bären");
    again.click("Ende");

    storage.settings[QStringLiteral("baud")] = QStringLiteral("12345");
    storage.settings[QStringLiteral("brightness")] = QStringLiteral("7");
    storage.settings[QStringLiteral("homeName")] = QString(10000, QLatin1Char('x'));
    storage.settings[QStringLiteral("breakLength")] = QStringLiteral("-3.0");
    storage.settings[QStringLiteral("mirror")] = QStringLiteral("vielleicht");
    storage.settings[QStringLiteral("portDevice")] = QStringLiteral("/dev/weg");
    storage.settings[QStringLiteral("hornLengthMs")] = QStringLiteral("-1");
    storage.settings[QStringLiteral("webPort")] = QStringLiteral("70000");
    storage.settings[QStringLiteral("windowScale")] = QStringLiteral("130");
    // A name that would reach into other courts' topics.
    storage.settings[QStringLiteral("mqttHall")] = QStringLiteral("halle1/#");
    storage.settings[QStringLiteral("teamNames/1")] = QString(100, QLatin1Char('x'));
    Session bad(clock, storage);
    const Form& f = bad.p.form;
    EXPECT_TRUE(f.Baud_9600.checked && f.br_low.checked && !f.miror.checked);
    EXPECT_EQ(f.Text_l.text, QStringLiteral("Heim"));
    EXPECT_EQ(f.BreakValue.text, QStringLiteral("5.0"));
    EXPECT_EQ(f.Combo6.currentText(), QStringLiteral("COM 1"));
    EXPECT_EQ(f.Text_r.text, QStringLiteral("Bären")); // the good values stay
    EXPECT_EQ(f.Startwert.text, QStringLiteral("15.0"));
    EXPECT_EQ(f.settings[SettingId::HornLength], 1500);
    EXPECT_EQ(f.settings[SettingId::WebPort], 8470);
    EXPECT_EQ(f.settings[SettingId::WindowScale], 100);
    EXPECT_TRUE(f.MqttHall.isEmpty());
    EXPECT_EQ(f.MqttCourt, QStringLiteral("Feld 2"));
    EXPECT_EQ(f.TeamNames.size(), kTeamNamesKept - 1); // the impossible one left out
    EXPECT_EQ(f.TeamNames.first(), QStringLiteral("Füchse"));

    bad.click("ResetSettings");
    Session reset(clock, storage);
    EXPECT_TRUE(reset.p.form.Mode_down.checked);
    EXPECT_EQ(reset.p.form.Text_r.text, QStringLiteral("Gegner"));
    EXPECT_EQ(reset.p.form.Startwert.text, QStringLiteral("20.0"));
}

// The club's keys ("Extras → Tasten…"): each row a change of the table and how it is refused.
TEST(SettingTable, EachDefaultIsAValueTheSettingTakesAndEachKeyIsItsOwn) {
    QStringList keys;
    for (const Setting& s : settingTable()) {
        EXPECT_TRUE(takes(s, s.standard)) << s.name;
        EXPECT_TRUE(!s.flag || (s.min == 0 && s.max == 1)) << s.name;
        EXPECT_FALSE(keys.contains(QLatin1String(s.key))) << s.key;
        keys.append(QLatin1String(s.key));
    }
}

TEST_F(Store, ChangedKeysRunTheirCommandsAndComeBackWithTheSettings) {
    KeyTable& keys = run->p.keys;
    const struct {
        const char* command;
        int slot;
        const char* key;
        const char* refusal;
    } rows[] = {
        {"clock", 0, "PgDown", nullptr}, // a clicker's key instead of F5
        {"homePlus", 2, "b", nullptr},   // a third key: written as Qt writes it
        {"timeout", 1, "F2", "F2 gehört schon zu \"Spielstand Heim +1\"."},
        {"break", 0, "Alt+Tab",
         "Alt+Tab nimmt sich das Fenstersystem: Alt+Tab wechselt das Fenster."},
        {"break", 0, "Esc", "Esc ist vergeben: Esc verlässt ein Textfeld und schließt Fenster."},
        {"break", 0, "Alt+E", "Alt+E ist vergeben: Alt mit einem Buchstaben öffnet die Menüs."},
        {"display", 0, "Hyper", "Diese Taste kennt Marklight nicht."},
        {"redo", 1, "", nullptr}, // Ctrl+Shift+Z taken away
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        const std::optional<QString> refused = keys.set(
            *commandById(QString::fromLatin1(row.command)), row.slot, QString::fromUtf8(row.key));
        EXPECT_EQ(refused.value_or(QString()), QString::fromUtf8(row.refusal ? row.refusal : ""));
    }
    run->p.viewChanged();
    EXPECT_EQ(
        keys.keysOn(QStringLiteral("St_St")),
        QStringList({QStringLiteral("PgDown"), QStringLiteral("Space"), QStringLiteral("Num+0")}));
    EXPECT_TRUE(run->p.key(QStringLiteral("PgDown")) && run->p.form.ClockRunning);
    EXPECT_FALSE(run->p.key(QStringLiteral("F5")));
    EXPECT_TRUE(run->p.key(QStringLiteral("B")) && run->p.form.Pkt_l.text == QStringLiteral("1"));
    EXPECT_FALSE(run->p.key(QStringLiteral("Ctrl+Shift+Z")));

    const KeyTable changed = keys;
    run.reset();
    run = restart(Answer::No);
    EXPECT_TRUE(run->p.keys == changed);
    EXPECT_TRUE(run->p.key(QStringLiteral("PgDown")) && run->p.form.ClockRunning);

    // Edited into nonsense (F2 on two commands): the standard keys, said once.
    storage.settings[QStringLiteral("keys/clock/1")] = QStringLiteral("F2");
    run.reset();
    const QString said = QStringLiteral(" +++ Tastenbelegung in den Einstellungen unlesbar: es "
                                        "gelten die Standardtasten");
    for (bool first : {true, false}) {
        run = restart(Answer::No);
        EXPECT_TRUE(run->p.keys == KeyTable());
        EXPECT_EQ(run->p.form.Text1.text.contains(said), first);
        run.reset();
    }
}

TEST_F(Store, ResumedMatchIsTheFormAsItStoodWithThePortOpenAgain) {
    Session& r = *run;
    r.click("OpenOutput");
    r.click("Displ");
    r.type("Pkt_l", "3");
    r.type("Text_r", "Gäste");
    r.click("up_r");
    r.click("StrafeR");
    r.click("br_med");
    r.click("HLProgr", 7);
    r.type("FreeT_O", "Halbzeit");
    r.click("ShText");
    r.p.tick();
    const QJsonObject before = stateContent(r.p.form);
    const QString log = r.p.form.Text1.text;
    run.reset();

    run = restart();
    const Form& f = run->p.form;
    ASSERT_EQ(run->dialogs.boxes.size(), 1u);
    EXPECT_EQ(run->dialogs.boxes[0].text,
              QStringLiteral("Das letzte Spiel wurde nicht beendet (Stand 10:00:00). Fortsetzen?"));
    EXPECT_EQ(run->dialogs.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(stateContent(f), before);
    EXPECT_TRUE(f.PortOpen);
    // The log box holds this start's lines above the earlier ones, all from the record.
    EXPECT_TRUE(f.Text1.text.endsWith(log.left(log.size() - 2))) << f.Text1.text.toStdString();
    EXPECT_TRUE(f.Text1.text.contains(QStringLiteral(" +++ Spiel fortgesetzt (Stand 10:00:00)")));
}

// Each count restored after a pause shows what the same match shows that ran on without one.
TEST_F(Store, CountsRunOnWhileTheProgramIsDown) {
    const std::pair<const char*, std::function<void(Session&)>> cases[] = {
        {"clock", [](Session& r) { r.click("St_St"); }},
        {"clock counting up",
         [](Session& r) {
             r.click("Mode_up");
             r.click("St_St");
         }},
        {"timeout ending meanwhile", [](Session& r) { r.click("Time_Out"); }},
        {"break", [](Session& r) { r.click("Break"); }},
        {"last minute",
         [](Session& r) {
             r.type("D_Min", "1");
             r.type("D_Sec", "30");
             r.click("St_St");
         }},
        {"penalty",
         [](Session& r) {
             r.click("St_St");
             r.click("StrafeL");
         }},
        // Two run and the third waits; the record has each served and the third's start at
        // its moment of match time, as if the program had run on.
        {"penalties served meanwhile",
         [](Session& r) {
             r.p.chooseSport(QStringLiteral("eishockey"));
             r.click("St_St");
             r.type("ValStrafeL", "0.5");
             for (int i = 0; i < 3; ++i)
                 r.click("StrafeL");
         }},
        // #7's second penalty begins while the program is down, at the very moment of match
        // time the first is served; #12 and #5 cancel for strength.
        {"a player's penalties one after the other, coincident ones",
         [](Session& r) {
             r.p.chooseSport(QStringLiteral("eishockey"));
             for (const char* number : {"7", "7", "12"}) {
                 r.type("ValStrafeL", number == QLatin1String("12") ? "2" : "1");
                 r.type("playerL", number);
                 r.click("StrafeL");
             }
             r.type("playerR", "5");
             r.click("StrafeR");
             r.click("St_St");
         }},
        {"fouls, a league's period length",
         [](Session& r) {
             r.p.chooseSport(QStringLiteral("futsal"));
             r.type("Startwert", "25");
             r.dialogs.answerNext(Answer::Ok);
             r.click("Reset_Time");
             r.click("foulL");
             r.click("foulL");
             r.click("foulR");
             r.click("St_St");
         }},
    };
    for (const auto& [name, begin] : cases) {
        SCOPED_TRACE(name);
        FakeStorage ranOnStorage;
        clock.passUntil(QStringLiteral("10:00:00"));
        Session ranOn(clock, ranOnStorage);
        run = restart(std::nullopt);
        begin(ranOn);
        begin(*run);
        run.reset();
        for (int i = 0; i < 90; ++i) {
            pass(1);
            ranOn.p.tick();
        }
        run = restart();
        run->p.tick();
        EXPECT_EQ(shown(run->p.form), shown(ranOn.p.form));
        EXPECT_EQ(seen(run->p.form), seen(ranOn.p.form));
        EXPECT_EQ(run->p.record.toJson(), ranOn.p.record.toJson());
        storage = FakeStorage();
    }
}

TEST_F(Store, AnEndWhoseHornHasSoundedDoesNotSoundAgainAfterAResume) {
    run->type("D_Min", "0");
    run->type("D_Sec", "01");
    run->click("St_St");
    pass(2, true);
    EXPECT_EQ(run->horn.events.size(), 1U);
    run.reset();
    run = restart();
    pass(2, true);
    EXPECT_TRUE(run->horn.events.empty());
    EXPECT_EQ(shown(run->p.form), QStringLiteral("-0:03"));
}

TEST_F(Store, RunningClockIsWrittenOnlyWhenTheMatchChanges) {
    run->click("St_St");
    const int writes = storage.stateWrites;
    pass(20, true); // 20:00 to 19:40: the minute changed once
    EXPECT_EQ(storage.stateWrites, writes + 1);
    run->click("up_l");
    EXPECT_EQ(storage.stateWrites, writes + 2);
    // The previews of the free text and the time of day move on every tick: nothing kept.
    for (const char* shown : {"Displ", "ShText", "Scroll_O", "Uhr"}) {
        run->click(shown);
        const int before = storage.stateWrites;
        pass(60, true);
        EXPECT_EQ(storage.stateWrites, before + 1) << shown;
    }
}

TEST_F(Store, NoEndedOrDeclinedMatchIsResumed) {
    run->type("Pkt_l", "4");
    run.reset();
    run = restart(Answer::No);
    EXPECT_EQ(run->p.form.Pkt_l.text, QStringLiteral("0"));
    ASSERT_EQ(storage.asides.size(), 1u);
    EXPECT_EQ(storage.asides[0].first, Storage::Aside::Backup);
    EXPECT_TRUE(run->p.form.Text1.text.contains(
        QStringLiteral("Letzter Spielstand aufbewahrt als state-backup.json")));

    run->type("Pkt_l", "5");
    run->click("Ende");
    run = restart();
    EXPECT_TRUE(run->dialogs.boxes.empty());
    EXPECT_EQ(run->p.form.Pkt_l.text, QStringLiteral("0"));
}

TEST_F(Store, BadStateFilesNeverCrashAndFallBackValueByValue) {
    run->type("Pkt_l", "2");
    const QByteArray written = *storage.state;
    run.reset();
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("\x00\xff garbage", 10), written.left(written.size() / 2),
          QByteArray(written).replace("\"version\": 1", "\"version\": 9")}) {
        storage.state = bytes;
        storage.asides.clear();
        run = restart();
        EXPECT_TRUE(run->dialogs.boxes.empty());
        ASSERT_EQ(storage.asides.size(), 1u);
        EXPECT_EQ(storage.asides[0].first, Storage::Aside::Unreadable);
        EXPECT_EQ(run->p.form.Text1.text.count(QStringLiteral("Spielstand nicht lesbar")), 1);
    }

    // Impossible values edited in by hand: each keeps the fresh form's own.
    QJsonObject o = QJsonDocument::fromJson(written).object();
    QJsonObject controls = o[QStringLiteral("controls")].toObject();
    QJsonObject fields = o[QStringLiteral("fields")].toObject();
    controls[QStringLiteral("Text_l")] =
        QJsonObject{{"text", QString(10000, QLatin1Char('x'))}, {"visible", 3}};
    controls[QStringLiteral("br_high")] = QJsonObject{{"checked", true}}; // two brightnesses
    controls[QStringLiteral("Displ")] = QJsonObject{{"value", 7}};
    fields[QStringLiteral("ClockRunning")] = true;
    fields[QStringLiteral("BreakActive")] = true; // two counts at once
    fields[QStringLiteral("penaltyL.endMin")] = 1e9;
    fields[QStringLiteral("penaltyR.running")] = true;
    fields[QStringLiteral("penaltyR.endMin")] = 32000; // its end beyond the 16-bit clock
    controls[QStringLiteral("D_Min")] = QJsonObject{{"text", "9999"}};
    controls[QStringLiteral("Startwert")] = QJsonObject{{"text", "1000"}};
    controls[QStringLiteral("TimeoutValue")] = QJsonObject{{"text", "1e308"}};
    controls[QStringLiteral("ValStrafeL")] = QJsonObject{{"text", "-3"}};
    o[QStringLiteral("controls")] = controls;
    o[QStringLiteral("fields")] = fields;
    o[QStringLiteral("count")] = 99999999;
    o[QStringLiteral("timeOfDay")] = QStringLiteral("99:99:99");
    storage.state = QJsonDocument(o).toJson();
    EXPECT_FALSE(MatchState::fromJson(*storage.state)->count);
    run = restart();
    const Form& f = run->p.form;
    EXPECT_TRUE(run->dialogs.boxes[0].text.contains(QStringLiteral("(Stand --:--:--)")));
    EXPECT_EQ(f.D_Min.text + f.Startwert.text + f.TimeoutValue.text + f.ValStrafeL.text,
              QStringLiteral("2020.01.02.0"));
    EXPECT_FALSE(f.penaltyR.running);
    EXPECT_EQ(f.Pkt_l.text, QStringLiteral("2"));
    EXPECT_EQ(f.Text_l.text, QStringLiteral("Heim"));
    EXPECT_TRUE(f.Text_l.visible);
    EXPECT_TRUE(f.br_low.checked && !f.br_high.checked);
    EXPECT_EQ(f.Displ.value(), 0);
    EXPECT_FALSE(f.ClockRunning || f.BreakActive);
    EXPECT_EQ(f.penaltyL.endMin, 0);
}

TEST_F(Store, StorageThatFailsMidMatchIsSaidInTheStatusLineUntilItWorks) {
    run->click("OpenOutput");
    run->click("Displ");
    run->click("St_St");
    pass(1, true);
    storage.failWrites = QStringLiteral("Datenträger voll (/data)");
    run->type("Pkt_l", "1");
    const qsizetype wire = run->device.writes.size();
    pass(60, true); // the minute changes: a write that fails
    const Form& f = run->p.form;
    EXPECT_TRUE(run->dialogs.boxes.empty());
    EXPECT_EQ(shown(f), QStringLiteral("18:59"));
    EXPECT_EQ(run->device.writes.size(), wire + 60) << "the tick and the wire go on";
    EXPECT_EQ(f.StatusLine.text,
              QStringLiteral("Spielstand kann nicht gespeichert werden: Datenträger voll (/data) · "
                             "Spielbericht kann nicht mitgeschrieben werden: Datenträger voll "
                             "(/data)"));
    EXPECT_EQ(f.Text1.text.count(QStringLiteral("Spielstand kann nicht gespeichert werden")), 1);

    storage.failWrites.clear();
    pass(1, true); // tried again within a second
    EXPECT_FALSE(f.StatusLine.visible);
    EXPECT_TRUE(f.Text1.text.contains(QStringLiteral("Spielstand wird wieder gespeichert")));
}

TEST_F(Store, SecondInstanceNeverWritesTheState) {
    storage.otherInstance = true;
    run = restart();
    ASSERT_EQ(run->dialogs.boxes.size(), 1u); // no question, only the note
    EXPECT_TRUE(run->dialogs.boxes[0].text.startsWith(QStringLiteral("Marklight läuft bereits")));
    const int writes = storage.stateWrites;
    run->type("Pkt_l", "9");
    EXPECT_EQ(storage.stateWrites, writes);
}

TEST_F(Store, RemoteKeyOpenedToOthersIsClosedAtStartAndSaidOnce) {
    storage.remoteKeyOpen = true;
    run = restart();
    EXPECT_FALSE(storage.remoteKeyOpen);
    EXPECT_EQ(run->p.form.Text1.text.count(QStringLiteral("Schlüsseldatei")), 1);
}

// The record tells the match across a restart: the clock's start before it, its stop after it and
// a goal scored while the clock stands.
TEST_F(Store, ReportTellsTheMatchAcrossARestart) {
    run->type("Text_l", "A;B");
    run->click("St_St");
    pass(1, true);
    run.reset();
    run = restart();
    run->click("St_St");
    run->click("up_l");
    run->dialogs.chooseFileNext(QStringLiteral("/tmp/bericht"));
    run->click("SaveReport");
    run->dialogs.chooseFileNext(QStringLiteral("/tmp/bericht.csv"));
    run->click("SaveReport");
    // The text report where no suffix was given, the CSV one where ".csv" was.
    const QString text = QString::fromUtf8(storage.files.value(QStringLiteral("/tmp/bericht.txt")));
    const QString today =
        QDateTime::fromMSecsSinceEpoch(clock.wallMs()).toString(QStringLiteral("dd.MM.yyyy"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("Spielbericht\nDatum: ") + today +
                                QStringLiteral("\nSportart: Frei\nMannschaften: A;B - Gegner\n"
                                               "Endstand: 1:0\n")))
        << text.toStdString();
    for (const char* line : {"  20:00     0:0  Uhr läuft\n", "  19:59     0:0  Uhr steht\n",
                             "  19:59     1:0  A;B: Tor\n"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
    EXPECT_TRUE(storage.files.value(QStringLiteral("/tmp/bericht.csv")).startsWith("\xEF\xBB\xBF"));
}

// The report's bytes: the header, then each line as it is (text) or cut into its times, what
// happened and the numbers (CSV), each cell safe for a spreadsheet; the sums by side.
TEST(MatchReportBytes, HeaderThenTheRecordByPeriodThenTheCounts) {
    const MatchReport match{QStringLiteral("05.04.2026"),
                            QStringLiteral("Handball"),
                            QStringLiteral("A;B"),
                            QStringLiteral("=Gäste"),
                            QStringLiteral("1:0"),
                            QStringLiteral("0:00"),
                            {{"10:00:00",
                              "1. Halbzeit",
                              "30:00",
                              "",
                              "",
                              "Beginn 1. Halbzeit",
                              "0:0",
                              "",
                              0,
                              0,
                              {},
                              0,
                              false},
                             {"10:05:00",
                              "1. Halbzeit",
                              "25:00",
                              "home",
                              "A;B",
                              "Tor",
                              "1:0",
                              "goal",
                              300,
                              7,
                              {3},
                              0,
                              false},
                             {"10:40:00",
                              "2. Halbzeit",
                              "30:00",
                              "guest",
                              "=Gäste",
                              "Strafe #7 2 min",
                              "1:0",
                              "penalty",
                              1800,
                              7,
                              {},
                              120,
                              false}}};
    const struct {
        ReportFormat format;
        const char* bytes;
    } rows[] = {
        {ReportFormat::Text,
         "Spielbericht\nDatum: 05.04.2026\nSportart: Handball\n"
         "Mannschaften: A;B - =Gäste\nEndstand: 1:0\nSpielzeit: 0:00\n\n"
         "1. Halbzeit\n  10:00:00   0:00  30:00     0:0  Beginn 1. Halbzeit\n"
         "  10:05:00   5:00  25:00     1:0  A;B: Tor #7 (3)\n\n"
         "2. Halbzeit\n  10:40:00  30:00  30:00     1:0  =Gäste: Strafe #7 2 min\n\n"
         "Strafen: A;B 0, =Gäste 1\nStrafminuten: A;B 0, =Gäste 2\n"
         "Timeouts: A;B 0, =Gäste 0\n"},
        {ReportFormat::Csv,
         "\xEF\xBB\xBFSpielbericht;\r\nDatum;05.04.2026\r\nSportart;Handball\r\n"
         "Mannschaft links;\"A;B\"\r\nMannschaft rechts;'=Gäste\r\n"
         "Endstand;1:0\r\nSpielzeit;0:00\r\n\r\n"
         "Abschnitt;Zeit;Spielzeit;Uhr;Mannschaft;Ereignis;Nr.;Vorlagen;Stand\r\n"
         "1. Halbzeit;10:00:00;0:00;30:00;;Beginn 1. Halbzeit;;;0:0\r\n"
         "1. Halbzeit;10:05:00;5:00;25:00;\"A;B\";Tor;7;3;1:0\r\n"
         "2. Halbzeit;10:40:00;30:00;30:00;'=Gäste;Strafe #7 2 min;7;;1:0\r\n\r\n"
         ";\"A;B\";'=Gäste\r\nStrafen;0;1\r\nStrafminuten;0;2\r\nTimeouts;0;0\r\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(reportBytes(match, row.format), QByteArray(row.bytes));
    EXPECT_EQ(reportName("2026-04-05", " A/B", "C:D"), QStringLiteral("2026-04-05 A_B - C_D"));
}

} // namespace
} // namespace ml::test
