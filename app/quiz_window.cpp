// The self-test's windows: the questions beside the line, the result of an exam, the progress
// picture, and the menu items that open them. Every word and rule comes from the session.

#include "app/quiz_window.h"

#include "app/canvas_widget.h"
#include "app/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace lumaro {

namespace {

using learn::ChoiceMark;
using learn::ItemKind;

// Room between the window and the line or the screen's edge.
constexpr int kGap = 8;
// A window frame's title bar and borders, where the platform does not report them yet.
constexpr int kFrameAllowance = 40;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

QLabel* WrappedLabel(QWidget* parent, const QString& name = {})
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A mark in more than colour: a sign before the choice and its note after it.
QString ChoiceText(int index, const learn::ChoiceView& choice)
{
    QString sign;
    switch (choice.mark) {
    case ChoiceMark::None: break;
    case ChoiceMark::Right:
    case ChoiceMark::ChosenRight: sign = QString::fromUtf8("✓ "); break;
    case ChoiceMark::ChosenWrong: sign = QString::fromUtf8("✗ "); break;
    }
    QString text = QStringLiteral("%1   %2%3").arg(index + 1).arg(sign, Utf8(choice.text));
    if (!choice.note.empty())
        text += QString::fromUtf8(" – ") + Utf8(choice.note);
    return text;
}

QString ChoiceStyle(ChoiceMark mark)
{
    const QString base = QStringLiteral("text-align: left; padding: 4px 8px;");
    switch (mark) {
    case ChoiceMark::None: return base;
    case ChoiceMark::Right:
    case ChoiceMark::ChosenRight: return base + QStringLiteral(" border: 3px solid #1b7f2a; font-weight: bold;");
    case ChoiceMark::ChosenWrong: return base + QStringLiteral(" border: 3px dashed #b3261e;");
    }
    return base;
}

} // namespace

AskedMark::AskedMark(QWidget* canvas)
    : QWidget(canvas)
{
    setObjectName(QStringLiteral("QuizAskedMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void AskedMark::setColumn(int x, const QString& name)
{
    m_x = x;
    m_name = name;
    setVisible(x != 0);
    if (x) {
        setGeometry(parentWidget()->rect());
        raise();
    }
    update();
}

void AskedMark::paintEvent(QPaintEvent*)
{
    if (!m_x)
        return;
    QPainter painter(this);
    const QRect column = CanvasWidget::columnRect(m_x).adjusted(2, 2, -2, -2);
    painter.setPen(QPen(QColor(0xFF, 0x8C, 0x00), 4, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(column);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    // The name in a box at the column's top, widened beyond the column when it needs it.
    const QFontMetrics metrics(bold);
    const int width = metrics.horizontalAdvance(m_name) + 12;
    QRect label(column.center().x() - width / 2, column.top() + 4, width, metrics.height() + 6);
    label.moveLeft(std::clamp(label.left(), 0, std::max(0, this->width() - width)));
    painter.fillRect(label, QColor(0xFF, 0x8C, 0x00));
    painter.setPen(Qt::black);
    painter.drawText(label, Qt::AlignCenter, m_name);
}

QuizWindow::QuizWindow(MainWindow& main, learn::QuizSession& session)
    : QWidget(nullptr, Qt::Window)
    , m_main(main)
    , m_session(session)
{
    createWidgets();
    connectWidgets();
}

QuizWindow::~QuizWindow()
{
    m_session.Close();
    m_main.setConcealment({});
    showLine();
}

void QuizWindow::createWidgets()
{
    setObjectName(QStringLiteral("QuizWindow"));
    auto* layout = new QVBoxLayout(this);
    m_heading = WrappedLabel(this, QStringLiteral("QuizHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    layout->addWidget(m_heading);

    m_systems = new QWidget(this);
    auto* systems = new QHBoxLayout(m_systems);
    systems->setContentsMargins(0, 0, 0, 0);
    const learn::SessionView view = m_session.View();
    systems->addWidget(new QLabel(Utf8(view.systemsLabel), m_systems));
    for (std::size_t i = 0; i < m_systemBoxes.size() && i < view.systemChoices.size(); ++i) {
        const auto& choice = view.systemChoices[i];
        auto* box = new QCheckBox(Utf8(choice.label), m_systems);
        box->setObjectName(QStringLiteral("QuizSystem%1").arg(QLatin1String(learn::SystemName(choice.system))));
        box->setChecked(choice.chosen);
        box->setFocusPolicy(Qt::NoFocus);
        m_systemBoxes[i] = box;
        systems->addWidget(box);
    }
    systems->addStretch();
    layout->addWidget(m_systems);

    m_prompt = WrappedLabel(this, QStringLiteral("QuizPrompt"));
    layout->addWidget(m_prompt);
    m_hint = WrappedLabel(this, QStringLiteral("QuizHint"));
    layout->addWidget(m_hint);
    for (int i = 0; i < kChoiceKeys; ++i) {
        auto* choice = new QPushButton(this);
        choice->setObjectName(QStringLiteral("QuizChoice%1").arg(i + 1));
        // Keys 1 to 4 and Enter answer wherever the focus is; no button keeps it.
        choice->setFocusPolicy(Qt::NoFocus);
        choice->setMinimumHeight(32);
        m_choices[static_cast<std::size_t>(i)] = choice;
        layout->addWidget(choice);
    }
    m_feedback = WrappedLabel(this, QStringLiteral("QuizFeedback"));
    layout->addWidget(m_feedback);

    // The exam's result scrolls inside the window, which never grows beyond the screen.
    m_resultArea = new QScrollArea(this);
    m_resultArea->setObjectName(QStringLiteral("QuizResult"));
    m_resultArea->setWidgetResizable(true);
    m_resultArea->setFrameShape(QFrame::NoFrame);
    m_resultArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_resultList = new QWidget(m_resultArea);
    m_resultLayout = new QVBoxLayout(m_resultList);
    m_resultArea->setWidget(m_resultList);
    m_resultArea->hide();
    layout->addWidget(m_resultArea, 1);
    layout->addStretch();

    m_proceed = new QPushButton(QString::fromUtf8("Weiter"), this);
    m_proceed->setObjectName(QStringLiteral("QuizProceed"));
    m_proceed->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_proceed);
    setMinimumWidth(380);
    resize(420, 480);
}

void QuizWindow::connectWidgets()
{
    for (int i = 0; i < kChoiceKeys; ++i)
        connect(m_choices[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { choose(i); });
    connect(m_proceed, &QPushButton::clicked, this, &QuizWindow::proceed);
    for (QCheckBox* box : m_systemBoxes)
        connect(box, &QCheckBox::toggled, this, &QuizWindow::systemsChanged);
    // Connected after the main window's own tick: the panels are mirrored when this runs.
    connect(m_main.timer(), &QTimer::timeout, this, &QuizWindow::afterTick);
}

void QuizWindow::startPractice(std::uint64_t seed)
{
    m_session.StartPractice(seed, m_session.Systems());
    m_shownNumber = -1;
    refresh();
    show();
    place();
    raise();
}

void QuizWindow::startExam(std::uint64_t seed)
{
    m_session.StartExam(seed);
    m_shownNumber = -1;
    refresh();
    show();
    place();
    raise();
}

void QuizWindow::systemsChanged()
{
    // One system at least: the last one cannot be taken away.
    if (std::none_of(m_systemBoxes.begin(), m_systemBoxes.end(), [](QCheckBox* b) { return b->isChecked(); })) {
        auto* box = qobject_cast<QCheckBox*>(sender());
        if (box)
            box->setChecked(true);
        return;
    }
    const learn::SessionView view = m_session.View();
    std::vector<System> systems;
    for (std::size_t i = 0; i < m_systemBoxes.size() && i < view.systemChoices.size(); ++i)
        if (m_systemBoxes[i]->isChecked())
            systems.push_back(view.systemChoices[i].system);
    m_session.SetSystems(std::move(systems));
}

void QuizWindow::choose(int index)
{
    if (m_session.Choose(index))
        refresh();
}

void QuizWindow::proceed()
{
    if (m_session.Finished()) {
        close();
        return;
    }
    if (m_session.Proceed())
        refresh();
}

void QuizWindow::afterTick()
{
    if (!m_session.IsOpen())
        return;
    const bool answered = m_session.Answered();
    m_session.AfterTick();
    if (m_session.Answered() != answered)
        refresh();
}

void QuizWindow::refresh()
{
    const learn::SessionView view = m_session.View();
    setWindowTitle(Utf8(view.title));
    m_heading->setText(Utf8(view.heading));
    m_systems->setVisible(view.mode == learn::QuizMode::Practice && !view.finished);

    // The line moved on whenever the question, its answer or the end did.
    const bool moved = view.number != m_shownNumber || view.answered != m_shownAnswered || view.finished != m_shownFinished;
    m_shownNumber = view.number;
    m_shownAnswered = view.answered;
    m_shownFinished = view.finished;
    m_main.setConcealment(m_session.Concealed());
    if (moved)
        showLine();
    coverPanel(view.coverPanel && view.item ? view.item->panel : 0);
    if (m_cover)
        m_cover->setToolTip(Utf8(view.coverHint));
    if (!m_mark)
        m_mark = new AskedMark(m_main.canvas());
    m_mark->setColumn(view.askedColumn, Utf8(view.askedSignal));

    if (view.finished) {
        showResult(view);
        return;
    }
    m_resultArea->hide();
    m_prompt->setText(Utf8(view.prompt));
    m_prompt->show();
    m_hint->setText(Utf8(view.hint));
    m_hint->setVisible(!view.hint.empty());
    for (int i = 0; i < kChoiceKeys; ++i) {
        QPushButton* button = m_choices[static_cast<std::size_t>(i)];
        const bool shown = i < static_cast<int>(view.choices.size());
        button->setVisible(shown);
        if (!shown)
            continue;
        const learn::ChoiceView& choice = view.choices[static_cast<std::size_t>(i)];
        button->setText(ChoiceText(i, choice));
        button->setStyleSheet(ChoiceStyle(choice.mark));
        button->setEnabled(view.choicesEnabled || choice.mark != ChoiceMark::None);
    }
    m_feedback->setText(Utf8(view.feedback));
    m_feedback->setVisible(!view.feedback.empty());
    m_proceed->setText(Utf8(view.proceed));
    m_proceed->setEnabled(view.proceedEnabled);
    if (moved && isVisible())
        place();
}

void QuizWindow::showResult(const learn::SessionView& view)
{
    m_prompt->hide();
    m_hint->hide();
    m_feedback->hide();
    for (QPushButton* button : m_choices)
        button->hide();
    while (QLayoutItem* item = m_resultLayout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    QLabel* summary = WrappedLabel(m_resultList, QStringLiteral("QuizResultSummary"));
    summary->setText(Utf8(view.result));
    m_resultLayout->addWidget(summary);
    QLabel* heading = WrappedLabel(m_resultList, QStringLiteral("QuizMissedHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setText(Utf8(view.missedHeading));
    m_resultLayout->addWidget(heading);
    for (const learn::MissedView& missed : view.missed) {
        auto* frame = new QFrame(m_resultList);
        frame->setObjectName(QStringLiteral("QuizMissed"));
        frame->setFrameShape(QFrame::StyledPanel);
        auto* lines = new QVBoxLayout(frame);
        QLabel* title = WrappedLabel(frame);
        title->setFont(bold);
        title->setText(Utf8(missed.heading));
        lines->addWidget(title);
        for (const std::string* text : {&missed.prompt, &missed.right, &missed.given, &missed.why}) {
            QLabel* line = WrappedLabel(frame);
            line->setText(Utf8(*text));
            lines->addWidget(line);
        }
        m_resultLayout->addWidget(frame);
    }
    m_resultLayout->addStretch();
    m_resultArea->show();
    m_proceed->setText(Utf8(view.proceed));
    m_proceed->setEnabled(view.proceedEnabled);
}

QList<QWidget*> QuizWindow::missedItems() const
{
    return m_resultList->findChildren<QWidget*>(QStringLiteral("QuizMissed"), Qt::FindDirectChildrenOnly);
}

QString QuizWindow::resultText() const
{
    const auto* summary = m_resultList->findChild<QLabel*>(QStringLiteral("QuizResultSummary"));
    return summary ? summary->text() : QString();
}

void QuizWindow::place()
{
    const QScreen* screen = m_main.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    // Never taller than the screen: the result scrolls instead.
    const int frameExtra = std::max(kFrameAllowance, frameGeometry().height() - height());
    setMaximumHeight(available.height() - frameExtra);
    if (height() > maximumHeight())
        resize(width(), maximumHeight());

    const QRect line = m_main.frameGeometry();
    const QSize size = frameGeometry().size().expandedTo(QSize(width(), height() + frameExtra));
    QPoint at;
    if (line.right() + kGap + size.width() <= available.right())
        at = {line.right() + kGap, std::max(line.top(), available.top())};
    else if (line.bottom() + kGap + size.height() <= available.bottom())
        at = {std::max(line.left(), available.left()), line.bottom() + kGap};
    else {
        // Over the line, on the side of the asked column with more room, as narrow as it must be.
        const int asked = m_mark ? m_mark->column() : 0;
        if (!asked) {
            at = {available.right() - size.width(), available.top()};
        } else {
            const QRect local = CanvasWidget::columnRect(asked);
            const QRect column(m_main.canvas()->mapToGlobal(local.topLeft()), local.size());
            const int leftRoom = column.left() - kGap - available.left();
            const int rightRoom = available.right() - column.right() - kGap;
            const bool right = rightRoom >= leftRoom;
            const int frameWidth = size.width() - width();
            const int outer = std::min(size.width(), std::max(right ? rightRoom : leftRoom, minimumWidth() + frameWidth));
            if (outer != size.width())
                resize(outer - frameWidth, height());
            at = {right ? column.right() + kGap : column.left() - kGap - outer, available.top()};
        }
    }
    if (pos() != at)
        move(at);
}

QString QuizWindow::headingText() const { return m_heading->text(); }

QString QuizWindow::promptText() const { return m_prompt->text(); }

QString QuizWindow::feedbackText() const { return m_feedback->text(); }

QLabel* QuizWindow::cover() const { return m_cover && m_cover->isVisible() ? m_cover.data() : nullptr; }

void QuizWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key >= Qt::Key_1 && key < Qt::Key_1 + kChoiceKeys) {
        choose(key - Qt::Key_1);
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        proceed();
        return;
    }
    QWidget::keyPressEvent(event);
}

void QuizWindow::closeEvent(QCloseEvent* event)
{
    m_session.Close();
    m_shownNumber = -1;
    m_main.setConcealment({});
    coverPanel(0);
    if (m_mark)
        m_mark->setColumn(0, {});
    showLine();
    event->accept();
    emit closed();
}

void QuizWindow::showLine()
{
    m_main.canvas()->showTickPaint();
    m_main.mirror();
}

void QuizWindow::coverPanel(int panel)
{
    if (panel == 0) {
        if (m_cover)
            m_cover->hide();
        return;
    }
    // Over the panel widget, never into the canvas: the picture stays the program's own.
    if (!m_cover) {
        m_cover = new QLabel(QStringLiteral("?"), m_main.canvas());
        m_cover->setObjectName(QStringLiteral("QuizCover"));
        m_cover->setAlignment(Qt::AlignCenter);
        m_cover->setAutoFillBackground(true);
        m_cover->setStyleSheet(QStringLiteral("background: #505050; color: white; font-weight: bold;"));
    }
    m_cover->setGeometry(m_main.panel(panel)->geometry());
    m_cover->show();
    m_cover->raise();
}

ProgressPicture::ProgressPicture(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ProgressPicture"));
    setMinimumHeight(sizeHint().height());
}

void ProgressPicture::setView(learn::ProgressView view)
{
    m_view = std::move(view);
    QStringList words;
    for (const auto& system : m_view.systems)
        words << Utf8(system.name) + QStringLiteral(": ") + Utf8(system.summary);
    setAccessibleName(Utf8(m_view.boxesHeading));
    setAccessibleDescription(words.join(QStringLiteral("; ")));
    update();
}

QSize ProgressPicture::sizeHint() const { return {520, 250}; }

void ProgressPicture::paintEvent(QPaintEvent*)
{
    // Box 1 (missed last time) red to box 5 green; the known boxes from kKnownBox on are green.
    static const std::array<QColor, learn::Progress::kBoxes> kBoxColours = {
        QColor(0xD3, 0x2F, 0x2F), QColor(0xF5, 0x7C, 0x00), QColor(0x9C, 0xCC, 0x65), QColor(0x43, 0xA0, 0x47),
        QColor(0x1B, 0x5E, 0x20)};
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    int y = 0;
    painter.drawText(QRect(0, y, width(), line), Qt::AlignLeft, Utf8(m_view.boxesHeading));
    y += line + 4;
    const int labelWidth = 90;
    const int barWidth = std::max(60, width() - labelWidth - 130);
    int most = 1;
    for (const auto& system : m_view.systems)
        most = std::max(most, system.total);
    for (const auto& system : m_view.systems) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, y, labelWidth, line + 4), Qt::AlignVCenter, Utf8(system.name));
        int x = labelWidth;
        for (std::size_t box = 0; box < system.boxes.size(); ++box) {
            const int count = system.boxes[box];
            if (!count)
                continue;
            const int w = std::max(14, count * barWidth / most);
            painter.fillRect(QRect(x, y, w, line + 4), kBoxColours[box]);
            painter.setPen(box >= 2 ? Qt::white : Qt::black);
            painter.drawText(QRect(x, y, w, line + 4), Qt::AlignCenter, QString::number(count));
            x += w;
        }
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(x + 6, y, width() - x - 6, line + 4), Qt::AlignVCenter, Utf8(system.summary));
        y += line + 10;
    }
    // The legend: the colour of each box with its name.
    int x = 0;
    for (std::size_t box = 0; box < m_view.boxNames.size(); ++box) {
        painter.fillRect(QRect(x, y + 2, line - 4, line - 4), kBoxColours[box]);
        const QString name = Utf8(m_view.boxNames[box]);
        painter.drawText(QPoint(x + line, y + metrics.ascent()), name);
        x += line + metrics.horizontalAdvance(name) + 12;
    }
    y += line + 12;

    painter.drawText(QRect(0, y, width(), line), Qt::AlignLeft, Utf8(m_view.examsHeading));
    y += line + 4;
    const QRect chart(30, y, width() - 40, height() - y - 4);
    if (m_view.examPercents.empty()) {
        painter.drawText(chart, Qt::AlignLeft | Qt::AlignTop, Utf8(m_view.examsEmpty));
        return;
    }
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawRect(chart);
    const auto yOf = [&chart](int percent) { return chart.bottom() - percent * chart.height() / 100; };
    painter.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 1, Qt::DashLine));
    painter.drawLine(chart.left(), yOf(m_view.passPercent), chart.right(), yOf(m_view.passPercent));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, yOf(m_view.passPercent) - line / 2, 28, line), Qt::AlignRight,
                     QString::number(m_view.passPercent));
    const int count = static_cast<int>(m_view.examPercents.size());
    const int step = std::max(1, std::min(40, chart.width() / std::max(1, count)));
    for (int i = 0; i < count; ++i) {
        const int percent = m_view.examPercents[static_cast<std::size_t>(i)];
        const QRect bar(chart.left() + i * step + 2, yOf(percent), std::max(2, step - 4), chart.bottom() - yOf(percent));
        painter.fillRect(bar, percent >= m_view.passPercent ? kBoxColours[3] : kBoxColours[0]);
    }
}

ProgressWindow::ProgressWindow(learn::KeptProgress& kept, std::function<void()> changed)
    : QWidget(nullptr, Qt::Window)
    , m_kept(kept)
    , m_changed(std::move(changed))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    setWindowTitle(QString::fromUtf8("Fortschritt"));
    m_confirm = [this](const QString& question, const QString& yes, const QString& no) {
        QMessageBox box(QMessageBox::Question, windowTitle(), question, QMessageBox::NoButton, this);
        QPushButton* yesButton = box.addButton(yes, QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(no, QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == yesButton;
    };
    auto* layout = new QVBoxLayout(this);
    m_summary = WrappedLabel(this);
    layout->addWidget(m_summary);
    m_picture = new ProgressPicture(this);
    layout->addWidget(m_picture);
    m_table = new QTableWidget(this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table, 1);
    m_restoreNote = WrappedLabel(this);
    layout->addWidget(m_restoreNote);
    auto* buttons = new QHBoxLayout;
    m_restore = new QPushButton(this);
    m_restore->setObjectName(QStringLiteral("ProgressRestore"));
    m_reset = new QPushButton(this);
    m_reset->setObjectName(QStringLiteral("ProgressReset"));
    auto* close = new QPushButton(Utf8(learn::MakeProgressView(m_kept).close), this);
    // "Schließen" where it usually sits, the erasing button well apart from it.
    buttons->addWidget(m_reset);
    buttons->addWidget(m_restore);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_reset, &QPushButton::clicked, this, &ProgressWindow::reset);
    connect(m_restore, &QPushButton::clicked, this, &ProgressWindow::restore);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(600, 560);
    refresh();
}

void ProgressWindow::reset()
{
    const learn::ProgressView view = learn::MakeProgressView(m_kept);
    if (!m_confirm(Utf8(view.resetQuestion), Utf8(view.confirmYes), Utf8(view.confirmNo)))
        return;
    m_kept.Reset();
    if (m_changed)
        m_changed();
    refresh();
}

void ProgressWindow::restore()
{
    if (!m_kept.Restore())
        return;
    if (m_changed)
        m_changed();
    refresh();
}

QString ProgressWindow::summaryText() const { return m_summary->text(); }

void ProgressWindow::refresh()
{
    learn::ProgressView view = learn::MakeProgressView(m_kept);
    m_summary->setText(Utf8(view.summary));
    m_reset->setText(Utf8(view.reset));
    m_restore->setText(Utf8(view.restore));
    m_restore->setEnabled(view.canRestore);
    m_restoreNote->setText(Utf8(view.restoreNote));
    m_restoreNote->setVisible(view.canRestore);
    m_table->setColumnCount(static_cast<int>(view.columns.size()));
    QStringList headings;
    for (const std::string& column : view.columns)
        headings << Utf8(column);
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setRowCount(static_cast<int>(view.rows.size()));
    for (int row = 0; row < static_cast<int>(view.rows.size()); ++row) {
        const auto& r = view.rows[static_cast<std::size_t>(row)];
        const QStringList cells = {Utf8(r.system), Utf8(r.kind), Utf8(r.designation), QString::number(r.asked),
                                   QString::number(r.right), Utf8(r.box)};
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_table->resizeColumnsToContents();
    m_picture->setView(std::move(view));
}

QuizController::QuizController(MainWindow& main, QString directory)
    : m_main(main)
    , m_store(std::move(directory))
{
    m_report = [this](const QString& message) {
        auto* box = new QMessageBox(QMessageBox::Warning, QString::fromUtf8("Üben"), message, QMessageBox::Ok, &m_main);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    // The items stand in the window's menu, built from the core's menu table.
    m_practice = m_main.menuAction(QStringLiteral("Ueben1"));
    m_exam = m_main.menuAction(QStringLiteral("Pruefung1"));
    m_progressAction = m_main.menuAction(QStringLiteral("Fortschritt1"));
    const auto freshSeed = [] { return QRandomGenerator::global()->generate64(); };
    connect(m_practice, &QAction::triggered, this, [this, freshSeed] { startPractice(freshSeed()); });
    connect(m_exam, &QAction::triggered, this, [this, freshSeed] { startExam(freshSeed()); });
    connect(m_progressAction, &QAction::triggered, this, &QuizController::showProgress);
}

QuizController::~QuizController() = default;

void QuizController::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    QString message;
    m_kept = m_store.loadKept(message);
    if (!message.isEmpty())
        m_report(message);
}

void QuizController::save()
{
    QString message;
    if (m_store.saveKept(m_kept, message)) {
        m_saveFailureTold = false;
        return;
    }
    // Told once; the self-test goes on with the progress in memory.
    if (!m_saveFailureTold) {
        m_saveFailureTold = true;
        m_report(QString::fromUtf8("Der Fortschritt kann nicht gespeichert werden.\n%1\nDas Üben geht trotzdem weiter.").arg(message));
    }
}

QuizWindow* QuizController::ensureQuizWindow()
{
    ensureLoaded();
    if (!m_quiz) {
        m_session = std::make_unique<learn::QuizSession>(m_main.driver(), m_kept.current);
        m_session->OnRecorded([this] {
            save();
            if (m_progressWindow)
                m_progressWindow->refresh();
        });
        m_quiz = std::make_unique<QuizWindow>(m_main, *m_session);
    }
    return m_quiz.get();
}

void QuizController::startPractice(std::uint64_t seed) { ensureQuizWindow()->startPractice(seed); }

void QuizController::startExam(std::uint64_t seed) { ensureQuizWindow()->startExam(seed); }

void QuizController::showProgress()
{
    ensureLoaded();
    if (!m_progressWindow)
        m_progressWindow = std::make_unique<ProgressWindow>(m_kept, [this] { save(); });
    m_progressWindow->refresh();
    m_progressWindow->show();
    m_progressWindow->raise();
}

} // namespace lumaro
