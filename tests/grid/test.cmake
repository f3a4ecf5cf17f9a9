# The grid view and tree component tests stand on the shared form fixture and its golden images.
target_link_libraries(${QO_TEST_TARGET} PRIVATE qo_test_widgets qo_test_golden)
