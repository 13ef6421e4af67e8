#include "backups.h"

#include "ledger/connection.h"
#include "ledger/error.h"
#include "ledger/schema.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

#include <filesystem>

namespace mainwindow {

Backups::Backups(ledger::Connection& connection, QObject* parent) : QObject(parent), connection_(connection) {}

Backups::~Backups()
{
    stop_ = true;
    if (worker_.joinable())
        worker_.join();
}

std::string Backups::folder() const
{
    return ledger::backupFolderFor(connection_.path());
}

std::vector<ledger::BackupInfo> Backups::list() const
{
    if (!connection_.isOpen())
        return {};
    // A copy does not change once written: each is counted once, not on every visit.
    std::vector<ledger::BackupInfo> backups = ledger::listBackups(connection_.path(), false);
    for (ledger::BackupInfo& b : backups) {
        std::error_code error;
        const auto written = std::filesystem::last_write_time(b.path, error);
        const Counted key{b.size, error ? 0 : written.time_since_epoch().count()};
        auto known = counted_.find(b.path);
        if (known == counted_.end() || known->second.first != key)
            known = counted_.insert_or_assign(b.path, std::pair{key, ledger::countRecordsIn(b.path)}).first;
        b.records = known->second.second;
    }
    return backups;
}

bool Backups::startAutomatic()
{
    if (running() || !connection_.isOpen())
        return false;
    const ledger::DateTime now = ledger::localNow();
    if (!ledger::backupDue(connection_.path(), now))
        return false;
    // The worker's paths must not depend on the working folder, which may
    // change while it runs.
    const std::string ledgerPath = std::filesystem::absolute(connection_.path()).string();
    stop_ = false;
    worker_ = std::thread([this, ledgerPath, now] {
        std::string file;
        QString failure;
        try {
            file = ledger::backupLedgerFile(ledgerPath, now, [this](int, int) { return !stop_.load(); });
        } catch (const std::exception& e) {
            failure = QString::fromStdString(e.what());
        }
        if (!stop_)
            QMetaObject::invokeMethod(
                this, [this, file, failure] { finished(file, failure); }, Qt::QueuedConnection);
    });
    return true;
}

void Backups::wait()
{
    if (!worker_.joinable())
        return;
    worker_.join();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void Backups::finished(const std::string& file, const QString& failure)
{
    if (worker_.joinable())
        worker_.join(); // it has ended: its last act was to post this
    if (failure.isEmpty() && !file.empty())
        succeeded();
    else
        failed(failure.isEmpty() ? QStringLiteral("备份没有完成") : failure);
}

void Backups::succeeded()
{
    status_.clear();
    emit backupsChanged();
    emit statusChanged(status_);
}

void Backups::failed(const QString& reason)
{
    status_ = QStringLiteral("备份失败：") + reason;
    emit statusChanged(status_);
}

std::string Backups::backUpNow()
{
    wait();
    try {
        const std::string file = ledger::writeBackup(connection_);
        succeeded();
        return file;
    } catch (const std::exception& e) {
        failed(QString::fromStdString(e.what()));
        throw;
    }
}

void Backups::restore(const std::string& chosenFile)
{
    wait();
    try {
        ledger::restoreBackup(connection_, chosenFile, ledger::kDatabasePassword);
    } catch (const ledger::Error& e) {
        // The ledger as it was could not be backed up: a failed backup.
        if (e.kind() == ledger::Error::Kind::File)
            failed(QString::fromStdString(e.what()));
        throw;
    }
    // The ledger as it was went into a new backup.
    succeeded();
    emit ledgerReplaced();
}

} // namespace mainwindow
