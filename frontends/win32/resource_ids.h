#pragma once
// The numbers by which the program finds its resources, for orvelin.rc and the C++ code alike, so
// plain macros. Explorer shows an executable's first icon group: the program's icon has the lowest.

#define ORVELIN_ICON_PROGRAM 1
// Help's window icon.
#define ORVELIN_ICON_HELP 2
// The icon About and the software information share.
#define ORVELIN_ICON_INFORMATION 3
// The splash picture, 296 x 240 pixels.
#define ORVELIN_BITMAP_SPLASH 10
#define ORVELIN_BITMAP_SPLASH_LARGE 11
