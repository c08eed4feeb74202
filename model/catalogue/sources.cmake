# The data module's table catalogue.
target_sources(topaz_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/catalogue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/field_builders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_record_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/applicant_tables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/project_tables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finance_tables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schedule_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/aid_procurement_tables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/special_fields_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mapping_tables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dictionary_tables.cpp)
