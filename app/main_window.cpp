// The Qt main window: menus, buttons and panels built from the core's tables, actions passed to
// the driver, and the core's state mirrored into the widgets.

#include "app/main_window.h"

#include "app/canvas_accessible.h"
#include "app/canvas_widget.h"
#include "app/menu_align.h"
#include "app/names_overlay.h"
#include "app/photograph.h"
#include "app/fahrt_view.h"
#include "app/qt_color.h"
#include "app/why_bar.h"
#include "io/output_files.h"
#include "learn/column_controls.h"
#include "io/png_writer.h"
#include "dialogs/about_window.h"
#include "dialogs/notice_window.h"
#include "dialogs/text_windows.h"
#include "dialogs/window_look.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>

// The logo lives in a resource of the static shell library, which the linker would otherwise leave
// out of the program.
static void InitResources()
{
    Q_INIT_RESOURCE(lumaro);
}

namespace lumaro {

namespace {

// Hints are plain text; a two-line hint separates its lines with "\r\n".
QString ToolTipText(const std::string& hint)
{
    QString text = QString::fromStdString(hint);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (Qt::mightBeRichText(text))
        text = Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal);
    return text;
}

// The window's font: a sans font of 11 pixels, as the layout was designed for.
QFont WindowFont()
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

// "lumaro-ks-2026-12-08-1430.png": the system shown and the minute of saving.
QString PictureFileName(System system, const QDateTime& now)
{
    const char* name = system == System::Ks ? "ks" : system == System::Hl ? "hl" : "hv";
    return QStringLiteral("lumaro-%1-%2.png").arg(QLatin1String(name), now.toString(QStringLiteral("yyyy-MM-dd-HHmm")));
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    // The window system asks the canvas for the paints it owes: at the first show, and after a
    // new window colour.
    , m_driver([this] { m_canvas->requestCorePaint(); })
{
    InitResources();
    // Before any widget exists, so that Qt never caches a plain interface for the canvas.
    InstallCanvasAccessibility();
    createWidgets();
    connectWidgets();
    createAccessibility();
    createOptions();
    m_driver.Start();
    mirror();
    m_timer.start();
}

MainWindow::~MainWindow() = default;

void MainWindow::ensureWindows()
{
    if (m_notice)
        return;
    // Created hidden in the order of the program's windows: notice, about, licence terms, manual.
    m_notice = std::make_unique<NoticeWindow>(m_links, Photograph());
    m_about = std::make_unique<AboutWindow>(m_links);
    m_licence = std::make_unique<LicenceWindow>();
    m_manual = std::make_unique<ManualWindow>(m_links);
    m_requestedWindows = {
        {SecondaryWindow::Notice, m_notice.get(), 0},
        {SecondaryWindow::About, m_about.get(), 0},
        {SecondaryWindow::Licence, m_licence.get(), 0},
        {SecondaryWindow::Manual, m_manual.get(), 0},
    };

    // Closing an information window, or the notice, only hides it.
    for (const RequestedWindow& requested : m_requestedWindows) {
        const SecondaryWindow which = requested.which;
        connect(requested.window, &ModelessWindow::hidden, this, [this, which] { m_driver.WindowHidden(which); });
    }
}

NoticeWindow* MainWindow::notice()
{
    ensureWindows();
    return m_notice.get();
}

AboutWindow* MainWindow::about()
{
    ensureWindows();
    return m_about.get();
}

LicenceWindow* MainWindow::licence()
{
    ensureWindows();
    return m_licence.get();
}

ManualWindow* MainWindow::manual()
{
    ensureWindows();
    return m_manual.get();
}

void MainWindow::createWidgets()
{
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    createMenus();

    m_canvas = new CanvasWidget(m_driver, this);
    m_canvas->setFont(WindowFont());
    setCentralWidget(m_canvas);

    for (const ButtonDef& def : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(def.caption), m_canvas);
        button->setObjectName(QStringLiteral("Button%1").arg(def.number));
        button->setGeometry(def.left, def.top, kButtonWidth, kButtonHeight);
        // Reached with Tab, never focused by a click: a click leaves the focus to the core, which
        // takes it off all controls.
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
        m_buttons[def.number] = button;
    }

    // Both kinds of panel write bold; the designations in 8 pixels, so that their longest
    // captions fit, the column labels in the window's 11 pixels.
    QFont labelFont = WindowFont();
    labelFont.setBold(true);
    QFont designationFont = labelFont;
    designationFont.setPixelSize(8);
    for (const PanelDef& def : kPanels) {
        auto* label = new QLabel(m_canvas);
        label->setObjectName(QStringLiteral("Panel%1").arg(def.number));
        label->setGeometry(def.left, def.top, def.width, def.height);
        label->setFont(def.number <= kDesignationPanels ? designationFont : labelFont);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        // A click on a panel is not a click on the window background.
        label->setAttribute(Qt::WA_NoMousePropagation);
        m_panels[def.number] = label;
    }

    m_image1 = new QLabel(m_canvas);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(kImage1Left, kImage1Top, kImage1Width, kImage1Height);
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image1->setPixmap(ReadPicture(QStringLiteral(":/lumaro/logo.bmp")));
    m_image1->setAttribute(Qt::WA_NoMousePropagation);

    m_names = new NamesOverlay(m_canvas);
    m_why = new WhyBar(m_driver.View(), m_canvas, m_panels);
    m_fahrt = new FahrtView(m_driver.View(), m_canvas);

    m_timer.setInterval(1000);

    // The canvas and the menu bar, nothing more: the "Warum" line lives in the canvas's free strip,
    // so that the window fits a screen of 768 pixels with its frame and a desktop panel.
    resize(Canvas::kWidth, menuBar()->sizeHint().height() + Canvas::kHeight);
    move(0, -2);
}

void MainWindow::createMenus()
{
    std::array<QMenu*, kTopMenus.size()> menus {};
    for (std::size_t i = 0; i < kTopMenus.size(); ++i) {
        menus[i] = menuBar()->addMenu(QString::fromUtf8(kTopMenus[i].text));
        menus[i]->setObjectName(QString::fromUtf8(kTopMenus[i].component));
        if (kTopMenus[i].rightJustified)
            m_hilfe1 = menus[i]->menuAction();
    }
    for (const MenuItem& item : kMenuItems) {
        QMenu* menu = menus[static_cast<std::size_t>(item.menu)];
        if (item.separatorAbove)
            menu->addSeparator();
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setObjectName(QString::fromUtf8(item.component));
        action->setCheckable(item.checkable);
        m_menuEntries.push_back({&item, action});
    }
    QMenu* datei = menus[static_cast<std::size_t>(TopMenu::Datei)];
    // The window's own item, above "Beenden": the core knows nothing of files.
    QAction* beenden = menuAction(QStringLiteral("Beenden1"));
    m_savePicture = new QAction(QString::fromUtf8("Bild speichern …"), this);
    m_savePicture->setObjectName(QStringLiteral("BildSpeichern1"));
    datei->insertAction(beenden, m_savePicture);
    datei->insertSeparator(beenden);
    QMenu* einstellungen = menus[static_cast<std::size_t>(TopMenu::Einstellungen)];
    // The window's own item, like "Bild speichern …": the explanations are drawn above the
    // program, not by it, and the program's menu names are part of its scripting interface.
    m_showWhy = einstellungen->addAction(QString::fromUtf8("Warum anzeigen"));
    m_showWhy->setObjectName(QStringLiteral("WarumAnzeigen1"));
    m_showWhy->setCheckable(true);
    m_showWhy->setChecked(true);
    einstellungen->insertSeparator(m_showWhy);
}

void MainWindow::connectWidgets()
{
    // The core leaves the right-justify of "Hilfe" to the window; a failure leaves it in place.
    RightJustifyMenuItem(menuBar(), m_hilfe1);

    for (const MenuEntry& entry : m_menuEntries) {
        const MenuItem* item = entry.item;
        connect(entry.action, &QAction::triggered, this, [this, item] { runMenuCommand(*item); });
    }

    for (const ButtonDef& def : kButtons) {
        const int n = def.number;
        const int column = learn::ControlColumn(def.left, kButtonWidth);
        connect(m_buttons[n], &QPushButton::clicked, this, [this, n, column] {
            m_driver.ClickButton(n);
            m_why->columnPressed(column);
            mirror();
        });
    }
    connect(m_showWhy, &QAction::toggled, m_why, &WhyBar::setShown);
    connect(m_fahrt, &FahrtView::pieceHovered, m_why, &WhyBar::setOverride);

    connect(m_canvas, &CanvasWidget::backgroundClicked, this, [this] {
        m_driver.FormClick();
        mirror();
    });
    // The hidden windows, and the decoded photograph, are made by the first request that shows one
    // of them: until then they would only take memory (decoding in the close request stays well
    // within the time the notice has to appear).
    m_canvas->setAfterCorePaint([this] { mirror(); });

    connect(&m_timer, &QTimer::timeout, this, &MainWindow::tick);

    connect(m_savePicture, &QAction::triggered, this, &MainWindow::chooseAndSavePicture);
    m_chooseSaveFile = [this](const QString& suggested) {
        QFileDialog dialog(this, QString::fromUtf8("Bild speichern"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QString::fromUtf8("PNG-Bilder (*.png)"));
        dialog.setDefaultSuffix(QStringLiteral("png"));
        dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
        dialog.selectFile(suggested);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    m_reportError = [this](const QString& message) {
        QMessageBox::warning(this, QString::fromUtf8("Bild speichern"), message);
    };
}

void MainWindow::chooseAndSavePicture()
{
    const QString path = m_chooseSaveFile(PictureFileName(form().SelectedSystem(), QDateTime::currentDateTime()));
    if (path.isEmpty())
        return;
    QString error;
    if (!savePicture(path, error))
        m_reportError(QString::fromUtf8("Das Bild konnte nicht gespeichert werden.\n\n%1").arg(error));
}

bool MainWindow::savePicture(const QString& path, QString& error)
{
    std::string png;
    std::string reason;
    if (!io::EncodePng(m_driver.DrawCanvas(), png, reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    // Through the writer of lumaro-render: the picture appears whole or not at all.
    // An absolute name: "-" is a file here, not standard output.
    const QString file = QFileInfo(path).absoluteFilePath();
    if (!io::WriteOutputFile(QFile::encodeName(file).toStdString(), std::move(png), reason)) {
        error = QString::fromLocal8Bit(reason.c_str());
        return false;
    }
    return true;
}

void MainWindow::runMenuCommand(const MenuItem& item)
{
    // "Beenden" asks the window to close, so the request takes the same road as the title bar's
    // close button: closeEvent and the core's close query.
    if (item.action == MenuAction::RequestClose) {
        close();
        return;
    }
    if (item.action == MenuAction::ShowFahrt) {
        showFahrt();
        return;
    }
    m_driver.MenuCommand(item.component);
    mirror();
}

void MainWindow::tick()
{
    if (form().Ended)
        return;
    m_driver.Tick();
    m_canvas->showTickPaint();
    // The tick that ends the program leaves the windows as they are: they go with it.
    if (form().Ended) {
        close();
        return;
    }
    mirror();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!form().Ended && !m_driver.CloseRequest()) {
        mirror();
        event->ignore();
        return;
    }
    m_timer.stop();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    // Whatever the canvas does not cover when the window is enlarged shows the window colour.
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(form().WindowColor));
    painter.end();
    QMainWindow::paintEvent(event);
}

QPushButton* MainWindow::button(int n) const
{
    return n >= 0 && n <= kMaxButtonNumber ? m_buttons[n] : nullptr;
}

QLabel* MainWindow::panel(int n) const
{
    return n >= 1 && n <= kPanelCount ? m_panels[n] : nullptr;
}

QAction* MainWindow::menuAction(const QString& component) const
{
    for (const MenuEntry& entry : m_menuEntries)
        if (component == QLatin1String(entry.item->component))
            return entry.action;
    return nullptr;
}

void MainWindow::setConcealment(learn::Concealment concealment)
{
    m_concealment = concealment;
    m_why->setConcealment(concealment);
    m_canvas->setConcealedColumn(concealment.column);
    // The speed line would tell the answer of a question about a speed.
    showFahrt();
    mirror();
}

void MainWindow::showFahrt()
{
    const bool shown = menuAction(QStringLiteral("Fahrt1"))->isChecked() && m_concealment.column == 0;
    m_fahrt->setVisible(shown);
    if (shown) {
        m_fahrt->raise();
        m_fahrt->refresh();
    }
}

void MainWindow::mirror()
{
    for (const MenuEntry& entry : m_menuEntries)
        if (entry.item->checkable && !IsShellOnly(entry.item->action))
            entry.action->setChecked(m_driver.Form().MenuChecked(*entry.item));
    mirror(form());
    m_fahrt->refresh();
}

void MainWindow::mirror(const FormState& state)
{
    for (int n = 1; n <= kPanelCount; ++n) {
        const PanelState& panelState = state.Panels[n];
        QLabel* label = m_panels[n];
        const QString caption = QString::fromStdString(panelState.caption);
        if (label->text() != caption)
            label->setText(caption);
        const QString tip = m_concealment.Conceals(n) ? QString() : ToolTipText(panelState.hint);
        if (label->toolTip() != tip)
            label->setToolTip(tip);
        const QColor background = ToQColor(panelState.color);
        const QColor text = ToQColor(panelState.font);
        QPalette palette = label->palette();
        if (palette.color(QPalette::Window) != background || palette.color(QPalette::WindowText) != text) {
            palette.setColor(QPalette::Window, background);
            palette.setColor(QPalette::WindowText, text);
            label->setPalette(palette);
        }
    }

    for (const ButtonDef& def : kButtons) {
        const ButtonState& buttonState = state.Buttons[def.number];
        QPushButton* button = m_buttons[def.number];
        if (button->isVisibleTo(m_canvas) != buttonState.visible)
            button->setVisible(buttonState.visible);
        const bool enabled = buttonState.enabled && !m_concealment.buttonsHeld;
        if (button->isEnabled() != enabled)
            button->setEnabled(enabled);
    }

    if (state.FocusedControl == 0) {
        if (QWidget* focused = m_canvas->focusWidget(); focused && focused != m_canvas)
            focused->clearFocus();
    }

    mirrorAccessibility();
    mirrorWindows(state);
    m_names->refresh(state);
    m_why->refresh();
}

void MainWindow::mirrorWindows(const FormState& state)
{
    const bool anyRequest = state.Notice.raises || state.About.raises || state.Licence.raises || state.Manual.raises;
    if (!m_notice && !anyRequest)
        return;
    ensureWindows();
    m_notice->setSeconds(state.NoticeSeconds);
    for (RequestedWindow& requested : m_requestedWindows) {
        const WindowState& window = state.Window(requested.which);
        if (window.raises == requested.raisesSeen)
            continue;
        requested.raisesSeen = window.raises;
        if (!window.visible)
            continue;
        requested.window->showModeless();
        // The close request returns only once the notice is fully drawn.
        if (requested.window == m_notice.get())
            m_notice->repaint();
    }
}

} // namespace lumaro
