#pragma once

// The Qt main window, a thin view of the core.

#include "core/layout.h"
#include "core/driver.h"
#include "learn/quiz_session.h"
#include "dialogs/links.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace lumaro {

class AboutWindow;
class ButtonKeys;
class CanvasWidget;
class LicenceWindow;
class ManualWindow;
class ModelessWindow;
class NamesOverlay;
class NoticeWindow;
class WhyBar;
class FahrtView;

// The main window. It decides nothing: every action calls a handler of the core, and afterwards
// the window mirrors what the core holds (menu marks, panels, buttons, window colour, canvas).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The core as the window runs it.
    Driver& driver() { return m_driver; }
    const FormState& form() const { return m_driver.View(); }
    CanvasWidget* canvas() const { return m_canvas; }
    QTimer* timer() { return &m_timer; }
    // ButtonN, PanelN, or nullptr for a number without such a control.
    QPushButton* button(int n) const;
    QLabel* panel(int n) const;
    QLabel* image() const { return m_image1; }
    // The menu item of a component name ("ag1", "Beenden1", ...), or nullptr.
    QAction* menuAction(const QString& component) const;
    QAction* helpMenu() const { return m_hilfe1; }

    // The exit notice and the information windows, created hidden right after the first frame
    // of this window (or when they are asked for before that).
    NoticeWindow* notice();
    AboutWindow* about();
    LicenceWindow* licence();
    ManualWindow* manual();
    // Opens the links of those windows; tests replace how.
    LinkOpener& links() { return m_links; }

    // Copies the core's controls into the widgets. Cheap when nothing changed.
    void mirror();
    // Shows `state` in the widgets as if the core held it.
    void mirror(const FormState& state);

    // "Bild speichern …" asks for a file name, offering `suggested`, and returns it, or an empty
    // string when the user cancels; a failed save is told through the error reporter. Both show
    // modal dialogs by default; tests replace them.
    using SaveFileChooser = std::function<QString(const QString& suggested)>;
    using ErrorReporter = std::function<void(const QString& message)>;
    void setSaveFileChooser(SaveFileChooser chooser) { m_chooseSaveFile = std::move(chooser); }
    void setErrorReporter(ErrorReporter reporter) { m_reportError = std::move(reporter); }
    QAction* savePictureAction() const { return m_savePicture; }
    // The "Warum" line with its cause outline, and "Warum anzeigen" that shows or hides both.
    WhyBar* why() const { return m_why; }
    QAction* showWhyAction() const { return m_showWhy; }
    // "Fahrt zeigen": the speed along the line over the band of the track plan.
    FahrtView* fahrt() const { return m_fahrt; }
    // The learners' options above the canvas: "Blinken anhalten", "Lampenfarben beschriften".
    QAction* steadyLampsAction() const { return m_steadyLamps; }
    QAction* colorLettersAction() const { return m_colorLetters; }
    // "Signalnamen anzeigen" and the names it writes above the canvas.
    QAction* signalNamesAction() const { return m_signalNames; }
    NamesOverlay* names() const { return m_names; }
    // The item of "Größe" for `percent` (one of kViewPercents), or nullptr.
    QAction* viewSizeAction(int percent) const;
    // The learner's options are kept in this file between starts (main_window_options.cpp). A
    // file that cannot be written is told once through the reporter; tests replace it.
    static QString optionsFile();
    void setSettingsErrorReporter(ErrorReporter reporter) { m_reportSettingsError = std::move(reporter); }
    // While a self-test question is open: the asked column explains nothing, and the line's
    // buttons may wait for the answer. Mirrored at once.
    void setConcealment(learn::Concealment concealment);
    // Shows the speed line when "Fahrt zeigen" is on and no question is open.
    void showFahrt();
    const learn::Concealment& concealment() const { return m_concealment; }
    // Writes the canvas as the last paint left it (1016 x 696) to `path` as a PNG, the same bytes
    // as lumaro-render --png. On failure returns false with the reason in `error`.
    bool savePicture(const QString& path, QString& error);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createWidgets();
    void createMenus();
    void connectWidgets();
    void chooseAndSavePicture();
    void tick();
    void runMenuCommand(const MenuItem& item);
    void ensureWindows();
    void mirrorWindows(const FormState& state);
    // Accessible names, keyboard access and the learners' overlays (main_window_access.cpp).
    void createAccessibility();
    void mirrorAccessibility();
    // The options kept between starts: read at creation, written at every change.
    void createOptions();
    void saveOptions();

    Driver m_driver;
    CanvasWidget* m_canvas = nullptr;
    std::array<QPushButton*, kMaxButtonNumber + 1> m_buttons {};
    std::array<QLabel*, kPanelCount + 1> m_panels {};
    QLabel* m_image1 = nullptr;
    QAction* m_hilfe1 = nullptr;
    QAction* m_savePicture = nullptr;
    WhyBar* m_why = nullptr;
    FahrtView* m_fahrt = nullptr;
    QAction* m_showWhy = nullptr;
    QAction* m_steadyLamps = nullptr;
    QAction* m_colorLetters = nullptr;
    QAction* m_signalNames = nullptr;
    NamesOverlay* m_names = nullptr;
    std::vector<std::pair<int, QAction*>> m_viewSizes;
    ErrorReporter m_reportSettingsError;
    bool m_settingsErrorTold = false;
    ButtonKeys* m_buttonKeys = nullptr;
    learn::Concealment m_concealment;
    SaveFileChooser m_chooseSaveFile;
    ErrorReporter m_reportError;
    struct MenuEntry {
        const MenuItem* item;
        QAction* action;
    };
    std::vector<MenuEntry> m_menuEntries;
    QTimer m_timer;

    // Declared after m_driver: they go first, and a window hidden on its way out still finds the
    // core it reports to.
    LinkOpener m_links;
    std::unique_ptr<NoticeWindow> m_notice;
    std::unique_ptr<AboutWindow> m_about;
    std::unique_ptr<LicenceWindow> m_licence;
    std::unique_ptr<ManualWindow> m_manual;
    // A window as the core requests it: shown again whenever its count of requests has grown.
    struct RequestedWindow {
        SecondaryWindow which;
        ModelessWindow* window;
        unsigned raisesSeen;
    };
    std::vector<RequestedWindow> m_requestedWindows;
};

} // namespace lumaro
