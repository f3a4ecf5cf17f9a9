#include "support/qoTestSupport.h"

namespace qo::test {

std::string OutputPath(const std::string& name) { return std::string(QO_TEST_OUTPUT_DIR) + "/" + name; }

std::string DataPath(const std::string& name) { return std::string(QO_TEST_DATA_DIR) + "/" + name; }

} // namespace qo::test
