// Ids of the resources linked into aurisplot.exe (app/aurisplot.rc). Plain
// macros, since the resource compiler reads this file too.
#ifndef AURISPLOT_WINDOW_WIN32_RESOURCE_IDS_H
#define AURISPLOT_WINDOW_WIN32_RESOURCE_IDS_H

// The application icon, 16, 32 and 48 pixels in 16 colours, 256 colours and
// 32-bit colour with alpha. The lowest id, so Explorer shows it for the .exe.
#define IDI_AURISPLOT 1

#endif
