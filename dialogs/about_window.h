#pragma once

// The about window ("Info über Lumaro").

#include "dialogs/window_look.h"

class QPushButton;

namespace lumaro {

class LinkOpener;

// "Info über Lumaro": logo, name, version, author and the maker's two links. "OK" hides it.
class AboutWindow : public ModelessWindow {
    Q_OBJECT
public:
    explicit AboutWindow(const LinkOpener& links, QWidget* parent = nullptr);

    QLabel* version() const { return m_panel2; }
    LinkLabel* webLink() const { return m_panel5; }
    LinkLabel* mailLink() const { return m_panel7; }
    QPushButton* okButton() const { return m_button1; }

private:
    void createWidgets();
    void connectWidgets();

    const LinkOpener& m_links;
    QLabel* m_image1 = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    QLabel* m_panel4 = nullptr;
    LinkLabel* m_panel5 = nullptr;
    QLabel* m_panel6 = nullptr;
    LinkLabel* m_panel7 = nullptr;
    QPushButton* m_button1 = nullptr;
};

} // namespace lumaro
