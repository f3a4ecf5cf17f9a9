# The Windows server under Wine: cross-built with mingw-w64, registered with
# regsvr32 in a fresh prefix under the build folder, its type library checked by
# a host, and unregistered again. Skipped (with the reason) where mingw-w64,
# widl, the Wine IDL files or Wine are missing; the 32-bit run also needs
# wine32:i386.
foreach(bits 64 32)
  add_test(NAME qo_wine_server_${bits}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/qoWineTest.sh ${CMAKE_BINARY_DIR}/wine-${bits} ${bits})
  set_tests_properties(qo_wine_server_${bits} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 900 RUN_SERIAL TRUE)
endforeach()

# The demo prints its project plan to PDFs that qpdf checks (skipped without qpdf).
add_test(NAME qo_demo_pdf
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/examples/qoDemoPdfTest.sh $<TARGET_FILE:qo-demo> ${CMAKE_BINARY_DIR}/demo-pdf)
set_tests_properties(qo_demo_pdf PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 600)
