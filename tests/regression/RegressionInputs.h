#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::test {

// The full path of a kept input.
std::string regressionInput(const std::string& name);

// The bytes of a kept input; empty (and a test failure) when it is missing.
std::vector<uint8_t> readRegressionInput(const std::string& name);

}  // namespace lumora::test
