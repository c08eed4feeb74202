topaz_add_test(tst_finance_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_finance_rules.cpp)
