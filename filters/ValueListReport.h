#pragma once

#include <string>

#include "filters/FilterValueLists.h"

namespace lumora {

// The value lists as text, criterion by criterion in the dialog's order: the
// group caption alone on a line, then each entry indented by two spaces; for
// the camera each make by two spaces and its models by four.
std::string valueListsReport(const FilterValueLists& values);

}  // namespace lumora
