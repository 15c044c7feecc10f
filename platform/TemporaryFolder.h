#pragma once

#include <string>

namespace lumora {

// Makes a new folder from a path that ends in "XXXXXX", the X's replaced so
// that no other folder has the name (mkdtemp); false when none could be made.
bool makeTemporaryFolder(std::string& pathTemplate);

}  // namespace lumora
