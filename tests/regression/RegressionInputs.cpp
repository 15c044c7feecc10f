#include "tests/regression/RegressionInputs.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/FileSystem.h"

namespace lumora::test {

std::string regressionInput(const std::string& name) {
    return joinPath(LUMORA_REGRESSION_INPUTS, name);
}

std::vector<uint8_t> readRegressionInput(const std::string& name) {
    const std::string path = regressionInput(name);
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<InputFile> file = realFileSystem().openRead(path, error);
    std::vector<uint8_t> bytes;
    if (!file) {
        ADD_FAILURE() << "missing input " << path;
        return bytes;
    }
    uint8_t chunk[4096];
    while (size_t count = file->read(chunk, sizeof chunk)) {
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
    EXPECT_FALSE(bytes.empty()) << path;
    return bytes;
}

}  // namespace lumora::test
