#pragma once

// The application's style with the menu bar's overflow icons made only when they are drawn.

#include <QProxyStyle>

namespace lumaro {

// The style the application would have, except that the icons of the menu bars' overflow button
// are made on first use. Every menu bar asks for them when it is built, and making them reads
// PNG files through Qt's image plugins, which loads every plugin (some 200 KiB of libraries);
// the button shows only when the menus do not fit the bar's width, and the window's menus fit.
class DeferredIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Over `base`, which the style takes over.
    explicit DeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace lumaro
