// English: the catalog translates every text, the window gets no German in English (but what the
// operator typed and what the display line shows), and the display line gets the same bytes in
// either language. Each golden replay's script is run in both.

#include "core/language.h"
#include "tests/support/catalog.h"
#include "tools/replay/script_runner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ml::test {
namespace {

void application() {
    static int argc = 1;
    static char name[] = "tests_core";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

QString readAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(f.readAll());
}

QStringList scripts() {
    QStringList paths;
    for (const QString& name :
         QDir(QStringLiteral(MARKLIGHT_GOLDEN_DIR)).entryList({QStringLiteral("*.replay")}))
        paths << QStringLiteral(MARKLIGHT_GOLDEN_DIR "/") + name;
    return paths;
}

struct Run {
    std::vector<QByteArray> wire;
    QStringList seen;
};

// A script's lines (but `language`) run in one language: what reaches the display lines, and the
// texts that reach the window (the boxes, captions, menus, the log, the status line).
Run run(const QString& script, const QString& language) {
    installLanguage(language);
    Run r;
    ScriptRunner runner([&r](const QString& line) {
        if (line.startsWith(QLatin1String("box ")) || line.startsWith(QLatin1String("file dialog")))
            r.seen << line;
    });
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        QString error;
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')) &&
            !line.startsWith(QLatin1String("language")))
            runner.run(line, error);
    }
    r.wire = runner.device().writes;
    r.wire.insert(r.wire.end(), runner.secondDevice().writes.begin(),
                  runner.secondDevice().writes.end());
    if (Program* p = runner.program()) {
        for (const Control* c : p->form.controls()) {
            const auto* t = dynamic_cast<const TextControl*>(c);
            if (t != nullptr &&
                (c->kind != Kind::TextBox || c == &p->form.Text1 || c == &p->form.Show_Prog))
                r.seen << t->text;
            if (const auto* combo = dynamic_cast<const ComboBox*>(c))
                r.seen << combo->items;
        }
        r.seen << p->form.frmMessage.T_Message.text << p->keys.listText();
    }
    installLanguage(QStringLiteral("de"));
    return r;
}

TEST(Language, EveryTextOfTheCatalogHasItsEnglish) {
    const Catalog c = readCatalog();
    EXPECT_GT(c.messages, 300);
    EXPECT_EQ(c.unfinished, 0);
}

TEST(Language, NoTextReachingTheDisplayLineIsTranslated) {
    application();
    for (const QString& path : scripts()) {
        SCOPED_TRACE(path.toStdString());
        const QString script = readAll(path);
        EXPECT_EQ(run(script, QStringLiteral("en")).wire, run(script, QStringLiteral("de")).wire);
    }
}

// Allowed: what the script itself brings (typed names and texts, a device's reason) and the
// display line's own texts (the default names, the banners).
TEST(Language, NoGermanTextReachesTheWindowInEnglish) {
    application();
    const Catalog c = readCatalog();
    const QRegularExpression word = wordPattern();
    for (const QString& path : scripts()) {
        SCOPED_TRACE(path.toStdString());
        const QString script = readAll(path);
        QSet<QString> allowed{QStringLiteral("heim"), QStringLiteral("gegner")};
        for (auto w = word.globalMatch(script); w.hasNext();)
            allowed << w.next().captured().toLower();
        for (const QString& text : run(script, QStringLiteral("en")).seen)
            EXPECT_EQ(germanIn(text, c, allowed), QStringList()) << text.toStdString();
    }
}

TEST(Language, AMissingTranslationGivesGermanAndIsSaidOnceInTheLog) {
    application();
    QTemporaryDir empty;
    qputenv("MARKLIGHT_TRANSLATIONS", empty.path().toLocal8Bit());
    ScriptRunner runner({});
    for (const char* line : {"language en", "start", "tick 3", "click Mess"}) {
        QString error;
        ASSERT_TRUE(runner.run(QString::fromLatin1(line), error)) << line;
    }
    qunsetenv("MARKLIGHT_TRANSLATIONS");
    const Form& f = runner.program()->form;
    EXPECT_EQ(f.Displ.text, QStringLiteral("Anzeigen"));
    EXPECT_EQ(f.Text1.text.count(QStringLiteral(
                  " +++ Übersetzung marklight_en.qm nicht gefunden: Marklight spricht Deutsch")),
              1);
    installLanguage(QStringLiteral("de"));
}

} // namespace
} // namespace ml::test
