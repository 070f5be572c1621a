# The POSIX package as host projects use it. Installs the build into a
# fresh prefix, checks the shared object's SONAME, then builds the C test
# host three ways, each run against the reference programs in <build>/exchange:
#   find_package(qellink 1.0 CONFIG REQUIRED) against the prefix,
#   pkg-config --cflags --libs qellink against the prefix,
#   add_subdirectory of the sources, whose configure must find neither
#   GoogleTest nor libxml2 and make no tests or tools.
# cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DWORK_DIR=... -DCC=... [-DLAUNCHER=...] -P consumers.cmake

set(hosts ${SOURCE_DIR}/tests/hosts)
set(host_sources "${hosts}/host.c;${hosts}/posix/hostEntry_posix.c")
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    message(FATAL_ERROR "${what} failed:\n${ARGN}\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(check_host what exe)
  execute_process(COMMAND ${exe} WORKING_DIRECTORY ${BUILD_DIR}
    RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed OR NOT out MATCHES "optimum undersizes: 0\\.040, 0\\.165\nall three queries answered")
    message(FATAL_ERROR "The ${what} host did not answer (exit ${failed}):\n${out}")
  endif()
  message(STATUS "${what}: the host answered the three queries")
endfunction()

run("Installing" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
file(GLOB library ${prefix}/lib*/libqellink.so.*.*.*)
run("readelf" readelf -d ${library})
if(NOT output MATCHES "Library soname: \\[libqellink\\.so\\.1\\]")
  message(FATAL_ERROR "${library} has no SONAME libqellink.so.1:\n${output}")
endif()
message(STATUS "${library}: SONAME libqellink.so.1")

set(configure_options -G Ninja -DCMAKE_C_COMPILER=${CC} -DCMAKE_CXX_COMPILER=${CXX}
  -DQEL_HOST_DIR=${hosts})
if(LAUNCHER)
  list(APPEND configure_options -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()

# find_package
run("Configuring the find_package host" ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/find_package
  -B ${WORK_DIR}/find_package ${configure_options} -DCMAKE_PREFIX_PATH=${prefix})
run("Building the find_package host" ${CMAKE_COMMAND} --build ${WORK_DIR}/find_package --parallel 2)
check_host(find_package ${WORK_DIR}/find_package/host)

# pkg-config
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
run("pkg-config" pkg-config --cflags --libs qellink)
separate_arguments(flags UNIX_COMMAND "${output}")
run("Building the pkg-config host" ${CC} -Wall -Wextra -Werror -I${hosts} ${host_sources}
  ${flags} -Wl,-rpath,${prefix}/lib -o ${WORK_DIR}/pkg-config-host)
check_host(pkg-config ${WORK_DIR}/pkg-config-host)

# add_subdirectory
set(embedded ${WORK_DIR}/add_subdirectory)
run("Configuring the add_subdirectory host" ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR}/add_subdirectory
  -B ${embedded} ${configure_options} -DQEL_SOURCE_DIR=${SOURCE_DIR})
file(READ ${embedded}/CMakeCache.txt cache)
if(cache MATCHES "GTest_DIR|LIBXML2" OR EXISTS ${embedded}/qellink/tests OR EXISTS ${embedded}/qellink/tools)
  message(FATAL_ERROR "add_subdirectory(qellink) looked for test dependencies or made tests or tools")
endif()
run("Building the add_subdirectory host" ${CMAKE_COMMAND} --build ${embedded} --target host --parallel 2)
check_host(add_subdirectory ${embedded}/host)
