# The rows and the component stand on the shared form fixture and its golden images.
target_link_libraries(${QO_TEST_TARGET} PRIVATE qo_test_widgets)
