// Takes the README's pictures of the self-test offscreen: a question beside the line, and the
// result of an exam.  build/tools/lumaro-quiz-pictures docs
#include "app/main_window.h"
#include "app/quiz_window.h"
#include "learn/quiz.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace lumaro;

namespace {

// The main window and the self-test's window side by side, as they stand on the desktop.
QPixmap SideBySide(QWidget& line, QWidget& quiz)
{
    const QPixmap left = line.grab();
    const QPixmap right = quiz.grab();
    QPixmap both(left.width() + 8 + right.width(), std::max(left.height(), right.height()));
    both.fill(QColor(0xDD, 0xDD, 0xDD));
    QPainter painter(&both);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width() + 8, 0, right);
    return both;
}

void AnswerWrongOrRight(MainWindow& window, QuizWindow& quiz, bool right)
{
    const learn::QuizItem item = *quiz.currentItem();
    if (item.kind == learn::ItemKind::Set) {
        if (right)
            for (const std::string& word : item.solution) {
                if (word == "tick")
                    QMetaObject::invokeMethod(window.timer(), "timeout", Qt::DirectConnection);
                else
                    window.button(std::stoi(word.substr(6)))->click();
            }
        quiz.proceed();
        return;
    }
    quiz.choose(right ? item.answer : (item.answer + 1) % static_cast<int>(item.choices.size()));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs"));
    QTemporaryDir data;
    MainWindow window;
    window.timer()->stop();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    {
        QuizController quiz(window, data.path());
        // An exam whose first question names a covered panel.
        std::uint64_t seed = 1;
        while (learn::GenerateQuiz(seed, 1).front().kind != learn::ItemKind::Name)
            ++seed;
        quiz.startExam(seed);
        QuizWindow& q = *quiz.quizWindow();
        QTest::qWait(50);
        if (!SideBySide(window, q).save(out.filePath(QStringLiteral("quiz-question.png"))))
            return 1;
        for (int i = 0; i < learn::QuizSession::kExamItems; ++i)
            AnswerWrongOrRight(window, q, i % 6 != 2);
        q.resize(q.width(), 700);
        QTest::qWait(50);
        if (!SideBySide(window, q).save(out.filePath(QStringLiteral("quiz-result.png"))))
            return 1;
        std::printf("exam seed %llu: %d of %d right\n", static_cast<unsigned long long>(seed), q.rightCount(),
                    q.askedCount());
    }
    return 0;
}
