# Scene conformance needs the scene renderer; golden images need qo_test_golden.
target_link_libraries(${QO_TEST_TARGET} PRIVATE qo_test_golden qo_scene_render)
# Only the files that read the folders carry their paths (see the support library).
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/qoCanvasScenes_test.cpp ${CMAKE_CURRENT_LIST_DIR}/qoIcon_test.cpp
  APPEND PROPERTY COMPILE_DEFINITIONS QO_SCENE_DIR="${CMAKE_CURRENT_LIST_DIR}/scenes"
  QO_ICON_DIR="${CMAKE_CURRENT_LIST_DIR}/icons")

# The icon loader's fuzz target, where the compiler can build libFuzzer programs.
qo_fuzz_target(qo-fuzz-icon ${CMAKE_CURRENT_LIST_DIR}/fuzz/qoIcon_fuzz.cpp qo_graphics)
