#pragma once
// Paths shared by all test programs.
#include <string>

namespace qo::test {

// Where a test writes what it produced (actual images, differences, logs).
std::string OutputPath(const std::string& name);
// A file committed with the tests.
std::string DataPath(const std::string& name);

} // namespace qo::test
