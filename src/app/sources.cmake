list(APPEND VENTREL_PAGE_SOURCES app/mainpage.cpp)
list(APPEND VENTREL_PAGE_SOURCES app/pagemenus.cpp app/aboutboxfm.cpp app/pageflow.cpp
                                 app/introfm1.cpp app/shellpages.cpp app/housepicture.cpp)
