#pragma once

// The program's embedded pictures and skins. Call initResources() once at
// start-up (before the first QPixmap or style sheet is loaded): resources
// in a static library are otherwise dropped by the linker.
//
// Pictures (JPEG unless noted), all under ":/artwork/":
//   login_background.jpg        470 × 264  sign-in window, with the captions
//   button_ok[_hover|_pressed].jpg      81 × 33  sign-in button face (确定)
//   button_cancel[_hover|_pressed].jpg  81 × 33  exit button face (取消)
//   header_left.jpg             561 × 81   header, product name
//   header_middle.jpg            16 × 81   header, stretched between the two
//   header_right.jpg            302 × 81   header, behind the three links
//   nav_top.jpg                 193 × 500  navigation column
//   nav_filler.jpg              193 × 16   below it, stretched downwards
//   status_left.jpg             193 × 33   status band, left
//   status_strip.jpg             16 × 33   status band, stretched to the right
//   about.jpg                   470 × 240  About box (close mark at 426, 7, 38 × 25)
//   offline.jpg                 470 × 240  page-not-available picture
//   app_icon_16/32/64/128.png              window icon
//   arrow_*.png, check.png                 glyphs the skins draw controls with
// Skins under ":/skins/": template.qss and one *.palette per skin (served
// through the skin provider, not read directly).
void initResources();
