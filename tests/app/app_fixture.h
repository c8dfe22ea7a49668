#pragma once

// A main window over a program with the fake platform, for the window tests.

#include "app/main_window.h"
#include "core/program.h"
#include "platform/fakes/fakes.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ml::app::testing {

// Made by the test program's main().
inline void application() {
    ASSERT_NE(qApp, nullptr);
}

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        application();
        window = std::make_unique<MainWindow>(program, clock);
        program.start();
        window->sync();
    }

    template <class W = QWidget> W* widget(const char* name) const {
        W* w = window->client()->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* action(const char* name, int index = 0) const {
        for (QAction* a : window->findChildren<QAction*>(QString::fromLatin1(name)))
            if (index == 0 || a->property("index").toInt() == index)
                return a;
        ADD_FAILURE() << "no action " << name;
        return nullptr;
    }
    void showWindow() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    FakeClock clock{QStringLiteral("12:00:00")};
    FakeDialogs dialogs;
    FakeShell shell;
    FakeSerialDevice serial;
    Program program{clock, dialogs, shell, serial};
    std::unique_ptr<MainWindow> window;
};

} // namespace ml::app::testing
