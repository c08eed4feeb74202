topaz_add_test(tst_hostenv SOURCES tst_hostenv.cpp)
# The test binary embeds a version resource of its own and reads it back.
target_compile_definitions(tst_hostenv PRIVATE TOPAZ_MODULE_FILE_VERSION="9.8.7.6")
