# The identities generated from the IDL, which the native tables are checked against.
target_compile_definitions(${QO_TEST_TARGET}
                           PRIVATE QO_IDENTITIES_FILE="${CMAKE_BINARY_DIR}/generated/com/qoChartixControl_identities.txt")
