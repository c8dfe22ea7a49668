// The printed report of a short ice-hockey match: its PDF read back with poppler's tools, the text
// for the head, the scorers and the sums, the first page's pixels for the chart in the sides'
// colours.

#include "app/report/report_painter.h"
#include "tools/replay/script_runner.h"

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ml {
namespace {

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(20000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

TEST(ReportPdf, ShortIceHockeyMatchReadsBackWithHeadScorersSumsAndChart) {
    ScriptRunner runner({});
    for (const char* line :
         {"time 19:30:00", "start", "sport eishockey", "type Text_l Adler", "type Text_r Bären",
          "click St_St", "run 125000", "goal home 17 5 8", "run 60000", "penalty guest 2+2 9",
          "run 30000", "goal home 11 17", "type Text_r Eisbären", "run 400000", "goal guest 4",
          "goal home", "click undo"}) {
        QString error;
        ASSERT_TRUE(runner.run(QString::fromUtf8(line), error)) << line << error.toStdString();
    }
    // The club's own green for the home side; the guest side keeps the standard blue.
    runner.program()->form.HomeColour = QStringLiteral("00a000");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bericht.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(PdfReport().pdf(runner.program()->writer.report()));
    file.close();

    const QString text =
        QString::fromUtf8(run(QStringLiteral("pdftotext"),
                              {QStringLiteral("-layout"), path, QStringLiteral("-")}))
            .simplified();
    for (const char* expected :
         {"Spielbericht", "Eishockey", "Adler – Eisbären 2:1", "Abschnitte: 2:1",
          "2:05 1. Drittel Adler 17 5, 8 1:0", "3:35 1. Drittel Adler 11 17 2:0",
          "10:15 1. Drittel Adler (zurückgenommen) 3:1",
          "3:05 1. Drittel Eisbären 9 4 min verbüßt 5:35",
          "Adler: 2 Tore, 0 Strafminuten, 0 Timeouts",
          "Eisbären: 1 Tore, 4 Strafminuten (#9 4), 0 Timeouts", "Zeitnehmer", "Schreiber"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();

    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"), QStringLiteral("1"),
         QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-png"), path,
         dir.filePath(QStringLiteral("page"))});
    const QImage page(dir.filePath(QStringLiteral("page-1.png")));
    ASSERT_FALSE(page.isNull());
    // The chart stands below the head, in the page's upper half.
    int home = 0;
    int guest = 0;
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <
               60;
    };
    for (int y = page.height() / 10; y < page.height() / 2; ++y)
        for (int x = 0; x < page.width(); ++x) {
            home += near(page.pixelColor(x, y), QColor(0x00, 0xa0, 0x00));
            guest += near(page.pixelColor(x, y), QColor(0x00, 0x33, 0xa0));
        }
    EXPECT_GT(home, 20);
    EXPECT_GT(guest, 20);
}

} // namespace
} // namespace ml
