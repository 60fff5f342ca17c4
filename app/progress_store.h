#pragma once

// Where the self-test keeps the learner's progress between runs: one small file, replaced whole
// on every save, read defensively.

#include "learn/progress.h"

#include <QString>

#include <optional>

namespace lumaro {

class ProgressStore {
public:
    // `directory` empty: the program's data folder of the user (QStandardPaths::AppDataLocation).
    explicit ProgressStore(QString directory = {});

    QString filePath() const;

    // The saved progress, or a fresh one when there is none. A file that cannot be read or is
    // damaged is renamed aside (so nothing is lost) and `message` tells the learner; the
    // self-test then starts afresh.
    learn::Progress load(QString& message) const;
    // The progress with the backup that the last reset kept (a damaged backup is set aside too).
    learn::KeptProgress loadKept(QString& message) const;
    // Replaces the file at once (a temporary file beside it, then renamed), so that a program
    // killed while writing leaves the previous file whole. On failure `message` says why.
    bool save(const learn::Progress& progress, QString& message) const;
    // Saves both; a missing backup removes its file.
    bool saveKept(const learn::KeptProgress& kept, QString& message) const;
    QString backupPath() const;

    static constexpr qint64 kMaxFileSize = 1 << 20;

private:
    std::optional<learn::Progress> loadFile(const QString& path, learn::KeptCopy copy, QString& message) const;
    bool saveFile(const QString& path, const learn::Progress& progress, QString& message) const;

    QString m_directory;
};

} // namespace lumaro
