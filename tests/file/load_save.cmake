# Checksum, loading and saving, and the topaz_q command line.
topaz_add_test(tst_checksum SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_checksum.cpp)
topaz_add_test(tst_application_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_application_file.cpp)
topaz_add_test(tst_cli SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/cli/tst_cli.cpp)
add_dependencies(tst_cli topaz_q)
