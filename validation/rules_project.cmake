# The rule set's run and the rules of the project and the applicant.
target_sources(topaz_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/rule_set.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_project_applicant.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_project_description.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_applicant_persons.cpp
)
