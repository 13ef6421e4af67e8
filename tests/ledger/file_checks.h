#pragma once

// What the tests of backups, exports and the open check look at on disk.

#include "ledger/datetime.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace filechecks {

inline std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every name in the folder, hidden ones too, sorted; none for a missing folder.
inline std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

inline ledger::DateTime at(int year, int month, int day, int hour = 8, int minute = 0, int second = 0)
{
    return *ledger::DateTime::make(year, month, day, hour, minute, second);
}

} // namespace filechecks
