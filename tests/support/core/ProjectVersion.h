#pragma once

#include "support/core/TempDir.h"

#include <regex>
#include <string>

// The version the build gives the programs, read from the project's own CMakeLists.txt
// (TALVANE_SOURCE_DIR is set for every test program); empty when it cannot be found.
inline std::string projectVersion()
{
    const std::string cmake = readFileBytes(std::string(TALVANE_SOURCE_DIR) + "/CMakeLists.txt");
    std::smatch found;
    return std::regex_search(cmake, found, std::regex(R"(project\(Talvane VERSION ([0-9.]+))")) ? found[1].str()
                                                                                               : std::string();
}
