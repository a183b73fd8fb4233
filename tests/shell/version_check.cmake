# Configures the top of a copy of the project's CMakeLists.txt, with the project version replaced,
# and checks whether the version check refuses it.
#   cmake -DSOURCE=<project folder> -DWORK=<scratch folder> -DVERSION=2.15.0 -DREFUSED=ON -P version_check.cmake
file(READ "${SOURCE}/CMakeLists.txt" top)
# Everything up to the compiler settings: the project line and the check after it, nothing that
# needs a compiler or Qt.
string(FIND "${top}" "set(CMAKE_CXX_STANDARD" end)
string(SUBSTRING "${top}" 0 ${end} head)
string(REGEX REPLACE "project\\(Praxel VERSION [0-9.]+ LANGUAGES CXX\\)"
       "project(Praxel VERSION ${VERSION} LANGUAGES NONE)" copy "${head}")
if(copy STREQUAL head)
  message(FATAL_ERROR "the project() line was not found in ${SOURCE}/CMakeLists.txt")
endif()

file(REMOVE_RECURSE "${WORK}")
file(WRITE "${WORK}/source/CMakeLists.txt" "${copy}")
execute_process(COMMAND "${CMAKE_COMMAND}" -S "${WORK}/source" -B "${WORK}/build"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
string(FIND "${errors}" "must each be 0 to 9" refusal)
if(REFUSED AND (refusal EQUAL -1 OR result EQUAL 0))
  message(FATAL_ERROR "version ${VERSION} was not refused:\n${errors}")
endif()
if(NOT REFUSED AND (NOT refusal EQUAL -1 OR NOT result EQUAL 0))
  message(FATAL_ERROR "version ${VERSION} was refused:\n${errors}")
endif()
