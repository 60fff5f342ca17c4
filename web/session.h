#pragma once

// One run of the program as the web page drives it: the main window's core, the actions of the
// page, and what the page reads back after each of them. No browser here, so the same code runs
// natively for timing and tests.

#include "core/driver.h"
#include "learn/explain.h"
#include "learn/quiz_session.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::web {

class Session {
public:
    // The program starts as the window does: created, then painted once because it is shown.
    Session();

    // The actions, as lumaro-render performs them.
    void Tick();
    bool ClickButton(int n);
    // A menu item by component name; a changed window colour repaints at once.
    bool MenuCommand(std::string_view component);
    void FormClick();

    // Draws what waits on the canvas, without making RGBA of it: the page's start does the two in
    // steps of their own.
    void Draw() { m_driver.DrawCanvas(); }

    // The canvas as RGBA bytes for an ImageData: the core's 0x00BBGGRR already has the bytes
    // R, G, B in memory order; only the alpha byte is set. Valid until the next call. Only the
    // part that changed since the last call is written again; RgbaChanged() gives it as left,
    // top, width and height (the whole canvas the first time, zero width when nothing changed).
    const std::uint8_t* Rgba();
    const std::int32_t* RgbaChanged() const { return m_rgbaChanged.data(); }

    // The --state JSON and the --trace text of lumaro-render.
    std::string StateJson() const;
    std::string Trace() const;
    // What the page shows beyond the state: the four secondary windows and the notice's seconds.
    std::string WindowsJson() const;
    // The --explain JSON of lumaro-render: why each designation panel shows its aspect.
    std::string ExplainJson() const;
    // The panel that speaks for signal column `x` (its first line with a caption), or 0.
    int PanelOfColumn(int x) const;
    // The "why" of one designation panel, empty when it has no caption; the #Warum line asks after
    // every action, and the answer is computed again only when the line changed.
    std::string WhyOf(int panel);

    const MainForm& Form() const { return m_driver.Form(); }

    // The self-test's session on this line, recording into `progress` (made at the first call;
    // the progress must outlive this run). While its question is open, a held button is refused
    // and the asked column explains nothing (WhyOf, AccessJson).
    learn::QuizSession& Quiz(learn::Progress& progress);
    learn::Concealment Concealed() const { return m_quiz ? m_quiz->Concealed() : learn::Concealment {}; }
    // The session's view: {"open", "mode", "title", "heading", "prompt", "hint", "item" (the
    // --quiz object or null), "kind", "panel", "system", "answered", "choices": [{"text", "mark",
    // "note"}], "choicesEnabled", "feedback", "proceed", "proceedEnabled", "askedColumn",
    // "askedSignal", "coverPanel", "concealedPanels", "buttonsHeld", "finished", "result",
    // "passed", "missedHeading", "missed": [{"heading", "prompt", "right", "given", "why"}]}.
    std::string QuizJson() const;
    // The page's accessibility JSON, with the concealment of an open question.
    std::string AccessJson() const;
    // {"title", "summary", "boxesHeading", "boxNames", "systems": [{"system", "name", "boxes",
    // "known", "total", "summary"}], "examsHeading", "examsEmpty", "exams": [{"right", "asked",
    // "percent"}], "passPercent", "reset", "resetQuestion", "confirmYes", "confirmNo",
    // "canRestore", "restore", "restoreNote"}.
    static std::string ProgressJson(const learn::KeptProgress& kept);

    // The fixed layout of the controls over the canvas, for the page to build them from:
    // {"caption", "canvas": [w, h], "buttons": [{"number", "caption", "left", "top", "width",
    // "height"}], "panels": [{"number", "left", "top", "width", "height"}], "image1": [l, t, w, h]}.
    static std::string LayoutJson();

private:
    Driver m_driver;
    std::unique_ptr<learn::QuizSession> m_quiz;
    learn::PanelWhyCache m_whyLine;
    // Written whole at the first Rgba(), so made without a pass over it.
    raster::UninitialisedVector<std::uint32_t> m_rgba;
    // The canvas drawing that m_rgba holds, and the part the last Rgba() wrote.
    std::uint64_t m_rgbaDrawing = 0;
    std::array<std::int32_t, 4> m_rgbaChanged {};
};

} // namespace lumaro::web
