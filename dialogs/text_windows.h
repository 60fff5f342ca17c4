#pragma once

// The licence terms and manual windows.

#include "dialogs/window_look.h"

class QTextEdit;

namespace lumaro {

class LinkOpener;

// "Lizenzbestimmungen": the licence terms in a read-only, scrollable text.
class LicenceWindow : public ModelessWindow {
    Q_OBJECT
public:
    explicit LicenceWindow(QWidget* parent = nullptr);

    QTextEdit* text() const { return m_richEdit1; }

private:
    void createWidgets();

    QTextEdit* m_richEdit1 = nullptr;
};

// "Anleitung": the manual in a read-only, scrollable text, with the maker's links and the signal
// book below it.
class ManualWindow : public ModelessWindow {
    Q_OBJECT
public:
    explicit ManualWindow(const LinkOpener& links, QWidget* parent = nullptr);

    QTextEdit* text() const { return m_richEdit1; }
    LinkLabel* signalBookLink() const { return m_label1; }
    LinkLabel* mailLink() const { return m_label2; }
    LinkLabel* webLink() const { return m_label3; }

private:
    void createWidgets();
    void connectWidgets();

    const LinkOpener& m_links;
    QTextEdit* m_richEdit1 = nullptr;
    LinkLabel* m_label1 = nullptr;
    LinkLabel* m_label2 = nullptr;
    LinkLabel* m_label3 = nullptr;
};

} // namespace lumaro
