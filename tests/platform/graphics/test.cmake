# Scene conformance needs the scene renderer; golden images need qo_test_golden.
target_link_libraries(${QO_TEST_TARGET} PRIVATE qo_test_golden qo_scene_render)
target_compile_definitions(${QO_TEST_TARGET} PRIVATE QO_SCENE_DIR="${CMAKE_CURRENT_LIST_DIR}/scenes"
  QO_ICON_DIR="${CMAKE_CURRENT_LIST_DIR}/icons")

# The icon loader's fuzz target, where the compiler can build libFuzzer programs.
qo_fuzz_target(qo-fuzz-icon ${CMAKE_CURRENT_LIST_DIR}/fuzz/qoIcon_fuzz.cpp qo_graphics)
