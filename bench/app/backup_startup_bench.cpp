// The main window after sign-in on the sample ledger of 200,000 records,
// with the day's backup due and without: how long until the window is shown
// and its event loop idle ("usable"), and how long the loop waits at most
// while the copy runs. The program copies on a worker thread; for
// comparison the same copy in slices on the window's thread from a
// zero-timer. Run: QT_QPA_PLATFORM=offscreen build/bench/app/backup_startup_bench

#include "big_ledger.h"

#include "app/sign_in_window.h"
#include "ledger/backup.h"
#include "ledger/schema.h"
#include "mainwindow/backups.h"
#include "mainwindow/main_window.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>

namespace {

// Boxes that answer nothing: none should be shown.
class SilentBoxes : public widgets::MessageBoxes {
public:
    void refusal(QWidget*, const QString&) override {}
    bool confirm(QWidget*, const QString&) override { return true; }
    void information(QWidget*, const QString&) override {}
    void notice(QWidget*, const QString&) override {}
    void standardError(QWidget*, const QString&) override {}
    QString fileToSave(QWidget*, const QString&, const QString&, const QString&) override { return file; }
    void openFolder(const QString&) override {}
    Progress progress(QWidget* owner, const QString& label) override
    {
        if (realProgress)
            return widgets::realMessageBoxes().progress(owner, label);
        return [](int64_t, int64_t) { return true; };
    }
    QString file;
    bool realProgress = false;
};

benchsupport::BigLedger& bigLedger()
{
    static benchsupport::BigLedger ledger;
    static bool inFolder = [] {
        initResources();
        QDir::setCurrent(QString::fromStdString(ledger.dir.path()));
        return true;
    }();
    (void)inFolder;
    return ledger;
}

void removeBackups()
{
    std::filesystem::remove_all(ledger::backupFolderFor(bigLedger().db.path()));
}

// Spins the event loop until the window is exposed and a zero-timer posted
// after that has run: the window takes input from then on.
void waitUntilUsable(QWidget* window)
{
    while (!(window->windowHandle() && window->windowHandle()->isExposed()))
        QApplication::processEvents(QEventLoop::AllEvents, 1);
    bool idle = false;
    QTimer::singleShot(0, window, [&idle] { idle = true; });
    while (!idle)
        QApplication::processEvents(QEventLoop::AllEvents, 1);
}

// The longest wait of a zero-timer while `busy` holds: how long a key or click
// would wait.
double longestStallMs(const std::function<bool()>& busy)
{
    QElapsedTimer gap;
    double longest = 0;
    while (busy()) {
        gap.start();
        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        while (!ran)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        longest = std::max(longest, gap.nsecsElapsed() / 1e6);
    }
    return longest;
}

enum class Copy { NotDue, Worker, Slices };

void signIn(benchmark::State& state, Copy copy)
{
    bigLedger();
    SilentBoxes boxes;
    double stall = 0, copyMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        removeBackups();
        if (copy != Copy::Worker) // today's backup exists: none due
            ledger::writeBackup(bigLedger().db);
        auto F_Login = std::make_unique<app::SignInWindow>(boxes);
        F_Login->FormCreate();
        F_Login->show();
        waitUntilUsable(F_Login.get());
        state.ResumeTiming();

        QElapsedTimer clock;
        clock.start();
        F_Login->SignIn();
        mainwindow::MainWindow* main = F_Login->mainWindow();
        std::unique_ptr<ledger::BackupCopy> slices;
        if (copy == Copy::Slices) {
            slices = std::make_unique<ledger::BackupCopy>(F_Login->connection(), ledger::localNow());
            auto* timer = new QTimer(main);
            timer->setInterval(0);
            QObject::connect(timer, &QTimer::timeout, [&slices, timer] {
                if (slices->step(256))
                    timer->stop();
            });
            timer->start();
        }
        waitUntilUsable(main);
        state.PauseTiming();
        const double usable = clock.nsecsElapsed() / 1e6;
        if (copy == Copy::Worker) {
            // The worker starts once the window is shown and idle.
            stall += longestStallMs([&] { return main->automaticBackupPending() || main->backups().running(); });
            main->backups().wait();
        } else if (copy == Copy::Slices) {
            stall += longestStallMs([&] { return !slices->done(); });
        }
        copyMs += clock.nsecsElapsed() / 1e6 - usable;
        if (!main->backups().status().isEmpty())
            state.SkipWithError(main->backups().status().toStdString().c_str());
        slices.reset();
        F_Login.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["longest_stall_ms"] = stall / state.iterations();
    state.counters["copy_after_usable_ms"] = copyMs / state.iterations();
    removeBackups();
}

void SignInNoBackupDue(benchmark::State& state)
{
    signIn(state, Copy::NotDue);
}
void SignInBackupOnWorker(benchmark::State& state)
{
    signIn(state, Copy::Worker);
}
void SignInBackupInSlices(benchmark::State& state)
{
    signIn(state, Copy::Slices);
}
BENCHMARK(SignInNoBackupDue)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SignInBackupOnWorker)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(SignInBackupInSlices)->Unit(benchmark::kMillisecond)->Iterations(10);

// "导出全部收支记录…" on the settings page as a user runs it: the real
// progress dialog (offscreen) over the export of every record.
void ExportAllRecordsFromSettingsPage(benchmark::State& state)
{
    bigLedger();
    removeBackups();
    ledger::writeBackup(bigLedger().db); // none due
    SilentBoxes boxes;
    boxes.file = QString::fromStdString(bigLedger().dir.file("全部收支记录.csv"));
    boxes.realProgress = true;
    auto F_Login = std::make_unique<app::SignInWindow>(boxes);
    F_Login->FormCreate();
    F_Login->SignIn();
    mainwindow::MainWindow* main = F_Login->mainWindow();
    waitUntilUsable(main);
    auto* settings = main->findChild<QWidget*>(QStringLiteral("L10"));
    QMetaObject::invokeMethod(settings, "clicked");
    auto* button = main->findChild<QPushButton*>(QStringLiteral("exportAllRecords"));
    if (!button) {
        state.SkipWithError("no export button");
        return;
    }
    for (auto _ : state)
        button->click();
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(boxes.file.toStdString()));
    std::filesystem::remove(boxes.file.toStdString());
    F_Login.reset();
    removeBackups();
}
BENCHMARK(ExportAllRecordsFromSettingsPage)->Unit(benchmark::kMillisecond)->Iterations(3);

// The settings page's list of 30 backups: the first visit counts the
// records of every copy; later visits find them counted.
void ListBackupsOnSettingsPage(benchmark::State& state)
{
    auto& db = bigLedger().db;
    removeBackups();
    const std::string first = ledger::writeBackup(db);
    for (int i = 1; i < ledger::kBackupsKept; ++i)
        std::filesystem::copy_file(first, ledger::backupFolderFor(db.path()) + "/" +
                                              ledger::backupFileName(*ledger::DateTime::make(2030, 1, 1 + i, 8, 0, 0)));
    ledger::Connection connection;
    connection.open(ledger::connectionStringFor(db.path()));
    std::optional<mainwindow::Backups> backups(std::in_place, connection);
    const bool again = state.range(0) != 0;
    if (again)
        backups->list();
    for (auto _ : state) {
        if (!again) {
            state.PauseTiming();
            backups.emplace(connection); // a fresh start: nothing counted yet
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(backups->list());
    }
    removeBackups();
}
BENCHMARK(ListBackupsOnSettingsPage)->ArgName("again")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv);
}
