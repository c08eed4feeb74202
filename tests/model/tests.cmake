topaz_add_test(tst_catalogue SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_catalogue.cpp)
topaz_add_test(tst_data_module SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_data_module.cpp ${CMAKE_CURRENT_LIST_DIR}/module_fixture.h)
topaz_add_test(tst_scenario SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_scenario.cpp)
