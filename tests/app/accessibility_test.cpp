// The main window as assistive technology and keyboard users meet it: names through Qt's
// accessibility API, the canvas's columns, change events, Tab and Space, and the overlays.

#include "app/canvas_widget.h"
#include "app/main_window.h"
#include "tests/app/window_fixture.h"
#include "learn/columns.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace lumaro;

namespace {

class AccessibilityTest : public WindowFixture {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>();
        window->timer()->stop();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void choose(const char* component) { window->menuAction(QString::fromLatin1(component))->trigger(); }

    static QString Name(QObject* object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); }
    static QString Description(QObject* object)
    {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Description);
    }

    QAccessibleInterface* canvas() const { return QAccessible::queryAccessibleInterface(window->canvas()); }
    // The canvas's children that are signal columns (they have no widget of their own).
    std::vector<QAccessibleInterface*> columns() const
    {
        std::vector<QAccessibleInterface*> found;
        for (int i = 0; i < canvas()->childCount(); ++i)
            if (QAccessibleInterface* child = canvas()->child(i); child && !child->object())
                found.push_back(child);
        return found;
    }
    QAccessibleInterface* column(const QString& name) const
    {
        for (QAccessibleInterface* c : columns())
            if (c->text(QAccessible::Name) == name)
                return c;
        return nullptr;
    }
};

TEST_F(AccessibilityTest, ButtonsPanelsAndLogoAreNamed)
{
    for (const ButtonDef& def : kButtons) {
        QPushButton* button = window->button(def.number);
        EXPECT_EQ(Name(button), QString::fromStdString(learn::ButtonName(System::HV, def.number))) << def.number;
        EXPECT_EQ(button->text(), QString::fromUtf8(def.caption)) << def.number;
    }
    EXPECT_EQ(Name(window->button(31)), QString::fromUtf8("Einfahrsignal: 40 km/h"));
    EXPECT_EQ(Name(window->button(25)), QString::fromUtf8("Gegengleisanzeiger: GWB"));
    EXPECT_EQ(Name(window->panel(17)), QString::fromUtf8("Einfahrsignal"));
    EXPECT_FALSE(Name(window->image()).isEmpty());

    EXPECT_EQ(Name(window->button(29)), QString::fromUtf8("Sperrsignal: Rangier"));
    choose("HlSystem1");
    EXPECT_EQ(Name(window->button(29)), QString::fromUtf8("Wartezeichen: Rangier"));

    choose("KsSystem1");
    click(12);
    click(32);
    ticks(4);
    EXPECT_EQ(Name(window->panel(10)), QString::fromUtf8("Einfahrsignal: Ks 1"));
    EXPECT_EQ(Name(window->panel(14)), QString::fromUtf8("Einfahrsignal: + Zs 3v \"4\""));
    EXPECT_EQ(Name(window->panel(2)), QString::fromUtf8("Gegengleisanzeiger"));
}

// A panel is described by its designation's meaning as the core tells it, the same words the
// explanations use; the tooltip keeps the panel's own hint.
TEST_F(AccessibilityTest, PanelsAreDescribedByTheirMeaning)
{
    choose("KsSystem1");
    click(12);
    click(32);
    ticks(4);
    const FormState& form = window->form();
    for (int n = 1; n <= kDesignationPanels; ++n)
        EXPECT_EQ(Description(window->panel(n)).toStdString(),
                  learn::PanelMeaning(System::Ks, form.Panels, form.Lights.Lights(), n)) << n;
    EXPECT_EQ(Description(window->panel(10)), QString::fromUtf8("Fahrt"));
    EXPECT_EQ(Description(window->panel(11)),
              QString::fromUtf8("Geschwindigkeitsanzeiger: ab dem Signal im anschließenden Weichenbereich höchstens 60 km/h"));
    EXPECT_TRUE(window->panel(11)->toolTip().startsWith(QString::fromUtf8("Geschwindigkeitsanzeiger - Die durch die Kennziffer")))
        << window->panel(11)->toolTip().toStdString();
    EXPECT_EQ(Description(window->panel(2)), QString::fromUtf8("Kein Signalbegriff (alle Lampen dunkel)"));
}

TEST_F(AccessibilityTest, CanvasHasOneChildPerSignalColumn)
{
    tick();
    EXPECT_EQ(canvas()->role(), QAccessible::Canvas);
    EXPECT_EQ(canvas()->text(QAccessible::Name), QString::fromUtf8("Signale der Strecke, H/V-System"));
    ASSERT_EQ(columns().size(), 10u);
    EXPECT_EQ(columns()[0]->text(QAccessible::Name), QString::fromUtf8("Spalte 1, Vorsignal des Einfahrsignals"));
    QAccessibleInterface* entry = column(QString::fromUtf8("Spalte 2, Einfahrsignal"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(QAccessible::Description), QString::fromUtf8("Hp 0. Lampen: rot."));
    EXPECT_EQ(entry->text(QAccessible::Value), QString::fromUtf8("Hp 0"));
    EXPECT_EQ(canvas()->indexOfChild(entry), 1);
    EXPECT_EQ(entry->parent(), canvas());
    EXPECT_TRUE(canvas()->text(QAccessible::Description).contains(QString::fromUtf8("Spalte 10, Blocksignal: Hp 0.")));
    // The buttons stand on the canvas too.
    EXPECT_EQ(canvas()->indexOfChild(QAccessible::queryAccessibleInterface(window->button(30))) >= 10, true);

    click(36);
    click(6);
    ticks(3);
    EXPECT_EQ(entry->text(QAccessible::Description), QString::fromUtf8("Hp 0 + Zs 1. Lampen: rot; Lichtzeichen: weiß."));

    choose("KsSystem1");
    click(12);
    click(32);
    ticks(4);
    EXPECT_EQ(column(QString::fromUtf8("Spalte 2, Einfahrsignal"))->text(QAccessible::Value),
              QString::fromUtf8("Ks 1 blinkend, Zs 3 \"6\", Zs 3v \"4\", ZL"));

    // The Hl line has no signal in columns 4 and 8.
    choose("HlSystem1");
    tick();
    EXPECT_EQ(columns().size(), 8u);
    EXPECT_EQ(column(QString::fromUtf8("Spalte 4, Geschwindigkeitsanzeiger")), nullptr);
    EXPECT_NE(column(QString::fromUtf8("Spalte 9, Vorsignal des Blocksignals")), nullptr);
}

// Qt hands the events to the platform's bridge only while one is active; the canvas announces
// each one it sends, which is what is counted here.
TEST_F(AccessibilityTest, ChangesAreToldOnceAndBlinkingSaysNothing)
{
    QSignalSpy told(window->canvas(), &CanvasWidget::columnTextChanged);
    choose("KsSystem1");
    click(12);
    click(32);
    ticks(5);
    ASSERT_GT(told.count(), 0);
    // The entry signal's green lamp blinks from tick to tick; what the columns say stays.
    told.clear();
    ticks(2);
    EXPECT_EQ(told.count(), 0);

    // A press shows with the next tick, and only the changed columns are told: the entry signal
    // (child 1) and its distant signal (child 0).
    click(30);
    EXPECT_EQ(told.count(), 0);
    tick();
    ASSERT_GE(told.count(), 1);
    bool entryTold = false;
    for (const QList<QVariant>& args : told) {
        const int child = args.at(0).toInt();
        EXPECT_TRUE(child == 0 || child == 1) << "column " << child;
        entryTold = entryTold || child == 1;
    }
    EXPECT_TRUE(entryTold);
    EXPECT_EQ(canvas()->child(1)->text(QAccessible::Description), QString::fromUtf8("Hp 0. Lampen: rot."));
}

TEST_F(AccessibilityTest, KeyboardPressKeepsTheFocusAndAClickTakesItOff)
{
    tick();  // the first tick takes the focus off all controls
    QPushButton* halt450 = window->button(26);
    halt450->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(halt450->hasFocus());
    EXPECT_EQ(window->form().FocusedControl, 26);

    QTest::keyClick(halt450, Qt::Key_Space);
    EXPECT_EQ(window->form().Signals[9].Halt, 1);
    EXPECT_EQ(window->form().FocusedControl, 26);
    EXPECT_TRUE(halt450->hasFocus());

    // Tab goes on from the pressed button to the next one.
    QTest::keyClick(halt450, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->button(27));
    QTest::keyClick(window->button(27), Qt::Key_Return);
    EXPECT_EQ(window->form().Signals[9].Kennlicht, 1);
    EXPECT_TRUE(window->button(27)->hasFocus());

    // A mouse click does what it always did: the focus leaves every control.
    click(26);
    EXPECT_EQ(window->form().Signals[9].Halt, 1);
    EXPECT_EQ(window->form().FocusedControl, 0);
    EXPECT_EQ(QApplication::focusWidget() == nullptr || QApplication::focusWidget() == window->canvas()
                  || !qobject_cast<QPushButton*>(QApplication::focusWidget()),
              true);
}

TEST_F(AccessibilityTest, OverlaysDrawAboveTheCanvasOnly)
{
    QAction* steady = window->steadyLampsAction();
    QAction* letters = window->colorLettersAction();
    ASSERT_NE(steady, nullptr);
    ASSERT_NE(letters, nullptr);
    EXPECT_FALSE(steady->isChecked());
    EXPECT_FALSE(letters->isChecked());
    EXPECT_EQ(steady->text(), QString::fromUtf8("Blinken anhalten"));
    EXPECT_EQ(letters->text(), QString::fromUtf8("Lampenfarben beschriften"));

    // The entry signal's green lamp blinks; find it in its dark phase.
    choose("KsSystem1");
    click(12);
    click(32);
    ticks(5);
    const LitLight* green = nullptr;
    for (int i = 0; i < 2 && !green; ++i) {
        for (const LitLight& l : window->form().Lights.Lights())
            if (l.blinking && !l.burning && l.column == 150)
                green = &l;
        if (!green)
            tick();
    }
    ASSERT_NE(green, nullptr);
    const QPoint centre((green->left + green->right) / 2, (green->top + green->bottom) / 2);
    const Color before = window->driver().DrawCanvas().Pixel(centre.x(), centre.y());
    ASSERT_EQ(before, clBlack);

    auto shown = [&] { return window->canvas()->grab(QRect(0, 0, 1016, 696)).toImage(); };
    EXPECT_EQ(shown().pixelColor(centre), QColor(Qt::black));
    steady->trigger();
    EXPECT_EQ(shown().pixelColor(centre), QColor(144, 238, 144));
    EXPECT_EQ(window->driver().DrawCanvas().Pixel(centre.x(), centre.y()), clBlack);

    const QImage withoutLetters = shown();
    letters->trigger();
    EXPECT_NE(shown(), withoutLetters);
    steady->trigger();
    letters->trigger();
    window->canvas()->showTickPaint();
    EXPECT_EQ(shown().pixelColor(centre), QColor(Qt::black));
}

TEST_F(AccessibilityTest, MenusOpenWithAltAndTheirLetter)
{
    struct Case {
        Qt::Key key;
        const char* menu;
    };
    for (const Case& c : {Case {Qt::Key_D, "Datei1"}, Case {Qt::Key_E, "Einstellungen1"}, Case {Qt::Key_H, "Hilfe1"}}) {
        QTest::keyClick(window.get(), c.key, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << c.menu;
        EXPECT_EQ(popup->objectName(), QString::fromLatin1(c.menu));
        QTest::keyClick(popup, Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), Qt::Key_Escape);
    }
}

TEST_F(AccessibilityTest, ShortcutsSwitchSystemAndDaylight)
{
    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_TRUE(window->form().SelectedSystem() == System::Ks);
    QTest::keyClick(window.get(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_TRUE(window->form().SelectedSystem() == System::Hl);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(window->form().Menu.Nacht1);
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(window->form().Menu.ag1);
    QTest::keyClick(window.get(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(window->form().SelectedSystem() == System::HV);
}

} // namespace
