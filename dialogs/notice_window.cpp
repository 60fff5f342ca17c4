// The exit notice built from its texts, with the photograph decoded off the start's path.

#include "dialogs/notice_window.h"

#include "contents/photo_decoder.h"
#include "dialogs/links.h"
#include "contents/texts.h"

#include <QImage>
#include <QPixmap>
#include <QShowEvent>

#include <algorithm>
#include <span>

namespace lumaro {

namespace {

constexpr ImageSize kPhotographSize {3648, 2736};
constexpr QRect kImage1Box {0, 0, 601, 449};

QLabel* TextLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

LinkLabel* CentredLink(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                       const QFont& font)
{
    auto* label = new LinkLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setText(text);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    SetTextColour(label, DesktopColour());
    return label;
}

} // namespace

NoticeWindow::NoticeWindow(const LinkOpener& links, QByteArray photograph, QWidget* parent)
    : ModelessWindow(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_links(links)
    , m_photographData(std::move(photograph))
{
    createWidgets();
    connectWidgets();
}

void NoticeWindow::createWidgets()
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(Text(kNoticeTexts.title));
    setFont(DialogFont(Face::Window, 11));
    setFixedSize(576, 446);
    move(232, 154);

    // The picture box is larger than the window; the window clips it.
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(kImage1Box);
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_label2 = CentredLink(this, "Label2", {0, 224, 601, 25}, Text(kNoticeTexts.webLink),
                           DialogFont(Face::Arial, 16, Bold | Underlined));
    m_label3 = CentredLink(this, "Label3", {0, 280, 601, 16}, Text(kNoticeTexts.mailLink),
                           DialogFont(Face::Window, 13, Bold | Underlined));

    const QFont windowFont = DialogFont(Face::Window, 11);
    m_label4 = TextLabel(this, "Label4", {208, 336, 104, 13}, Text(kNoticeTexts.countdownBefore), windowFont);
    m_label5 = TextLabel(this, "Label5", {312, 336, 17, 13}, QString(), windowFont);
    m_label6 = TextLabel(this, "Label6", {328, 336, 49, 13}, Text(kNoticeTexts.countdownAfter), windowFont);
    placeCountdownLine();

    m_image2 = new LinkLabel(this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setGeometry(16, 16, 105, 73);
    m_image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_image2->setPixmap(ReadPicture(PictureResource(kLogoFile)));

    m_label7 = TextLabel(this, "Label7", {16, 88, 274, 19}, Text(kNoticeTexts.tagline),
                         DialogFont(Face::Arial, 16, Bold));
    m_label7->adjustSize();
    SetTextColour(m_label7, kBlueText);

    m_label8 = TextLabel(this, "Label8", {0, 404, 576, 14}, Text(kNoticeTexts.rightsLine1), windowFont);
    m_label9 = TextLabel(this, "Label9", {0, 419, 576, 14}, Text(kNoticeTexts.rightsLine2), windowFont);
    for (QLabel* rights : {m_label8, m_label9}) {
        rights->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        SetTextColour(rights, Qt::white);
    }
}

void NoticeWindow::connectWidgets()
{
    connect(m_label2, &LinkLabel::clicked, this, [this] { m_links.open(WebSiteUrl()); });
    connect(m_image2, &LinkLabel::clicked, this, [this] { m_links.open(WebSiteUrl()); });
    connect(m_label3, &LinkLabel::clicked, this, [this] { m_links.open(SupportMailUrl()); });
}

void NoticeWindow::setSeconds(int seconds)
{
    const QString text = QString::number(seconds);
    if (m_label5->text() == text)
        return;
    m_label5->setText(text);
    placeCountdownLine();
}

void NoticeWindow::placeCountdownLine()
{
    // The three labels read as one line. The desktop's font is wider than the one the line was
    // laid out for, so each label starts where the text before it ends, if that is further right.
    static constexpr int kLayoutLeft[] = {208, 312, 328};
    QLabel* const labels[] = {m_label4, m_label5, m_label6};
    int textEnd = 0;
    for (int i = 0; i < 3; ++i) {
        QLabel* label = labels[i];
        const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
        const int left = std::max(kLayoutLeft[i], textEnd);
        label->move(left, label->y());
        label->resize(std::max(label->width(), textWidth), label->height());
        // "Programm schliesst in " ends in a blank; the number needs one after it.
        textEnd = left + textWidth + (label == m_label5 ? label->fontMetrics().horizontalAdvance(QLatin1Char(' ')) : 0);
    }
}

void NoticeWindow::preparePhotograph()
{
    if (m_photographPrepared)
        return;
    m_photographPrepared = true;
    const std::span<const std::uint8_t> jpeg(reinterpret_cast<const std::uint8_t*>(m_photographData.constData()),
                                             std::size_t(m_photographData.size()));
    const std::optional<RgbImage> decoded =
        DecodePhotograph(jpeg, kPhotographSize, {kImage1Box.width(), kImage1Box.height()});
    m_photographData.clear();
    if (!decoded)
        return;
    const QImage image(decoded->pixels.data(), decoded->size.width, decoded->size.height, decoded->size.width * 3,
                       QImage::Format_RGB888);
    // fromImage copies the pixels, so the decoded buffer may go.
    m_image1->setPixmap(QPixmap::fromImage(image));
}

void NoticeWindow::showEvent(QShowEvent* event)
{
    preparePhotograph();
    ModelessWindow::showEvent(event);
}

} // namespace lumaro
