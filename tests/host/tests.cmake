topaz_add_test(tst_launcher SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_launcher.cpp)
add_dependencies(tst_launcher zelgor TOPAZ_Q)
topaz_add_test(tst_invocation SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_invocation.cpp
    ${CMAKE_SOURCE_DIR}/host/invocation.cpp)
