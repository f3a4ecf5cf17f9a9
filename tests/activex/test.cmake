# The identities generated from the IDL, which the native tables are checked against.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/qoTypeLibIdentities_test.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             QO_IDENTITIES_FILE="${CMAKE_BINARY_DIR}/generated/com/qoChartixControl_identities.txt")

# The automation boundary's fuzz target, where the compiler can build libFuzzer
# programs (clang). Configure the fuzz build with
#   -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQO_SANITIZE=ON
#   -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
# so that the library is instrumented for coverage too. The test runs it for
# QO_FUZZ_SECONDS (60) and reports SKIPPED in builds without it.
qo_fuzz_target(qo-fuzz-dispatch ${CMAKE_CURRENT_LIST_DIR}/fuzz/qoDispatch_fuzz.cpp qo_data)
add_test(NAME qo_fuzz_dispatch
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/fuzz/qoFuzzRun.sh ${CMAKE_BINARY_DIR}/bin/qo-fuzz-dispatch
                 ${CMAKE_BINARY_DIR}/fuzz-corpus/dispatch)
set_tests_properties(qo_fuzz_dispatch PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 3700 RUN_SERIAL TRUE)
