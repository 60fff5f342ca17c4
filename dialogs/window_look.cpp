// Fonts, colours and small controls shared by the notice and information windows.

#include "dialogs/window_look.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace lumaro {

QPixmap ReadPicture(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QPixmap();
    QImageReader reader(path, file.suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

QFont DialogFont(Face face, int pixels, int style)
{
    QFont font(face == Face::Arial ? QStringLiteral("Arial") : QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(style & Bold);
    font.setUnderline(style & Underlined);
    return font;
}

QColor ButtonFaceColour() { return QColor(0xF0, 0xF0, 0xF0); }

double ContrastRatio(const QColor& a, const QColor& b)
{
    // Relative luminance as WCAG defines it, from sRGB.
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(QColor text, const QColor& background)
{
    // Darker in steps of 2 % of the original, keeping the hue: the accent stays recognisable.
    const QColor original = text;
    for (int percent = 98; ContrastRatio(text, background) < kReadableContrast && percent >= 0; percent -= 2)
        text = QColor::fromRgbF(original.redF() * percent / 100, original.greenF() * percent / 100,
                                original.blueF() * percent / 100);
    return text;
}

QColor ActiveCaptionColour()
{
    return ReadableOn(QApplication::palette().color(QPalette::Active, QPalette::Highlight), ButtonFaceColour());
}

// X has no desktop colour that applications could ask for; this is the dark blue of a plain
// default desktop.
QColor DesktopColour() { return QColor(0x00, 0x3C, 0x74); }

void SetColours(QWidget* widget, const QColor& background, const QColor& text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void SetTextColour(QWidget* widget, const QColor& text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}

LinkLabel::LinkLabel(QWidget* parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

ModelessWindow::ModelessWindow(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    SetColours(this, ButtonFaceColour(), Qt::black);
}

void ModelessWindow::showModeless()
{
    // A minimised window comes back at the size it had.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ModelessWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A minimised window counts as shown; only a real hide is reported.
    if (!isVisible())
        emit hidden();
}

} // namespace lumaro
