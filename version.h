// The versions of what ships, set here and nowhere else: Vantrel's version
// resource, its tooltip and About texts, the splash picture's version line
// (res/art/make_art.py reads this file), the gauge module's version resource
// and the installer (scripts/package.sh reads this file) all take them from
// here. Plain #defines only, so the resource compiler can read this file.
#ifndef VANTREL_VERSION_H
#define VANTREL_VERSION_H

// The program: major and minor, the minor written with two digits (1.10).
#define VT_VERSION_MAJOR 1
#define VT_VERSION_MINOR 10

// The gauge module keeps a version of its own: a container that hosts the
// gauge sees it beside the control's interface version (type library 1.0), not
// the version of the program that ships it.
#define ZELBO_VERSION_MAJOR 1
#define ZELBO_VERSION_MINOR 0
#define ZELBO_VERSION_PATCH 0
#define ZELBO_VERSION_BUILD 1

#define VT_VERSION_STR_(x) #x
#define VT_VERSION_STR(x) VT_VERSION_STR_(x)

// "1.10"
#define VT_VERSION_TEXT VT_VERSION_STR(VT_VERSION_MAJOR.VT_VERSION_MINOR)
// "Vantrel v 1.10": the tray tooltip that names the program
#define VT_PROGRAM_VERSION_TEXT VT_VERSION_STR(Vantrel v VT_VERSION_MAJOR.VT_VERSION_MINOR)
// The same in quotes: that tooltip's choice on the options sheet
#define VT_PROGRAM_VERSION_QUOTED VT_VERSION_STR(VT_PROGRAM_VERSION_TEXT)
// "Vantrel Version 1.10": the About box
#define VT_ABOUT_VERSION_TEXT VT_VERSION_STR(Vantrel Version VT_VERSION_MAJOR.VT_VERSION_MINOR)
// "1.0.0.1"
#define ZELBO_VERSION_TEXT \
  VT_VERSION_STR(ZELBO_VERSION_MAJOR.ZELBO_VERSION_MINOR.ZELBO_VERSION_PATCH.ZELBO_VERSION_BUILD)

#endif  // VANTREL_VERSION_H
