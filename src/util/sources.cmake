list(APPEND VENTREL_CORE_SOURCES util/numtext.cpp)
list(APPEND VENTREL_PAGE_SOURCES util/messages.cpp util/twips.cpp)
