# Import libraries from .def files, for the Windows builds:
# vitals_import_library(TARGET NAME [DEF]) links TARGET against the import
# library of NAME.dll (of Orbiter.exe for Orbiter) as host/windows/NAME.def
# lists it, or as DEF lists it. The .def files carry 32-bit stdcall
# decorations (Name@N), which the 64-bit libraries drop.
set(_defs ${PROJECT_SOURCE_DIR}/host/windows)
file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/imports)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(_machine i386)
  set(_arch x86)
else()
  set(_machine i386:x86-64)
  set(_arch x64)
endif()

function(vitals_import_library target name)
  set(def ${_defs}/${name}.def)
  if(name STREQUAL "Orbiter")
    set(def ${_defs}/Orbiter-${_arch}.def)
  endif()
  if(ARGC GREATER 2)
    set(def ${ARGV2})
  endif()
  set(lib ${PROJECT_BINARY_DIR}/imports/${name}.lib)
  if(NOT TARGET import_${name})
    set(source ${def})
    if(_arch STREQUAL "x64")
      file(STRINGS ${def} lines REGEX "^[^;]")
      list(TRANSFORM lines REPLACE "^([A-Za-z_][A-Za-z0-9_]*)@[0-9]+$" "\\1")
      list(JOIN lines "\n" text)
      set(source ${PROJECT_BINARY_DIR}/imports/${name}.def)
      file(WRITE ${source} "${text}\n")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    endif()
    add_custom_command(OUTPUT ${lib}
      COMMAND ${VITALS_DLLTOOL} -m ${_machine} -k -d ${source} -l ${lib}
      DEPENDS ${source} VERBATIM)
    add_custom_target(import_${name} DEPENDS ${lib})
  endif()
  add_dependencies(${target} import_${name})
  target_link_libraries(${target} PRIVATE ${lib})
endfunction()
