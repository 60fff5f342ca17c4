// The about, licence terms and manual windows as the menu opens them.

#include "app/main_window.h"
#include "dialogs/about_window.h"
#include "dialogs/text_windows.h"
#include "dialogs/window_look.h"
#include "contents/texts.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace lumaro;

namespace {

class InfoWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>();
        window->timer()->stop();
        window->links().replace([this](const QUrl& url) { opened.push_back(url); });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override
    {
        window.reset();
    }

    void choose(const char* component) { window->menuAction(QString::fromLatin1(component))->trigger(); }

    static void closeFromTitleBar(QWidget* w)
    {
        QCloseEvent event;
        QApplication::sendEvent(w->windowHandle(), &event);
    }

    std::unique_ptr<MainWindow> window;
    std::vector<QUrl> opened;
};

TEST_F(InfoWindowsTest, MenuShowsTheWindowsSideBySideAndBringsThemToTheFront)
{
    EXPECT_FALSE(window->about()->isVisible());
    EXPECT_FALSE(window->licence()->isVisible());
    EXPECT_FALSE(window->manual()->isVisible());

    choose("Info1");
    choose("Lizenz1");
    choose("Lzenz1");
    EXPECT_TRUE(window->about()->isVisible());
    EXPECT_TRUE(window->licence()->isVisible());
    EXPECT_TRUE(window->manual()->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window->manual()));

    choose("Info1");
    EXPECT_TRUE(QTest::qWaitForWindowActive(window->about()));
    EXPECT_TRUE(window->manual()->isVisible());

    EXPECT_EQ(window->about()->windowTitle(), QString::fromUtf8("Info über Lumaro"));
    EXPECT_EQ(window->licence()->windowTitle(), QStringLiteral("Lizenzbestimmungen"));
    EXPECT_EQ(window->manual()->windowTitle(), QStringLiteral("Anleitung"));
    EXPECT_EQ(window->about()->version()->text(), QStringLiteral("Version 1.0"));
}

TEST_F(InfoWindowsTest, OkAndTheTitleBarOnlyHideAndTheUsersSizeAndScrollStay)
{
    choose("Info1");
    QTest::mouseClick(window->about()->okButton(), Qt::LeftButton);
    EXPECT_FALSE(window->about()->isVisible());
    EXPECT_FALSE(window->form().About.visible);
    choose("Info1");
    EXPECT_TRUE(window->about()->isVisible());
    EXPECT_TRUE(window->form().About.visible);

    choose("Lizenz1");
    LicenceWindow* licence = window->licence();
    licence->resize(520, 600);
    QScrollBar* scroll = licence->text()->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 100);
    scroll->setValue(100);
    closeFromTitleBar(licence);
    EXPECT_FALSE(licence->isVisible());
    EXPECT_FALSE(window->form().Licence.visible);
    EXPECT_TRUE(window->isVisible());
    choose("Lizenz1");
    EXPECT_TRUE(licence->isVisible());
    EXPECT_EQ(licence->size(), QSize(520, 600));
    EXPECT_EQ(scroll->value(), 100);

    // Minimised, it counts as open; choosing it again brings it back.
    licence->showMinimized();
    EXPECT_TRUE(window->form().Licence.visible);
    choose("Lizenz1");
    EXPECT_FALSE(licence->isMinimized());
    EXPECT_EQ(licence->size(), QSize(520, 600));
}

TEST_F(InfoWindowsTest, TextsCanBeSelectedAndScrolledButNotEdited)
{
    for (QTextEdit* text : {window->licence()->text(), window->manual()->text()}) {
        choose(text == window->licence()->text() ? "Lizenz1" : "Lzenz1");
        const QString before = text->toPlainText();
        text->setFocus();
        QTest::keyClicks(text, QStringLiteral("xyz"));
        QTest::keyClick(text, Qt::Key_Delete);
        EXPECT_EQ(text->toPlainText(), before);
        QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(text->textCursor().selectedText().size(), before.size());
        EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(text->lineWrapMode(), QTextEdit::WidgetWidth);
    }
}

TEST_F(InfoWindowsTest, LicenceTextHasItsTitleOpeningAndThirteenSections)
{
    const QStringList lines = QString::fromUtf8(kLicenceText).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        EXPECT_LE(line.size(), 88) << line.toStdString();
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("LIZENZBESTIMMUNGEN"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_FALSE(lines[2].isEmpty());

    const char* headings[] = {"1. GEGENSTAND DES VERTRAGS", "2. LIZENZGEWÄHRUNG", "3. UMFANG DER BENUTZUNG",
                              "4. COPYRIGHT", "5. ZURÜCKENTWICKLUNG", "6. EINGESCHRÄNKTE GEWÄHRLEISTUNG",
                              "7. KEINE WEITEREN GEWÄHRLEISTUNGEN", "8. UNABHÄNGIGKEIT / TEILBARKEIT",
                              "9. HAFTUNGSAUSSCHLUSS FÜR FOLGESCHÄDEN", "10. GELTENDES RECHT",
                              "11. GERICHTSSTAND", "12. GESAMTER VERTRAG", "13. SCHLUSSBESTIMMUNGEN"};
    qsizetype at = 3;
    for (const char* heading : headings) {
        // A heading stands after an empty line and before one, with its text after that.
        at = lines.indexOf(QString::fromUtf8(heading), at);
        ASSERT_GT(at, 0) << heading;
        EXPECT_TRUE(lines[at - 1].isEmpty()) << heading;
        ASSERT_LT(at + 2, lines.size());
        EXPECT_TRUE(lines[at + 1].isEmpty()) << heading;
        EXPECT_FALSE(lines[at + 2].isEmpty()) << heading;
    }
}

TEST_F(InfoWindowsTest, ManualHasItsHeadingsInOrderAndNamesTheSupportAddress)
{
    const QString manual = window->manual()->text()->toPlainText();
    EXPECT_TRUE(manual.startsWith(QStringLiteral("ANLEITUNG Lumaro\n\n\n")));
    // The last paragraph's line, then four empty lines.
    EXPECT_TRUE(QString::fromUtf8(kManualText).endsWith(QStringLiteral(".\n\n\n\n\n")));
    const char* headings[] = {"1. BETRIEBSSYSTEM", "2. DATENSPEICHERUNG", "3. PROGRAMMENDE", "4. EINSTELLUNGEN",
                              "- SIGNALSYSTEM:", "- H/V-System:\t", "- KS-System:\t", "- Hl-System:\t",
                              "- TAG/NACHT:", "- Tag:\t", "- Nacht:\t", "- GLEISPLAN:", "- SIGNALBEGRIFF:",
                              "- WARUM ANZEIGEN:", "- BLINKEN ANHALTEN:", "- LAMPENFARBEN BESCHRIFTEN:",
                              "- SIGNALNAMEN ANZEIGEN:", "- FAHRT ZEIGEN:", "- GRÖSSE:",
                              "5. HILFE:", "- ANLEITUNG:", "- LIZENZ:", "- INFO:",
                              "6. ÜBEN UND PRÜFEN:", "- ÜBEN:", "- PRÜFUNG:", "- FORTSCHRITT:", "- BILD SPEICHERN:",
                              "BUTTONS FÜR DIE SIGNALBEGRIFFE:"};
    qsizetype at = 0;
    for (const char* heading : headings) {
        const qsizetype found = manual.indexOf(QLatin1Char('\n') + QString::fromUtf8(heading), at);
        ASSERT_GE(found, at) << heading;
        at = found + 1;
    }
    EXPECT_TRUE(manual.contains(QStringLiteral("support@tornvik.example.org")));
    EXPECT_FALSE(manual.contains(QStringLiteral("%1")));
}

TEST_F(InfoWindowsTest, LinksReadOnTheirWindowsBackground)
{
    for (QWidget* link : std::initializer_list<QWidget*> {window->about()->webLink(), window->about()->mailLink(),
                                                          window->manual()->signalBookLink(), window->manual()->mailLink(),
                                                          window->manual()->webLink()}) {
        const QColor text = link->palette().color(QPalette::WindowText);
        const QColor background = link->window()->palette().color(QPalette::Window);
        EXPECT_GE(ContrastRatio(text, background), 4.5) << link->objectName().toStdString();
    }
}

TEST_F(InfoWindowsTest, LinksGoToTheOpener)
{
    choose("Info1");
    choose("Lzenz1");
    QTest::mouseClick(window->about()->webLink(), Qt::LeftButton);
    QTest::mouseClick(window->about()->mailLink(), Qt::LeftButton);
    QTest::mouseClick(window->manual()->mailLink(), Qt::LeftButton);
    QTest::mouseClick(window->manual()->webLink(), Qt::LeftButton);
    QTest::mouseClick(window->manual()->signalBookLink(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 5u);
    const QUrl web(QStringLiteral("https://www.tornvik.example.org/"));
    EXPECT_EQ(opened[0], web);
    EXPECT_EQ(opened[1].scheme(), QStringLiteral("mailto"));
    EXPECT_EQ(opened[2], opened[1]);
    EXPECT_EQ(opened[3], web);
    EXPECT_EQ(opened[4].scheme(), QStringLiteral("https"));
    EXPECT_EQ(opened[4].path(), QStringLiteral("/file/3179912/data/rw_301_bekanntgabe_5.pdf"));
    // The links change nothing in the main window.
    EXPECT_FALSE(window->form().Closing);
}

} // namespace
