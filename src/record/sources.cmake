list(APPEND VENTREL_CORE_SOURCES record/testrecord.cpp)
