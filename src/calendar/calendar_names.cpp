#include "chn_calendar_math.h"

// The name look-ups: an index outside its table gives an empty text.

namespace calendar {

namespace {

template <typename Table>
std::string_view entryOf(const Table& table, int index)
{
    return index >= 0 && index < static_cast<int>(table.size()) ? std::string_view(table[index]) : std::string_view();
}

} // namespace

const std::array<std::string, 60>& GanZhiNames()
{
    static const std::array<std::string, 60> names = [] {
        std::array<std::string, 60> built;
        for (int i = 0; i < 60; ++i)
            built[i] = std::string(StemNames[i % 10]) + std::string(BranchNames[i % 12]);
        return built;
    }();
    return names;
}

std::string_view GetGanZhiName(int index)
{
    return entryOf(GanZhiNames(), index);
}
std::string_view GetZodiacName(int index)
{
    return entryOf(ZodiacNames, index);
}
std::string_view GetSolarTermName(int index)
{
    return entryOf(SolarTermNames, index);
}
std::string_view GetConstellationName(int index)
{
    return entryOf(ConstellationNames, index);
}

std::string GetLunarDayName(int day)
{
    if (day < 1 || day > 30)
        return {};
    int units = day % 10;
    int tens = day / 10;
    if (units == 0) {
        // 10 is 初十; 20 and 30 are written 二十 and 三十 with the last two tens names.
        units = 10;
        tens = tens == 1 ? 0 : tens + 2;
    }
    return std::string(TensNames[tens]) + std::string(DigitNames[units - 1]);
}

} // namespace calendar
