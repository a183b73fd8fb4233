# Helpers shared by the folders' CMakeLists.

# praxel_shared_library(target ...sources)
# A shared library that carries its own copy of the error trap and the platform layers:
# the static libraries it links stay private to it (hidden, not exported), so its trap state,
# its prompter and its log are its own, while the exceptions that carry a call chain still
# cross into the calling program.
function(praxel_shared_library target)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${target} PRIVATE praxel_errtrap praxel_platform)
  target_link_options(${target} PRIVATE "LINKER:--exclude-libs,ALL")
endfunction()
