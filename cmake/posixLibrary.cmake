# libqellink.so: a versioned shared object (libqellink.so.1 ->
# libqellink.so.1.0.<patch>) whose exports a version script decides.

set_target_properties(qellink PROPERTIES
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR})
target_link_libraries(qellink PRIVATE ${CMAKE_DL_LIBS} m)
target_link_libraries(qellink_static PUBLIC ${CMAKE_DL_LIBS} m)

# The C functions come from the module-definition file, so that both
# platforms export the same list.
file(STRINGS ${PROJECT_SOURCE_DIR}/src/boundary/libqellink.def def_lines REGEX "^[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*$")
list(TRANSFORM def_lines STRIP)
list(JOIN def_lines "; " QEL_C_EXPORTS)
string(APPEND QEL_C_EXPORTS ";")
set(QEL_VERSION_SCRIPT ${PROJECT_BINARY_DIR}/libqellink.map)
configure_file(${CMAKE_CURRENT_LIST_DIR}/libqellink.map.in ${QEL_VERSION_SCRIPT} @ONLY)
target_link_options(qellink PRIVATE "LINKER:--version-script=${QEL_VERSION_SCRIPT}")
set_property(TARGET qellink APPEND PROPERTY LINK_DEPENDS ${QEL_VERSION_SCRIPT})
