// "Datei" > "Bild speichern …": the item's place, the offered name, the picture it writes (the
// same bytes as lumaro-render --png after the same actions) and a target that cannot be written.

#include "app/main_window.h"
#include "tests/app/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace lumaro;

namespace {

class SavePictureTest : public WindowFixture {
protected:
    void SetUp() override
    {
        showWindow();
        ASSERT_TRUE(dir.isValid());
        window->setSaveFileChooser([this](const QString& suggested) {
            offered.push_back(suggested);
            return chosen;
        });
        window->setErrorReporter([this](const QString& message) { errors.push_back(message); });
    }

    void choose(const char* component) { window->menuAction(QString::fromLatin1(component))->trigger(); }
    void save(const QString& path)
    {
        chosen = path;
        window->savePictureAction()->trigger();
    }

    QByteArray render(const QStringList& actions)
    {
        QProcess process;
        process.start(QStringLiteral(LUMARO_RENDER), QStringList(actions) << QStringLiteral("--png") << QStringLiteral("-"));
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString chosen;
    QStringList offered;
    QStringList errors;
};

TEST_F(SavePictureTest, StandsAboveBeendenBehindASeparator)
{
    QMenu* datei = window->menuBar()->findChild<QMenu*>(QStringLiteral("Datei1"));
    ASSERT_NE(datei, nullptr);
    // The last three entries; the self-test's items stand above them.
    const QList<QAction*> all = datei->actions();
    ASSERT_GE(all.size(), 3);
    const QList<QAction*> items = all.mid(all.size() - 3);
    EXPECT_EQ(items[0], window->savePictureAction());
    EXPECT_EQ(items[0]->text(), QString::fromUtf8("Bild speichern …"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2], window->menuAction(QStringLiteral("Beenden1")));
}

TEST_F(SavePictureTest, OffersANameWithTheSystemAndTheMinute)
{
    const QRegularExpression name(QStringLiteral("^lumaro-(hv|ks|hl)-\\d{4}-\\d\\d-\\d\\d-\\d{4}\\.png$"));
    save(QString());
    choose("HlSystem1");
    save(QString());
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(name.match(offered[0]).captured(1), QStringLiteral("hv")) << offered[0].toStdString();
    EXPECT_EQ(name.match(offered[1]).captured(1), QStringLiteral("hl")) << offered[1].toStdString();
    // A cancelled dialog writes nothing and says nothing.
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SavePictureTest, WritesTheSameBytesAsLumaroRender)
{
    choose("KsSystem1");
    choose("Nacht1");
    tick();
    window->button(6)->click();
    tick();
    const QString path = dir.filePath(QStringLiteral("ks.png"));
    save(path);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    const QByteArray expected = render({"KsSystem1", "Nacht1", "tick", "Button6", "tick"});
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_TRUE(contents(path) == expected) << "the saved picture differs from lumaro-render --png";

    // Saving again replaces the picture whole. The window repaints for the new colour when its
    // event loop comes round, as it always does before the user can reach the menu.
    choose("ag1");
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    save(path);
    EXPECT_TRUE(contents(path) == render({"KsSystem1", "Nacht1", "tick", "Button6", "tick", "ag1"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList {QStringLiteral("ks.png")});
}

TEST_F(SavePictureTest, AnUnwritableTargetShowsAMessageAndLeavesNothing)
{
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    // A folder, and a name under a file, which no one can write, root included.
    const QString targets[] = {dir.path(), dir.filePath(QStringLiteral("plain/picture.png"))};
    for (const QString& target : targets) {
        errors.clear();
        save(target);
        ASSERT_EQ(errors.size(), 1) << target.toStdString();
        EXPECT_TRUE(errors[0].contains(target)) << errors[0].toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList {QStringLiteral("plain")});
        EXPECT_EQ(contents(plain.fileName()), QByteArray());
    }
}

} // namespace
