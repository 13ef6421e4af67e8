#include "program.h"

#include "ledger/datetime.h"
#include "resources/resources.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QLocale>

namespace app {

namespace {

// The short date form of the system locale, always with a four-digit year.
void useSystemDateFormat()
{
    const QString pattern = QLocale::system().dateFormat(QLocale::ShortFormat);
    const qsizetype y = pattern.indexOf(QLatin1Char('y')), m = pattern.indexOf(QLatin1Char('M')),
                    d = pattern.indexOf(QLatin1Char('d'));
    if (y < 0 || m < 0 || d < 0)
        return;
    ledger::ShortDateFormat format;
    format.order = y < m && y < d ? ledger::DateOrder::YearMonthDay
                   : m < d        ? ledger::DateOrder::MonthDayYear
                                  : ledger::DateOrder::DayMonthYear;
    for (const QChar c : pattern)
        if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.')) {
            format.separator = c.toLatin1();
            break;
        }
    format.padMonth = pattern.contains(QStringLiteral("MM"));
    format.padDay = pattern.contains(QStringLiteral("dd"));
    ledger::setShortDateFormat(format);
}

} // namespace

std::unique_ptr<SignInWindow> startProgram()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Quibo家的记账本"));
    QApplication::setApplicationName(QStringLiteral("jizhangben"));
    initResources();
    widgets::installChineseFonts();
    useSystemDateFormat();
    auto F_Login = std::make_unique<SignInWindow>();
    F_Login->FormCreate();
    // The message loop makes the sign-in window visible, even if start-up hid it.
    F_Login->show();
    F_Login->activateWindow();
    return F_Login;
}

} // namespace app
