# The chart's helpers and widgets stand on the shared form fixture and its golden images.
target_link_libraries(${QO_TEST_TARGET} PRIVATE qo_test_widgets)
# The chart on a virtual X display, driven by real input.
if(NOT WIN32)
  target_link_libraries(${QO_TEST_TARGET} PRIVATE qo_backends)
endif()
