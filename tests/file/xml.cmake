topaz_add_test(tst_mapping SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mapping.cpp)
topaz_add_test(tst_application_xml SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_application_xml.cpp)
