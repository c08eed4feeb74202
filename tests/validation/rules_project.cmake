topaz_add_test(tst_rules_project SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_rules_project.cpp)
