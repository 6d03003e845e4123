# One library per folder, and the build enforces which folder may include
# which. Every layer gets an include root of its own in the build tree that
# holds a link to its folder and nothing else; a target sees the headers of
# exactly the layers it links. An include of a layer that is not linked
# (an arrow pointing the wrong way) fails to compile.
#
# quarn_add_layer(<target> <folder> [INTERFACE] SOURCES <files...>
#                 [PUBLIC_LINKS <targets...>] [PRIVATE_LINKS <targets...>])
function(quarn_add_layer target folder)
  cmake_parse_arguments(ARG "INTERFACE" "" "SOURCES;PUBLIC_LINKS;PRIVATE_LINKS" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  if(ARG_INTERFACE)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
    target_link_libraries(${target} INTERFACE ${ARG_PUBLIC_LINKS})
    return()
  endif()
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${root})
  target_compile_options(${target} PRIVATE ${QUARN_WARNINGS})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
endfunction()
