topaz_add_test(tst_input_checks SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_input_checks.cpp)
