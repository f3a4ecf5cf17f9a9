target_link_libraries(${QO_TEST_TARGET} PRIVATE qo_test_golden)
