# Collects the C++ sources of the given folders. Platform files are picked by
# their suffix: *_win.cpp only on Windows, *_linux.cpp only elsewhere.
function(skelda_collect_sources out)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
      ${CMAKE_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_SOURCE_DIR}/${dir}/*.h)
    list(APPEND result ${found})
  endforeach()
  if(WIN32)
    list(FILTER result EXCLUDE REGEX "_linux\\.(cpp|h)$")
  else()
    list(FILTER result EXCLUDE REGEX "_win\\.(cpp|h)$")
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
