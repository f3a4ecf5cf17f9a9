# Dispatch is measured on the runtime's own test library and object.
qo_dispatch_tables(${QO_BENCH_TARGET} ${PROJECT_SOURCE_DIR}/tests/platform/com/qoDispatchSample.idl)
target_include_directories(${QO_BENCH_TARGET} PRIVATE ${PROJECT_SOURCE_DIR}/tests/platform/com)
