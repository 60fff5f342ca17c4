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
const char* const kBackupName = "fortschritt-vorher.txt";

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

QString ProgressStore::backupPath() const
{
    return QDir(m_directory).filePath(QString::fromLatin1(kBackupName));
}

learn::Progress ProgressStore::load(QString& message) const
{
    return loadFile(filePath(), learn::KeptCopy::Current, message).value_or(learn::Progress());
}

learn::KeptProgress ProgressStore::loadKept(QString& message) const
{
    learn::KeptProgress kept;
    kept.current = load(message);
    QString backupMessage;
    kept.backup = loadFile(backupPath(), learn::KeptCopy::Backup, backupMessage);
    if (!backupMessage.isEmpty())
        message += (message.isEmpty() ? QString() : QStringLiteral("\n")) + backupMessage;
    return kept;
}

bool ProgressStore::saveKept(const learn::KeptProgress& kept, QString& message) const
{
    if (!saveFile(filePath(), kept.current, message))
        return false;
    if (kept.backup)
        return saveFile(backupPath(), *kept.backup, message);
    if (QFileInfo::exists(backupPath()) && !QFile::remove(backupPath())) {
        message = QString::fromUtf8("%1 kann nicht gelöscht werden.").arg(backupPath());
        return false;
    }
    return true;
}

std::optional<learn::Progress> ProgressStore::loadFile(const QString& path, learn::KeptCopy copy, QString& message) const
{
    message.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;

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
    message = QString::fromStdString(learn::UnreadableProgressText(copy, path.toStdString(), reason.toStdString(),
                                                                   moved ? aside.toStdString() : std::string()));
    return std::nullopt;
}

bool ProgressStore::save(const learn::Progress& progress, QString& message) const
{
    return saveFile(filePath(), progress, message);
}

bool ProgressStore::saveFile(const QString& path, const learn::Progress& progress, QString& message) const
{
    message.clear();
    if (!QDir().mkpath(m_directory)) {
        message = QString::fromUtf8("Der Ordner %1 kann nicht angelegt werden.").arg(m_directory);
        return false;
    }
    const QByteArray text = QByteArray::fromStdString(progress.Serialise());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        message = QString::fromUtf8("%1 kann nicht geschrieben werden: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace lumaro
