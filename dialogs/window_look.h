#pragma once

// Fonts, colours and small controls shared by the notice and information windows.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QSize>
#include <QWidget>

#include <string_view>

namespace lumaro {

// A text of contents/texts.h (UTF-8) as Qt shows it.
inline QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

// A picture of assets/ by its file name, from the program's resources.
inline QString PictureResource(std::string_view file) { return QStringLiteral(":/lumaro/") + Text(file); }

// Reads the picture file `path` in the format its name ends with (".bmp", ".png"), or returns a
// null image. Qt's own reading asks every image plugin first, which loads all of them (some
// 200 KiB of libraries), although the formats of the program's pictures are built into Qt.
QPixmap ReadPicture(const QString& path);

// The windows were laid out with outer sizes, frame and title bar included; these are the frame's
// share, so that the client areas keep the room the controls were placed in.
inline constexpr int kFrameWidth = 8;
inline constexpr int kFrameHeight = 27;
inline QSize ClientSize(int outerWidth, int outerHeight) { return {outerWidth - kFrameWidth, outerHeight - kFrameHeight}; }

enum class Face { Window, Arial };
enum FontStyle { Regular = 0, Bold = 1, Underlined = 2 };

// A font of `pixels` character height. Face::Window is the desktop's sans font, which stands in
// for the small sans font the windows were designed with.
QFont DialogFont(Face face, int pixels, int style = Regular);

QColor ButtonFaceColour();       // the background of the windows
// The colour of link texts: the desktop's accent colour, darkened where it would be too faint to
// read on the windows' background.
QColor ActiveCaptionColour();
// The contrast of two colours as WCAG measures it (1 to 21), and the least it asks of text.
double ContrastRatio(const QColor& a, const QColor& b);
inline constexpr double kReadableContrast = 4.5;
// `text`, darkened in its hue until it reaches kReadableContrast on `background`.
QColor ReadableOn(QColor text, const QColor& background);
QColor DesktopColour();          // the link texts of the notice over the photograph
inline const QColor kBlueText {0, 0, 255};

// Gives a window or control its background and text colour.
void SetColours(QWidget* widget, const QColor& background, const QColor& text);
void SetTextColour(QWidget* widget, const QColor& text);

// A text or picture that can be clicked like a link: hand cursor, `clicked` on a release of the
// left button over it.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A window that is created hidden, shown without blocking the others, and only hidden when the
// user closes it.
class ModelessWindow : public QWidget {
    Q_OBJECT
public:
    explicit ModelessWindow(QWidget* parent, Qt::WindowFlags flags);

    // Makes the window visible and brings it to the front; a visible window only comes to the
    // front. Size, position and contents stay as the user left them.
    void showModeless();

signals:
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;
};

} // namespace lumaro
