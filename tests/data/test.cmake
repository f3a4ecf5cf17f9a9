# A library of its own with the deferred-call queue, unloaded by a test. It binds
# to its own copy of the modules, not to the test program's.
add_library(qo_test_dolater_library MODULE ${CMAKE_CURRENT_LIST_DIR}/qoDoLaterLibrary.cpp)
target_link_libraries(qo_test_dolater_library PRIVATE qo_data qo_warnings)
target_link_options(qo_test_dolater_library PRIVATE -Wl,-Bsymbolic)
add_dependencies(${QO_TEST_TARGET} qo_test_dolater_library)
# On the one file that loads it: a path on every file's command line keeps
# ccache from reusing their compilations in another clone.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/qoDoLater_test.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  QO_DOLATER_LIBRARY="$<TARGET_FILE:qo_test_dolater_library>")
target_link_libraries(${QO_TEST_TARGET} PRIVATE ${CMAKE_DL_LIBS})
