// ledger-sql [-p NAME=VALUE]... FILE [STATEMENT]
// Opens a ledger as the program does and runs statements of its dialect:
// the one given, or each line of standard input.
#include "ledger/connection.h"
#include "ledger/error.h"
#include "ledger/schema.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

std::string cell(const ledger::Value& v)
{
    switch (v.type()) {
    case ledger::Type::Null: return {};
    case ledger::Type::DateTime: return v.asDateTime().canonical();
    default: return v.toText();
    }
}

bool run(ledger::Connection& c, const std::string& statement, const ledger::Params& params)
{
    try {
        auto t = c.translate(statement);
        if (t->kind == ledger::jet::Translation::Kind::Select) {
            const ledger::ResultSet r = c.select(statement, params);
            std::string line;
            for (size_t i = 0; i < r.fields.size(); ++i)
                line += (i ? "\t" : "") + r.fields[i].name;
            std::cout << line << '\n';
            for (const ledger::Row& row : r.rows) {
                line.clear();
                for (size_t i = 0; i < row.size(); ++i)
                    line += (i ? "\t" : "") + cell(row[i]);
                std::cout << line << '\n';
            }
        } else {
            std::cout << "rows affected: " << c.execute(statement, params) << '\n';
        }
        return true;
    } catch (const ledger::Error& e) {
        std::cerr << e.what() << '\n';
        return false;
    }
}

} // namespace

int main(int argc, char** argv)
{
    ledger::Params params;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "-p") == 0 && i + 1 < argc; i += 2) {
        const std::string pair = argv[i + 1];
        const size_t eq = pair.find('=');
        if (eq == std::string::npos) {
            std::cerr << "参数应写成 NAME=VALUE：" << pair << '\n';
            return 2;
        }
        params.push_back({pair.substr(0, eq), ledger::Value(pair.substr(eq + 1))});
    }
    if (i >= argc || argc - i > 2) {
        std::cerr << "用法：ledger-sql [-p 名称=值]... 文件 [语句]\n";
        return 2;
    }
    ledger::Connection c;
    try {
        c.open(ledger::connectionStringFor(argv[i]));
    } catch (const ledger::Error& e) {
        std::cerr << e.what() << '\n';
        return 1;
    }
    if (i + 1 < argc)
        return run(c, argv[i + 1], params) ? 0 : 1;
    bool ok = true;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos)
            continue;
        ok = run(c, line, params) && ok;
    }
    return ok ? 0 : 1;
}
