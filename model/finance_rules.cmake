target_sources(topaz_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/finance_rules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finance_years.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finance_percent.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finance_trees.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finance_expenditure.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finance_stages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/finance_lists.cpp)
