list(APPEND VENTREL_CORE_SOURCES calc/units.cpp calc/plates.cpp calc/leakagecalc.cpp calc/reentry.cpp calc/analysis.cpp)
list(APPEND VENTREL_CORE_SOURCES calc/resultdisplay.cpp)
list(APPEND VENTREL_PAGE_SOURCES calc/bdmeasfm4.cpp)
