#pragma once

namespace widgets {

// The program names the font families 宋体 and 黑体 (and the Latin ones of
// its calendar); they stand for the installed CJK and Latin fonts of the
// same character, so Chinese text never falls back to boxes. Also sets the
// program's default font. Call once, after the application object exists.
void installChineseFonts();

} // namespace widgets
