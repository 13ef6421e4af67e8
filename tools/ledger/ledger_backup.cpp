// ledger-backup FILE [--pages N] [--pause-ms N]: writes a backup of the
// ledger into the folder 备份 beside it, N pages a slice with a pause after
// each, and prints "copied/total" after every slice and the backup's file at
// the end. The pause makes a copy slow enough to be interrupted on purpose.
#include "ledger/backup.h"
#include "ledger/error.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

int usage()
{
    std::fprintf(stderr, "用法：ledger-backup 文件 [--pages 页数] [--pause-ms 毫秒]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    int pages = 256, pauseMs = 0;
    for (int i = 2; i < argc; ++i) {
        if (i + 1 >= argc)
            return usage();
        const int value = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--pages") == 0 && value > 0)
            pages = value;
        else if (std::strcmp(argv[i], "--pause-ms") == 0 && value >= 0)
            pauseMs = value;
        else
            return usage();
        ++i;
    }
    try {
        ledger::BackupCopy copy(argv[1], ledger::localNow());
        while (!copy.step(pages)) {
            std::printf("%d/%d\n", copy.pagesCopied(), copy.pageCount());
            std::fflush(stdout);
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        }
        std::printf("%s\n", copy.path().c_str());
    } catch (const ledger::Error& e) {
        std::fprintf(stderr, "备份失败：%s\n", e.what());
        return 1;
    }
    return 0;
}
