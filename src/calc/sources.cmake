list(APPEND VENTREL_CORE_SOURCES calc/units.cpp calc/plates.cpp)
