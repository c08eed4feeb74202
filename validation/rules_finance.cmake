# The rules of finance, schedule and attachments (rules 2-3, 25-42, 45-49, 85-106).
target_sources(topaz_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_years.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_totals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_schedule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_stages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_aid_procurement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_indicators.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_expenditure.cpp
    ${CMAKE_CURRENT_LIST_DIR}/rules_finance_attachments.cpp
)
