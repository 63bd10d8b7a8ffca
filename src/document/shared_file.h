#pragma once

// The program folder's files ("AdrDB.dat", "Visiten.dat", "options.dat") are shared by every
// instance of the program and by the command line. Each change is a read-modify-write under an
// advisory lock beside the file, merges what another program changed since this one read the
// file, and writes only when the bytes differ. A file found damaged is renamed to a backup
// before anything replaces it.

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace vellamo::document {

// A file as it was read.
struct FileSnapshot {
    bool exists = false;
    // False when it exists but could not be opened.
    bool readable = false;
    QByteArray bytes;
};
FileSnapshot readSnapshot(const QString& path);

// What a change makes of the file as it is now; nothing leaves the file alone.
struct SharedFileChange {
    QByteArray bytes;
    // The file on disk is damaged: it is renamed to a backup before the new bytes are written.
    bool keepDamaged = false;
};

struct SharedWriteResult {
    enum class Outcome { Unchanged, Written, Failed };
    Outcome outcome = Outcome::Failed;
    // What went wrong, for the message; empty otherwise.
    QString error;
    // The damaged file's new name, when one was kept.
    QString backup;

    bool failed() const { return outcome == Outcome::Failed; }
};

// Takes the lock "<path>.lock", reads the file, asks `change` for the new content and writes it
// through the safe write when it differs from what the file holds.
SharedWriteResult
updateSharedFile(const QString& path,
                 const std::function<std::optional<SharedFileChange>(const FileSnapshot&)>& change);

// "<path>.damaged", or "<path>.damaged.2", ".3", ... when that exists already.
QString damagedBackupName(const QString& path);

// "Error: File could not be saved! (PATH)" with the system's reason on a second line.
QString fileNotSavedMessage(const QString& path, const QString& error);

// Entries have no identity but their content. Entries another program removed since `base` are
// dropped from `ours` (one for each removed), entries it added are appended in its order;
// everything else is ours. `oursToMerged`, when given, gets each of our entries' new index, -1
// for a dropped one.
template <class List, class KeyOf>
List mergeListChanges(const List& base, const List& ours, const List& theirs, KeyOf keyOf,
                      std::vector<int>* oursToMerged = nullptr)
{
    std::map<QByteArray, int> count;  // base minus theirs, may go negative for additions
    for (const auto& entry : base)
        ++count[keyOf(entry)];
    for (const auto& entry : theirs)
        --count[keyOf(entry)];
    List merged;
    merged.reserve(ours.size() + theirs.size());
    if (oursToMerged)
        oursToMerged->assign(ours.size(), -1);
    std::map<QByteArray, int> removed;
    for (const auto& [key, n] : count)
        if (n > 0)
            removed[key] = n;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const auto found = removed.find(keyOf(ours[i]));
        if (found != removed.end() && found->second > 0) {
            --found->second;
            continue;
        }
        if (oursToMerged)
            (*oursToMerged)[i] = int(merged.size());
        merged.push_back(ours[i]);
    }
    std::map<QByteArray, int> added;
    for (const auto& [key, n] : count)
        if (n < 0)
            added[key] = -n;
    for (const auto& entry : theirs) {
        const auto found = added.find(keyOf(entry));
        if (found != added.end() && found->second > 0) {
            --found->second;
            merged.push_back(entry);
        }
    }
    return merged;
}

}  // namespace vellamo::document
