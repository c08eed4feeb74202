topaz_add_test(tst_record_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_record_rules.cpp)
