topaz_add_test(tst_rules_finance_schedule SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rules_finance_schedule.cpp
                                                  ${CMAKE_CURRENT_LIST_DIR}/finance_rules_harness.h)
topaz_add_test(tst_rules_finance_tables SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rules_finance_tables.cpp
                                                ${CMAKE_CURRENT_LIST_DIR}/finance_rules_harness.h)
