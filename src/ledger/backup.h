#pragma once

#include "datetime.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_backup;

namespace ledger {

class Connection;

// Dated copies of a ledger file, kept in the folder "备份" beside it as
// "fmy-YYYYMMDD-HHMMSS.dll". Only names of exactly that form are backups:
// nothing else in the folder is ever listed or removed.
inline constexpr const char* kBackupFolderName = "备份";
inline constexpr int kBackupsKept = 30;

// The local date and time to the second.
DateTime localNow();

std::string backupFolderFor(const std::string& ledgerPath);
std::string backupFileName(const DateTime& moment);
// The moment a backup's file name stands for; nothing for any other name
// (another case, another extension, a name with more or less in it, or a
// date that does not exist).
std::optional<DateTime> backupTimeOf(std::string_view fileName);

struct BackupInfo {
    std::string path;
    DateTime time; // from the name
    uint64_t size = 0; // bytes
    std::optional<int64_t> records; // records in s_shouru; nothing when the copy cannot be read
};

// The records in s_shouru of a copy; nothing when it cannot be read.
std::optional<int64_t> countRecordsIn(const std::string& path);

// The backups of the ledger, newest first. A missing folder has none.
// Counting opens each copy read-only; without it `records` stays empty.
std::vector<BackupInfo> listBackups(const std::string& ledgerPath, bool countRecords = true);

// At most one automatic backup a calendar day: due when none carries the
// date of `now`.
bool backupDue(const std::string& ledgerPath, const DateTime& now);

// Removes all but the newest `keep` backups; returns the files removed.
// A file that cannot be removed stays and is not reported.
std::vector<std::string> pruneBackups(const std::string& ledgerPath, int keep = kBackupsKept);

// A file that appears under its name whole or not at all: written under a
// hidden temporary name in the same folder, flushed to disk, then renamed.
// An error, a cancel or a crash before commit leaves nothing under the
// name; an uncommitted temporary is removed when the object goes. While it
// exists the temporary is locked, so that a later clean-up can tell a
// stale one (of a process that died) from one being written.
class PendingFile {
public:
    // Creates "<folder>/.<stem>-XXXXXX" with fresh random letters (an empty
    // folder is the current one).
    // Throws Error(File) with the reason when the folder cannot take it.
    PendingFile(const std::string& folder, const std::string& stem);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& path() const { return path_; }
    void write(std::string_view bytes);
    // Gives the file the permission bits of another one (a ledger it replaces).
    void copyModeFrom(const std::string& other);
    // Flushes the file, renames it to `target` (in the same folder) and
    // flushes the folder. Without `replace` an existing target is kept and
    // false returned, the temporary staying pending. Throws Error(File).
    bool commit(const std::string& target, bool replace);

    // Removes every temporary of `stem` in the folder that no living
    // writer holds; anything else is left alone.
    static void removeStale(const std::string& folder, const std::string& stem);

private:
    [[noreturn]] void fail(const std::string& what, int error) const;
    std::string folder_;
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

// One backup under way. The online backup of SQLite copies the pages a
// slice at a time into a pending file in the backup folder, so the copy is
// consistent even when the ledger changes between slices (a change through
// the same connection is carried into the copy; one through another
// connection starts the copy over). When the last page is copied the file
// is flushed and named "fmy-….dll" after the moment (a second later when
// that name is taken), and backups beyond the newest 30 are removed.
//
// Two ways to keep a window responsive:
// - on the window's thread, from its open connection: construct with the
//   connection and call step(n) from a zero-timer, a few hundred pages each;
// - on a worker thread: construct with the ledger's path; the copy reads
//   through a read-only connection of its own (or call backupLedgerFile).
// The object belongs to the thread that calls step(). Destroying it before
// the end removes its temporary.
class BackupCopy {
public:
    BackupCopy(Connection& ledger, const DateTime& moment);
    BackupCopy(const std::string& ledgerPath, const DateTime& moment);
    ~BackupCopy();
    BackupCopy(const BackupCopy&) = delete;
    BackupCopy& operator=(const BackupCopy&) = delete;

    // Copies up to `pages` pages (all when negative). Returns true once the
    // backup is complete and in place. A ledger locked by a writer just now
    // makes a step copy nothing; the next one tries again. Throws
    // Error(File) when the backup cannot be written (the reason in Chinese),
    // Error(Open) when the ledger cannot be read; nothing is left behind.
    bool step(int pages);
    bool done() const { return done_; }
    // The last step found the ledger locked by a writer.
    bool waiting() const { return waitingSince_.has_value(); }
    int pageCount() const; // 0 until the first step
    int pagesCopied() const;
    // The backup's file once done.
    const std::string& path() const { return finalPath_; }

private:
    void start(sqlite3* source);
    void complete();
    [[noreturn]] void failCopy(int rc);
    void release();

    std::string ledgerPath_;
    std::string folder_;
    DateTime moment_;
    sqlite3* ownSource_ = nullptr;
    sqlite3* destination_ = nullptr;
    sqlite3_backup* backup_ = nullptr;
    std::unique_ptr<PendingFile> file_;
    std::string finalPath_;
    bool done_ = false;
    std::optional<std::chrono::steady_clock::time_point> waitingSince_;
};

// A whole backup from the open connection, on its thread. The connection
// must not be inside a transaction. Returns the backup's file.
std::string writeBackup(Connection& ledger, const DateTime& moment = localNow());

// A whole backup from the ledger file with connections of its own: for a
// worker thread. `progress` hears (pages copied, pages in all) after each
// slice and may return false to stop; then nothing is left and the result
// is empty. Returns the backup's file.
using BackupProgress = std::function<bool(int copied, int total)>;
std::string backupLedgerFile(const std::string& ledgerPath, const DateTime& moment = localNow(),
                             const BackupProgress& progress = {});

// Replaces the open ledger with a chosen copy and reopens the connection
// on it in place. The chosen file is first copied beside the ledger and
// the copy opened with `password`: a file that is no ledger of this
// program, has another database password or is damaged is refused with
// Error(Open) and a message for the user, and nothing changes. Then the
// current ledger is backed up (a failure there stops the restore, Error(File)),
// and the checked copy is renamed over the ledger file. The chosen file
// itself is only read. Returns the backup of the ledger as it was.
std::string restoreBackup(Connection& ledger, const std::string& chosenFile, const std::string& password,
                          const DateTime& moment = localNow());

} // namespace ledger
