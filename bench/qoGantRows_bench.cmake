# The rows are measured on the small chart of the row tests.
target_include_directories(${QO_BENCH_TARGET} PRIVATE ${PROJECT_SOURCE_DIR}/tests/gantt)
