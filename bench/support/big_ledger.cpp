#include "big_ledger.h"

#include "ledger/sample_ledger.h"
#include "ledger/schema.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace benchsupport {

BigLedger::BigLedger(int records, int years, int extraItems)
{
    ledger::SampleOptions options;
    options.records = records;
    options.years = years;
    options.extraItems = extraItems;
    ledger::createSampleLedger(dir.file(ledger::kDatabaseFileName), options);
    db.open(ledger::connectionStringFor(dir.file(ledger::kDatabaseFileName)));
}

int runWithApplication(int argc, char** argv, const std::function<void()>& beforeExit)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    widgets::installChineseFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (beforeExit)
        beforeExit();
    return 0;
}

} // namespace benchsupport
