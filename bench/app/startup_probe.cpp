// The program as a user starts it, timed: it starts in the working folder,
// and once its sign-in window is on the screen it takes an Enter in the
// password box, after a person's pause; once the main window is shown and idle it prints when each
// step was reached (nanoseconds of the real-time clock) and ends. Run by
// scripts/startup-time.sh under Xvfb, which adds the process start.

#include "app/program.h"
#include "app/sign_in_window.h"
#include "mainwindow/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

long long now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// Calls `then` once the window is on the screen and every event it caused so far is handled.
void whenShownAndIdle(QWidget* window, std::function<void()> then)
{
    QTimer::singleShot(0, window, [window, then = std::move(then)]() mutable {
        if (window->windowHandle() && window->windowHandle()->isExposed())
            QTimer::singleShot(0, window, then);
        else
            QTimer::singleShot(1, window, [window, then] { whenShownAndIdle(window, then); });
    });
}

} // namespace

int main(int argc, char** argv)
{
    const long long started = now();
    QApplication application(argc, argv);
    const auto F_Login = app::startProgram();
    long long signInShown = 0, enter = 0;
    std::function<void()> pressEnter;
    // A person takes a moment to press Enter; the ledger's integrity check
    // goes on meanwhile. JZB_ENTER_AFTER_MS=0 presses it at once.
    const int pause = qEnvironmentVariableIsSet("JZB_ENTER_AFTER_MS") ? qEnvironmentVariableIntValue("JZB_ENTER_AFTER_MS") : 300;
    whenShownAndIdle(F_Login.get(), [&] {
        signInShown = now();
        QTimer::singleShot(pause, F_Login.get(), [&] { pressEnter(); });
    });
    pressEnter = [&] {
        QWidget* password = QApplication::focusWidget();
        enter = now();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(password ? password : F_Login.get(), &press);
        if (!F_Login->mainWindow()) {
            std::fprintf(stderr, "没有进入主窗口\n");
            QApplication::exit(1);
            return;
        }
        whenShownAndIdle(F_Login->mainWindow(), [&] {
            std::printf("%lld %lld %lld %lld\n", started, signInShown, enter, now());
            QApplication::exit(0);
        });
    };
    return QApplication::exec();
}
