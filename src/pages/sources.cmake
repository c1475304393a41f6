list(APPEND VENTREL_CORE_SOURCES pages/buildingvalues.cpp)
list(APPEND VENTREL_PAGE_SOURCES pages/pagewidgets.cpp pages/testidfm2.cpp pages/bldgenvfm3.cpp)
list(APPEND VENTREL_PAGE_SOURCES pages/inputpage.cpp)
