#pragma once

#include "support/test_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace quillmark::test {

// A test with a fresh folder of its own, for the files it writes by name.
class ScratchFolderTest : public ::testing::Test {
protected:
    // Writes the bytes into the folder and gives back the file's path.
    std::string Write(std::string_view name, std::string_view bytes) const
    {
        const std::string path = folder.File(name);
        WriteFileBytes(path, bytes);
        return path;
    }

    TemporaryFolder folder;
};

}  // namespace quillmark::test
