# The runtime's tests dispatch through tables generated from their own IDL.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(sample_dir ${CMAKE_BINARY_DIR}/generated/com_test)
set(sample_outputs ${sample_dir}/qoDispatchSample_TLB.h ${sample_dir}/qoDispatchSample_TLB.cpp)
add_custom_command(
  OUTPUT ${sample_outputs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${sample_dir}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_gen.py
          ${CMAKE_CURRENT_LIST_DIR}/qoDispatchSample.idl
          --header ${sample_dir}/qoDispatchSample_TLB.h --source ${sample_dir}/qoDispatchSample_TLB.cpp
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/qoDispatchSample.idl ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_gen.py
          ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_parse.py
          ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_identity.py)
target_sources(${QO_TEST_TARGET} PRIVATE ${sample_outputs})
target_include_directories(${QO_TEST_TARGET} PRIVATE ${sample_dir})
