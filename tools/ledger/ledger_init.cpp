// ledger-init FILE: writes a starting database.
#include "ledger/error.h"
#include "ledger/schema.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "用法：ledger-init 文件\n");
        return 2;
    }
    try {
        ledger::createStartingDatabase(argv[1]);
    } catch (const ledger::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
