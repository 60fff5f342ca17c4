// lumaro-desktop-windows: writes what the desktop program's exit notice and information windows
// show, read back from the windows themselves, as JSON on standard output. The browser tests
// compare the page's windows with it.
//
// {"Notice": {"title", "size": [w, h], "controls": [{"name", "kind", "text", "url",
// "picture": [w, h] or null, "box": [left, top, width, height]}]}, "About": ..., "Licence": ...,
// "Manual": ...}: the window's direct controls in drawing order; "kind" is "label", "link",
// "picture", "button" or "textView"; "url" is what a click on the control opens, encoded.
// The notice shows 10 seconds, as after a close request, and its photograph is decoded.

#include "app/photograph.h"
#include "io/json_text.h"
#include "dialogs/about_window.h"
#include "dialogs/links.h"
#include "dialogs/notice_window.h"
#include "dialogs/text_windows.h"

#include <QApplication>
#include <QPushButton>
#include <QTextEdit>

#include <cstdio>
#include <string>

namespace {

using lumaro::io::AppendJsonString;

std::string Utf8(const QString& text) { return text.toStdString(); }

std::string IntList(std::initializer_list<int> values)
{
    std::string out = "[";
    for (int v : values)
        out += (out.size() > 1 ? ", " : "") + std::to_string(v);
    return out + "]";
}

// What a click on `link` opens, by way of the opener that the windows were given.
QUrl Target(lumaro::LinkLabel* link, lumaro::LinkOpener& opener)
{
    QUrl opened;
    opener.replace([&opened](const QUrl& url) { opened = url; });
    emit link->clicked();
    opener.replace([](const QUrl&) {});
    return opened;
}

std::string ControlJson(QWidget* control, lumaro::LinkOpener& opener)
{
    std::string kind = "label";
    QString text;
    QUrl url;
    QSize picture;
    if (auto* view = qobject_cast<QTextEdit*>(control)) {
        kind = "textView";
        text = view->toPlainText();
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        kind = "button";
        text = button->text();
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        text = label->text();
        if (!label->pixmap().isNull())
            picture = label->pixmap().size();
        if (auto* link = qobject_cast<lumaro::LinkLabel*>(label))
            url = Target(link, opener);
        kind = picture.isValid() ? "picture" : url.isEmpty() ? "label" : "link";
    }
    std::string out = "{\"name\": ";
    AppendJsonString(out, Utf8(control->objectName()));
    out += ", \"kind\": ";
    AppendJsonString(out, kind);
    out += ", \"text\": ";
    AppendJsonString(out, Utf8(text));
    out += ", \"url\": ";
    AppendJsonString(out, url.toEncoded().toStdString());
    out += ", \"picture\": " + (picture.isValid() ? IntList({picture.width(), picture.height()}) : "null");
    const QRect box = control->geometry();
    out += ", \"box\": " + IntList({box.x(), box.y(), box.width(), box.height()}) + "}";
    return out;
}

std::string WindowJson(const char* key, QWidget* window, lumaro::LinkOpener& opener)
{
    std::string out;
    AppendJsonString(out, key);
    out += ": {\"title\": ";
    AppendJsonString(out, Utf8(window->windowTitle()));
    out += ", \"size\": " + IntList({window->width(), window->height()}) + ", \"controls\": [";
    bool first = true;
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->objectName().isEmpty())
            continue;
        out += first ? "" : ", ";
        first = false;
        out += ControlJson(control, opener);
    }
    return out + "]}";
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The pictures live in a resource of the static shell library.
    Q_INIT_RESOURCE(lumaro);

    lumaro::LinkOpener opener;
    // The photograph is embedded in the program, as the window's notice takes it.
    lumaro::NoticeWindow notice(opener, lumaro::Photograph());
    notice.setSeconds(10);
    notice.preparePhotograph();
    lumaro::AboutWindow about(opener);
    lumaro::LicenceWindow licence;
    lumaro::ManualWindow manual(opener);

    std::string out = "{";
    out += WindowJson("Notice", &notice, opener) + ", ";
    out += WindowJson("About", &about, opener) + ", ";
    out += WindowJson("Licence", &licence, opener) + ", ";
    out += WindowJson("Manual", &manual, opener) + "}\n";
    return std::fputs(out.c_str(), stdout) < 0 || std::fflush(stdout) != 0;
}
