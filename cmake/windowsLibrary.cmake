# libqellink.dll as it ships: carrying its runtime, with a version resource,
# stripped with its debug information in a file beside it, and with an
# import library for the Microsoft linker made from the module-definition
# file of the C interface.

# The DLL carries its runtime: its import table names only system DLLs.
target_link_options(qellink PRIVATE -static -static-libgcc -static-libstdc++)

enable_language(RC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/libqellink.rc.in ${PROJECT_BINARY_DIR}/libqellink.rc @ONLY)
target_sources(qellink PRIVATE ${PROJECT_BINARY_DIR}/libqellink.rc)

# The debug information goes to libqellink.dll.debug, which the stripped DLL
# names in its debug link, so that a debugger finds it beside the DLL.
set(QEL_DEBUG_FILE $<TARGET_FILE_NAME:qellink>.debug)
add_custom_command(TARGET qellink POST_BUILD
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:qellink> ${QEL_DEBUG_FILE}
  COMMAND ${CMAKE_OBJCOPY} --strip-all $<TARGET_FILE_NAME:qellink>
  COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=${QEL_DEBUG_FILE} $<TARGET_FILE_NAME:qellink>
  WORKING_DIRECTORY $<TARGET_FILE_DIR:qellink>
  VERBATIM)

# libqellink.lib names only the C functions of the .def; mingw's
# libqellink.dll.a, which the build makes beside it, also carries the C++
# members for hosts built with the same toolchain.
find_program(QEL_DLLTOOL NAMES llvm-dlltool x86_64-w64-mingw32-dlltool REQUIRED)
set(QEL_DEF_FILE ${PROJECT_SOURCE_DIR}/src/boundary/libqellink.def)
set(QEL_MSVC_IMPORT_LIBRARY ${PROJECT_BINARY_DIR}/libqellink.lib)
add_custom_command(OUTPUT ${QEL_MSVC_IMPORT_LIBRARY}
  COMMAND ${QEL_DLLTOOL} -m i386:x86-64 -d ${QEL_DEF_FILE} -D libqellink.dll -l ${QEL_MSVC_IMPORT_LIBRARY}
  DEPENDS ${QEL_DEF_FILE}
  COMMENT "Making libqellink.lib from libqellink.def"
  VERBATIM)
add_custom_target(qellink_import_library ALL DEPENDS ${QEL_MSVC_IMPORT_LIBRARY})
