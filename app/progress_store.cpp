// The self-test's progress file: atomic saves, and damaged files set aside instead of lost.

#include "app/progress_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace lumaro {

namespace {

const char* const kFileName = "fortschritt.txt";

// A name beside `path` that is not taken yet: "fortschritt.txt.defekt-20261208-101500".
QString AsideName(const QString& path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = path + QStringLiteral(".defekt-") + stamp;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = path + QStringLiteral(".defekt-%1-%2").arg(stamp).arg(n);
    return name;
}

} // namespace

ProgressStore::ProgressStore(QString directory)
    : m_directory(directory.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                      : std::move(directory))
{
}

QString ProgressStore::filePath() const
{
    return QDir(m_directory).filePath(QString::fromLatin1(kFileName));
}

learn::Progress ProgressStore::load(QString& message) const
{
    message.clear();
    const QString path = filePath();
    const QFileInfo info(path);
    if (!info.exists())
        return {};

    QString reason;
    QFile file(path);
    std::string text;
    if (!info.isFile())
        reason = QString::fromUtf8("keine gewöhnliche Datei");
    else if (info.size() > kMaxFileSize)
        reason = QString::fromUtf8("zu groß");
    else if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString();
    else
        text = file.readAll().toStdString();
    file.close();

    if (reason.isEmpty()) {
        std::string error;
        if (std::optional<learn::Progress> progress = learn::Progress::Parse(text, error))
            return *progress;
        reason = QString::fromStdString(error);
    }

    const QString aside = AsideName(path);
    const bool moved = QFile::rename(path, aside);
    message = QString::fromUtf8("Der gespeicherte Fortschritt (%1) war nicht lesbar: %2.\n").arg(path, reason)
        + (moved ? QString::fromUtf8("Die Datei liegt jetzt unter %1. ").arg(aside)
                 : QString::fromUtf8("Sie konnte nicht beiseitegelegt werden und bleibt, bis neu gespeichert wird. "))
        + QString::fromUtf8("Das Üben beginnt neu.");
    return {};
}

bool ProgressStore::save(const learn::Progress& progress, QString& message) const
{
    message.clear();
    if (!QDir().mkpath(m_directory)) {
        message = QString::fromUtf8("Der Ordner %1 kann nicht angelegt werden.").arg(m_directory);
        return false;
    }
    const QByteArray text = QByteArray::fromStdString(progress.Serialise());
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        message = QString::fromUtf8("%1 kann nicht geschrieben werden: %2").arg(filePath(), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace lumaro
