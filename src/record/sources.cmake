list(APPEND VENTREL_CORE_SOURCES record/testrecord.cpp)
list(APPEND VENTREL_CORE_SOURCES record/lkdfile.cpp)
list(APPEND VENTREL_PAGE_SOURCES record/filechooser.cpp record/fileviewfm.cpp record/filesavefm.cpp)
