# quilmar_library(NAME [PURE source...] [WIN source...] [USES library...]
#                 [SYSTEM library...])
#
# One folder's library. PURE sources make no Windows calls and are built
# natively too, for their tests under the sanitizers; WIN sources are built
# for Windows only. USES names the project's libraries the folder may use
# (natively only those with pure sources exist), SYSTEM the Windows
# libraries it calls.
#
# Each library is also linked whole, with nothing but what it names, into a
# small program of its own, NAME_uses: a call into a folder it does not name
# fails the build there, instead of linking by luck in the program.
function(quilmar_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PURE;WIN;USES;SYSTEM")
  set(sources ${arg_PURE})
  if(WIN32)
    list(APPEND sources ${arg_WIN})
  endif()
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(used IN LISTS arg_USES)
    target_link_libraries(${name} PUBLIC $<TARGET_NAME_IF_EXISTS:${used}>)
  endforeach()
  if(WIN32)
    target_link_libraries(${name} PUBLIC ${arg_SYSTEM})
  endif()
  add_executable(${name}_uses ${PROJECT_SOURCE_DIR}/cmake/uses_main.cpp)
  target_link_libraries(${name}_uses PRIVATE $<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>)
endfunction()
