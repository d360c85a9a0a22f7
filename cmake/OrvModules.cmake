# Strict warnings for our own targets only; third-party headers come in as system includes.
function(orv_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# orv_module(<target> <folder> SOURCES <files...> [DEPENDS <modules...>])
# A static library of one source folder. Its headers are reached as "<folder>/X.h" through an
# include folder that holds only a link to this folder, so a target sees the headers of exactly
# the modules it links: an include that runs against the layering fails to compile.
function(orv_module target folder)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  set(view ${CMAKE_BINARY_DIR}/modules/${folder})
  file(MAKE_DIRECTORY ${view})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${view}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${view})
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
  orv_warnings(${target})
endfunction()
