# For a cross build: the header-only libraries the project uses, taken from
# the build machine's Debian packages. Each gets an include folder of its own
# in the build tree holding a link to its headers and nothing else, so the
# cross compiler never sees the build machine's other headers.
function(quarn_host_header_library target header_folder)
  set(root ${PROJECT_BINARY_DIR}/host-headers/${target})
  file(MAKE_DIRECTORY ${root})
  get_filename_component(name ${header_folder} NAME)
  file(CREATE_LINK ${header_folder} ${root}/${name} SYMBOLIC)
  string(REPLACE "::" "_" plain ${target})
  add_library(${plain} INTERFACE)
  target_include_directories(${plain} SYSTEM INTERFACE ${root})
  add_library(${target} ALIAS ${plain})
endfunction()

quarn_host_header_library(nlohmann_json::nlohmann_json /usr/include/nlohmann)
quarn_host_header_library(CLI11::CLI11 /usr/include/CLI)
