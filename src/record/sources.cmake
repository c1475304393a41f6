list(APPEND VENTREL_CORE_SOURCES record/testrecord.cpp)
list(APPEND VENTREL_CORE_SOURCES record/lkdfile.cpp)
