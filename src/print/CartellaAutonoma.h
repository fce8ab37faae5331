#pragma once

// The program as its users receive it: one folder that carries its own Qt libraries, plugins,
// translations and fonts (a "qt.conf" beside the executable points Qt at them). Such a folder must
// not take plugins from a Qt installed on the machine, and the printouts must find the fonts they
// assume even where the machine lacks them.
namespace cartellaAutonoma {

// Before the application object: when the executable's folder carries its own Qt, the variables
// that would add the machine's plugin folders are dropped.
void isola();

// After the application object: registers the fonts of the "fonts" folder beside the executable,
// if there is one. Returns how many were registered.
int caricaCaratteri();

} // namespace cartellaAutonoma
