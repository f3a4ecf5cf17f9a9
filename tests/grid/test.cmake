# The tree component is a widget: its tests stand on the shared form fixture.
target_link_libraries(${QO_TEST_TARGET} PRIVATE qo_test_widgets)
