#include "backup.h"

#include "connection.h"
#include "error.h"
#include "schema.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <thread>

namespace ledger {

namespace {

namespace fs = std::filesystem;

constexpr const char* kBackupStem = "fmy-backup";
// Pages per slice of a copy on a worker: short enough that a writer on the
// window's connection never waits long for its turn.
constexpr int kWorkerSlicePages = 256;
// How long a copy waits for a ledger that stays locked by a writer.
constexpr auto kLockedLimit = std::chrono::seconds(30);

std::string reasonOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return "没有写入权限";
    case EROFS: return "磁盘是只读的";
    case ENOSPC:
    case EDQUOT: return "磁盘空间不足";
    case EFBIG: return "文件超出了大小限制";
    case ENOENT: return "文件夹不存在";
    case ENOTDIR: return "路径中有一段不是文件夹";
    case EIO: return "磁盘读写出错";
    default: return std::strerror(error);
    }
}

std::string folderOf(const std::string& path)
{
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

bool isRegularFile(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void syncFolder(const std::string& folder)
{
    // Some file systems cannot flush a folder; the rename is then as safe as they make it.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string randomLetters(size_t count)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += kLetters[random() % (sizeof kLetters - 1)];
    return out;
}

bool isTemporaryName(std::string_view name, const std::string& stem)
{
    const std::string prefix = "." + stem + "-";
    if (name.size() != prefix.size() + 6 || name.substr(0, prefix.size()) != prefix)
        return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); });
}

void ensureFolder(const std::string& folder)
{
    if (::mkdir(folder.c_str(), 0777) == 0)
        return;
    const int error = errno;
    struct stat st {};
    if (error == EEXIST && ::stat(folder.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return;
        throw Error(Error::Kind::File, "无法创建备份文件夹“" + folder + "”：已有同名的文件");
    }
    throw Error(Error::Kind::File, "无法创建备份文件夹“" + folder + "”：" + reasonOf(error));
}

DateTime nextSecond(DateTime t)
{
    if (++t.second < 60)
        return t;
    t.second = 0;
    if (++t.minute < 60)
        return t;
    t.minute = 0;
    if (++t.hour < 24)
        return t;
    const DateTime next = t.datePart().addDays(1);
    return {next.year, next.month, next.day, 0, 0, 0};
}

// A copy's target: written once from start to end, so it needs neither a
// journal nor SQLite's flushes (the pending file flushes it before renaming).
sqlite3* openCopyTarget(const std::string& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "无法打开";
        sqlite3_close(db);
        throw Error(Error::Kind::File, "无法创建备份文件“" + path + "”：" + message);
    }
    sqlite3_exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
    return db;
}

} // namespace

std::optional<int64_t> countRecordsIn(const std::string& path)
{
    sqlite3* db = nullptr;
    std::optional<int64_t> count;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM s_shouru", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            count = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return count;
}

DateTime localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string backupFolderFor(const std::string& ledgerPath)
{
    return folderOf(ledgerPath) + "/" + kBackupFolderName;
}

std::string backupFileName(const DateTime& moment)
{
    char name[32];
    std::snprintf(name, sizeof name, "fmy-%04d%02d%02d-%02d%02d%02d.dll", moment.year, moment.month, moment.day, moment.hour,
                  moment.minute, moment.second);
    return name;
}

std::optional<DateTime> backupTimeOf(std::string_view name)
{
    // fmy-YYYYMMDD-HHMMSS.dll
    if (name.size() != 23 || name.substr(0, 4) != "fmy-" || name[12] != '-' || name.substr(19) != ".dll")
        return std::nullopt;
    auto number = [&](size_t from, size_t length) {
        int value = 0;
        for (size_t i = from; i < from + length; ++i) {
            if (name[i] < '0' || name[i] > '9')
                return -1;
            value = value * 10 + (name[i] - '0');
        }
        return value;
    };
    const int year = number(4, 4), month = number(8, 2), day = number(10, 2);
    const int hour = number(13, 2), minute = number(15, 2), second = number(17, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    return DateTime::make(year, month, day, hour, minute, second);
}

std::vector<BackupInfo> listBackups(const std::string& ledgerPath, bool countRecords)
{
    std::vector<BackupInfo> backups;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(backupFolderFor(ledgerPath), error)) {
        const auto time = backupTimeOf(entry.path().filename().string());
        std::error_code statError;
        if (!time || entry.symlink_status(statError).type() != fs::file_type::regular)
            continue;
        BackupInfo info;
        info.path = entry.path().string();
        info.time = *time;
        info.size = static_cast<uint64_t>(entry.file_size(statError));
        if (countRecords)
            info.records = countRecordsIn(info.path);
        backups.push_back(std::move(info));
    }
    std::sort(backups.begin(), backups.end(), [](const BackupInfo& a, const BackupInfo& b) { return a.time > b.time; });
    return backups;
}

bool backupDue(const std::string& ledgerPath, const DateTime& now)
{
    for (const BackupInfo& b : listBackups(ledgerPath, false))
        if (b.time.datePart() == now.datePart())
            return false;
    return true;
}

std::vector<std::string> pruneBackups(const std::string& ledgerPath, int keep)
{
    std::vector<std::string> removed;
    const std::vector<BackupInfo> backups = listBackups(ledgerPath, false);
    for (size_t i = static_cast<size_t>(std::max(keep, 0)); i < backups.size(); ++i)
        if (::unlink(backups[i].path.c_str()) == 0)
            removed.push_back(backups[i].path);
    return removed;
}

// ---- PendingFile ----

PendingFile::PendingFile(const std::string& folder, const std::string& stem) : folder_(folder.empty() ? "." : folder)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = folder_ + "/." + stem + "-" + randomLetters(6);
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            if (errno == EEXIST)
                continue;
            fail("创建", errno);
        }
        // A clean-up of another process may have taken the fresh file
        // before it was locked: then start over with another name.
        struct stat mine = {};
        struct stat named = {};
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd_, &mine) == 0 && ::stat(path_.c_str(), &named) == 0 &&
            mine.st_ino == named.st_ino && mine.st_dev == named.st_dev)
            return;
        ::close(fd_);
        fd_ = -1;
    }
    throw Error(Error::Kind::File, "无法在文件夹“" + folder_ + "”中创建临时文件");
}

PendingFile::~PendingFile()
{
    if (!committed_)
        ::unlink(path_.c_str());
    if (fd_ >= 0)
        ::close(fd_);
}

void PendingFile::fail(const std::string& what, int error) const
{
    throw Error(Error::Kind::File, "无法在文件夹“" + folder_ + "”中" + what + "文件：" + reasonOf(error));
}

void PendingFile::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("写入", errno);
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

void PendingFile::copyModeFrom(const std::string& other)
{
    struct stat st {};
    if (::stat(other.c_str(), &st) == 0)
        ::fchmod(fd_, st.st_mode & 07777);
}

bool PendingFile::commit(const std::string& target, bool replace)
{
    if (::fsync(fd_) != 0)
        fail("写入", errno);
    if (replace) {
        if (::rename(path_.c_str(), target.c_str()) != 0)
            fail("保存", errno);
    } else if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno == EEXIST)
            return false;
        // A file system without the exclusive rename: look first.
        if (errno != EINVAL && errno != ENOSYS)
            fail("保存", errno);
        if (::access(target.c_str(), F_OK) == 0)
            return false;
        if (::rename(path_.c_str(), target.c_str()) != 0)
            fail("保存", errno);
    }
    committed_ = true;
    ::close(fd_);
    fd_ = -1;
    syncFolder(folder_);
    return true;
}

void PendingFile::removeStale(const std::string& folder, const std::string& stem)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.empty() ? "." : folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!isTemporaryName(name, stem))
            continue;
        const std::string path = entry.path().string();
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A writer that is alive holds the lock; one that died has let it go.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && isRegularFile(path))
            ::unlink(path.c_str());
        ::close(fd);
    }
}

// ---- BackupCopy ----

BackupCopy::BackupCopy(Connection& ledger, const DateTime& moment) : ledgerPath_(ledger.path()), moment_(moment)
{
    if (!ledger.handle())
        throw Error(Error::Kind::Usage, "数据库没有打开");
    start(ledger.handle());
}

BackupCopy::BackupCopy(const std::string& ledgerPath, const DateTime& moment) : ledgerPath_(ledgerPath), moment_(moment)
{
    if (!isRegularFile(ledgerPath))
        throw Error(Error::Kind::Open, "找不到数据库文件“" + ledgerPath + "”");
    if (sqlite3_open_v2(ledgerPath.c_str(), &ownSource_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = ownSource_ ? sqlite3_errmsg(ownSource_) : "无法打开";
        release();
        throw Error(Error::Kind::Open, "无法打开数据库文件“" + ledgerPath + "”：" + message);
    }
    sqlite3_busy_timeout(ownSource_, 3000);
    try {
        start(ownSource_);
    } catch (...) {
        release();
        throw;
    }
}

BackupCopy::~BackupCopy()
{
    release();
}

void BackupCopy::start(sqlite3* source)
{
    folder_ = backupFolderFor(ledgerPath_);
    ensureFolder(folder_);
    PendingFile::removeStale(folder_, kBackupStem);
    file_ = std::make_unique<PendingFile>(folder_, kBackupStem);
    destination_ = openCopyTarget(file_->path());
    backup_ = sqlite3_backup_init(destination_, "main", source, "main");
    if (!backup_)
        failCopy(sqlite3_errcode(destination_));
}

void BackupCopy::release()
{
    if (backup_)
        sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    sqlite3_close(destination_);
    destination_ = nullptr;
    sqlite3_close(ownSource_);
    ownSource_ = nullptr;
    file_.reset();
}

void BackupCopy::failCopy(int rc)
{
    const int error = destination_ ? sqlite3_system_errno(destination_) : 0;
    release();
    switch (rc & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: throw Error(Error::Kind::Open, "账本文件“" + ledgerPath_ + "”已损坏，无法备份");
    case SQLITE_FULL: throw Error(Error::Kind::File, "无法在文件夹“" + folder_ + "”中写入备份：磁盘空间不足");
    case SQLITE_NOMEM: throw Error(Error::Kind::File, "无法写入备份：内存不足");
    default: break;
    }
    const std::string reason = error ? reasonOf(error) : std::string(sqlite3_errstr(rc));
    throw Error(Error::Kind::File, "无法在文件夹“" + folder_ + "”中写入备份：" + reason);
}

bool BackupCopy::step(int pages)
{
    if (done_)
        return true;
    if (!backup_)
        throw Error(Error::Kind::Usage, "这次备份已经中止");
    const int rc = sqlite3_backup_step(backup_, pages < 0 ? -1 : std::max(pages, 1));
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        const auto now = std::chrono::steady_clock::now();
        if (!waitingSince_)
            waitingSince_ = now;
        else if (now - *waitingSince_ > kLockedLimit) {
            release();
            throw Error(Error::Kind::File, "账本一直被占用，无法备份");
        }
        return false;
    }
    waitingSince_.reset();
    if (rc == SQLITE_OK)
        return false;
    if (rc != SQLITE_DONE)
        failCopy(rc);
    complete();
    return true;
}

void BackupCopy::complete()
{
    const int rc = sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    if (rc != SQLITE_OK)
        failCopy(rc);
    if (sqlite3_close(destination_) != SQLITE_OK)
        failCopy(SQLITE_IOERR);
    destination_ = nullptr;
    sqlite3_close(ownSource_);
    ownSource_ = nullptr;
    // Two backups within a second (one now, then the one before a restore)
    // both keep their copy: the later takes the next free second.
    DateTime moment = moment_;
    for (int attempt = 0; attempt < 60 && finalPath_.empty(); ++attempt, moment = nextSecond(moment)) {
        const std::string target = folder_ + "/" + backupFileName(moment);
        try {
            if (file_->commit(target, false))
                finalPath_ = target;
        } catch (...) {
            release();
            throw;
        }
    }
    file_.reset();
    if (finalPath_.empty())
        throw Error(Error::Kind::File, "备份文件夹“" + folder_ + "”中已有这一分钟的备份");
    done_ = true;
    pruneBackups(ledgerPath_);
}

int BackupCopy::pageCount() const
{
    return backup_ ? sqlite3_backup_pagecount(backup_) : 0;
}

int BackupCopy::pagesCopied() const
{
    return backup_ ? sqlite3_backup_pagecount(backup_) - sqlite3_backup_remaining(backup_) : 0;
}

namespace {

// Runs a copy to its end on this thread, pausing while a writer holds the ledger.
bool runCopy(BackupCopy& copy, int slicePages, const BackupProgress& progress)
{
    while (!copy.step(slicePages)) {
        if (copy.waiting())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (progress && !progress(copy.pagesCopied(), copy.pageCount()))
            return false;
    }
    return true;
}

} // namespace

std::string writeBackup(Connection& ledger, const DateTime& moment)
{
    if (ledger.inTransaction())
        throw Error(Error::Kind::Usage, "事务进行中，不能备份");
    BackupCopy copy(ledger, moment);
    runCopy(copy, -1, {});
    return copy.path();
}

std::string backupLedgerFile(const std::string& ledgerPath, const DateTime& moment, const BackupProgress& progress)
{
    BackupCopy copy(ledgerPath, moment);
    if (!runCopy(copy, kWorkerSlicePages, progress))
        return {};
    return copy.path();
}

// ---- restore ----

namespace {

void copyFileInto(const std::string& source, PendingFile& target)
{
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw Error(Error::Kind::Open, "无法读取所选文件“" + source + "”：" + reasonOf(errno));
    std::string buffer(1 << 20, '\0');
    while (true) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw Error(Error::Kind::Open, "无法读取所选文件“" + source + "”：" + reasonOf(error));
        }
        if (n == 0)
            break;
        try {
            target.write(std::string_view(buffer.data(), static_cast<size_t>(n)));
        } catch (...) {
            ::close(fd);
            throw;
        }
    }
    ::close(fd);
}

// Opens the copy as the program would open its ledger; a refusal names the chosen file.
void checkRestorable(const std::string& copy, const std::string& password, const std::string& chosen)
{
    Connection probe;
    try {
        probe.open(connectionStringFor(copy, password));
    } catch (const Error& e) {
        const std::string file = "所选文件“" + chosen + "”";
        switch (probe.openFailure()) {
        case OpenFailure::WrongPassword: throw Error(Error::Kind::Open, file + "的数据库密码与本账本不同，不能用来恢复");
        case OpenFailure::Damaged: throw Error(Error::Kind::Open, file + "已损坏，不能用来恢复");
        case OpenFailure::Other: throw Error(Error::Kind::Open, "无法打开" + file + "：" + e.what());
        default: throw Error(Error::Kind::Open, file + "不是本程序的账本，不能用来恢复");
        }
    }
}

} // namespace

std::string restoreBackup(Connection& ledger, const std::string& chosenFile, const std::string& password, const DateTime& moment)
{
    if (!ledger.isOpen())
        throw Error(Error::Kind::Usage, "数据库没有打开");
    if (ledger.inTransaction())
        throw Error(Error::Kind::Usage, "事务进行中，不能恢复备份");
    if (!isRegularFile(chosenFile))
        throw Error(Error::Kind::Open, "找不到所选文件“" + chosenFile + "”");
    const std::string ledgerPath = ledger.path();
    const std::string folder = folderOf(ledgerPath);
    const std::string stem = fs::path(ledgerPath).filename().string() + "-restore";
    PendingFile::removeStale(folder, stem);
    PendingFile copy(folder, stem);
    copyFileInto(chosenFile, copy);
    checkRestorable(copy.path(), password, chosenFile);
    const std::string before = writeBackup(ledger, moment);
    copy.copyModeFrom(ledgerPath);
    const std::string connectionString = connectionStringFor(ledgerPath, password);
    ledger.close();
    try {
        copy.commit(ledgerPath, true);
    } catch (...) {
        ledger.open(connectionString);
        throw;
    }
    ledger.open(connectionString);
    return before;
}

} // namespace ledger
