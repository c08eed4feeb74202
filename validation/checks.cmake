# Input checks of single typed values and the handlers the editor's controls run.
target_sources(topaz_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/nip_reg_pes_valid.cpp
    ${CMAKE_CURRENT_LIST_DIR}/input_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/input_handlers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/input_handler_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/date_order_warnings.cpp
)
