# Installs the build into a scratch prefix and compares what lands there with the list of files
# the program ships: the list above plus every help page in data/help.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DPREFIX=... -P install_tree.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

file(STRINGS ${SOURCE_DIR}/tests/desktop/installed_files.txt expected)
file(GLOB help_pages RELATIVE ${SOURCE_DIR}/data/help ${SOURCE_DIR}/data/help/*)
foreach(page ${help_pages})
  list(APPEND expected share/quillmark/help/${page})
endforeach()
list(SORT expected)

file(GLOB_RECURSE installed RELATIVE ${PREFIX} LIST_DIRECTORIES false ${PREFIX}/*)
list(SORT installed)

if(NOT installed STREQUAL expected)
  set(missing ${expected})
  list(REMOVE_ITEM missing ${installed})
  set(unexpected ${installed})
  list(REMOVE_ITEM unexpected ${expected})
  message(FATAL_ERROR "install tree differs\n  missing: ${missing}\n  unexpected: ${unexpected}")
endif()

foreach(program quillmark quillmark-tool)
  execute_process(COMMAND test -x ${PREFIX}/bin/${program} RESULT_VARIABLE not_executable)
  if(not_executable)
    message(FATAL_ERROR "bin/${program} is not executable")
  endif()
endforeach()
