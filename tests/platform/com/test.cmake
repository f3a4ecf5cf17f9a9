# The runtime's tests dispatch through tables generated from their own IDL.
qo_dispatch_tables(${QO_TEST_TARGET} ${CMAKE_CURRENT_LIST_DIR}/qoDispatchSample.idl)
