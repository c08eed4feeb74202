target_sources(topaz_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/record_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_cascades.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_lists.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_calculated.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_special_fields.cpp)
