#include "app_fixture.h"

#include "display/text_fitting.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace ml::app::testing {
namespace {

using MainWindowLayout = WindowTest;

TEST_F(MainWindowLayout, ClientAreaIs513By341UnderTheMenuBarAndNothingElse) {
    showWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Marklight"));
    EXPECT_EQ(window->client()->size(), QSize(513, 341));
    EXPECT_EQ(window->client()->y(), window->menuBar()->height());
    EXPECT_EQ(window->size(), QSize(513, window->menuBar()->height() + 341));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->findChild<QStatusBar*>(), nullptr);
    EXPECT_TRUE(window->findChildren<QToolBar*>().isEmpty());
}

TEST_F(MainWindowLayout, EveryControlOfTheFormHasExactlyOneWidgetOrMenuActionByName) {
    for (Control* c : program.form.controls()) {
        if (c->kind == Kind::MenuItem) {
            const qsizetype expected = c->name == QLatin1String("HLProgr") ? 16 : 1;
            EXPECT_EQ(window->findChildren<QAction*>(c->name).size(), expected)
                << c->name.toStdString();
        } else {
            EXPECT_EQ(window->client()->findChildren<QWidget*>(c->name).size(), 1)
                << c->name.toStdString();
        }
    }
}

TEST_F(MainWindowLayout, ControlsStandAtTheirTwipPlacesInPixelsOfTheClientArea) {
    // Edges are rounded one by one: 3290,1920,1095,495 twips end at 4385 and 2415.
    EXPECT_EQ(widget("St_St")->geometry(), QRect(219, 128, 73, 33));
    EXPECT_EQ(widget("D_Sec")->geometry(), QRect(272, 64, 89, 49));
    EXPECT_EQ(widget("Pkt_r")->geometry(), QRect(384, 64, 73, 49));
    EXPECT_EQ(widget("Combo6")->geometry(), QRect(8, 177, 113, 21));
    EXPECT_EQ(widget("Image1")->geometry(), QRect(8, 288, 497, 35));
    EXPECT_EQ(widget("Help_text")->geometry(), QRect(488, 228, 18, 24));
    // Boxes that share a place are stacked exactly.
    EXPECT_EQ(widget("up_l")->geometry(), widget("down_l")->geometry());
    EXPECT_EQ(widget("FreeT_O")->geometry().topLeft(), widget("FreeT_O_S")->geometry().topLeft());
}

TEST_F(MainWindowLayout, FirstStateShowsTheScoreboardAndTheTwoRowEntryLayout) {
    QWidget* client = window->client();
    for (const char* shown : {"Text_l", "Text_r", "Pkt_l", "D_Min", "d_Pkt", "D_Sec", "Pkt_r",
                              "up_l", "up_r", "FreeT_O", "FreeT_U", "Scroll_O", "Scroll_U"})
        EXPECT_TRUE(widget(shown)->isVisibleTo(client)) << shown;
    for (const char* hidden : {"TxtStrL", "SpecR", "Show_Prog", "ShText_s", "Uhr_anz", "Spec_Min",
                               "down_l", "down_r", "FreeT", "FreeT_S", "Scroll_1", "Text1"})
        EXPECT_FALSE(widget(hidden)->isVisibleTo(client)) << hidden;

    EXPECT_EQ(widget<QAbstractButton>("Time_Out")->text(), QStringLiteral("StartTimeout"));
    EXPECT_EQ(widget<QLineEdit>("Startwert")->text(), QStringLiteral("20.0"));
    EXPECT_EQ(widget<QLineEdit>("FreeT_U")->text(), QStringLiteral("Zeit:   §O4     "));
    EXPECT_EQ(widget<QLabel>("TimeOut")->text(), QStringLiteral("00:00:00.00"));
    EXPECT_FALSE(widget<QCheckBox>("Displ")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("Scroll_1")->isChecked());
    EXPECT_FALSE(widget("Scroll_1")->isEnabled());
    EXPECT_FALSE(widget("Scroll_U")->isEnabled());
}

TEST_F(MainWindowLayout, BoxesCarryTheirLimitsAlignmentsToolTipsAndFonts) {
    EXPECT_EQ(widget<QLineEdit>("Pkt_l")->maxLength(), 3);
    EXPECT_EQ(widget<QLineEdit>("TimeoutValue")->maxLength(), 4);
    EXPECT_EQ(widget<QLineEdit>("FreeT")->maxLength(), 8);
    EXPECT_EQ(widget<QLineEdit>("FreeT_U")->maxLength(), 16);
    EXPECT_TRUE(widget<QLineEdit>("Text_r")->alignment() & Qt::AlignRight);
    EXPECT_TRUE(widget<QLineEdit>("Startwert")->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(widget<QLineEdit>("Text_l")->alignment() & Qt::AlignLeft);
    EXPECT_EQ(widget("Prog")->toolTip(),
              QStringLiteral("Startet das unter \"Extras-Programme\" gewählte Programm auf der "
                             "Anzeigelinie "));
    EXPECT_EQ(widget("down_r")->toolTip(), QStringLiteral("Spielstand um eins verringern"));
    EXPECT_EQ(widget("Help_text")->toolTip(), QString());

    const QFont preview = widget("D_Min")->font();
    EXPECT_TRUE(preview.bold());
    EXPECT_DOUBLE_EQ(preview.pointSizeF(), 27.75);
    EXPECT_TRUE(preview.fixedPitch() || QFontInfo(preview).fixedPitch());
    EXPECT_DOUBLE_EQ(widget("ShText_s")->font().pointSizeF(), 60);
    EXPECT_DOUBLE_EQ(widget("St_St")->font().pointSizeF(), 13.5);
    const QPalette timeLabel = widget("TimeOut")->palette();
    EXPECT_EQ(timeLabel.color(QPalette::WindowText), QColor(Qt::yellow));
    EXPECT_EQ(timeLabel.color(QPalette::Window), QColor(Qt::black));
}

TEST_F(MainWindowLayout, MenuBarHoldsEveryMenuWithItsCaptionsAndFirstCheckMarks) {
    QStringList top;
    for (QAction* a : window->menuBar()->actions())
        top << a->objectName() + QLatin1Char('=') + a->text();
    EXPECT_EQ(top, QStringList({"Datei=Datei", "Extras=Extras", "Help=?"}));

    EXPECT_EQ(action("Count")->text(), QStringLiteral("Zählen"));
    EXPECT_EQ(action("check_comPorts")->text(), QStringLiteral("COM-Ports prüfen"));
    for (const char* ticked : {"up", "Mode_down", "br_low", "Baud_9600"})
        EXPECT_TRUE(action(ticked)->isChecked()) << ticked;
    for (const char* clear : {"down", "Mode_up", "miror", "br_high", "Baud_1200"})
        EXPECT_FALSE(action(clear)->isChecked()) << clear;

    const auto programs = action("HL_Prog")->menu()->actions();
    ASSERT_EQ(programs.size(), 16);
    EXPECT_EQ(programs.first()->text(), QStringLiteral("Prog 1"));
    EXPECT_EQ(programs.last()->text(), QStringLiteral("Prog 16"));
    EXPECT_EQ(programs.last()->property("index").toInt(), 16);
    EXPECT_TRUE(programs.first()->isChecked());
}

using MainWindowSync = WindowTest;

TEST_F(MainWindowSync, TextWrittenBySystemIsShownWholeButTypingStaysLimited) {
    program.form.Pkt_l.text = QStringLiteral("1000");
    window->sync();
    auto* box = widget<QLineEdit>("Pkt_l");
    EXPECT_EQ(box->text(), QStringLiteral("1000"));
    program.form.Pkt_l.text = QStringLiteral("12");
    window->sync();
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    EXPECT_EQ(box->maxLength(), 3);
}

TEST_F(MainWindowSync, TypingReachesTheFormAtOnce) {
    showWindow();
    auto* name = widget<QLineEdit>("Text_l");
    name->setFocus();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Adler"));
    EXPECT_EQ(program.form.Text_l.text, QStringLiteral("Adler"));
}

TEST_F(MainWindowSync, CheckBoxClickRunsItsHandlerOnceAndWidgetFollowsTheModel) {
    showWindow();
    int runs = 0;
    auto handler = program.form.Uhr.onClick;
    program.form.Uhr.onClick = [&] {
        ++runs;
        handler();
    };
    QTest::mouseClick(widget("Uhr"), Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(program.form.Uhr.value(), 1);
    EXPECT_TRUE(widget<QCheckBox>("Uhr")->isChecked());
    EXPECT_TRUE(widget("Uhr_anz")->isVisible());
    EXPECT_FALSE(widget("D_Min")->isVisible());

    // Written from code (a program clears the time of day): the widget follows, no second run.
    QTest::mouseClick(widget("Prog"), Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(widget<QCheckBox>("Uhr")->isChecked());
    EXPECT_TRUE(widget<QCheckBox>("Prog")->isChecked());
    EXPECT_TRUE(widget("Show_Prog")->isVisible());
}

TEST_F(MainWindowSync, PortListShowsDevicesAsItemToolTipsAndChoiceReachesTheForm) {
    showWindow();
    program.form.Combo6.clear();
    program.form.Combo6.addItem(QStringLiteral("COM1"), QStringLiteral("/dev/ttyS0"));
    program.form.Combo6.addItem(QStringLiteral("COM3"), QStringLiteral("/dev/ttyUSB0"));
    program.form.Combo6.index = 0;
    window->sync();
    auto* combo = widget<QComboBox>("Combo6");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("/dev/ttyUSB0"));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(program.form.Combo6.index, 1);
    EXPECT_EQ(program.form.Combo6.currentText(), QStringLiteral("COM3"));
}

TEST_F(MainWindowSync, PreviewShowsRedOnBlackAndFollowsThePaleColour) {
    showWindow();
    const auto count = [&](const char* name, auto match) {
        const QImage img = widget(name)->grab().toImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += match(QColor(img.pixel(x, y)));
        return n;
    };
    const auto red = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    const auto pale = [](QColor c) { return c.red() > 240 && c.green() > 150 && c.blue() > 150; };
    const QImage img = widget("D_Min")->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(1, 1)), QColor(Qt::black));
    EXPECT_GT(count("D_Min", red), 20);
    EXPECT_EQ(count("D_Min", pale), 0);

    program.form.D_Min.foreColor = kPaleRed;
    window->sync();
    EXPECT_EQ(count("D_Min", red), 0);
    EXPECT_GT(count("D_Min", pale), 20);
}

using ScoreKeepingOnScreen = WindowTest;

TEST_F(ScoreKeepingOnScreen, ScoreButtonsStepTheScoreBoxes) {
    showWindow();
    QTest::mouseClick(widget("up_l"), Qt::LeftButton);
    QTest::mouseClick(widget("up_l"), Qt::LeftButton);
    EXPECT_EQ(widget<QLineEdit>("Pkt_l")->text(), QStringLiteral("2"));
    EXPECT_EQ(widget<QLineEdit>("Pkt_r")->text(), QStringLiteral("0"));
}

TEST_F(ScoreKeepingOnScreen, CountingDownSwapsTheButtonPairsOnTheSamePlaces) {
    showWindow();
    action("down")->trigger();
    EXPECT_FALSE(widget("up_l")->isVisible());
    EXPECT_FALSE(widget("up_r")->isVisible());
    EXPECT_TRUE(widget("down_r")->isVisible());
    EXPECT_TRUE(action("down")->isChecked());
    EXPECT_FALSE(action("up")->isChecked());
    QTest::mouseClick(widget("down_r"), Qt::LeftButton);
    EXPECT_EQ(widget<QLineEdit>("Pkt_r")->text(), QStringLiteral("-1"));

    // Choosing the ticked item again keeps its check mark (Qt would have toggled it off).
    action("down")->trigger();
    EXPECT_TRUE(action("down")->isChecked());
    action("up")->trigger();
    EXPECT_TRUE(widget("up_l")->isVisible());
    EXPECT_FALSE(widget("down_l")->isVisible());
}

TEST_F(ScoreKeepingOnScreen, ClickingIntoAClockBoxSelectsAllSoTypingReplacesIt) {
    showWindow();
    auto* minutes = widget<QLineEdit>("D_Min");
    QTest::mouseClick(minutes, Qt::LeftButton, {}, QPoint(10, 20));
    QTest::qWait(1);
    EXPECT_EQ(minutes->selectedText(), QStringLiteral("20"));
    QTest::keyClick(minutes, Qt::Key_5);
    EXPECT_EQ(minutes->text(), QStringLiteral("5"));
    EXPECT_EQ(program.form.D_Min.text, QStringLiteral("5"));
}

using MatchClockOnScreen = WindowTest;

TEST_F(MatchClockOnScreen, StartThenTheNextSecondBoundaryCountsOnScreen) {
    showWindow();
    QTest::mouseClick(widget("St_St"), Qt::LeftButton);
    EXPECT_EQ(widget<QAbstractButton>("St_St")->text(), QStringLiteral("Stop"));
    clock.advance(1);
    window->scheduler().runBoundary(true);
    EXPECT_EQ(widget<QLineEdit>("D_Min")->text(), QStringLiteral("19"));
    EXPECT_EQ(widget<QLineEdit>("D_Sec")->text(), QStringLiteral("59"));
    EXPECT_EQ(widget<QLabel>("TimeOut")->text().left(8), QStringLiteral("12:00:01"));
}

TEST_F(MatchClockOnScreen, HandlerMessageBoxIsAnsweredWithoutBlocking) {
    showWindow();
    QTest::mouseClick(widget("Help_text"), Qt::LeftButton);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.startsWith(QStringLiteral("geänderter Text")));
    EXPECT_EQ(dialogs.boxes[0].buttons, Buttons::Ok);
}

TEST_F(MatchClockOnScreen, BannerClickOpensTheMakersSite) {
    showWindow();
    QTest::mouseClick(widget("Image1"), Qt::LeftButton);
    EXPECT_EQ(shell.opened.size(), 1);
}

} // namespace
} // namespace ml::app::testing
