# Each folder of the source tree is one library. A library's headers are reachable as
# "<folder>/<Header>.h" only through an include root of its own in the build tree, so a target
# sees the headers of the libraries it links and no others: the layering is checked by the
# compiler.
function(tw_expose_headers target)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

function(tw_add_library target)
  add_library(${target} STATIC ${ARGN})
  tw_expose_headers(${target})
endfunction()
