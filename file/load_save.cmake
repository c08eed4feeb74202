# Checksum, loading and saving of application files.
target_sources(topaz_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/md5.cpp
    ${CMAKE_CURRENT_LIST_DIR}/application_tables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/checksum.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host_settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/supplied_tables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/application_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/application_save.cpp
    ${CMAKE_CURRENT_LIST_DIR}/application_show.cpp
)
