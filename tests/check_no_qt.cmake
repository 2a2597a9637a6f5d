# Fails when a file of the core libraries includes a Qt header.
file(GLOB_RECURSE core_files
  ${ROOT}/engine/*.h ${ROOT}/engine/*.cpp
  ${ROOT}/display/*.h ${ROOT}/display/*.cpp
  ${ROOT}/settings/*.h ${ROOT}/settings/*.cpp)
set(offenders "")
foreach(f IN LISTS core_files)
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
  if(lines)
    list(APPEND offenders "${f}: ${lines}")
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Qt headers in the core libraries:\n${offenders}")
endif()
message(STATUS "engine, display and settings are free of Qt")
