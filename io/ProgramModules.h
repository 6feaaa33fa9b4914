#pragma once

#include <QFunctionPointer>

namespace channel {

// The program's optional parts live in modules of their own, opened on first
// use, so that the libraries only they need (FluidSynth, Qt Charts, Qt Print
// Support) do not load with the program, before its window shows.

// The function `symbol` of the module `module` (its file name without the
// platform's suffix), looked for beside the program (the build tree) and in
// the installed library folder; null when the module or the function cannot
// be found. A module once opened stays loaded for the rest of the run, since
// code from it may still be running.
QFunctionPointer ResolveInModule(const char* module, const char* symbol);

}  // namespace channel
