#pragma once

// The exit notice window.

#include "dialogs/window_look.h"

#include <QByteArray>

class QLabel;

namespace lumaro {

class LinkOpener;

// The exit notice: a borderless window over the maker's photograph with two links and the line
// "Programm schliesst in" n "Sekunden". The main window shows it and sets the seconds; the
// countdown itself belongs to the main window's timer, so hiding this window does not stop it.
class NoticeWindow : public ModelessWindow {
    Q_OBJECT
public:
    // `photograph` is the JPEG to show; data that cannot be decoded leaves the picture out.
    NoticeWindow(const LinkOpener& links, QByteArray photograph, QWidget* parent = nullptr);

    void setSeconds(int seconds);

    // Decodes the photograph once; later calls do nothing. Showing the window does it at the
    // latest, but decoding ahead of that keeps the close request quick.
    void preparePhotograph();
    bool photographPrepared() const { return m_photographPrepared; }

    QLabel* photograph() const { return m_image1; }
    QLabel* seconds() const { return m_label5; }
    LinkLabel* webLink() const { return m_label2; }
    LinkLabel* mailLink() const { return m_label3; }
    LinkLabel* logo() const { return m_image2; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createWidgets();
    void connectWidgets();
    void placeCountdownLine();

    const LinkOpener& m_links;
    QByteArray m_photographData;
    bool m_photographPrepared = false;

    // In drawing order, bottom to top.
    QLabel* m_image1 = nullptr;
    LinkLabel* m_label2 = nullptr;
    LinkLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label6 = nullptr;
    LinkLabel* m_image2 = nullptr;
    QLabel* m_label7 = nullptr;
    QLabel* m_label8 = nullptr;
    QLabel* m_label9 = nullptr;
};

} // namespace lumaro
