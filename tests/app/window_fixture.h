#pragma once

// The fixture the window tests share: one main window, whose timer the test drives by hand.
// Each test's SetUp makes and shows the window as it needs it.

#include "app/main_window.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lumaro {

class WindowFixture : public ::testing::Test {
protected:
    void TearDown() override { window.reset(); }

    // Makes the main window with its timer stopped (the test drives the ticks by hand), lets
    // `beforeShow` set it up, shows it and waits until it is on the screen.
    void showWindow(const std::function<void(MainWindow&)>& beforeShow = {})
    {
        // Every test starts with the options a first start has.
        QFile::remove(MainWindow::optionsFile());
        window = std::make_unique<MainWindow>();
        window->timer()->stop();
        if (beforeShow)
            beforeShow(*window);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // One timeout of the window's timer, as the event loop would deliver it.
    void tick() { QMetaObject::invokeMethod(window->timer(), "timeout", Qt::DirectConnection); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            tick();
    }
    void click(int n) { QTest::mouseClick(window->button(n), Qt::LeftButton); }

    std::unique_ptr<MainWindow> window;
};

} // namespace lumaro
