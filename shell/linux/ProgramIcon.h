// ProgramIcon on Linux: the sphere icon as a picture both the GTK launcher
// and the SDL rendering window can use, read from the hicolor theme tree the
// build writes beside the program or the install puts under share/icons.
#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>

// A new reference the caller unrefs; null when no icon file is found.
GdkPixbuf* loadProgramIcon();
