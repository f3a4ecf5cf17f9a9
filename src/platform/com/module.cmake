# The type library's declarations and the dispatch tables of the automation
# runtime are generated from the one IDL (src/activex/qoChartixControl.idl).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QO_IDL ${PROJECT_SOURCE_DIR}/src/activex/qoChartixControl.idl)
set(QO_IDL_GEN_DIR ${CMAKE_BINARY_DIR}/generated/com)
set(QO_IDL_OUTPUTS ${QO_IDL_GEN_DIR}/qoChartixControl_TLB.h ${QO_IDL_GEN_DIR}/qoChartixControl_TLB.cpp)
# Every identity as plain text: what the tables and the Windows type library are both checked against.
set(QO_IDL_IDENTITIES ${QO_IDL_GEN_DIR}/qoChartixControl_identities.txt)
add_custom_command(
  OUTPUT ${QO_IDL_OUTPUTS} ${QO_IDL_IDENTITIES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QO_IDL_GEN_DIR}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_gen.py ${QO_IDL}
          --header ${QO_IDL_GEN_DIR}/qoChartixControl_TLB.h --source ${QO_IDL_GEN_DIR}/qoChartixControl_TLB.cpp
          --identities ${QO_IDL_IDENTITIES}
  DEPENDS ${QO_IDL} ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_gen.py ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_parse.py
          ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_identity.py ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_raise.py ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_forward.py
  COMMENT "Generating the type library declarations from qoChartixControl.idl")
add_custom_target(qo_com_generated DEPENDS ${QO_IDL_OUTPUTS} ${QO_IDL_IDENTITIES})
add_dependencies(${QO_MODULE_TARGET} qo_com_generated)
target_sources(${QO_MODULE_TARGET} PRIVATE ${QO_IDL_OUTPUTS})
target_include_directories(${QO_MODULE_TARGET} PUBLIC ${QO_IDL_GEN_DIR})

# qo_dispatch_tables(TARGET IDL): generates the declarations and dispatch tables
# of another IDL (the runtime's test library) into TARGET.
function(qo_dispatch_tables target idl)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  get_filename_component(stem ${idl} NAME_WE)
  set(dir ${CMAKE_BINARY_DIR}/generated/${target})
  set(outputs ${dir}/${stem}_TLB.h ${dir}/${stem}_TLB.cpp)
  add_custom_command(
    OUTPUT ${outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_gen.py ${idl}
            --header ${dir}/${stem}_TLB.h --source ${dir}/${stem}_TLB.cpp
    DEPENDS ${idl} ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_gen.py ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_parse.py
            ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_identity.py ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_raise.py ${PROJECT_SOURCE_DIR}/tools/idl/qo_idl_forward.py)
  target_sources(${target} PRIVATE ${outputs})
  target_include_directories(${target} PRIVATE ${dir})
endfunction()
