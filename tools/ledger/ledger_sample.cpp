// ledger-sample FILE RECORDS YEARS [EXTRA_ITEMS]: writes a realistic sample ledger.
#include "ledger/error.h"
#include "ledger/sample_ledger.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "用法：ledger-sample 文件 记录数 年数 [附加项目数]\n");
        return 2;
    }
    ledger::SampleOptions options;
    options.records = std::atoi(argv[2]);
    options.years = std::atoi(argv[3]);
    options.extraItems = argc == 5 ? std::atoi(argv[4]) : 0;
    if (options.records < 0 || options.years < 1 || options.extraItems < 0) {
        std::fprintf(stderr, "记录数、年数和附加项目数应为非负整数，年数至少为 1\n");
        return 2;
    }
    try {
        ledger::createSampleLedger(argv[1], options);
    } catch (const ledger::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
