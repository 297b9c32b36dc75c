# sorvan_library(NAME CLASSES A B ... [HEADERS X.h ...] [SOURCES y.cpp ...]
#                [PUBLIC lib ...] [PRIVATE lib ...])
# A static library of the classes A, B ... (each A.cpp with A.h) and the
# further headers and sources, whose folder other targets include.
function(sorvan_library name)
  cmake_parse_arguments(L "" "" "CLASSES;HEADERS;SOURCES;PUBLIC;PRIVATE" ${ARGN})
  set(files ${L_HEADERS} ${L_SOURCES})
  foreach(class ${L_CLASSES})
    list(APPEND files ${class}.cpp ${class}.h)
  endforeach()
  add_library(${name} STATIC ${files})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
endfunction()
