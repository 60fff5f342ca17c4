// The licence terms and manual windows built from their texts.

#include "dialogs/text_windows.h"

#include "dialogs/links.h"
#include "contents/texts.h"

#include <QTextEdit>

namespace lumaro {

namespace {

constexpr Qt::WindowFlags kSizeableFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                           | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                                           | Qt::WindowCloseButtonHint;

// Read-only but selectable and scrollable, wrapped at the view's width, first in the tab order.
QTextEdit* TextView(QWidget* parent, const QRect& geometry, const QString& text)
{
    auto* view = new QTextEdit(parent);
    view->setObjectName(QStringLiteral("RichEdit1"));
    view->setGeometry(geometry);
    view->setFont(DialogFont(Face::Window, 11));
    view->setAcceptRichText(false);
    view->setPlainText(text);
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setLineWrapMode(QTextEdit::WidgetWidth);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setFocusPolicy(Qt::StrongFocus);
    return view;
}

LinkLabel* Link(QWidget* parent, const char* name, QPoint position, const QString& text)
{
    auto* label = new LinkLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setText(text);
    label->setFont(DialogFont(Face::Arial, 11, Bold | Underlined));
    SetTextColour(label, ActiveCaptionColour());
    label->move(position);
    label->adjustSize();
    return label;
}

} // namespace

LicenceWindow::LicenceWindow(QWidget* parent)
    : ModelessWindow(parent, kSizeableFrame)
{
    createWidgets();
}

void LicenceWindow::createWidgets()
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(Text(kLicenceTitle));
    setFont(DialogFont(Face::Window, 11));
    resize(ClientSize(450, 499));
    move(296, 121);
    m_richEdit1 = TextView(this, {8, 8, 425, 449}, QString::fromUtf8(kLicenceText));
}

ManualWindow::ManualWindow(const LinkOpener& links, QWidget* parent)
    : ModelessWindow(parent, kSizeableFrame)
    , m_links(links)
{
    createWidgets();
    connectWidgets();
}

void ManualWindow::createWidgets()
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(Text(kManualTexts.title));
    setFont(DialogFont(Face::Window, 11));
    resize(ClientSize(579, 511));
    move(229, 123);
    m_richEdit1 = TextView(this, {8, 8, 553, 401}, Text(ManualText()));
    // The signal book the manual announces at its end, left of the maker's links.
    m_label1 = Link(this, "Label1", {8, 416}, Text(kManualTexts.signalBookLink));
    m_label2 = Link(this, "Label2", {400, 416}, Text(kManualTexts.mailLink));
    m_label3 = Link(this, "Label3", {400, 440}, Text(kManualTexts.webLink));
}

void ManualWindow::connectWidgets()
{
    connect(m_label1, &LinkLabel::clicked, this, [this] { m_links.open(SignalBookUrl()); });
    connect(m_label2, &LinkLabel::clicked, this, [this] { m_links.open(SupportMailUrl()); });
    connect(m_label3, &LinkLabel::clicked, this, [this] { m_links.open(WebSiteUrl()); });
}

} // namespace lumaro
