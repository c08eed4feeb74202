# The mapping table and the XML writer and reader of the application file.
target_sources(topaz_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/mapping_rows.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mapping.cpp
    ${CMAKE_CURRENT_LIST_DIR}/mapping_lists.cpp
    ${CMAKE_CURRENT_LIST_DIR}/value_text.cpp
    ${CMAKE_CURRENT_LIST_DIR}/application_xml.cpp
    ${CMAKE_CURRENT_LIST_DIR}/application_xml_writer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/application_xml_reader.cpp)
