// The program's icon: an icon engine over the PNG files of the resources that keeps no pixmaps.

#include "app/program_icon.h"

#include "dialogs/window_look.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>

// The icons live in a resource of the static shell library, which the linker would otherwise
// leave out of the program.
static void InitResources()
{
    Q_INIT_RESOURCE(lumaro);
}

namespace lumaro {

namespace {

constexpr std::array<int, 8> kIconSizes {16, 22, 24, 32, 48, 64, 128, 256};

class ProgramIconEngine final : public QIconEngine {
public:
    QIconEngine* clone() const override { return new ProgramIconEngine; }

    QString key() const override { return QStringLiteral("LumaroProgramIcon"); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : kIconSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }

    // As for an icon of files: the drawn size, made smaller to fit `size`, never larger.
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = SideFor(size);
        QSize actual(side, side);
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        if (size.isEmpty())
            return QPixmap();
        const int side = SideFor(size);
        QPixmap pixmap = ReadPicture(QStringLiteral(":/lumaro/icons/lumaro-%1.png").arg(side));
        if (pixmap.isNull())
            return QPixmap();
        const QSize actual = actualSize(size, mode, QIcon::Off);
        if (pixmap.size() != actual)
            pixmap = pixmap.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Other modes than Normal look as the style draws them for any icon.
        if (mode != QIcon::Normal) {
            if (QStyle* style = QApplication::style()) {
                QStyleOption option;
                option.palette = QGuiApplication::palette();
                pixmap = style->generatedIconPixmap(mode, pixmap, &option);
            }
        }
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        if (drawn.isNull())
            return;
        drawn.setDevicePixelRatio(ratio);
        const QSize logical = drawn.deviceIndependentSize().toSize();
        QRect target(QPoint(), logical);
        target.moveCenter(rect.center());
        painter->drawPixmap(target, drawn);
    }

private:
    // The drawn size to show at `size`: the smallest that covers it, else the largest.
    static int SideFor(const QSize& size)
    {
        const int wanted = std::min(size.width(), size.height());
        for (int side : kIconSizes)
            if (side >= wanted)
                return side;
        return kIconSizes.back();
    }
};

} // namespace

QIcon ProgramIcon()
{
    InitResources();
    return QIcon(new ProgramIconEngine);
}

} // namespace lumaro
