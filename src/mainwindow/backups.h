#pragma once

#include "ledger/backup.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ledger {
class Connection;
}

namespace mainwindow {

// The ledger's dated backups as the program keeps them: the automatic one
// of the day after a good sign-in, the one the user asks for, and putting
// one back. The automatic copy runs on a worker thread with a connection of
// its own, so the main window is usable while it is written. A failed backup
// stays the status ("备份失败：" and the reason) until one succeeds.
class Backups : public QObject {
    Q_OBJECT

public:
    explicit Backups(ledger::Connection& connection, QObject* parent = nullptr);
    // A backup under way is stopped; it leaves nothing behind.
    ~Backups() override;

    // Starts the day's backup unless one carries today's date already.
    // Returns whether one was started.
    bool startAutomatic();
    bool running() const { return worker_.joinable(); }
    // Waits for the backup under way and reports its end.
    void wait();

    // A backup now, whatever the day's rule. Returns its file; a failure
    // becomes the status and is thrown (ledger::Error).
    std::string backUpNow();
    // Replaces the ledger with the chosen copy, the current ledger backed up
    // first, and reopens the connection on it. A file that is no ledger of
    // this program or has another password is refused (ledger::Error with
    // the message for the user) and nothing changes.
    void restore(const std::string& chosenFile);

    // "备份失败：…" after a failed backup; empty after a good one.
    const QString& status() const { return status_; }
    std::vector<ledger::BackupInfo> list() const;
    std::string folder() const;
    ledger::Connection& connection() const { return connection_; }

signals:
    void statusChanged(const QString& status);
    // A backup was written (older ones may have gone with it).
    void backupsChanged();
    // The ledger was replaced: everything read from it before is stale.
    void ledgerReplaced();

private:
    void finished(const std::string& file, const QString& failure);
    void succeeded();
    void failed(const QString& reason);

    ledger::Connection& connection_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    QString status_;
    // The record counts of the copies listed so far, with the size and time they were counted at.
    using Counted = std::pair<uint64_t, int64_t>;
    mutable std::map<std::string, std::pair<Counted, std::optional<int64_t>>> counted_;
};

} // namespace mainwindow
