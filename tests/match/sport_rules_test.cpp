// The rules of the sports as data: the built-in table read as the engine uses it, a club's file
// kept and read back, and files edited into nonsense refused with the reason.

#include "match/sport_rules.h"

#include <gtest/gtest.h>

namespace ml {
namespace {

TEST(SportRules, PeriodsBreaksAndTimeoutHalvesFollowTheTable) {
    const SportCatalog catalog;
    const struct {
        const char* id;
        int period;
        const char* title;
        int length;
        int breakAfter;
        int segment;
        // Another overtime may follow this period (a level score given), and the period whose
        // team fouls it goes on counting.
        bool overtime;
        int fouls;
    } rows[] = {
        {"handball", 1, "1. Halbzeit", 1800, 600, 0, false, 1},
        {"handball", 2, "2. Halbzeit", 1800, 300, 1, true, 2},
        {"handball", 3, "1. Verlängerung", 300, 60, 3, false, 2},
        {"handball", 4, "2. Verlängerung", 300, 300, 4, true, 2},  // IHF 2:2: a second overtime
        {"handball", 6, "4. Verlängerung", 300, 300, 6, false, 2}, // then throws from 7 m
        {"basketball", 2, "2. Viertel", 600, 900, 0, false, 2},
        {"basketball", 3, "3. Viertel", 600, 120, 1, false, 3},
        {"basketball", 5, "Verlängerung", 300, 120, 5, true, 4},    // FIBA 41: fouls with the 4th
        {"basketball", 9, "5. Verlängerung", 300, 120, 9, true, 4}, // as often as needed
        {"eishockey", 2, "2. Drittel", 1200, 900, 2, false, 2},
        {"eishockey", 4, "Verlängerung", 300, 180, 4, false, 3}, // then the shootout
        {"futsal", 2, "2. Halbzeit", 1200, 0, 1, true, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.id) + " " + std::to_string(r.period));
        const SportRules& s = catalog.find(QString::fromLatin1(r.id));
        EXPECT_EQ(s.id, QString::fromLatin1(r.id));
        EXPECT_EQ(s.periodTitle(r.period), QString::fromUtf8(r.title));
        EXPECT_EQ(s.lengthOf(r.period), r.length);
        EXPECT_EQ(s.breakAfter(r.period), r.breakAfter);
        EXPECT_EQ(s.timeoutSegment(r.period), r.segment);
        EXPECT_EQ(s.overtimeMayFollow(r.period), r.overtime);
        EXPECT_EQ(s.foulPeriod(r.period), r.fouls);
    }
    EXPECT_TRUE(catalog.find(QStringLiteral("nichts")).free());
}

TEST(SportCatalog, ClubCopyIsKeptUnderItsOwnNameAndReadBack) {
    SportCatalog catalog;
    SportRules own = catalog.find(QStringLiteral("floorball"));
    own.id = catalog.newId(QStringLiteral("TSV Süd / U16"));
    own.name = QStringLiteral("TSV Süd / U16");
    own.periodSeconds = 15 * 60;
    QString why;
    ASSERT_TRUE(catalog.keep(own, why)) << why.toStdString();
    EXPECT_EQ(own.id, QStringLiteral("eigen-tsv-s-d-u16"));
    own.name = QStringLiteral("Floorball");
    EXPECT_FALSE(catalog.keep(own, why)); // a name another preset bears
    SportCatalog next;
    EXPECT_FALSE(next.setOwn(catalog.ownFile()));
    EXPECT_EQ(next.find(QStringLiteral("eigen-tsv-s-d-u16")).periodSeconds, 15 * 60);
    EXPECT_EQ(next.find(QStringLiteral("eigen-tsv-s-d-u16")).penalties,
              catalog.find(QStringLiteral("floorball")).penalties);
    own = catalog.find(QStringLiteral("basketball"));
    own.id = catalog.newId(QStringLiteral("Streetball"));
    own.name = QStringLiteral("Streetball");
    ASSERT_TRUE(catalog.keep(own, why)) << why.toStdString();
    SportCatalog third;
    ASSERT_FALSE(third.setOwn(catalog.ownFile()));
    EXPECT_EQ(third.find(own.id).fouls, own.fouls); // kept with its mark
    EXPECT_EQ(third.find(own.id).overtime, own.overtime);
    next.remove(QStringLiteral("eigen-tsv-s-d-u16"));
    next.remove(QStringLiteral("handball"));
    EXPECT_EQ(next.sports().size(), SportCatalog().sports().size());
}

TEST(SportFile, NonsenseLeavesOnlyTheBuiltInSportsAndSaysWhy) {
    const QByteArray head = R"({"format": "marklight-sports", "version": 1, "sports": [)";
    const QByteArray good = R"({"id": "a", "name": "A", "periods": 2, "minutes": 20,
        "periodName": "Halbzeit", "breaks": [10], "penalties": {"kinds": [], "maxRunning": 0}})";
    const struct {
        QByteArray file;
        const char* reason;
    } rows[] = {
        {"{nonsense", "kein JSON"},
        {R"({"format": "x", "version": 1, "sports": []})", "keine Sportarten-Datei"},
        {head + good + "," + good + "]}", "Sportart 2: \"A\" gibt es zweimal"},
        {head + QByteArray(good).replace("20,", "0,") + "]}", "Sportart 1: \"minutes\""},
        {head + QByteArray(good).replace("[10]", "[10, 5]") + "]}", "Sportart 1: \"breaks\""},
        {head + QByteArray(good).replace("\"a\"", "\"A B\"") + "]}", "Sportart 1: \"id\""},
        {head + QByteArray(good).replace("\"maxRunning\": 0", "\"maxRunning\": 9") + "]}",
         "Sportart 1: \"maxRunning\""},
        {head + QByteArray(good).replace("\"periods\": 2,", "") + "]}", "Sportart 1: \"periods\""},
        {head +
             QByteArray(good).replace("\"maxRunning\": 0", "\"maxRunning\": 0, \"coincident\": 1") +
             "]}",
         "Sportart 1: \"coincident\""},
        {head +
             QByteArray(good).replace("\"penalties\"", "\"fouls\": {\"limit\": 0}, \"penalties\"") +
             "]}",
         "Sportart 1: \"limit\""},
    };
    for (const auto& r : rows) {
        SportCatalog catalog;
        const std::optional<QString> why = catalog.setOwn(r.file);
        ASSERT_TRUE(why) << r.reason;
        EXPECT_TRUE(why->startsWith(QString::fromUtf8(r.reason))) << why->toStdString();
        EXPECT_EQ(catalog.sports().size(), SportCatalog().sports().size());
    }
    EXPECT_FALSE(SportCatalog().setOwn(head + good + "]}"));
}

} // namespace
} // namespace ml
