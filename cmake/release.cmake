# The release archive in the simulator's add-on layout: unpacked into the
# simulator's folder, it adds Modules/Plugin/Vitals.dll and Doc/Vitals.txt.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(_edition x86)
else()
  set(_edition x64)
endif()
set(_stage ${PROJECT_BINARY_DIR}/release)
set(_archive ${PROJECT_BINARY_DIR}/Vitals-${PROJECT_VERSION}-${_edition}.zip)
add_custom_command(OUTPUT ${_archive}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_stage}/Modules/Plugin ${_stage}/Doc
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:vitals_module> ${_stage}/Modules/Plugin/Vitals.dll
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/Vitals.txt ${_stage}/Doc/Vitals.txt
  COMMAND ${CMAKE_COMMAND} -E chdir ${_stage} ${CMAKE_COMMAND} -E tar cf ${_archive} --format=zip Modules Doc
  DEPENDS vitals_module ${PROJECT_SOURCE_DIR}/docs/Vitals.txt
  VERBATIM)
add_custom_target(release ALL DEPENDS ${_archive})
