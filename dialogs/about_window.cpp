// The about window built from its texts.

#include "dialogs/about_window.h"

#include "core/version.h"
#include "dialogs/links.h"
#include "contents/texts.h"

#include <QPixmap>
#include <QPushButton>

namespace lumaro {

namespace {

// A panel without bevel in the window's colour: it reads as plain text.
template <typename Label = QLabel>
Label* Panel(QWidget* parent, const char* name, const QRect& geometry, const QString& text, const QFont& font,
             Qt::Alignment horizontal)
{
    auto* panel = new Label(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(geometry);
    panel->setText(text);
    panel->setFont(font);
    panel->setTextFormat(Qt::PlainText);
    panel->setAlignment(horizontal | Qt::AlignVCenter);
    return panel;
}

} // namespace

AboutWindow::AboutWindow(const LinkOpener& links, QWidget* parent)
    : ModelessWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                 | Qt::WindowCloseButtonHint)
    , m_links(links)
{
    createWidgets();
    connectWidgets();
}

void AboutWindow::createWidgets()
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(Text(kAboutTexts.title));
    setFont(DialogFont(Face::Window, 11));
    resize(ClientSize(259, 321));
    move(397, 214);

    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(8, 8, 105, 73);
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image1->setPixmap(ReadPicture(PictureResource(kLogoFile)));

    const QFont windowFont = DialogFont(Face::Window, 11);
    m_panel1 = Panel(this, "Panel1", {8, 112, 105, 25}, Text(kAboutTexts.name), DialogFont(Face::Arial, 20, Bold),
                     Qt::AlignLeft);
    SetTextColour(m_panel1, kBlueText);
    m_panel2 = Panel(this, "Panel2", {8, 144, 113, 17}, Text(VersionLine(LUMARO_VERSION)), windowFont,
                     Qt::AlignLeft);
    m_panel4 = Panel(this, "Panel4", {8, 176, 113, 17}, Text(kAboutTexts.author), windowFont, Qt::AlignLeft);
    m_panel5 = Panel<LinkLabel>(this, "Panel5", {80, 216, 81, 17}, Text(kAboutTexts.webLink),
                                DialogFont(Face::Window, 13, Underlined), Qt::AlignHCenter);
    SetTextColour(m_panel5, ActiveCaptionColour());
    m_panel6 = Panel(this, "Panel6", {8, 80, 233, 25}, Text(kAboutTexts.tagline),
                     DialogFont(Face::Arial, 13, Bold), Qt::AlignLeft);
    SetTextColour(m_panel6, kBlueText);
    m_panel7 = Panel<LinkLabel>(this, "Panel7", {88, 240, 65, 25}, Text(kAboutTexts.mailLink),
                                DialogFont(Face::Arial, 13, Underlined), Qt::AlignHCenter);
    SetTextColour(m_panel7, ActiveCaptionColour());

    m_button1 = new QPushButton(Text(kAboutTexts.ok), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setGeometry(144, 152, 89, 25);
}

void AboutWindow::connectWidgets()
{
    connect(m_panel5, &LinkLabel::clicked, this, [this] { m_links.open(WebSiteUrl()); });
    connect(m_panel7, &LinkLabel::clicked, this, [this] { m_links.open(SupportMailUrl()); });
    connect(m_button1, &QPushButton::clicked, this, &QWidget::hide);
}

} // namespace lumaro
