#pragma once

namespace calendar {

// Maps the font families the calendar asks for (黑体, 宋体, Arial, Arial
// Black and their English names) to installed fonts of the same character.
// Call once at start-up, after the QApplication exists.
void installFontSubstitutions();

} // namespace calendar
