// The learner's options of the window: kept over a restart, read defensively, and the names they
// write above the canvas.

#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "app/names_overlay.h"
#include "app/why_bar.h"
#include "app/window_options.h"
#include "tests/app/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lumaro;

namespace {

class WindowOptionsTest : public WindowFixture {
protected:
    // Ends the window and makes it again, as the next start of the program does.
    void restart()
    {
        window.reset();
        window = std::make_unique<MainWindow>();
        window->timer()->stop();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    bool checked(const char* component) const
    {
        if (QAction* action = window->menuAction(QString::fromLatin1(component)))
            return action->isChecked();
        return window->findChild<QAction*>(QString::fromLatin1(component))->isChecked();
    }
};

TEST_F(WindowOptionsTest, TheLearnersOptionsAreKeptOverARestartButTheLineStartsAsAlways)
{
    showWindow();
    // A first start: the line explains, nothing is drawn above the canvas, 100 %.
    EXPECT_TRUE(window->showWhyAction()->isChecked());
    EXPECT_FALSE(window->steadyLampsAction()->isChecked());
    EXPECT_FALSE(window->colorLettersAction()->isChecked());
    EXPECT_FALSE(window->signalNamesAction()->isChecked());
    EXPECT_FALSE(window->names()->isVisible());
    EXPECT_TRUE(window->viewSizeAction(100)->isChecked());

    window->showWhyAction()->trigger();
    window->steadyLampsAction()->trigger();
    window->colorLettersAction()->trigger();
    window->signalNamesAction()->trigger();
    window->viewSizeAction(150)->trigger();
    // The program's own state, which every start begins afresh.
    window->menuAction(QStringLiteral("KsSystem1"))->trigger();
    window->menuAction(QStringLiteral("Nacht1"))->trigger();
    window->menuAction(QStringLiteral("Gleisplan1"))->trigger();
    tick();

    restart();
    EXPECT_FALSE(window->showWhyAction()->isChecked());
    EXPECT_FALSE(window->why()->bar()->isVisible());
    EXPECT_TRUE(window->steadyLampsAction()->isChecked());
    EXPECT_TRUE(window->colorLettersAction()->isChecked());
    EXPECT_TRUE(window->canvas()->overlays().steadyLamps);
    EXPECT_TRUE(window->canvas()->overlays().colorLetters);
    EXPECT_TRUE(window->signalNamesAction()->isChecked());
    EXPECT_TRUE(window->names()->isVisible());
    EXPECT_TRUE(window->viewSizeAction(150)->isChecked());
    EXPECT_FALSE(window->viewSizeAction(100)->isChecked());
    EXPECT_TRUE(checked("HVSystem1"));
    EXPECT_TRUE(checked("ag1"));
    EXPECT_TRUE(checked("Gleisplan1"));

    // Back to the defaults, and kept so.
    window->showWhyAction()->trigger();
    window->signalNamesAction()->trigger();
    restart();
    EXPECT_TRUE(window->showWhyAction()->isChecked());
    EXPECT_FALSE(window->names()->isVisible());
    EXPECT_TRUE(window->steadyLampsAction()->isChecked());
}

TEST_F(WindowOptionsTest, AFileThatCannotBeWrittenIsToldOnceAndTheOptionsStillWork)
{
    const QString path = MainWindow::optionsFile();
    const QString folder = QFileInfo(path).absolutePath();
    QDir(folder).removeRecursively();
    // A file where the folder should be: nothing can be written below it.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(folder).absolutePath()));
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    showWindow();
    QStringList told;
    window->setSettingsErrorReporter([&](const QString& message) { told << message; });
    window->signalNamesAction()->trigger();
    window->colorLettersAction()->trigger();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QString::fromUtf8("nicht gespeichert"))) << told[0].toStdString();
    EXPECT_TRUE(told[0].contains(path));
    EXPECT_TRUE(window->names()->isVisible());
    EXPECT_TRUE(window->canvas()->overlays().colorLetters);
    QFile::remove(folder);
}

TEST(WindowOptionsFileTest, ADamagedOrStrangeFileGivesTheDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lumaro.conf"));
    EXPECT_EQ(LoadOptions(path), WindowOptions {}) << "no file";

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x01\xff kein Eintrag\n[General]\nBlinken%20anhalten=ja\nWarum%20anzeigen=false\n[Ansicht]\nProzent=130\n"
               "Lampenfarben%20beschriften=true\n");
    file.close();
    WindowOptions expected;
    expected.showWhy = false;
    EXPECT_EQ(LoadOptions(path), expected) << "only the values understood count";

    WindowOptions options {false, true, true, true, 175};
    ASSERT_TRUE(SaveOptions(options, path));
    EXPECT_EQ(LoadOptions(path), options);
}

TEST(WindowOptionsFileTest, TheKeptSizeBecomesQtsScaleFactorUnlessTheEnvironmentSetsOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lumaro.conf"));
    const QByteArray before = qgetenv("QT_SCALE_FACTOR");
    const bool wasSet = qEnvironmentVariableIsSet("QT_SCALE_FACTOR");
    qunsetenv("QT_SCALE_FACTOR");

    EXPECT_EQ(ApplyViewSize(path), 1.0);
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
    WindowOptions options;
    options.viewPercent = 125;
    ASSERT_TRUE(SaveOptions(options, path));
    EXPECT_EQ(ApplyViewSize(path), 1.25);
    EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.25"));
    qputenv("QT_SCALE_FACTOR", "2");
    EXPECT_EQ(ApplyViewSize(path), 1.0);
    EXPECT_EQ(qgetenv("QT_SCALE_FACTOR"), QByteArray("2"));

    if (wasSet)
        qputenv("QT_SCALE_FACTOR", before);
    else
        qunsetenv("QT_SCALE_FACTOR");
}

TEST_F(WindowOptionsTest, SignalNamesNameEveryColumnInTheFreeBandAboveTheCanvas)
{
    showWindow();
    window->driver().RecordTrace(true);
    tick();
    const std::vector<std::uint32_t> before(window->driver().DrawCanvas().Pixels(), window->driver().DrawCanvas().Pixels() + 1016 * 696);
    window->signalNamesAction()->trigger();
    NamesOverlay* names = window->names();
    EXPECT_TRUE(names->isVisible());
    EXPECT_EQ(names->parentWidget(), window->canvas());
    EXPECT_TRUE(names->testAttribute(Qt::WA_TransparentForMouseEvents));

    const QStringList speed = {QStringLiteral("Geschwindigkeits-"), QStringLiteral("anzeiger")};
    EXPECT_EQ(names->columnLines(350), speed);
    EXPECT_EQ(names->columnLines(450), QStringList {QStringLiteral("Hohes Sperrsignal")});
    // The label panels keep their abbreviation, with the full name under it.
    EXPECT_EQ(names->columnLines(150), (QStringList {QStringLiteral("ESig"), QStringLiteral("Einfahrsignal")}));
    EXPECT_EQ(names->columnLines(950), (QStringList {QStringLiteral("BSig"), QStringLiteral("Blocksignal")}));
    EXPECT_EQ(window->panel(17)->text(), QStringLiteral("ESig"));

    // Over no button, and over no panel but the four labels, in every system; a column the
    // system leaves empty has no name.
    for (const char* system : {"HVSystem1", "KsSystem1", "HlSystem1"}) {
        window->menuAction(QString::fromLatin1(system))->trigger();
        tick();
        for (const int x : {50, 150, 250, 350, 450, 550, 650, 750, 850, 950}) {
            const bool empty = QByteArray(system) == "HlSystem1" && (x == 350 || x == 750);
            EXPECT_EQ(names->columnLines(x).isEmpty(), empty) << system << " " << x;
            EXPECT_LE(names->columnLines(x).size(), 2) << system << " " << x;
        }
        for (int n = 1; n <= 16; ++n)
            EXPECT_FALSE(names->geometry().intersects(window->panel(n)->geometry())) << "Panel" << n;
        for (int n = 1; n <= 37; ++n)
            if (QPushButton* button = window->button(n))
                EXPECT_FALSE(names->geometry().intersects(button->geometry())) << "Button" << n;
    }
    EXPECT_EQ(names->columnLines(850), (QStringList {QStringLiteral("Vorsignal des"), QStringLiteral("Blocksignals")}));
    window->menuAction(QStringLiteral("HVSystem1"))->trigger();
    tick();
    EXPECT_EQ(std::vector<std::uint32_t>(window->driver().DrawCanvas().Pixels(), window->driver().DrawCanvas().Pixels() + 1016 * 696),
              before);
}

TEST(NameBreakTest, BreaksAtBlanksThenAfterAJointS)
{
    QFont font;
    font.setPixelSize(10);
    const QFontMetrics metrics(font);
    const int wide = metrics.horizontalAdvance(QStringLiteral("Vorsignal des Einfahrsignals"));
    EXPECT_EQ(BreakName(QStringLiteral("Vorsignal des Einfahrsignals"), metrics, wide),
              QStringList {QStringLiteral("Vorsignal des Einfahrsignals")});
    EXPECT_EQ(BreakName(QStringLiteral("Vorsignal des Einfahrsignals"), metrics, wide - 1),
              (QStringList {QStringLiteral("Vorsignal des"), QStringLiteral("Einfahrsignals")}));
    const int part = metrics.horizontalAdvance(QStringLiteral("Gegengleis-"));
    EXPECT_EQ(BreakName(QStringLiteral("Gegengleisanzeiger"), metrics, part),
              (QStringList {QStringLiteral("Gegengleis-"), QStringLiteral("anzeiger")}));
    // No joint "s" in reach: as much as fits, with a hyphen.
    const int three = metrics.horizontalAdvance(QStringLiteral("Ane-"));
    EXPECT_EQ(BreakName(QStringLiteral("Anemone"), metrics, three).first(), QStringLiteral("Ane-"));
    for (const QString& piece : BreakName(QStringLiteral("Geschwindigkeitsanzeiger"), metrics, 60))
        EXPECT_LE(metrics.horizontalAdvance(piece), 60) << piece.toStdString();
}

} // namespace
