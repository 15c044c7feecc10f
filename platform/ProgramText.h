#pragma once

#include <string>
#include <vector>

namespace lumora {

// The program's arguments after its own name, in UTF-8 as every text inside
// Lumora. On Windows the C runtime's argv holds them in the ANSI code page,
// which loses every character outside it; they are taken from the wide
// command line instead, so such names arrive whole.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// Lets what the program prints in UTF-8 read right on a Windows console
// (its output code page becomes UTF-8); elsewhere there is nothing to do.
void useUtf8Console();

}  // namespace lumora
