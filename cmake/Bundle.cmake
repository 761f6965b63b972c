# Application bundles: Name.app/Contents/{Info.plist, MacOS/Name, Resources/}.
# A program finds its identifier, signature and Resources folder from its own path.
set(HARKWELL_BUNDLE_DIR "${CMAKE_BINARY_DIR}/bundles")

# harkwell_bundle(TARGET NAME <name> IDENTIFIER <id> SIGNATURE <4cc> [BACKGROUND] [INSIDE <dir>])
function(harkwell_bundle target)
  cmake_parse_arguments(B "BACKGROUND" "NAME;IDENTIFIER;SIGNATURE;INSIDE" "" ${ARGN})
  if(B_INSIDE)
    set(root "${B_INSIDE}")
  else()
    set(root "${HARKWELL_BUNDLE_DIR}")
  endif()
  set(contents "${root}/${B_NAME}.app/Contents")
  set(BUNDLE_NAME "${B_NAME}")
  set(BUNDLE_IDENTIFIER "${B_IDENTIFIER}")
  set(BUNDLE_SIGNATURE "${B_SIGNATURE}")
  if(B_BACKGROUND)
    set(BUNDLE_BACKGROUND "true")
  else()
    set(BUNDLE_BACKGROUND "false")
  endif()
  configure_file("${PROJECT_SOURCE_DIR}/cmake/Info.plist.in" "${contents}/Info.plist" @ONLY)
  file(MAKE_DIRECTORY "${contents}/Resources")
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME "${B_NAME}"
    RUNTIME_OUTPUT_DIRECTORY "${contents}/MacOS")
  set_property(TARGET ${target} PROPERTY HARKWELL_BUNDLE_PATH "${root}/${B_NAME}.app")
endfunction()

# harkwell_bundle_nib(TARGET <nib folder>): copies an interface-file folder ("main.nib") into
# the target's bundle Resources; a changed file is copied again on the next build.
function(harkwell_bundle_nib target source)
  get_property(bundle TARGET ${target} PROPERTY HARKWELL_BUNDLE_PATH)
  get_filename_component(name "${source}" NAME)
  file(GLOB files CONFIGURE_DEPENDS "${source}/*.ui")
  foreach(file ${files})
    get_filename_component(leaf "${file}" NAME)
    configure_file("${file}" "${bundle}/Contents/Resources/${name}/${leaf}" COPYONLY)
  endforeach()
endfunction()
