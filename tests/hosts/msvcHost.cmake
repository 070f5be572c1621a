# The C host as the Microsoft toolchain builds it: clang for the MSVC target,
# lld-link with no default libraries, linked against libqellink.lib alone
# (and a kernel32 import library made here for its own three calls).
find_program(QEL_CLANG NAMES clang clang-14 REQUIRED)
find_program(QEL_LLD_LINK NAMES lld-link lld-link-14 REQUIRED)

set(dir ${CMAKE_CURRENT_BINARY_DIR}/msvc)
set(exe ${CMAKE_BINARY_DIR}/qel_msvc_host.exe)
set(clang_options --target=x86_64-pc-windows-msvc -O2 ${host_warnings}
  -I${PROJECT_BINARY_DIR}/include -I${CMAKE_CURRENT_SOURCE_DIR})
add_custom_command(OUTPUT ${exe}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
  COMMAND ${QEL_CLANG} ${clang_options} -c ${CMAKE_CURRENT_SOURCE_DIR}/host.c -o ${dir}/host.obj
  COMMAND ${QEL_CLANG} ${clang_options} -c ${CMAKE_CURRENT_SOURCE_DIR}/win/hostEntry_win.c
    -o ${dir}/hostEntry_win.obj
  COMMAND ${QEL_DLLTOOL} -m i386:x86-64 -d ${CMAKE_CURRENT_SOURCE_DIR}/win/kernel32.def
    -l ${dir}/kernel32.lib
  COMMAND ${QEL_LLD_LINK} /nologo /nodefaultlib /entry:host_entry /subsystem:console
    /out:${exe} ${dir}/host.obj ${dir}/hostEntry_win.obj ${QEL_MSVC_IMPORT_LIBRARY} ${dir}/kernel32.lib
  DEPENDS host.c win/hostEntry_win.c hostOutput.h win/kernel32.def
    ${PROJECT_BINARY_DIR}/include/qellink.h ${QEL_MSVC_IMPORT_LIBRARY}
  COMMENT "Building qel_msvc_host.exe with clang (MSVC target) and lld-link against libqellink.lib"
  VERBATIM)
add_custom_target(qel_msvc_host ALL DEPENDS ${exe})
add_dependencies(qel_msvc_host qellink_import_library exchange)

add_test(NAME msvc_host_queries COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-run ${exe}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
set_tests_properties(msvc_host_queries PROPERTIES PASS_REGULAR_EXPRESSION "${answers}")
