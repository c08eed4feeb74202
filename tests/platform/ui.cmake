topaz_add_test(tst_ui SOURCES tst_ui.cpp)
