list(APPEND VENTREL_PAGE_SOURCES app/mainpage.cpp)
