// The application's style, with the menu bars' overflow icons made when they are first drawn.

#include "app/deferred_icon_style.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace lumaro {

namespace {

// An icon that asks the style for itself on first use and then stays as the style made it.
class DeferredIconEngine final : public QIconEngine {
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which)
    {
    }

    QIconEngine* clone() const override
    {
        auto* copy = new DeferredIconEngine(m_style, m_which);
        copy->m_icon = m_icon;
        copy->m_made = m_made;
        return copy;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().pixmap(size, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return made().pixmap(size / scale, scale, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return made().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return made().availableSizes(mode, state);
    }

    // The style has these icons; the answer must not make them, since buttons ask when laid out.
    bool isNull() override { return false; }

private:
    const QIcon& made()
    {
        if (!m_made && m_style) {
            m_icon = m_style->standardIcon(m_which);
            m_made = true;
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_made = false;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle* base)
    : QProxyStyle(base)
{
}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    // Asked without an option, as the menu bar asks; anything else goes to the style as it is.
    if ((icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) && !option)
        return QIcon(new DeferredIconEngine(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace lumaro
